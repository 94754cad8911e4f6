#include "ModalBoxCloser.h"
#include "PackBuilder.h"
#include "TestEnvironment.h"
#include "UpdateArea.h"
#include "data/WizardData.h"
#include "pages/IntroPage.h"
#include "services/UpdateServer.h"

#include <QApplication>
#include <QLabel>
#include <QTemporaryDir>
#include <QtTest>

Q_DECLARE_METATYPE(HttpResponse)

namespace
{
// A pack of that version with two templates, a PBX and a trunk; "foreign" locks version.txt with
// another password, as a pack the program cannot read.
QByteArray packBytes(const QString &version, bool foreign = false)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("p.zip");
    PackBuilder builder;
    if (foreign)
        builder.addForeign("version.txt", "VERSION " + version.toLatin1() + "\r\n");
    else
        builder.version(version);
    builder.add("a.template", "#template A").add("b.template", "#template B").add("c.pbx", "").add("d.itsp", "");
    if (!builder.write(path))
        qFatal("cannot build a pack");
    return TestEnvironment::readFile(path);
}

QString text(const IntroPage &page, const char *label)
{
    return page.findChild<QLabel *>(label)->text();
}

bool settled(const IntroPage &page)
{
    const QString status = text(page, "status");
    return !status.contains("Checking") && !status.contains("Downloading");
}

