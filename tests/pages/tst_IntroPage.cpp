#include "ModalBoxCloser.h"
#include "PackBuilder.h"
#include "TestEnvironment.h"
#include "UpdateArea.h"
#include "data/TemplatePack.h"
#include "data/WizardData.h"
#include "pages/IntroPage.h"
#include "services/UpdateServer.h"

#include <QApplication>
#include <QLabel>
#include <QtTest>

namespace
{
// Two templates, a PBX and a trunk; "foreign" locks the version with another password, "oversized"
// adds an entry larger than the program reads.
QByteArray packBytes(const QString &version, bool foreign = false, bool oversized = false)
{
    return PackBuilder()
        .addForeign("version.txt", "VERSION " + version.toLatin1(), foreign ? "other" : TemplatePack::password())
        .add("a.template", "")
        .add("b.template", "")
        .add("c.pbx", "")
        .add("d.itsp", "")
        .add("e.include", QByteArray(oversized ? int(TemplatePack::MaxEntryBytes) + 1 : 0, ';'))
        .bytes();
}

QString text(const IntroPage &page, const char *label)
{
    return page.findChild<QLabel *>(label)->text();
}

void waitForCheck(const IntroPage &page)
{
    QTRY_VERIFY_WITH_TIMEOUT(!text(page, "status").contains(QRegularExpression("Checking|Downloading")), 10000);
}
} // namespace

class TestIntroPage : public QObject
{
    Q_OBJECT
    UpdateArea m_area;

private slots:
    void initTestCase()
    {
        QVERIFY(m_area.start());
        UpdateServer::setTransferTimeout(1000);
    }

    void init()
    {
        TestEnvironment::freshWizardData();
        WizardData::settings().clear(); // over HTTP, and due
        QFile::remove(WizardData::templatePackPath());
        m_area.forget();
    }

    void packUpdate_data()
    {
        QTest::addColumn<QString>("versions"); // installed>announced; none announced: the info file stalls
        QTest::addColumn<QByteArray>("served"); // empty: missing
        QTest::addColumn<int>("fetched"); // files fetched: info, pack
        QTest::addColumn<QString>("status");
        const auto row = [](const char *versions, const QByteArray &served, int fetched, const char *status) {
            QTest::newRow(qPrintable(versions + QString(" ") + status)) << versions << served << fetched << status;
        };
        row("4.2>4.3", packBytes("4.3"), 2, "Successfully downloaded new Template Pack");
        row(">0.1", packBytes("0.1"), 2, "Successfully downloaded new Template Pack");
        row(">1.0", packBytes("1.0"), 2, "Successfully downloaded new Template Pack");
        row("4.3>4.3", packBytes("4.3"), 1, "");
        row("4.12>4.3", QByteArray(), 1, "");
        row("4.2>", packBytes("4.3"), 1, "Failed to connect to updates server");
        row("4.2>4.3", packBytes("4.3", true), 2, "Failed to download new Template Pack");
        row("4.2>4.3", packBytes("4.3", false, true), 2, "Failed to download new Template Pack");
        row("4.2>4.3", QByteArray(), 2, "Failed to download Template Pack");
    }

    // A newer pack replaces the installed one and is shown; any other outcome keeps the installed pack.
    void packUpdate()
    {
        QFETCH(QString, versions);
        QFETCH(QByteArray, served);
        QFETCH(QString, status);
        const QString installed = versions.section('>', 0, 0), announced = versions.section('>', 1);
        const QByteArray before = installed.isEmpty() ? QByteArray() : packBytes(installed);
        if (!before.isEmpty())
            TestEnvironment::writeFile(TestEnvironment::dataDir(), "templates4.zip", before);
        m_area.put("info.txt", "# news\nVERSION 2.18\r\nfile templates4.zip  " + announced.toLatin1() + "\n");
        m_area.put("templates4.zip", served);
        HttpResponse stall;
        stall.stall = true;
        if (announced.isEmpty())
            m_area.respond("info.txt", stall);
        if (served.isEmpty())
            m_area.respond("templates4.zip", HttpResponse::error(404));

        IntroPage page;
        waitForCheck(page);
        QCOMPARE(text(page, "status").mid(3).section(QRegularExpression("[.<]"), 0, 0), status);
        QTEST(int(m_area.fetched().size()), "fetched");
        const bool replaced = status.startsWith("Success");
        QVERIFY2(text(page, "version")
                     .contains(QString("\">%1</a> &nbsp;(2 templates, 1 PBXs, 1 SIP trunks)")
                                   .arg(replaced ? announced : installed)),
            qPrintable(text(page, "version")));
        QVERIFY(replaced || TestEnvironment::readFile(WizardData::templatePackPath()) == before);
        QCOMPARE(QDir(TestEnvironment::dataDir()).entryList(QDir::Files), QStringList{"templates4.zip"});
    }

    // A newer program is offered, except in a params run; declining leaves the pack download to go on.
    void programOffer()
    {
        m_area.put("templates4.zip", packBytes("4.3"));
        for (const QByteArray version : {"2.18", "2.9", "2.19", "3.0"}) {
            WizardData::instance()->paramsMode = version == "3.0";
            QFile::remove(WizardData::templatePackPath());
            m_area.forget();
            m_area.put("info.txt", "VERSION " + version + "\ntemplates4.zip 4.3\n");
            ModalBoxCloser closer;
            IntroPage page;
            waitForCheck(page);
            QCOMPARE(m_area.fetched().size(), 2);
            QCOMPARE(closer.count() == 1 && text(page, "offer").contains(version), version == "2.19");
        }
    }

    void checkDue()
    {
        const QDate day(2024, 5, 6);
        QVERIFY(WizardData::isUpdateCheckDue(day, 9) && !WizardData::isUpdateCheckDue(day, 9));
        QVERIFY(WizardData::isUpdateCheckDue(day, 10) && WizardData::isUpdateCheckDue(day.addDays(1), 10));
        WizardData::settings().setValue("update/lastUpdateVersion", "2.17.0");
        QVERIFY(WizardData::isUpdateCheckDue(day.addDays(1), 10));
    }

    // Not due: no request while a pack is installed, but one without. Batch runs never ask.
    void checkOnlyWhenDue()
    {
        m_area.put("info.txt", "VERSION 2.18");
        TestEnvironment::writeFile(TestEnvironment::dataDir(), "templates4.zip", packBytes("4.2"));
        WizardData::isUpdateCheckDue();
        {
            IntroPage idle;
            QTest::qWait(200);
        }
        QFile::remove(WizardData::templatePackPath());
        waitForCheck(IntroPage());
        WizardData::settings().clear(); // over HTTP, and due
        WizardData::instance()->batchMode = true;
        IntroPage batch;
        QTest::qWait(200);
        QCOMPARE(m_area.fetched(), QStringList{"info.txt"});
        QVERIFY(WizardData::settings().childGroups().isEmpty());
    }
};

BRAMBLEON_TEST_MAIN(TestIntroPage)
#include "tst_IntroPage.moc"
