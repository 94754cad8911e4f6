#include "TestEnvironment.h"
#include "UpdateArea.h"
#include "services/InstallerLauncher.h"
#include "services/UpdateServer.h"
#include "services/Upgrade.h"

#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

Q_DECLARE_METATYPE(HttpResponse)

namespace
{
// Stands in for the shell: records each start and answers with the scripted codes, then success.
class ScriptedLauncher : public InstallerLauncher
{
public:
    int start(const QString &verb, const QString &program, const QString &parameters) override
    {
        calls << verb + ' ' + QFileInfo(program).fileName() + ' ' + parameters;
        return codes.isEmpty() ? 42 : codes.takeFirst();
    }
    QList<int> codes;
    QStringList calls;
};

QString statusOf(const Upgrade &dialog)
{
    return dialog.findChild<QLabel *>("status")->text();
}

// Runs the program's event loop until the dialog ends it (0) or shows an error (1); 2 on timeout.
int runUntilSettled(const Upgrade &dialog)
{
    QTimer poll;
    int waited = 0;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (!statusOf(dialog).isEmpty())
            QCoreApplication::exit(1);
        else if (++waited > 500)
            QCoreApplication::exit(2);
    });
    poll.start(20);
    return QCoreApplication::exec();
}

const QByteArray kSetup = QByteArray(480000, 'x');
} // namespace

class TestUpgrade : public QObject
{
    Q_OBJECT
    UpdateArea m_area;
    ScriptedLauncher m_launcher;

private slots:
    void initTestCase()
    {
        QVERIFY(m_area.start());
        UpdateServer::setTransferTimeout(1000);
    }

    void init()
    {
        m_area.forget();
        m_area.put("brambleon-setup.exe", kSetup);
        m_launcher = ScriptedLauncher();
        InstallerLauncher::replace(&m_launcher);
        UpdateArea::useFtp(false);
    }

    void start_data()
    {
        QTest::addColumn<bool>("ftp");
        QTest::addColumn<QList<int>>("codes");
        QTest::addColumn<QStringList>("calls");
        QTest::addColumn<QString>("status");
        const QString open = "open brambleon-setup.exe /SILENT";
        QTest::newRow("started") << false << QList<int>{33} << QStringList{open} << "";
        QTest::newRow("over ftp") << true << QList<int>{} << QStringList{open} << "";
        QTest::newRow("elevated after 5")
            << false << QList<int>{5, 42} << QStringList{open, "runas brambleon-setup.exe /SILENT"} << "";
        QTest::newRow("refused") << false << QList<int>{2} << QStringList{open}
                                 << "<i>ERROR: can't start installer (2)</i>";
        QTest::newRow("refused elevated")
            << false << QList<int>{5, 32} << QStringList{open, "runas brambleon-setup.exe /SILENT"}
            << "<i>ERROR: can't start installer (32)</i>";
    }

    // The setup program lands whole in a folder of its own and starts silently; a start refused by
    // the shell leaves the file for the user.
    void start()
    {
        QFETCH(bool, ftp);
        QFETCH(QList<int>, codes);
        QFETCH(QString, status);
        if (ftp && !m_area.hasFtp())
            QSKIP(qPrintable(m_area.ftpError()));
        UpdateArea::useFtp(ftp);
        m_launcher.codes = codes;
        Upgrade dialog;
        QCOMPARE(runUntilSettled(dialog), status.isEmpty() ? 0 : 1);
        QTEST(m_launcher.calls, "calls");
        QCOMPARE(statusOf(dialog), status);
        QCOMPARE(dialog.findChild<QLabel *>("title")->text(), QStringLiteral("Installing new version"));
        QCOMPARE(dialog.findChild<QProgressBar *>()->value(), 100);
        QCOMPARE(TestEnvironment::readFile(dialog.setupFilePath()), kSetup);
        const QFileInfo folder(QFileInfo(dialog.setupFilePath()).absolutePath());
        QCOMPARE(int(folder.permissions() & 0x0077), 0); // neither group nor others
        QFile::remove(dialog.setupFilePath());
        QDir().rmdir(folder.filePath());
    }

    // This system never runs the Windows program: the shell's failure is shown and the file stays.
    void platformLauncher()
    {
        InstallerLauncher::replace(nullptr);
        Upgrade dialog;
        QCOMPARE(runUntilSettled(dialog), 1);
        QCOMPARE(statusOf(dialog), QStringLiteral("<i>ERROR: can't start installer (11)</i>"));
        QVERIFY(QFileInfo(dialog.setupFilePath()).isFile());
        QDir(QFileInfo(dialog.setupFilePath()).absolutePath()).removeRecursively();
    }

