#include "TestEnvironment.h"
#include "ini/CliMap.h"

#include <QApplication>
#include <QtTest>

class TestCliMap : public QObject
{
    Q_OBJECT
private slots:
    void fileChoice_data()
    {
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("resource");
        QTest::newRow("empty") << ""
                               << ":/cli.txt";
        QTest::newRow("7.2") << "7.2"
                             << ":/cli.txt";
        QTest::newRow("6.6") << "6.6"
                             << ":/cli-6.6.txt";
        QTest::newRow("6.8") << "6.8"
                             << ":/cli-6.8.txt";
        QTest::newRow("6.60") << "6.60"
                              << ":/cli.txt";
    }

    void fileChoice()
    {
        QFETCH(QString, version);
        QFETCH(QString, resource);
        QCOMPARE(CliMap::resourceFor(version), resource);
    }

    void versionsLoadTheirOwnFile()
    {
        CliMap *map = CliMap::instance();
        QCOMPARE(map->parameters.value(QStringLiteral("ntpserverip")).command, QStringLiteral("server-address"));
        map->load(QStringLiteral("6.8"));
        QCOMPARE(map->parameters.value(QStringLiteral("ntpserverip")).command, QStringLiteral("primary-server"));
        QVERIFY(map->parameters.contains(QStringLiteral("enablesbcapplication")));
        map->load(QStringLiteral("6.6"));
        QVERIFY(!map->parameters.contains(QStringLiteral("enablesbcapplication")));
        map->load(QStringLiteral("7.2"));
        QCOMPARE(map->parameters.value(QStringLiteral("ntpserverip")).command, QStringLiteral("server-address"));
    }

    void defaultForms_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("defaultValue");
        QTest::newRow("word and number") << "FormWord"
                                         << "0";
        QTest::newRow("negative") << "FormNegative"
                                  << "-1";
        QTest::newRow("star") << "FormStar"
                              << "0";
        QTest::newRow("lone star") << "FormLoneStar"
                                   << "*";
        QTest::newRow("0xFF") << "FormHexByte"
                              << "255";
        QTest::newRow("0xFFFFFFFF") << "FormHexWord"
                                    << "-1";
        QTest::newRow("quoted") << "FormQuoted"
                                << "\"0.0.0.0\"";
        QTest::newRow("quoted slash") << "FormQuotedSlash"
                                      << "\"a/b\"";
        QTest::newRow("trailing slash") << "FormTrailingSlash"
                                        << "word/";
        QTest::newRow("overridden by defaults file") << "FormNone"
                                                     << "4";
        QTest::newRow("none") << "FormFirstWord"
                              << "\"\"";
        QTest::newRow("attributes after a broken line") << "FormCarried"
                                                        << "2";
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

        const CliMapEntry word = map->parameters.value(QStringLiteral("formword"));
        QCOMPARE(word.command, QStringLiteral("word-default"));
        QCOMPARE(word.path, QStringLiteral("configure system/forms/word-default"));
        QCOMPARE(word.levels, (QStringList{"configure system", "forms"}));
        QCOMPARE(word.iniName, QStringLiteral("FormWord"));

        const CliMapEntry first = map->parameters.value(QStringLiteral("formfirstword"));
        QCOMPARE(first.values.size(), 2);
        QCOMPARE(first.values.value(0), QStringLiteral("off"));
        QCOMPARE(first.values.value(1), QStringLiteral("on"));

        // Broken "configure" lines and entries that never reach their help are dropped.
        QVERIFY(!map->parameters.contains(QStringLiteral("formbroken")));
        QVERIFY(!map->parameters.contains(QStringLiteral("formnoarrow")));
        QVERIFY(!map->parameters.contains(QStringLiteral("formnohelp")));
        QVERIFY(!map->parameters.contains(QStringLiteral("formlast")));

        // A non-column entry closes the table; later column records become parameters.
        QVERIFY(map->tables.contains(QStringLiteral("accesslist")));
        const CliMapTable access = map->tables.value(QStringLiteral("accesslist"));
        QCOMPARE(access.name, QStringLiteral("ACCESSLIST"));
        QCOMPARE(access.command, QStringLiteral("access-list"));
        QCOMPARE(access.levels, QStringList{"configure network"});
        QCOMPARE(access.columns.keys().size(), 2);
        QCOMPARE(access.columns.value(QStringLiteral("accesslist_allow_type")).values.value(1),
            QStringLiteral("block"));
        QCOMPARE(access.columns.value(QStringLiteral("accesslist_source_ip")).defaultValue,
            QStringLiteral("\"0.0.0.0\""));
        QVERIFY(map->parameters.contains(QStringLiteral("defaultprimarydnsserverip")));
        QVERIFY(map->parameters.contains(QStringLiteral("accesslist_prefixlen")));
        QCOMPARE(map->parameters.value(QStringLiteral("defaultprimarydnsserverip")).levels,
            (QStringList{"configure network", "dns settings"}));

        // A new table record stores the open one; the defaults file reaches table columns.
        QCOMPARE(map->tables.value(QStringLiteral("proxyip")).columns.keys(), QStringList{"proxyip_ipaddress"});
        QCOMPARE(map->tables.value(QStringLiteral("proxyip"))
                     .columns.value(QStringLiteral("proxyip_ipaddress"))
                     .defaultValue,
            QStringLiteral("\"10.0.0.1\""));
        QCOMPARE(map->tables.value(QStringLiteral("proxyiptwin")).columns.keys(),
            QStringList{"proxyiptwin_transporttype"});
        QCOMPARE(map->tables.size(), 3);
    }

    void reloadDiscardsThePrevious()
    {
        CliMap *map = CliMap::instance();
        map->load(QStringLiteral("edge"));
        QVERIFY(map->parameters.contains(QStringLiteral("formword")));
        map->load(QStringLiteral("6.8"));
        QVERIFY(!map->parameters.contains(QStringLiteral("formword")));
        map->loadText(QString());
        QVERIFY(map->parameters.isEmpty());
        QVERIFY(map->tables.isEmpty());
    }

    void crLineEnds()
    {
        CliMap *map = CliMap::instance();
        map->loadText(
            QStringLiteral("configure system/a/b -> B_Param\r\n  Values: no/0,yes/1\r\n  Default: yes/1\r\n"
                           "  Help: x\r\n"));
        QCOMPARE(map->parameters.value(QStringLiteral("b_param")).iniName, QStringLiteral("B_Param"));
        QCOMPARE(map->parameters.value(QStringLiteral("b_param")).defaultValue, QStringLiteral("1"));
        QCOMPARE(map->parameters.value(QStringLiteral("b_param")).values.value(1), QStringLiteral("yes"));
    }
};

BRAMBLEON_TEST_MAIN(TestCliMap)
#include "tst_CliMap.moc"
