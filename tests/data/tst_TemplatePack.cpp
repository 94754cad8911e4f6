#include "PackBuilder.h"
#include "TestEnvironment.h"
#include "data/TemplateComposer.h"
#include "data/TemplatePack.h"
#include "data/WizardData.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QRegularExpression>
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

} // namespace

class TestTemplatePack : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<QTemporaryDir> m_work;

    QString pack() const { return WizardData::templatePackPath(); }

private slots:
    void init()
    {
        TestEnvironment::freshWizardData();
        TestEnvironment::dataDir(); // creates it
        QFile::remove(pack());
        m_work.reset(new QTemporaryDir);
        QDir::setCurrent(m_work->path()); // loose templates are read from here
    }

    void readVersion_data()
    {
        QTest::addColumn<QByteArray>("versionText"); // "-" no version entry; "+" under another password
        QTest::addColumn<QString>("expected"); // major.minor build, or "" when not found
        QTest::newRow("anywhere in line, patch ignored") << QByteArray("Pack VERSION\t4.2.7 final\r\n") << "4.2 ";
        QTest::newRow("later lines win")
            << QByteArray("VERSION 1.1\nBUILD a\nVERSION 2.10\nBUILD b\n") << "2.10 b";
        QTest::newRow("lower case or no minor") << QByteArray("version 5.5\nVERSION 7\n") << "";
        QTest::newRow("no version entry") << QByteArray("-") << "";
        // Entries under another password open but never read to an end: no version, and no hang.
        QTest::newRow("other password") << QByteArray("+VERSION 9.9\n") << "";
    }

    void readVersion()
    {
        QFETCH(QByteArray, versionText);
        QFETCH(QString, expected);
        const QString path = m_work->filePath("p.zip");
        PackBuilder builder;
        if (versionText.startsWith('+'))
            builder.addForeign("version.txt", versionText.mid(1));
        else
            builder.add(versionText == "-" ? "a.template" : "version.txt", versionText);
        QVERIFY(builder.write(path));
        int major = -1, minor = -1;
        QString build;
        const bool found = WizardData::readPackVersion(path, major, minor, build);
        QCOMPARE(found ? QStringLiteral("%1.%2 %3").arg(major).arg(minor).arg(build) : QString(), expected);
        QVERIFY(!WizardData::readPackVersion(
            TestEnvironment::writeFile(m_work->path(), "bad.zip", "not a zip"), major, minor, build));
    }

    // An uncompressed entry under another password reads without error, as wrong bytes: its checksum
    // gives it away.
    void wrongPasswordEntryIsUnreadable()
    {
        QVERIFY(PackBuilder().addForeign("Stored.template", templateText("Stored"), "wrong", true).write(pack()));
        WizardData::instance()->readTemplate("zip:Stored.template");
        QVERIFY(WizardData::instance()->templateLines.isEmpty());
    }

    void install_data()
    {
        QTest::addColumn<QString>("installed"); // "" none, "bad" unreadable, else version
        QTest::addColumn<QString>("working");
        QTest::addColumn<QString>("result"); // which pack is in the data directory afterwards
        auto row = [](const char *name, const char *installed, const char *working, const char *result) {
            QTest::newRow(name) << installed << working << result;
        };
        row("none installed", "", "3.1", "working");
        row("newer minor numerically", "3.9", "3.10", "working");
        row("newer major, lower minor", "3.9", "4.0", "working");
        row("equal", "3.10", "3.10", "installed");
        row("older major", "4.0", "3.99", "installed");
        row("installed unreadable", "bad", "0.1", "working");
        row("working unreadable", "1.0", "bad", "installed");
    }

    void install()
    {
        QFETCH(QString, installed);
        QFETCH(QString, working);
        QFETCH(QString, result);
        const QString dataDir = QFileInfo(pack()).absolutePath();
        QDir(dataDir).removeRecursively();
        auto make = [](const QString &version, const QString &marker, const QString &path) {
            if (version == "bad")
                TestEnvironment::writeFile(QFileInfo(path).absolutePath(), QFileInfo(path).fileName(), "damaged");
            else if (!version.isEmpty())
                QVERIFY(PackBuilder().version(version).add("marker.txt", marker.toLatin1()).write(path));
        };
        if (!installed.isEmpty())
            QDir().mkpath(dataDir);
        make(installed, "installed", pack());
        make(working, "working", m_work->filePath("templates4.zip"));
        WizardData::instance()->installTemplatePack();
        QByteArray marker;
        TemplatePack::readEntry(pack(), "marker.txt", marker);
        QCOMPARE(QString::fromLatin1(marker), result);
        // Only the pack itself is left behind, no temporary copy.
        QCOMPARE(QDir(dataDir).entryList(QDir::Files),
            result.isEmpty() ? QStringList() : QStringList{"templates4.zip"});
    }

    // An entry that inflates past the limit is unreadable, its pack is not installed, and the built-in
    // include serves in its place.
    void oversizedEntry()
    {
        const QString working = m_work->filePath("templates4.zip");
        const QByteArray huge(int(TemplatePack::MaxEntryBytes) + 1, ';');
        QVERIFY(PackBuilder().version("9.0").add("header.include", huge).write(working));
        WizardData::instance()->installTemplatePack();
        QVERIFY(!QFile::exists(pack()));
        QVERIFY(QFile::copy(working, pack())); // as a pack installed before
        QByteArray bytes;
        QVERIFY(!TemplatePack::readEntry(pack(), "header.include", bytes) && bytes.isEmpty());
        QStringList lines;
        QVERIFY(TemplateComposer::loadInclude("header.include", lines));
        QCOMPARE(lines, TemplatePack::templateText(TestEnvironment::readFile(":/templates/header.include")));
    }

    void parseHeader_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("header"); // named, then name|application|type|icon
        QTest::newRow("full") << "#template Foo - Bar\n#application hosted\n#type beta\n#icon foo.png\n"
                              << "1 Foo - Bar|2|2|foo.png";
        QTest::newRow("name keyword, not trimmed") << "#name  Spaced \n"
                                                   << "1 Spaced |-1|0|";
        QTest::newRow("upper-case keyword or leading blank") << "#Template Foo\n #template Bar\n"
                                                             << "0 |-1|0|";
        QTest::newRow("application any case, unknown type keeps earlier")
            << "#template A\n#application ReMoTeUsErS\n#type Beta\n#type gamma\n"
            << "1 A|3|2|";
        QTest::newRow("anywhere in the file, last wins")
            << "#template First\nx = 1\n#application GATEWAY\n#name Second\n"
            << "1 Second|4|0|";
    }

    void parseHeader()
    {
        QFETCH(QString, text);
        QFETCH(QString, header);
        TemplateInfo info;
        info.application = info.type = 9;
        QTextStream stream(&text, QIODevice::ReadOnly);
        const int named = WizardData::instance()->parseTemplateHeader(stream, info);
        const QStringList parts{
            info.name, QString::number(info.application), QString::number(info.type), info.icon};
        QCOMPARE(QString::number(named) + " " + parts.join('|'), header);
    }

    void mergedListsOrderAndTypes()
    {
        TestEnvironment::writeFile(m_work->path(), "Loose.template", templateText("Loose", "#type beta"));
        TestEnvironment::writeFile(m_work->path(), "lower.TEMPLATE", templateText("  Lower  "));
        TestEnvironment::writeFile(m_work->path(), "nameless.template", "#application ITSP\n");
        TestEnvironment::writeFile(m_work->path(), "Other.pbx", templateText("Other PBX"));
        QVERIFY(PackBuilder()
                    .add("Packed.template", templateText("Packed", "#type beta\n#application Hosted"))
                    .add("A.template", templateText("A in pack"))
                    .add("Upper.TEMPLATE", templateText("Upper")) // pack suffixes are case-sensitive
                    .add("x.pbx", "")
                    .add("y.itsp", "")
                    .addForeign("Locked.template", templateText("Locked"))
                    .write(pack()));
        WizardData *d = WizardData::instance();
        d->loadTemplates();
        // Resources (":") sort before upper-case loose files, which sort before "zip:" entries; types:
        // 0 released, 2 beta, 3 loose file.
        QStringList listed;
        for (const TemplateInfo &t : qAsConst(d->templates))
            listed << QStringLiteral("%1=%2/%3/%4").arg(t.path, t.name).arg(t.type).arg(t.application);
        QVERIFY(listed.contains(":/templates/SIPTrunk.template=Generic IP-PBX - Generic SIP Trunk/0/0"));
        QCOMPARE(listed.filter(QRegularExpression("^[^:]")),
            (QStringList{"Loose.template=Loose (*)/3/-1", "lower.TEMPLATE=Lower (*)/3/-1",
                "zip:A.template=A in pack/0/-1", "zip:Packed.template=Packed/2/2"}));
        QVERIFY(listed.first().startsWith(":/"));
        QVERIFY(paths(d->pbxTemplates).contains("Other.pbx"));
        int t = -1, p = -1, i = -1;
        d->countPackTemplates(t, p, i); // listing needs no password
        QCOMPARE(QList<int>({t, p, i}), QList<int>({3, 1, 1}));
        // The lists are rebuilt only when the pack changes.
        TestEnvironment::writeFile(m_work->path(), "Later.template", templateText("Later"));
        d->loadTemplates();
        QVERIFY(!paths(d->templates).contains("Later.template"));
        QVERIFY(PackBuilder().add("Q.template", templateText("Q")).write(pack()));
        d->loadTemplates();
        QVERIFY(paths(d->templates).contains("Later.template"));
    }

    // An icon is found by the end of its entry name.
    void icons()
    {
        QVERIFY(PackBuilder().icon("icons/vendor_small.png", "red").write(pack()));
        QCOMPARE(WizardData::instance()->templateIcon("_small.png").pixmap(16).toImage().pixelColor(4, 4),
            QColor("red"));
    }
};

BRAMBLEON_TEST_MAIN(TestTemplatePack)
#include "tst_TemplatePack.moc"
