#pragma once

// One SIP page in a wizard whose other answers a stand-in page holds.

#include "AnswerPage.h"
#include "data/WizardData.h"

#include <QLabel>
#include <QLineEdit>
#include <QStringList>
#include <QTextStream>
#include <QWizard>

template <class Page> struct SipPageFixture {
    QWizard wizard;
    AnswerPage *answers = new AnswerPage;
    Page *page = new Page;

    explicit SipPageFixture(int id)
    {
        wizard.setPage(3, answers);
        wizard.setPage(id, page);
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
    static QLineEdit *edit(const QString &name) { return WizardData::instance()->fields.value(name).lineEdit; }

    template <class T> T *child(const char *name) const
    {
        return page->template findChild<T *>(QLatin1String(name));
    }

    QLabel *label(const QString &text) const
    {
        for (QLabel *l : page->template findChildren<QLabel *>()) {
            if (l->text() == text)
                return l;
        }
        return nullptr;
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

    QStringList survey()
    {
        QString text;
        QTextStream out(&text);
        page->writeSurvey(out);
        out.flush();
        return text.split(QLatin1Char('\n'));
    }
};
