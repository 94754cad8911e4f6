#include "PackBuilder.h"
#include "TestEnvironment.h"
#include "data/TemplateComposer.h"
#include "data/TemplatePack.h"
#include "data/WizardData.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTextStream>
#include <QtTest>

namespace
{
QByteArray templateText(const QString &name, const QString &extra = QString())
{
    return QStringLiteral("#template %1\n%2\nValue = 1\n").arg(name, extra).toUtf8();
}
} // namespace

class TestTemplatePack : public QObject
{
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> m_work;

    QString pack() const { return WizardData::templatePackPath(); }

private slots:
    void init()
    {
        TestEnvironment::freshWizardData();
        QFile::remove(TestEnvironment::dataDir() + "/templates4.zip");
        m_work.reset(new QTemporaryDir);
        QDir::setCurrent(m_work->path()); // loose templates and the working pack are read from here
    }

    void readVersion_data()
    {
        QTest::addColumn<QByteArray>("versionText"); // "+": under another password
        QTest::addColumn<QString>("expected"); // major.minor build, or "" when not found
        QTest::newRow("anywhere in line, patch ignored") << QByteArray("Pack VERSION\t4.2.7 final\r\n") << "4.2 ";
        QTest::newRow("later lines win")
            << QByteArray("VERSION 1.1\nBUILD a\nVERSION 2.10\nBUILD b\n") << "2.10 b";
        QTest::newRow("lower case or no minor") << QByteArray("version 5.5\nVERSION 7\n") << "";
        QTest::newRow("other password, no hang") << QByteArray("+VERSION 9.9\n") << "";
    }

    void readVersion()
    {
        QFETCH(QByteArray, versionText);
        const QString path = m_work->filePath("p.zip");
        PackBuilder builder;
        if (versionText.startsWith('+'))
            builder.addForeign("version.txt", versionText.mid(1));
        else
            builder.add("version.txt", versionText);
        QVERIFY(builder.write(path));
        int major = -1, minor = -1;
        QString build;
        const bool found = WizardData::readPackVersion(path, major, minor, build);
        QTEST(found ? QStringLiteral("%1.%2 %3").arg(major).arg(minor).arg(build) : QString(), "expected");
    }

    // An uncompressed entry under another password reads as wrong bytes: its checksum gives it away.
    void wrongPasswordEntryIsUnreadable()
    {
        QVERIFY(PackBuilder().addForeign("Stored.template", templateText("Stored"), "wrong", true).write(pack()));
        WizardData::instance()->readTemplate("zip:Stored.template");
        QVERIFY(WizardData::instance()->templateLines.isEmpty());
    }

    void install_data()
    {
        QTest::addColumn<QStringList>("packs"); // installed, working ("-" none, "bad" unreadable), the result
        for (const char *row : {"- 3.1 working", "3.9 3.10 working", "3.9 4.0 working", "3.10 3.10 installed",
                 "4.0 3.99 installed", "bad 0.1 working", "1.0 bad installed"})
            QTest::newRow(row) << QString(row).split(' ');
    }

    // The newer pack ends up installed, alone: no temporary copy is left.
    void install()
    {
        QFETCH(QStringList, packs);
        QDir(TestEnvironment::dataDir()).removeRecursively(); // the install makes it
        for (const QString &path : {pack(), m_work->filePath("templates4.zip")}) {
            const QByteArray marker = path == pack() ? "installed" : "working";
            const QString version = packs.at(path == pack() ? 0 : 1);
            const QByteArray bytes = PackBuilder().version(version).add("marker.txt", marker).bytes();
            if (version != "-")
                TestEnvironment::writeFile(
                    QFileInfo(path).path(), "templates4.zip", version == "bad" ? "bad" : bytes);
        }
        WizardData::instance()->installTemplatePack();
        QByteArray marker;
        TemplatePack::readEntry(pack(), "marker.txt", marker);
        QCOMPARE(QString::fromLatin1(marker), packs.at(2));
        QCOMPARE(QDir(TestEnvironment::dataDir()).entryList(QDir::Files), QStringList{"templates4.zip"});
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
        QStringList lines;
        QVERIFY(TemplateComposer::loadInclude("header.include", lines));
        QCOMPARE(lines, TemplatePack::templateText(TestEnvironment::readFile(":/templates/header.include")));
    }