const QString kPacks = QStringLiteral("Template Pack version: <a href=\"#templates_version\">%1</a>");
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
        QTest::addColumn<QString>("installed");
        QTest::addColumn<QString>("announced");
        QTest::addColumn<QByteArray>("served");
        QTest::addColumn<bool>("fetched");
        QTest::addColumn<QString>("status");
        QTest::addColumn<QString>("shown");
        const QString done = "<i>Successfully downloaded new Template Pack.<br>Click <a "
                             "href=\"#templates_version\">here</a> to view changes list.</i>";
        const QString refused = "<i>Failed to download new Template Pack</i>";
        for (const bool ftp : {false, true}) {
            const char *over = ftp ? " over ftp" : " over http";
            auto row = [&](const char *name) { return &QTest::newRow(QByteArray(name + QByteArray(over))); };
            *row("newer") << ftp << "4.2"
                          << "4.3" << packBytes("4.3") << true << done << "4.3";
            *row("nothing installed") << ftp << ""
                                      << "0.1" << packBytes("0.1") << true << done << "0.1";
            *row("equal") << ftp << "4.3"
                          << "4.3" << packBytes("4.3") << false << ""
                          << "4.3";
            *row("4.3 after 4.12") << ftp << "4.12"
                                   << "4.3" << packBytes("4.3") << false << ""
                                   << "4.12";
            *row("not a zip") << ftp << "4.2"
                              << "4.3" << QByteArray("<html>moved</html>") << true << refused << "4.2";
            *row("locked otherwise") << ftp << "4.2"
                                     << "4.3" << packBytes("4.3", true) << true << refused << "4.2";
        }
    }

    void packUpdate()
    {
        QFETCH(bool, ftp);
        QFETCH(QString, installed);
        QFETCH(QString, announced);
        QFETCH(QByteArray, served);
        QFETCH(bool, fetched);
        if (ftp && !m_area.hasFtp())
            QSKIP(qPrintable(m_area.ftpError()));
        UpdateArea::useFtp(ftp);
        QByteArray before;
        if (!installed.isEmpty()) {
            before = packBytes(installed);
            TestEnvironment::writeFile(TestEnvironment::dataDir(), "templates4.zip", before);
        }
        m_area.put("info.txt", "# news\nVERSION 2.18\r\nfile templates4.zip  " + announced.toLatin1() + "\n");
        m_area.put("templates4.zip", served);

        IntroPage page;
        QTRY_VERIFY_WITH_TIMEOUT(settled(page), 10000);
        QTEST(text(page, "status"), "status");
        QFETCH(QString, shown);
        QVERIFY2(text(page, "version").contains(kPacks.arg(shown) + " &nbsp;(2 templates, 1 PBXs, 1 SIP trunks)"),
            qPrintable(text(page, "version")));
        QCOMPARE(
            m_area.fetched(), (fetched ? QStringList{"info.txt", "templates4.zip"} : QStringList{"info.txt"}));
        if (shown == installed)
            QCOMPARE(TestEnvironment::readFile(WizardData::templatePackPath()), before);
        QVERIFY(page.isComplete());
        const QStringList left = QDir(TestEnvironment::dataDir()).entryList(QDir::Files);
        QCOMPARE(left, QStringList{"templates4.zip"});
    }

    void failures_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<HttpResponse>("response");
        QTest::addColumn<QString>("status");
        HttpResponse stall;
        stall.stall = true;
        QTest::newRow("info stalls") << "info.txt" << stall << "<i>Failed to connect to updates server</i>";
        QTest::newRow("no info") << "info.txt" << HttpResponse::error(404)
                                 << "<i>Failed to connect to updates server</i>";
        QTest::newRow("pack stalls") << "templates4.zip" << stall << "<i>Failed to download Template Pack</i>";
        QTest::newRow("no pack") << "templates4.zip" << HttpResponse::error(500)
                                 << "<i>Failed to download Template Pack</i>";
    }

    void failures()
    {
        QFETCH(QString, file);
        QFETCH(HttpResponse, response);
        UpdateArea::useFtp(false);
        TestEnvironment::writeFile(TestEnvironment::dataDir(), "templates4.zip", packBytes("4.2"));
        m_area.put("info.txt", "templates4.zip 4.3");
        m_area.put("templates4.zip", packBytes("4.3"));
        m_area.respond(file, response);
        IntroPage page;
        QTRY_VERIFY_WITH_TIMEOUT(settled(page), 10000);
        QTEST(text(page, "status"), "status");
        QVERIFY(text(page, "version").contains(kPacks.arg("4.2")));
    }

    void progressText_data()
    {
        QTest::addColumn<qint64>("received");
        QTest::addColumn<qint64>("total");
        QTest::addColumn<QString>("status");
        QTest::newRow("truncated share")
            << qint64(2) << qint64(3) << "<i>Downloading new Template Pack - 66% done</i>";
        QTest::newRow("size not reported")
            << qint64(480000) << qint64(-1) << "<i>Downloading new Template Pack - 480000 bytes</i>";
    }

    void progressText()
    {
        QFETCH(qint64, received);
        QFETCH(qint64, total);
        WizardData::instance()->batchMode = true;
        IntroPage page;
        QMetaObject::invokeMethod(
            &page, "downloadTemplatesProgress", Q_ARG(qint64, received), Q_ARG(qint64, total));
        QTEST(text(page, "status"), "status");
    }

    void programOffer_data()
    {
        QTest::addColumn<QByteArray>("version");
        QTest::addColumn<int>("paramsMode");
        QTest::addColumn<bool>("offered");
        QTest::newRow("same") << QByteArray("2.18") << 0 << false;
        QTest::newRow("2.9 is older") << QByteArray("2.9") << 0 << false;
        QTest::newRow("2.19") << QByteArray("2.19") << 0 << true;
        QTest::newRow("3.0") << QByteArray("3.0") << 0 << true;
        QTest::newRow("3.0 in a params run") << QByteArray("3.0") << 1 << false;
    }

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
        QTRY_VERIFY_WITH_TIMEOUT(settled(page), 10000);
        // Declining the offer leaves the pack download to go on.
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
        QSettings settings = WizardData::settings();
        QCOMPARE(settings.value("update/lastUpdateDate").toString(), day.toString(Qt::TextDate));
        QCOMPARE(settings.value("update/lastUpdateTime").toInt(), 9);
        QCOMPARE(settings.value("update/lastUpdateVersion").toString(), QStringLiteral("2.18.0"));
        QVERIFY(!WizardData::isUpdateCheckDue(day, 9));
        QVERIFY(WizardData::isUpdateCheckDue(day, 10));
        QVERIFY(WizardData::isUpdateCheckDue(day.addDays(1), 10));
        settings.setValue("update/lastUpdateVersion", "2.17.0");
        QVERIFY(WizardData::isUpdateCheckDue(day.addDays(1), 10));
        QVERIFY(!WizardData::isUpdateCheckDue(day.addDays(1), 10));
    }

    // Not due: no request while a pack is installed; without one the page asks anyway. Batch runs
    // never ask and record nothing.
    void checkOnlyWhenDue()
    {
        UpdateArea::useFtp(false);
        m_area.put("info.txt", "VERSION 2.18");
        TestEnvironment::writeFile(TestEnvironment::dataDir(), "templates4.zip", packBytes("4.2"));
        WizardData::isUpdateCheckDue();
        delete new IntroPage;
        QTest::qWait(200);
        QCOMPARE(m_area.fetched(), QStringList());

        QFile::remove(WizardData::templatePackPath());
        {
            IntroPage page;
            QTRY_VERIFY_WITH_TIMEOUT(settled(page), 10000);
        }
        QCOMPARE(m_area.fetched(), QStringList{"info.txt"});

        WizardData::settings().clear();
        WizardData::instance()->batchMode = true;
        IntroPage batch;
        QTest::qWait(200);
        QCOMPARE(m_area.fetched(), QStringList{"info.txt"});
        QVERIFY(WizardData::settings().childGroups().isEmpty());
        QCOMPARE(text(batch, "status"), QString());
    }
};

BRAMBLEON_TEST_MAIN(TestIntroPage)
#include "tst_IntroPage.moc"
