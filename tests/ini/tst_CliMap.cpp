#include "TestEnvironment.h"
#include "ini/CliMap.h"

#include <QApplication>
#include <QtTest>

class TestCliMap : public QObject
{
    Q_OBJECT
private slots:
    void fileChoice()
    {
        QCOMPARE(CliMap::resourceFor(""), QStringLiteral(":/cli.txt"));
        QCOMPARE(CliMap::resourceFor("7.2"), QStringLiteral(":/cli.txt"));
        QCOMPARE(CliMap::resourceFor("6.6"), QStringLiteral(":/cli-6.6.txt"));
        QCOMPARE(CliMap::resourceFor("6.8"), QStringLiteral(":/cli-6.8.txt"));
        QCOMPARE(CliMap::resourceFor("6.60"), QStringLiteral(":/cli.txt"));
    }

    void defaultForms_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("defaultValue");
        for (const char *row : {"FormWord=0", "FormNegative=-1", "FormStar=0", "FormLoneStar=*", "FormHexByte=255",
                 "FormHexWord=-1", "FormQuoted=\"0.0.0.0\"", "FormQuotedSlash=\"a/b\"", "FormTrailingSlash=word/",
                 "FormNone=4", "FormFirstWord=\"\"", "FormCarried=2"})
            QTest::newRow(row) << QString(row).section('=', 0, 0) << QString(row).section('=', 1);
    }

    void defaultForms()
    {
        QFETCH(QString, name);
        QFETCH(QString, defaultValue);
        CliMap *map = CliMap::instance();
        map->load(QStringLiteral("edge"));
        QVERIFY(map->parameters.contains(name.toLower()));
        QCOMPARE(map->parameters.value(name.toLower()).defaultValue, defaultValue);
    }

    void records()
    {
        CliMap *map = CliMap::instance();
        map->load(QStringLiteral("edge"));
        const CliMapEntry word = map->parameters.value("formword");
        QCOMPARE(word.path, QStringLiteral("configure system/forms/word-default"));
        QCOMPARE(word.levels, (QStringList{"configure system", "forms"}));
        QCOMPARE(word.iniName, QStringLiteral("FormWord"));
        QCOMPARE(map->parameters.value("formfirstword").values, (QHash<int, QString>{{0, "off"}, {1, "on"}}));
        // Broken "configure" lines and entries that never reach their help are dropped.
        for (const char *dropped : {"formbroken", "formnoarrow", "formnohelp", "formlast"})
            QVERIFY2(!map->parameters.contains(dropped), dropped);

        // A non-column entry closes the table; later column records become parameters.
        const CliMapTable access = map->tables.value("accesslist");
        QCOMPARE(access.command, QStringLiteral("access-list"));
        QCOMPARE(access.columns.size(), 2);
        QCOMPARE(access.columns.value("accesslist_allow_type").values.value(1), QStringLiteral("block"));
        QCOMPARE(map->parameters.value("defaultprimarydnsserverip").levels,
            (QStringList{"configure network", "dns settings"}));
        QVERIFY(map->parameters.contains("accesslist_prefixlen"));
        // A new table record stores the open one; the defaults file reaches table columns.
        QCOMPARE(map->tables.value("proxyip").columns.value("proxyip_ipaddress").defaultValue,
            QStringLiteral("\"10.0.0.1\""));
        QCOMPARE(map->tables.value("proxyiptwin").columns.keys(), QStringList{"proxyiptwin_transporttype"});
    }

    void reloadAndLineEnds()
    {
        CliMap *map = CliMap::instance();
        map->load(QStringLiteral("edge"));
        map->load(QStringLiteral("6.8"));
        QVERIFY(!map->parameters.contains("formword"));
        map->loadText(
            "configure system/a/b -> B_Param\r\n  Values: no/0,yes/1\r\n  Default: yes/1\r\n  Help: x\r\n");
        QCOMPARE(map->parameters.keys(), QStringList{"b_param"});
        QVERIFY(map->tables.isEmpty());
        QCOMPARE(map->parameters.value("b_param").defaultValue, QStringLiteral("1"));
    }
};

BRAMBLEON_TEST_MAIN(TestCliMap)
#include "tst_CliMap.moc"