    void parseHeader_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("header"); // named|name|application|type|icon
        const auto row = [](const char *name, const char *text, const char *header) {
            QTest::newRow(name) << text << header;
        };
        row("anywhere, last wins; application any case, unknown type keeps earlier",
            "#template A\nx = 1\n#application ReMoTeUsErS\n#type beta\n#type gamma\n#icon i.png\n#name B\n",
            "1|B|3|2|i.png");
        row("name keyword, not trimmed", "#name  Spaced \n", "1|Spaced |-1|0|");
        row("upper-case keyword or leading blank", "#Template Foo\n #template Bar\n", "0||-1|0|");
    }

    void parseHeader()
    {
        QFETCH(QString, text);
        TemplateInfo info;
        info.application = info.type = 9;
        QTextStream stream(&text, QIODevice::ReadOnly);
        const int named = WizardData::instance()->parseTemplateHeader(stream, info);
        const QStringList parts{QString::number(named), info.name, QString::number(info.application),
            QString::number(info.type), info.icon};
        QTEST(parts.join('|'), "header");
    }

    // Resources sort before loose files (type 3, marked), which sort before the pack's entries; locked
    // entries and suffixes of another case in the pack are left out. An icon is found by its name's end.
    void mergedLists()
    {
        TestEnvironment::writeFile(m_work->path(), "Loose.template", templateText("Loose", "#type beta"));
        TestEnvironment::writeFile(m_work->path(), "lower.TEMPLATE", templateText("  Lower  "));
        TestEnvironment::writeFile(m_work->path(), "nameless.template", "#application ITSP\n");
        TestEnvironment::writeFile(m_work->path(), "Other.pbx", templateText("Other PBX"));
        QVERIFY(PackBuilder()
                    .add("Packed.template", templateText("Packed", "#type beta\n#application Hosted"))
                    .add("A.template", templateText("A in pack"))
                    .add("Upper.TEMPLATE", templateText("Upper"))
                    .add("x.pbx", "")
                    .add("y.itsp", "")
                    .addForeign("Locked.template", templateText("Locked"))
                    .add("icons/vendor_small.png", TestEnvironment::readFile(":/images/logo.png"))
                    .write(pack()));
        WizardData *d = WizardData::instance();
        d->loadTemplates();
        QStringList listed;
        for (const TemplateInfo &t : qAsConst(d->templates) + d->pbxTemplates)
            listed << QStringLiteral("%1=%2/%3/%4").arg(t.path, t.name).arg(t.type).arg(t.application);
        QVERIFY(listed.first().startsWith(":/templates/"));
        QCOMPARE(listed.filter(QRegularExpression("^[^:]")),
            (QStringList{"Loose.template=Loose (*)/3/-1", "lower.TEMPLATE=Lower (*)/3/-1",
                "zip:A.template=A in pack/0/-1", "zip:Packed.template=Packed/2/2",
                "Other.pbx=Other PBX (*)/3/-1"}));
        int t = -1, p = -1, i = -1;
        d->countPackTemplates(t, p, i); // listing needs no password
        QCOMPARE(QList<int>({t, p, i}), QList<int>({3, 1, 1}));
        QVERIFY(!d->templateIcon("_small.png").isNull() && d->templateIcon("vendor").isNull());
        // The lists are rebuilt only when the pack changes.
        TestEnvironment::writeFile(m_work->path(), "Later.template", templateText("Later"));
        d->loadTemplates();
        QCOMPARE(d->templates.size() + d->pbxTemplates.size(), listed.size());
        QVERIFY(PackBuilder().add("Q.template", templateText("Q")).write(pack()));
        d->loadTemplates();
        QCOMPARE(d->templates.last().path, QStringLiteral("zip:Q.template"));
    }
};

BRAMBLEON_TEST_MAIN(TestTemplatePack)
#include "tst_TemplatePack.moc"
