#include "AnswerPage.h"
#include "TestEnvironment.h"
#include "pages/WizardAnswers.h"

#include <QApplication>
#include <QComboBox>
#include <QWizard>
#include <QtTest>

namespace
{
QStringList warnings;

void recordWarning(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type != QtDebugMsg && type != QtInfoMsg)
        warnings << message;
}
} // namespace

class TestWizardAnswers : public QObject
{
    Q_OBJECT
private slots:
    void init() { TestEnvironment::freshWizardData(); }

    void text_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("warned");
        QTest::newRow("registry field") << "NET1_IP"
                                        << "10.0.0.1" << 0;
        QTest::newRow("wizard field") << "APPLICATION_SELECTED"
                                      << "3" << 0;
        // The wizard tells of a name no page registered, once per reading.
        QTest::newRow("nobody's field") << "NO_SUCH_FIELD"
                                        << "" << 2;
    }

    void text()
    {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(int, warned);
        QWizard wizard;
        auto *answers = new AnswerPage;
        auto *application = new QComboBox(answers);
        application->addItems({"a", "b", "c", "d"});
        application->setCurrentIndex(3);
        answers->registerWithWizardOnly("APPLICATION_SELECTED", application);
        answers->set("NET1_IP", "10.0.0.1");
        wizard.setPage(1, answers);

        warnings.clear();
        const QtMessageHandler previous = qInstallMessageHandler(recordWarning);
        const QString read = WizardAnswers::text(&wizard, name);
        const QString looked = WizardAnswers::lookup(&wizard)(name);
        qInstallMessageHandler(previous);
        QCOMPARE(read, text);
        QCOMPARE(looked, text);
        QCOMPARE(warnings.size(), warned);
    }
};

BRAMBLEON_TEST_MAIN(TestWizardAnswers)
#include "tst_WizardAnswers.moc"
