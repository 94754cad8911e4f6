#pragma once

// One page in a wizard whose other answers a stand-in page holds.

#include "AnswerPage.h"
#include "TestEnvironment.h"
#include "data/WizardData.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QStringList>
#include <QTextStream>
#include <QWizard>
#include <QtTest>

// Data rows for PageFixture::checkMarks: answers ("NAME=value;...") and the marks they give
// ("label=message|...").
inline void marksColumns()
{
    QTest::addColumn<QStringList>("given");
    QTest::addColumn<QStringList>("expected");
}

inline void marksRow(const char *name, const QString &given, const QString &expected = QString())
{
    QTest::newRow(name) << given.split(';', Qt::SkipEmptyParts) << expected.split('|', Qt::SkipEmptyParts);
}

template <class Page> struct PageFixture {
    QWizard wizard;
    AnswerPage *answers = new AnswerPage;
    Page *page = new Page;

    // A fresh data store first: the page registers its fields on creation.
    explicit PageFixture(int id, const QStringList &given = {})
    {
        wizard.setPage(3, answers);
        wizard.setPage(id, page);
        set(given);
    }

    // "NAME=value" each: registry fields directly, anything else through the stand-in.
    void set(const QStringList &given)
    {
        for (const QString &answer : given) {
            const QString name = answer.section('=', 0, 0);
            if (WizardData::instance()->fields.contains(name) && !answers->edits.contains(name))
                WizardData::instance()->setFieldText(name, answer.section('=', 1));
            else
                answers->set(name, answer.section('=', 1));
        }
    }

    void enter(const QStringList &given)
    {
        set(given);
        page->initializePage();
    }

    static QString text(const QString &name) { return WizardData::instance()->fieldText(name); }
    // The named fields' texts joined by "|".
    static QString texts(const QString &names)
    {
        QStringList values;
        for (const QString &name : names.split('|'))
            values << text(name);
        return values.join('|');
    }
    static QLineEdit *edit(const QString &name) { return WizardData::instance()->fields.value(name).lineEdit; }
    static QStringList summary(int id) { return WizardData::instance()->summaries[size_t(id)]; }

    template <class T = QComboBox> T *child(const QString &name) const
    {
        T *found = page->template findChild<T *>(name);
        if (!found)
            qFatal("no widget %s", qPrintable(name));
        return found;
    }

    // A combo box's texts joined by ",".
    static QString items(const QComboBox *combo)
    {
        QStringList texts;
        for (int i = 0; i < combo->count(); ++i)
            texts << combo->itemText(i);
        return texts.join(',');
    }

    QLabel *label(const QString &text) const
    {
        for (QLabel *l : page->template findChildren<QLabel *>()) {
            if (l->text() == text)
                return l;
        }
        qFatal("no label %s", qPrintable(text));
    }

    // "label=message" for every row label the last isComplete marked invalid.
    QStringList marks() const
    {
        QStringList found;
        for (QLabel *l : page->template findChildren<QLabel *>()) {
            if (l->toolTip().startsWith(QLatin1String("Invalid value - ")))
                found << l->text().trimmed() + QLatin1Char('=') + l->toolTip().mid(16);
        }
        found.sort();
        return found;
    }

    void checkMarks()
    {
        QFETCH(QStringList, given);
        QFETCH(QStringList, expected);
        enter(given);
        QCOMPARE(page->isComplete(), expected.isEmpty());
        QCOMPARE(marks(), expected);
    }

    QStringList survey()
    {
        QString text;
        QTextStream out(&text);
        page->writeSurvey(out);
        out.flush();
        return text.split(QLatin1Char('\n'));
    }
};
