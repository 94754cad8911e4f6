#include "TestEnvironment.h"
#include "data/WizardData.h"

#include <QApplication>
#include <QtTest>

class TestCodeTables : public QObject
{
    Q_OBJECT
private slots:
    void codes()
    {
        QCOMPARE(WizardData::productCode(13), QStringLiteral("QA2_CCE"));
        QCOMPARE(WizardData::productCode(15), QString());
        QCOMPARE(WizardData::productCode(-1), QString());
        QCOMPARE(WizardData::networkCode(3), QStringLiteral("LAN_ONLY"));
        QCOMPARE(WizardData::networkCode(4), QString());
        QCOMPARE(WizardData::applicationCode(5), QStringLiteral("CCE"));
        QCOMPARE(WizardData::applicationCode(-1), QString());
    }

    void sessions_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("version");
        QTest::addColumn<int>("max");
        QTest::addColumn<int>("limit");
        QTest::newRow("B8 6.6") << 6 << "6.6" << 4000 << 4000;
        QTest::newRow("B8 7.2") << 6 << "7.2" << 5000 << 5000;
        QTest::newRow("A2 6.60 is not 6.6") << 2 << "6.60" << 100 << 100;
        QTest::newRow("A1 6.6 raised") << 0 << "6.6" << 60 << 100;
        QTest::newRow("out of range") << 20 << "6.6" << 100 << 100;
        QTest::newRow("negative") << -1 << "7.0" << 100 << 100;
    }

    void sessions()
    {
        QFETCH(int, index);
        QFETCH(QString, version);
        QFETCH(int, max);
        QFETCH(int, limit);
        QCOMPARE(WizardData::maxSessions(index, version), max);
        QCOMPARE(WizardData::sessionLimit(index, version), limit);
    }

    void boardType_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("product");
        const QString routing = "\n;DATA features: Routing\n";
        QTest::newRow("A3 KRBX no routing") << ";Board Type: Quorvex A3 - KRBX\n" << 3;
        QTest::newRow("A3 KRBX routing") << ";Board Type: Quorvex A3 - KRBX" + routing << 12;
        QTest::newRow("A1L before A1") << "x;Board Type: Quorvex A1L\n" << 1;
        QTest::newRow("QA1L short") << ";Board Type: QA1L - KRBX" + routing << 10;
        QTest::newRow("X1-K") << ";Board Type: Quorvex X1-K SBC\n" << 7;
        QTest::newRow("C9 routing ignored") << ";Board Type: Quorvex C9 SBC" + routing << 8;
        QTest::newRow("numeric 0 then FK 77") << ";Board Type: 0\n FK Board Type: 77\n" << 0;
        QTest::newRow("numeric 0 then FK 77 routing") << ";Board Type: 0\n FK Board Type: 77" + routing << 9;
        QTest::newRow("HW 48") << ";HW Board Type: 48\n" << 5;
        QTest::newRow("numeric unknown") << ";Board Type: 12\n" << -1;
        QTest::newRow("named before numeric") << ";Board Type: 83\n;Board Type: Quorvex B8\n" << 6;
        QTest::newRow("case matters") << ";board type: Quorvex B8\n" << -1;
    }

    void boardType()
    {
        QFETCH(QString, text);
        QFETCH(int, product);
        QCOMPARE(WizardData::productFromBoardType(text), product);
    }

    void version_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("version");
        for (const char *row : {"6.90A.013=7.0", "7.1=7.2", "7.20A.254.001=7.2", "6.7=6.8", "10.2="})
            QTest::newRow(row) << QString(";Software Version: ") + QString(row).section('=', 0, 0) + "\n"
                               << QString(row).section('=', 1);
        QTest::newRow("missing") << "INIFileVersion = 1\n" << QString();
    }

    void version()
    {
        QFETCH(QString, text);
        QFETCH(QString, version);
        QCOMPARE(WizardData::versionFromIni(text), version);
    }

    void groups_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QStringList>("labels");
        const QStringList plain{"Group 1", "Group 2", "Group 3", "Group 4"};
        QTest::newRow("QA1") << "QA1" << QStringList{"Group 1 (GE_4_1,2)", "Group 2 (GE_4_3,4)"};
        QTest::newRow("QA2_CCE") << "QA2_CCE"
                                 << QStringList{"Group 1 (GE_4_1,2)", "Group 2 (GE_4_3,4)", "Group 3 (FE_5_1,2)",
                                        "Group 4 (FE_5_3,4)"};
        QTest::newRow("QSW_CCE") << "QSW_CCE"
                                 << QStringList{
                                        "Group 1 (GE_1)", "Group 2 (GE_2)", "Group 3 (GE_3)", "Group 4 (GE_4)"};
        QTest::newRow("QA2_KRBX") << "QA2_KRBX" << QStringList{"GigabitEthernet 4/1", "GigabitEthernet 0/0"};
        QTest::newRow("empty") << "" << plain;
        QTest::newRow("lower case") << "qa3" << plain;
    }

    void groups()
    {
        QFETCH(QString, code);
        QFETCH(QStringList, labels);
        QCOMPARE(WizardData::interfaceGroupNames(code), labels);
    }
};

BRAMBLEON_TEST_MAIN(TestCodeTables)
#include "tst_CodeTables.moc"
