#include "PackBuilder.h"
#include "TestEnvironment.h"
#include "data/TemplatePack.h"
#include "data/WizardData.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QTemporaryDir>
#include <QTextStream>
#include <QtTest>

namespace
{
QByteArray templateText(const QString &name, const QString &extra = QString())
{
    return QStringLiteral("#template %1\n%2\nValue = 1\n").arg(name, extra).toUtf8();
}

QStringList paths(const QList<TemplateInfo> &list)
{
    QStringList result;
    for (const TemplateInfo &info : list)
        result << info.path;
    return result;
}

const TemplateInfo *find(const QList<TemplateInfo> &list, const QString &path)
{
    for (const TemplateInfo &info : list) {
        if (info.path == path)
            return &info;
    }
    return nullptr;
}
} // namespace

class TestTemplatePack : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir *m_work = nullptr;
    QString m_oldCwd;

    QString pack() const { return WizardData::templatePackPath(); }

private slots:
    void init()
    {
        TestEnvironment::freshWizardData();
        TestEnvironment::dataDir(); // creates it
        QFile::remove(pack());
        m_work = new QTemporaryDir;
        m_oldCwd = QDir::currentPath();
        QDir::setCurrent(m_work->path());
    }

    void cleanup()
    {
        QDir::setCurrent(m_oldCwd);
        delete m_work;
        m_work = nullptr;
        QFile::remove(pack());
    }

    void packPathIsInDataDirectory()
    {
        QCOMPARE(pack(), QDir(TestEnvironment::dataDir()).absoluteFilePath("templates4.zip"));
        QVERIFY(QDir::isAbsolutePath(pack()));
    }

    void readVersion_data()
    {
        QTest::addColumn<QByteArray>("versionText");
        QTest::addColumn<bool>("found");
        QTest::addColumn<int>("major");
        QTest::addColumn<int>("minor");
        QTest::addColumn<QString>("build");
        QTest::newRow("plain") << QByteArray("VERSION 3.10\nBUILD 2026-11-02\n") << true << 3 << 10
                               << "2026-11-02";
        QTest::newRow("anywhere in line, patch ignored")
            << QByteArray("Pack VERSION\t4.2.7 final\r\n") << true << 4 << 2 << "";
        QTest::newRow("later lines win")
            << QByteArray("VERSION 1.1\nBUILD a\nVERSION 2.5\nBUILD b\n") << true << 2 << 5 << "b";
        QTest::newRow("short build line") << QByteArray("BUILD\nVERSION 1.0\n") << true << 1 << 0 << "";
        QTest::newRow("lower case is no version")
            << QByteArray("version 5.5\nBUILD x\n") << false << -1 << -1 << "x";
        QTest::newRow("no minor") << QByteArray("VERSION 7\n") << false << -1 << -1 << "";
    }

    void readVersion()
    {
        QFETCH(QByteArray, versionText);
        QFETCH(bool, found);
        QFETCH(int, major);
        QFETCH(int, minor);
        QFETCH(QString, build);
        const QString path = m_work->filePath("p.zip");
        QVERIFY(PackBuilder().add("version.txt", versionText).write(path));
        int ma = -1, mi = -1;
        QString bu;
        QCOMPARE(WizardData::readPackVersion(path, ma, mi, bu), found);
        QCOMPARE(ma, major);
        QCOMPARE(mi, minor);
        QCOMPARE(bu, build);
    }

    void readVersionFailures()
    {
        int ma = -1, mi = -1;
        QString bu;
        QVERIFY(!WizardData::readPackVersion(m_work->filePath("missing.zip"), ma, mi, bu));
        const QString garbage = TestEnvironment::writeFile(m_work->path(), "garbage.zip", "not a zip at all");
        QVERIFY(!WizardData::readPackVersion(garbage, ma, mi, bu));
        const QString noVersion = m_work->filePath("nov.zip");
        QVERIFY(PackBuilder().add("a.template", "#template A\n").write(noVersion));
        QVERIFY(!WizardData::readPackVersion(noVersion, ma, mi, bu));
        QCOMPARE(ma, -1);
        QCOMPARE(mi, -1);
    }

    // A pack made with another password must be treated as unreadable, and quickly: its entries open
    // but can never be read to an end.
    void wrongPasswordPackIsUnreadable()
    {
        QVERIFY(PackBuilder()
                    .addForeign("version.txt", "VERSION 9.9\n")
                    .addForeign("Foreign.template", templateText("Foreign"))
                    .addForeign("header.include", "; foreign header\n")
                    .addForeign("logo.png", QByteArray(64, 'x'))
                    .write(pack()));
        QElapsedTimer timer;
        timer.start();
        int ma = -1, mi = -1;
        QString bu;
        QVERIFY(!WizardData::readPackVersion(pack(), ma, mi, bu));
        WizardData *d = WizardData::instance();
        d->loadTemplates();
        QVERIFY(!paths(d->templates).contains("zip:Foreign.template"));
        d->readTemplate("zip:Foreign.template");
        QVERIFY(d->templateLines.isEmpty());
        QVERIFY(d->templateIcon("logo.png").isNull());
        int t = -1, p = -1, i = -1;
        d->countPackTemplates(t, p, i); // listing needs no password
        QCOMPARE(t, 1);
        QVERIFY2(timer.elapsed() < 5000, "reading a foreign pack must not hang");
    }

    void install_data()
    {
        QTest::addColumn<QString>("installed"); // "" none, "bad" unreadable, else version
        QTest::addColumn<QString>("working"); // "" none, "bad" unreadable, else version
        QTest::addColumn<QString>("result"); // marker of the pack in the data directory afterwards
        auto row = [](const char *name, QString installed, QString working, QString result) {
            QTest::newRow(name) << installed << working << result;
        };
        row("none installed", "", "3.1", "working");
        row("newer minor numerically", "3.9", "3.10", "working");
        row("newer major", "3.10", "4.0", "working");
        row("equal", "3.10", "3.10", "installed");
        row("older", "3.10", "3.9", "installed");
        row("older major", "4.0", "3.99", "installed");
        row("installed unreadable", "bad", "0.1", "working");
        row("working unreadable", "1.0", "bad", "installed");
        row("both unreadable", "bad", "bad", "installed");
        row("no working pack", "2.0", "", "installed");
        row("nothing anywhere", "", "", "");
    }

    void install()
    {
        QFETCH(QString, installed);
        QFETCH(QString, working);
        QFETCH(QString, result);
        QDir(QFileInfo(pack()).absolutePath()).removeRecursively();
        auto make = [](const QString &version, const QString &marker, const QString &path) {
            if (version == "bad")
                TestEnvironment::writeFile(
                    QFileInfo(path).absolutePath(), QFileInfo(path).fileName(), "damaged " + marker.toLatin1());
            else if (!version.isEmpty())
                QVERIFY(PackBuilder().version(version).add("marker.txt", marker.toLatin1()).write(path));
        };
        if (!installed.isEmpty())
            QDir().mkpath(QFileInfo(pack()).absolutePath());
        make(installed, "installed", pack());
        make(working, "working", m_work->filePath("templates4.zip"));

        WizardData::instance()->installTemplatePack();

        QVERIFY(QDir(QFileInfo(pack()).absolutePath()).exists());
        if (result.isEmpty()) {
            QVERIFY(!QFile::exists(pack()));
            return;
        }
        QByteArray marker;
        if (TemplatePack::readEntry(pack(), "marker.txt", marker))
            QCOMPARE(QString::fromLatin1(marker), result);
        else
            QVERIFY(TestEnvironment::readFile(pack()).endsWith(result.toLatin1()));
        // Only the pack itself is left behind, no temporary copy.
        QCOMPARE(QDir(QFileInfo(pack()).absolutePath()).entryList(QDir::Files), QStringList{"templates4.zip"});
    }

    void countsBySuffix()
    {
        int t = -1, p = -1, i = -1;
        WizardData *d = WizardData::instance();
        d->countPackTemplates(t, p, i);
        QCOMPARE(t + p + i, 0);
        QVERIFY(PackBuilder()
                    .add("a.template", "")
                    .add("sub/b.template", "")
                    .add("c.TEMPLATE", "")
                    .add("x.pbx", "")
                    .add("y.itsp", "")
                    .add("z.itsp", "")
                    .add("w.include", "")
                    .write(pack()));
        d->countPackTemplates(t, p, i);
        QCOMPARE(t, 2);
        QCOMPARE(p, 1);
        QCOMPARE(i, 2);
    }

    void parseHeader_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("named");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("application");
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("icon");
        QTest::newRow("full") << "#template Foo - Bar\n#application hosted\n#type beta\n#icon foo.png\n"
                              << true << "Foo - Bar" << 2 << 2 << "foo.png";
        QTest::newRow("name keyword, not trimmed") << "#name  Spaced \n" << true << "Spaced " << -1 << 0 << "";
        QTest::newRow("no name") << "#application ITSP\n#type alpha\n" << false << "" << 0 << 1 << "";
        QTest::newRow("upper-case keyword is no header") << "#Template Foo\n" << false << "" << -1 << 0 << "";
        QTest::newRow("leading blank is no header") << " #template Foo\n" << false << "" << -1 << 0 << "";
        QTest::newRow("unknown application") << "#template A\n#application PSTN\n" << true << "A" << -1 << 0 << "";
        QTest::newRow("application any case") << "#template A\n#application ReMoTeUsErS\n"
                                              << true << "A" << 3 << 0 << "";
        QTest::newRow("later type wins") << "#template A\n#type alpha\n#type ale\n"
                                         << true << "A" << -1 << 4 << "";
        QTest::newRow("unknown type keeps earlier") << "#template A\n#type Beta\n#type gamma\n"
                                                    << true << "A" << -1 << 2 << "";
        QTest::newRow("header anywhere in the file, last wins")
            << "#template First\nx = 1\n#application GATEWAY\n#name Second\n"
            << true << "Second" << 4 << 0 << "";
        QTest::newRow("keyword needs blank") << "#templateFoo\n#application\n" << false << "" << -1 << 0 << "";
    }

    void parseHeader()
    {
        QFETCH(QString, text);
        QFETCH(bool, named);
        QFETCH(QString, name);
        QFETCH(int, application);
        QFETCH(int, type);
        QFETCH(QString, icon);
        TemplateInfo info;
        info.application = 9;
        info.type = 9;
        QTextStream stream(&text, QIODevice::ReadOnly);
        QCOMPARE(WizardData::instance()->parseTemplateHeader(stream, info), named);
        QCOMPARE(info.name, name);
        QCOMPARE(info.application, application);
        QCOMPARE(info.type, type);
        QCOMPARE(info.icon, icon);
    }

    void readTemplateDropsDoubleSemicolonLines()
    {
        const QByteArray text = ";; authors' remark\n; kept comment\n#template T\r\n ;; not at start\nA = 1\n;;\n";
        const QStringList expected{"; kept comment", "#template T", " ;; not at start", "A = 1"};
        WizardData *d = WizardData::instance();
        TestEnvironment::writeFile(m_work->path(), "loose.template", text);
        d->readTemplate("loose.template");
        QCOMPARE(d->templateLines, expected);
        QVERIFY(PackBuilder().add("dir/in.template", text).write(pack()));
        d->readTemplate("zip:dir/in.template");
        QCOMPARE(d->templateLines, expected);
        d->readTemplate("zip:DIR/IN.template"); // template entries are looked up by their exact name
        QVERIFY(d->templateLines.isEmpty());
        d->templateLines = QStringList{"old"};
        d->readTemplate("missing.template");
        QVERIFY(d->templateLines.isEmpty());
    }

    void mergedListsOrderAndTypes()
    {
        TestEnvironment::writeFile(m_work->path(), "Loose.template", templateText("Loose", "#type beta"));
        TestEnvironment::writeFile(m_work->path(), "lower.TEMPLATE", templateText("  Lower  "));
        TestEnvironment::writeFile(m_work->path(), "nameless.template", "#application ITSP\n");
        TestEnvironment::writeFile(m_work->path(), "Other.pbx", templateText("Other PBX"));
        QDir(m_work->path()).mkdir("dir.template"); // directories are not templates
        QVERIFY(PackBuilder()
                    .add("Packed.template", templateText("Packed", "#type beta\n#application Hosted"))
                    .add("A.template", templateText("A in pack"))
                    .add("Broken.template", "no header\n")
                    .add("Upper.TEMPLATE", templateText("Upper")) // pack suffixes are case-sensitive
                    .addForeign("Locked.template", templateText("Locked"))
                    .write(pack()));
        WizardData *d = WizardData::instance();
        QList<TemplateInfo> list;
        d->listTemplates("template", list);
        const QStringList got = paths(list);
        QStringList sorted = got;
        std::sort(sorted.begin(), sorted.end());
        QCOMPARE(got, sorted);
        for (const char *expected : {"Loose.template", "lower.TEMPLATE", "zip:Packed.template", "zip:A.template",
                 ":/templates/Hosted.template", ":/templates/SIPTrunk.template"})
            QVERIFY2(got.contains(expected), expected);
        for (const char *absent : {"nameless.template", "dir.template", "zip:Broken.template",
                 "zip:Upper.TEMPLATE", "zip:Locked.template", "Other.pbx"})
            QVERIFY2(!got.contains(absent), absent);
        // Resources (":") sort before upper-case loose files, which sort before "zip:" entries.
        QVERIFY(got.indexOf(":/templates/SIPTrunk.template") < got.indexOf("Loose.template"));
        QVERIFY(got.indexOf("Loose.template") < got.indexOf("lower.TEMPLATE"));
        QVERIFY(got.indexOf("lower.TEMPLATE") < got.indexOf("zip:A.template"));

        const TemplateInfo *loose = find(list, "Loose.template");
        QCOMPARE(loose->name, QStringLiteral("Loose (*)"));
        QCOMPARE(loose->type, int(TemplateInfo::LooseFile));
        QCOMPARE(find(list, "lower.TEMPLATE")->name, QStringLiteral("Lower (*)"));
        const TemplateInfo *packed = find(list, "zip:Packed.template");
        QCOMPARE(packed->name, QStringLiteral("Packed"));
        QCOMPARE(packed->type, int(TemplateInfo::Beta));
        QCOMPARE(packed->application, 2);
        QCOMPARE(find(list, ":/templates/Hosted.template")->type, int(TemplateInfo::Released));

        d->loadTemplates();
        QCOMPARE(paths(d->templates), got);
        QVERIFY(paths(d->pbxTemplates).contains("Other.pbx"));
        QVERIFY(paths(d->pbxTemplates).contains(":/templates/Generic IP-PBX.pbx"));
        QVERIFY(paths(d->itspTemplates).contains(":/templates/Generic SIP Trunk.itsp"));
    }

    void loadTemplatesRebuildsOnlyWhenThePackChanges()
    {
        WizardData *d = WizardData::instance();
        // Without a pack every call rebuilds.
        d->loadTemplates();
        TestEnvironment::writeFile(m_work->path(), "New.template", templateText("New"));
        d->loadTemplates();
        QVERIFY(paths(d->templates).contains("New.template"));

        QVERIFY(PackBuilder().add("P.template", templateText("P")).write(pack()));
        d->loadTemplates();
        QVERIFY(paths(d->templates).contains("zip:P.template"));
        TestEnvironment::writeFile(m_work->path(), "Later.template", templateText("Later"));
        d->loadTemplates();
        QVERIFY(!paths(d->templates).contains("Later.template"));

        QVERIFY(
            PackBuilder().add("P.template", templateText("P")).add("Q.template", templateText("Q")).write(pack()));
        d->loadTemplates();
        QVERIFY(paths(d->templates).contains("zip:Q.template"));
        QVERIFY(paths(d->templates).contains("Later.template"));
    }

    void icons()
    {
        QImage noise(160, 160, QImage::Format_ARGB32);
        quint32 seed = 12345;
        for (int y = 0; y < noise.height(); ++y) {
            for (int x = 0; x < noise.width(); ++x) {
                seed = seed * 1103515245u + 12345u;
                noise.setPixel(x, y, seed);
            }
        }
        QByteArray big;
        QBuffer buffer(&big);
        buffer.open(QIODevice::WriteOnly);
        noise.save(&buffer, "PNG");
        QVERIFY(big.size() > 10240);
        QVERIFY(!QImage::fromData(big).isNull());

        QVERIFY(PackBuilder()
                    .add("readme.txt", "first entry\n")
                    .icon("icons/vendor_small.png", "red")
                    .icon("icons/other_small.png", "blue")
                    .add("icons/big.png", big)
                    .add("icons/text.png", "not a picture")
                    .addForeign("icons/locked.png", big.left(200))
                    .write(pack()));
        WizardData *d = WizardData::instance();
        const QIcon icon = d->templateIcon("vendor_small.png");
        QVERIFY(!icon.isNull());
        QCOMPARE(icon.pixmap(16, 16).toImage().pixelColor(4, 4), QColor("red"));
        // The first entry whose name ends with the text is the one taken.
        QCOMPARE(d->templateIcon("_small.png").pixmap(16, 16).toImage().pixelColor(4, 4), QColor("red"));
        QVERIFY(d->templateIcon("big.png").isNull()); // only its first 10240 bytes are read
        QVERIFY(d->templateIcon("text.png").isNull());
        QVERIFY(d->templateIcon("locked.png").isNull());
        QVERIFY(d->templateIcon("absent.png").isNull());
        QFile::remove(pack());
        QVERIFY(d->templateIcon("vendor_small.png").isNull());
    }
};

BRAMBLEON_TEST_MAIN(TestTemplatePack)
#include "tst_TemplatePack.moc"
