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
// A pack with two templates, a PBX and a trunk; "foreign" locks its version with another password,
// "oversized" adds an include file larger than the program reads.
QByteArray packBytes(const QString &version, bool foreign = false, bool oversized = false)
{
    PackBuilder builder;
    builder.addForeign(
        "version.txt", "VERSION " + version.toLatin1(), foreign ? "other" : TemplatePack::password());
    builder.add("a.template", "").add("b.template", "").add("c.pbx", "").add("d.itsp", "");
    if (oversized)
        builder.add("e.include", QByteArray(int(TemplatePack::MaxEntryBytes) + 1, ';'));
    return builder.bytes();
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
        WizardData::settings().clear();
        QFile::remove(WizardData::templatePackPath());
        m_area.forget();
    }

    void packUpdate_data()
    {
        QTest::addColumn<bool>("ftp");
        QTest::addColumn<QString>("versions"); // installed>announced
        QTest::addColumn<QByteArray>("served");
        QTest::addColumn<QStringList>("fetched");
        QTest::addColumn<QString>("status");
        const QString done = "<i>Successfully downloaded new Template Pack.<br>Click <a "
                             "href=\"#templates_version\">here</a> to view changes list.</i>";
        const QString refused = "<i>Failed to download new Template Pack</i>";
        const QStringList both{"info.txt", "templates4.zip"}, info{"info.txt"};
        const auto row = [](const char *name, bool ftp, const char *versions, const QByteArray &served,
                             const QStringList &fetched, const QString &status) {
            QTest::newRow(name) << ftp << QString(versions) << served << fetched << status;
        };
        for (const bool ftp : {false, true}) {
            row(ftp ? "newer over ftp" : "newer", ftp, "4.2>4.3", packBytes("4.3"), both, done);
            row(ftp ? "info stalls over ftp" : "info stalls", ftp, "4.2>", packBytes("4.3"),
                ftp ? QStringList() : info, "<i>Failed to connect to updates server</i>");
        }
        row("none installed", false, ">0.1", packBytes("0.1"), both, done);
        row("equal", false, "4.3>4.3", packBytes("4.3"), info, QString());
        row("4.3 after 4.12", false, "4.12>4.3", QByteArray(), info, QString());
        row("not a zip", false, "4.2>4.3", "<html/>", both, refused);
        row("locked", false, "4.2>4.3", packBytes("4.3", true), both, refused);
        row("entry too large", false, "4.2>4.3", packBytes("4.3", false, true), both, refused);
        row("pack missing", false, "4.2>4.3", QByteArray(), both, "<i>Failed to download Template Pack</i>");
    }

    // A newer pack replaces the installed one and is shown; any other outcome keeps the installed pack.
    // Without an announcement the info file stalls; an empty pack is missing on the server.
    void packUpdate()
    {
        QFETCH(bool, ftp);
        QFETCH(QString, versions);
        QFETCH(QByteArray, served);
        if (ftp && !m_area.ftpError.isEmpty())
            QSKIP(qPrintable(m_area.ftpError));
        UpdateArea::useFtp(ftp);
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
        QTEST(text(page, "status"), "status");
        QTEST(m_area.fetched(), "fetched");
        const bool replaced = text(page, "status").startsWith("<i>Success");
        QVERIFY2(text(page, "version")
                     .contains(QString("\">%1</a> &nbsp;(2 templates, 1 PBXs, 1 SIP trunks)")
                                   .arg(replaced ? announced : installed)),
            qPrintable(text(page, "version")));
        if (!replaced)
            QCOMPARE(TestEnvironment::readFile(WizardData::templatePackPath()), before);
        QCOMPARE(QDir(TestEnvironment::dataDir()).entryList(QDir::Files), QStringList{"templates4.zip"});
    }

    void programOffer_data()
    {
        QTest::addColumn<QByteArray>("version");
        QTest::addColumn<int>("paramsMode");
        QTest::addColumn<bool>("offered");
        QTest::newRow("same") << QByteArray("2.18") << 0 << false;
        QTest::newRow("2.9 is older") << QByteArray("2.9") << 0 << false;
        QTest::newRow("2.19") << QByteArray("2.19") << 0 << true;
        QTest::newRow("3.0 in a params run") << QByteArray("3.0") << 1 << false;
    }

    // A newer program is announced and offered; declining leaves the pack download to go on.
    void programOffer()
    {
        QFETCH(QByteArray, version);
        QFETCH(int, paramsMode);
        QFETCH(bool, offered);
        UpdateArea::useFtp(false);
        WizardData::instance()->paramsMode = paramsMode;
        m_area.put("info.txt", "VERSION " + version + "\ntemplates4.zip 4.3\n");
        m_area.put("templates4.zip", packBytes("4.3"));
        ModalBoxCloser closer;
        IntroPage page;
        waitForCheck(page);
        QCOMPARE(m_area.fetched(), (QStringList{"info.txt", "templates4.zip"}));
        QCOMPARE(closer.boxes(),
            offered ? QStringList{"Update: An update to Brambleon Assistant is available."} : QStringList());
        QCOMPARE(text(page, "offer"),
            offered ? "<i>New version of Wizard is available! (" + version + ")</i>" : QString());
    }

    void checkDue()
    {
        const QDate day(2024, 5, 6);
        QVERIFY(WizardData::isUpdateCheckDue(day, 9));
        QCOMPARE(WizardData::settings().value("update/lastUpdateVersion").toString(), QStringLiteral("2.18.0"));
        QVERIFY(!WizardData::isUpdateCheckDue(day, 9));
        QVERIFY(WizardData::isUpdateCheckDue(day, 10) && WizardData::isUpdateCheckDue(day.addDays(1), 10));
        WizardData::settings().setValue("update/lastUpdateVersion", "2.17.0");
        QVERIFY(WizardData::isUpdateCheckDue(day.addDays(1), 10));
    }

    // Not due: no request while a pack is installed, but one without. Batch runs never ask.
    void checkOnlyWhenDue()
    {
        UpdateArea::useFtp(false);
        m_area.put("info.txt", "VERSION 2.18");
        TestEnvironment::writeFile(TestEnvironment::dataDir(), "templates4.zip", packBytes("4.2"));
        WizardData::isUpdateCheckDue();
        {
            IntroPage idle;
            QTest::qWait(200);
        }
        QFile::remove(WizardData::templatePackPath());
        waitForCheck(IntroPage());
        WizardData::settings().clear();
        WizardData::instance()->batchMode = true;
        IntroPage batch;
        QTest::qWait(200);
        QCOMPARE(m_area.fetched(), QStringList{"info.txt"});
        QVERIFY(WizardData::settings().childGroups().isEmpty());
    }
};

BRAMBLEON_TEST_MAIN(TestIntroPage)
#include "tst_IntroPage.moc"