    void failedDownload_data()
    {
        QTest::addColumn<HttpResponse>("response");
        QTest::addColumn<QString>("status");
        HttpResponse stall;
        stall.stall = true;
        QTest::newRow("missing") << HttpResponse::error(404) << "<i>ERROR: can't download file (203)</i>";
        QTest::newRow("stalls") << stall << "<i>ERROR: can't download file (5)</i>";
        HttpResponse cut;
        cut.drop = true;
        QTest::newRow("dropped") << cut << "<i>ERROR: can't download file (2)</i>";
    }

    void failedDownload()
    {
        QFETCH(HttpResponse, response);
        m_area.respond("brambleon-setup.exe", response);
        Upgrade dialog;
        QCOMPARE(runUntilSettled(dialog), 1);
        QTEST(statusOf(dialog), "status");
        QVERIFY(!QFileInfo::exists(QFileInfo(dialog.setupFilePath()).absolutePath()));
        QVERIFY(m_launcher.calls.isEmpty());
    }

    // The web server may hand the program out through a redirect, and without announcing its size.
    void redirectedWithoutSize()
    {
        HttpResponse redirect = HttpResponse::error(302);
        redirect.headers.append(
            qMakePair(QByteArray("Location"), m_area.http().url("/install/brambleon/unsized").toEncoded()));
        m_area.respond("brambleon-setup.exe", redirect);
        HttpResponse unsized = HttpResponse::ok(kSetup, "application/octet-stream");
        unsized.unsized = true;
        m_area.respond("unsized", unsized);
        Upgrade dialog;
        QCOMPARE(runUntilSettled(dialog), 0);
        QCOMPARE(TestEnvironment::readFile(dialog.setupFilePath()), kSetup);
        QDir(QFileInfo(dialog.setupFilePath()).absolutePath()).removeRecursively();
    }

    void progressSteps_data()
    {
        QTest::addColumn<qint64>("received");
        QTest::addColumn<qint64>("total");
        QTest::addColumn<int>("value");
        QTest::newRow("share, truncated") << qint64(2) << qint64(3) << 66;
        QTest::newRow("no size: a step per 40,000 bytes") << qint64(480000) << qint64(-1) << 12;
        QTest::newRow("no size, first bytes") << qint64(39999) << qint64(0) << 0;
    }

    void progressSteps()
    {
        QFETCH(qint64, received);
        QFETCH(qint64, total);
        m_area.respond("brambleon-setup.exe", HttpResponse::error(404));
        Upgrade dialog;
        dialog.findChild<QProgressBar *>()->setValue(50);
        QMetaObject::invokeMethod(&dialog, "downloadProgress", Q_ARG(qint64, received), Q_ARG(qint64, total));
        QTEST(dialog.findChild<QProgressBar *>()->value(), "value");
    }

    // Declining starts nothing; cancelling a running download takes the partial file away.
    void offer()
    {
        HttpResponse stall;
        stall.stall = true;
        m_area.respond("brambleon-setup.exe", stall);
        UpdateServer::setTransferTimeout(60000);
        QString informative;
        QString partial;
        for (const char *choice : {"&Cancel", "Get &Update"}) {
            QTimer::singleShot(50, [&] {
                auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
                informative = box->informativeText();
                for (QAbstractButton *button : box->buttons()) {
                    if (button->text() == QLatin1String(choice))
                        button->click();
                }
                QTimer::singleShot(300, [&] {
                    if (auto *dialog = qobject_cast<Upgrade *>(QApplication::activeModalWidget())) {
                        partial = dialog->setupFilePath();
                        dialog->reject();
                    }
                });
            });
            Upgrade::offerUpdate(3, 1, nullptr);
        }
        UpdateServer::setTransferTimeout(1000);
        QCOMPARE(informative, QStringLiteral("Installed version: 2.18 \nNew version: 3.1"));
        QCOMPARE(m_area.fetched(), QStringList{"brambleon-setup.exe"});
        QVERIFY(!partial.isEmpty());
        QVERIFY(!QFileInfo::exists(QFileInfo(partial).absolutePath()));
    }
};

BRAMBLEON_TEST_MAIN(TestUpgrade)
#include "tst_Upgrade.moc"
