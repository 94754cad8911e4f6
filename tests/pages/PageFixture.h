#pragma once

// One page in a wizard whose other answers a stand-in page holds (PageFixture), and the whole wizard
// on the General Setup page with template lists the test chooses (SetupFixture).

#include "TestEnvironment.h"
#include "data/WizardData.h"
#include "pages/BrambleonPage.h"
#include "pages/ConclusionPage.h"
#include "pages/DialPage.h"
#include "pages/FEUPage.h"
#include "pages/FinishPage.h"
#include "pages/GatewayPage.h"
#include "pages/IPPBX2Page.h"
#include "pages/IPPBXPage.h"
#include "pages/ITSPPage.h"
#include "pages/IntroPage.h"
#include "pages/Network1Page.h"
#include "pages/Network2Page.h"
#include "pages/ProductPage.h"
#include "pages/RemoteUsersPage.h"
#include "pages/SetupPage.h"
#include "pages/SystemPage.h"
#include "pages/UsersPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QWizard>
#include <QtTest>

// Stands in for the pages whose answers the page under test reads.
class AnswerPage : public BrambleonPage
{
public:
    // APPLICATION_SELECTED is the wizard's own field, a combo-box index as on the setup page.
    AnswerPage()
    {
        application->addItems({"0", "1", "2", "3", "4", "5"});
        QWizardPage::registerField("APPLICATION_SELECTED", application);
    }

    void set(const QString &name, const QString &text)
    {
        if (name == "APPLICATION_SELECTED")
            return application->setCurrentIndex(text.toInt());
        if (!edits.contains(name)) {
            edits.insert(name, hiddenEdit());
            registerField(name, edits.value(name));
        }
        edits.value(name)->setText(text);
    }

    void set(const QStringList &answers) // "NAME=value" each
    {
        for (const QString &answer : answers)
            set(answer.section('=', 0, 0), answer.section('=', 1));
    }

    QComboBox *application = new QComboBox(this);
    QHash<QString, QLineEdit *> edits;
};

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
        QStringList values = names.split('|');
        for (QString &name : values)
            name = text(name);
        return values.join('|');
    }
    static QLineEdit *edit(const QString &name) { return WizardData::instance()->fields.value(name).lineEdit; }
    static QStringList summary(int id) { return WizardData::instance()->summaries[size_t(id)]; }

    template <class T = QComboBox> T *child(const QString &name) const
    {
        return page->template findChild<T *>(name);
    }

    // A combo box's texts joined by ",".
    static QString items(const QComboBox *combo)
    {
        QStringList texts;
        for (int i = 0; i < combo->count(); ++i)
            texts << combo->itemText(i);
        return texts.join(',');
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

namespace SetupFixture
{
enum Product { QA1 = 0, QA2 = 2, QB8 = 6, QA1_KRBX = 9, QA2_KRBX = 11, QA2_CCE = 13, QSW_CCE = 14 };

inline QSettings settings()
{
    return QSettings(QStringLiteral("Tarvellion"), QStringLiteral("brambleon"));
}

// The sixteen pages under their ids, created in the order the program creates them.
class Wizard : public QWizard
{
public:
    Wizard()
    {
        const std::pair<int, QWizardPage *> pages[] = {{0, new IntroPage(this)}, {1, new ProductPage(this)},
            {2, new SetupPage(this)}, {3, new SystemPage(this)}, {4, new Network1Page(this)},
            {5, new Network2Page(this)}, {7, new IPPBXPage(this)}, {11, new IPPBX2Page(this)},
            {8, new ITSPPage(this)}, {10, new UsersPage(this)}, {6, new GatewayPage(this)},
            {9, new DialPage(this)}, {12, new FEUPage(this)}, {13, new RemoteUsersPage(this)},
            {14, new ConclusionPage(this)}, {15, new FinishPage(this)}};
        for (const auto &page : pages)
            setPage(page.first, page.second);
        setStartId(0);
    }
};

// Starts each test from nothing: fresh data store, no saved answers, the initial step count and a
// private working directory without loose template files.
inline void reset(QTemporaryDir &workDir)
{
    TestEnvironment::freshWizardData();
    settings().clear();
    BrambleonPage::stepCount = 8;
    QDir::setCurrent(workDir.path());
}

// Moves a fresh wizard to the product page, chooses the product and enters the setup page.
inline SetupPage *enter(QWizard &wizard, int product)
{
    wizard.show();
    if (wizard.currentId() < 1)
        wizard.next();
    while (wizard.currentId() > 1)
        wizard.back();
    wizard.setField(QStringLiteral("PRODUCT_SELECTED"), product);
    // A re-entry must see a change even when the product stays.
    if (auto *page = qobject_cast<ProductPage *>(wizard.page(1)))
        page->modified = true;
    wizard.next();
    return qobject_cast<SetupPage *>(wizard.currentPage());
}

template <class T = QComboBox> T *child(QWidget *page, const char *name)
{
    return page->findChild<T *>(QLatin1String(name));
}

inline QString field(const char *name)
{
    return WizardData::instance()->fieldText(QLatin1String(name));
}

// "NAME=value;..." into the fields.
inline void set(const QString &answers)
{
    for (const QString &pair : answers.split(';', Qt::SkipEmptyParts))
        WizardData::instance()->setFieldText(pair.section('=', 0, 0), pair.section('=', 1));
}

} // namespace SetupFixture
