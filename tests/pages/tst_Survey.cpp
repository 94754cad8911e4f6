#include "ModalBoxCloser.h"
#include "TestEnvironment.h"
#include "data/WizardData.h"
#include "pages/BrambleonPage.h"
#include "pages/ProductPage.h"
#include "pages/SurveyReader.h"
#include "pages/SurveyWriter.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSettings>
#include <QWizard>
#include <QtTest>

namespace
{
// Stands in for a wizard page: two rows "Alpha" and "Beta" on the fields <prefix>_A and <prefix>_B.
class SectionPage : public BrambleonPage
{
public:
    SectionPage(int id, const QString &prefix, const QString &title, const QString &extra)
        : m_id(id)
        , m_prefix(prefix)
        , m_title(title)
    {
        registerField(prefix + QStringLiteral("_A"), hiddenEdit());
        registerField(prefix + QStringLiteral("_B"), hiddenEdit());
        if (!extra.isEmpty())
            registerField(extra, hiddenEdit());
    }
    QString surveyTitle() const override
    {
        // The LAN page writes its only port of the WAN topology as the WAN interface; the SIP
        // trunk page serves as the second IP-PBX for SIP Normalization.
        if (m_id == 4 && field(QStringLiteral("NETWORK")).toString() == QLatin1String("WAN"))
            return QStringLiteral("WAN Interface");
        if (m_id == 8 && field(QStringLiteral("APPLICATION_SELECTED")).toInt() == 1)
            return QStringLiteral("IP-PBX2 Configuration");
        return m_title;
    }
    QString surveyFieldName(const QString &label) const override
    {
        if (label == QLatin1String("Alpha"))
            return m_prefix + QStringLiteral("_A");
        if (label == QLatin1String("Beta"))
            return m_prefix + QStringLiteral("_B");
        return QString();
    }
    void writeSurvey(QTextStream &out) override
    {
        writeSurveyHeader(out, surveyTitle());
        if (m_id == 9) {
            // Rows in two titled groups, as the number manipulation page writes them.
            out << "First Group" << Qt::endl << QString(28, QLatin1Char('-')) << Qt::endl;
            writeSurveyLine(out, QStringLiteral("Alpha"));
            out << Qt::endl << "Second Group" << Qt::endl << QString(28, QLatin1Char('-')) << Qt::endl;
            writeSurveyLine(out, QStringLiteral("Beta"), QStringLiteral("0=no; 1=yes"));
            return;
        }
        writeSurveyLine(out, QStringLiteral("Alpha"));
        writeSurveyLine(out, QStringLiteral("Beta"), QStringLiteral("0=udp; 1=tcp; 2=tls"));
        writeSurveyLine(out, QStringLiteral("Unmapped"));
    }
    QStringList fieldNames() const { return {m_prefix + QStringLiteral("_A"), m_prefix + QStringLiteral("_B")}; }

private:
    int m_id;
    QString m_prefix;
    QString m_title;
};

// The general setup page's part in the survey: application and network.
class SetupStandIn : public BrambleonPage
{
public:
    QComboBox *application = new QComboBox(this);
    SetupStandIn()
    {
        application->addItems({QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"),
            QStringLiteral("4"), QStringLiteral("5")});
        QWizardPage::registerField(QStringLiteral("APPLICATION_SELECTED"), application);
        registerField(QStringLiteral("APPLICATION"), hiddenEdit());
        registerField(QStringLiteral("NETWORK"), hiddenEdit());
        registerField(QStringLiteral("NETWORKS_NUMBER"), hiddenEdit());
    }
    QString surveyTitle() const override { return QStringLiteral("General Setup"); }
    QString surveyFieldName(const QString &label) const override
    {
        if (label == QLatin1String("Application"))
            return QStringLiteral("APPLICATION");
        if (label == QLatin1String("Network Setup"))
            return QStringLiteral("NETWORK");
        return QString();
    }
    void writeSurvey(QTextStream &out) override
    {
        writeSurveyHeader(out, surveyTitle());
        writeSurveyLine(out, QStringLiteral("Application"));
        writeSurveyLine(out, QStringLiteral("Network Setup"));
    }
};

struct Fixture {
    QWizard wizard;
    ProductPage *product = new ProductPage;
    SetupStandIn *setup = new SetupStandIn;
    QHash<int, SectionPage *> sections;
    Fixture()
    {
        wizard.setPage(0, new BrambleonPage);
        wizard.setPage(1, product);
        wizard.setPage(2, setup);
        const std::pair<int, const char *> pages[] = {{3, "System Configuration"}, {4, "LAN Interface"},
            {5, "WAN Interface"}, {6, "Gateway Configuration"}, {7, "IP-PBX Configuration"},
            {8, "SIP Trunk Configuration"}, {9, "Number Manipulations"}, {10, "Users Configuration"},
            {11, "IP-PBX2 Configuration"}, {12, "Remote Users Configuration"}, {13, "Remote Users Configuration"}};
        for (const auto &page : pages) {
            // Flags the writer decides by, registered by the pages that own them.
            const QString extra = page.first == 11 ? QStringLiteral("SIP3_SUPPORTED")
                : page.first == 12                 ? QStringLiteral("FEU_SUPPORTED")
                                                   : QString();
            auto *section = new SectionPage(
                page.first, QStringLiteral("P%1").arg(page.first), QLatin1String(page.second), extra);
            sections.insert(page.first, section);
            wizard.setPage(page.first, section);
        }
        wizard.setPage(14, new BrambleonPage);
        // Every field gets a value of its own, some with commas.
        for (SectionPage *section : qAsConst(sections)) {
            for (const QString &name : section->fieldNames())
                set(name,
                    QStringLiteral("v-") + name + (name.endsWith(QLatin1String("_A")) ? ", with comma" : ""));
        }
        product->findChild<QLineEdit *>(QStringLiteral("customer"))->setText(QStringLiteral("Acme, Inc."));
        product->findChild<QComboBox *>(QStringLiteral("product"))->setCurrentIndex(6);
        product->findChild<QComboBox *>(QStringLiteral("version"))->setCurrentIndex(3);
    }
    static void set(const QString &name, const QString &text) { WizardData::instance()->setFieldText(name, text); }
    void configure(int application, const QString &network, bool feu, bool sip3)
    {
        setup->application->setCurrentIndex(application);
        set(QStringLiteral("APPLICATION"), WizardData::applicationCode(application));
        set(QStringLiteral("NETWORK"), network);
        set(QStringLiteral("NETWORKS_NUMBER"), network == QLatin1String("LAN_WAN") ? "2" : "1");
        set(QStringLiteral("FEU_SUPPORTED"), feu ? "1" : "0");
        set(QStringLiteral("SIP3_SUPPORTED"), sip3 ? "1" : "0");
    }
    QString write() const
    {
        const QString path = QDir(TestEnvironment::home()).filePath(QStringLiteral("survey.csv"));
        if (!SurveyWriter::writeFile(const_cast<QWizard *>(&wizard), path))
            qFatal("cannot write survey");
        return path;
    }
    QString fieldText(const QString &name) const { return WizardData::instance()->fieldText(name); }
};

QString writeSurvey(const QByteArray &bytes)
{
    return TestEnvironment::writeFile(TestEnvironment::home(), QStringLiteral("given.csv"), bytes);
}
} // namespace

class TestSurvey : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        TestEnvironment::freshWizardData();
        QSettings(QStringLiteral("Tarvellion"), QStringLiteral("brambleon")).clear();
    }

    void roundTrip_data()
    {
        QTest::addColumn<int>("application");
        QTest::addColumn<QString>("network");
        QTest::addColumn<bool>("feu");
        QTest::addColumn<bool>("sip3");
        QTest::addColumn<QList<int>>("pages");
        QTest::addColumn<QStringList>("titles");
        const QStringList head{
            QStringLiteral("Product"), QStringLiteral("General Setup"), QStringLiteral("System Configuration")};
        QTest::newRow("SIP Trunk, two networks")
            << 0 << "LAN_WAN" << false << false << QList<int>{3, 4, 5, 7, 8, 9}
            << head
                + QStringList{"LAN Interface", "WAN Interface", "IP-PBX Configuration", "SIP Trunk Configuration",
                    "Number Manipulations"};
        QTest::newRow("SIP Trunk with FEU and second IP-PBX")
            << 0 << "LAN" << true << true << QList<int>{3, 4, 7, 8, 9, 11, 12}
            << head
                + QStringList{"LAN Interface", "IP-PBX Configuration", "SIP Trunk Configuration",
                    "Number Manipulations", "IP-PBX2 Configuration", "Remote Users Configuration"};
        QTest::newRow("SIP Trunk with FEU only") << 0 << "LAN" << true << false << QList<int>{3, 4, 7, 8, 9, 12}
                                                 << head
                + QStringList{"LAN Interface", "IP-PBX Configuration", "SIP Trunk Configuration",
                    "Number Manipulations", "Remote Users Configuration"};
        QTest::newRow("SIP Normalization") << 1 << "LAN" << true << true << QList<int>{3, 4, 7, 8, 9}
                                           << head
                + QStringList{
                    "LAN Interface", "IP-PBX Configuration", "IP-PBX2 Configuration", "Number Manipulations"};
        QTest::newRow("Hosted, WAN topology")
            << 2 << "WAN" << false << false << QList<int>{3, 4, 7, 10}
            << head + QStringList{"WAN Interface", "IP-PBX Configuration", "Users Configuration"};
        QTest::newRow("Remote Users with second IP-PBX")
            << 3 << "LAN_WAN" << false << true << QList<int>{3, 4, 5, 7, 11, 13}
            << head
                + QStringList{"LAN Interface", "WAN Interface", "IP-PBX Configuration", "IP-PBX2 Configuration",
                    "Remote Users Configuration"};
        QTest::newRow("Remote Users") << 3 << "LAN" << true << false << QList<int>{3, 4, 7, 13}
                                      << head
                + QStringList{"LAN Interface", "IP-PBX Configuration", "Remote Users Configuration"};
        QTest::newRow("Gateway") << 4 << "LAN" << true << true << QList<int>{3, 4, 7}
                                 << head + QStringList{"LAN Interface", "IP-PBX Configuration"};
        QTest::newRow("CCE") << 5 << "LAN_WAN" << true << true << QList<int>{3, 4, 5, 7}
                             << head + QStringList{"LAN Interface", "WAN Interface", "IP-PBX Configuration"};
    }

    void roundTrip()
    {
        QFETCH(int, application);
        QFETCH(QString, network);
        QFETCH(bool, feu);
        QFETCH(bool, sip3);
        QFETCH(QList<int>, pages);
        QFETCH(QStringList, titles);
        Fixture f;
        f.configure(application, network, feu, sip3);
        const QString path = f.write();

        const QStringList lines = QString::fromUtf8(TestEnvironment::readFile(path)).split(QLatin1Char('\n'));
        QCOMPARE(lines.mid(0, 5),
            QStringList(
                {"Site Survey", "-----------", "Generated by,Brambleon Assistant,v2.18", "API Version,4", ""}));
        QStringList found;
        for (int i = 1; i < lines.size(); ++i) {
            if (lines.at(i) == QLatin1String("-------------------"))
                found << lines.at(i - 1);
        }
        QCOMPARE(found, titles);
        QVERIFY(lines.contains(QStringLiteral("Customer,Acme, Inc.")));

        // Read back into a fresh product choice.
        f.product->findChild<QComboBox *>(QStringLiteral("product"))->setCurrentIndex(0);
        f.product->findChild<QComboBox *>(QStringLiteral("version"))->setCurrentIndex(0);
        ModalBoxCloser closer;
        f.product->loadSurvey(path);
        QCOMPARE(closer.count(), 0);

        QHash<QString, QString> expected;
        for (int id : pages) {
            for (const QString &name : f.sections.value(id)->fieldNames())
                expected.insert(name, f.fieldText(name));
        }
        expected.insert(QStringLiteral("PRODUCT"), QStringLiteral("QB8"));
        expected.insert(QStringLiteral("VERSION"), QStringLiteral("7.2"));
        expected.insert(QStringLiteral("CUSTOMER"), QStringLiteral("Acme, Inc."));
        expected.insert(QStringLiteral("APPLICATION"), WizardData::applicationCode(application));
        expected.insert(QStringLiteral("NETWORK"), network);
        QCOMPARE(WizardData::instance()->values, expected);
        QCOMPARE(f.product->findChild<QComboBox *>(QStringLiteral("product"))->currentIndex(), 6);
        QCOMPARE(
            f.product->findChild<QComboBox *>(QStringLiteral("version"))->currentText(), QStringLiteral("7.2"));
    }

    void refusals_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("box");
        const QString notOurs = QStringLiteral(
            "Load Survey: Failed to load site survey.\nThe file was not generated by Brambleon Assistant.");
        const QString version
            = QStringLiteral("Load Survey: Failed to load site survey.\nThe file was generated by "
                             "incompatible version of Brambleon Assistant.");
        const QByteArray body = "\nProduct\n-------------------\nProduct,QA1\nVersion,7.0\n";
        QTest::newRow("empty file") << QByteArray() << notOurs;
        QTest::newRow("lower case") << "site survey\n" + body << notOurs;
        QTest::newRow("api 3") << "Site Survey\nAPI Version,3\n" + body << version;
        QTest::newRow("api 5 after a section") << "Site Survey\n" + body + "API Version,5\n" << version;
        QTest::newRow("api not a number") << "Site Survey\nAPI Version,four\n" + body << version;
        QTest::newRow("api without value") << "Site Survey\nAPI Version\n" + body << version;
    }

    void refusals()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, box);
        Fixture f;
        WizardData::instance()->setValue(QStringLiteral("OLD"), QStringLiteral("x"));
        f.product->showLoadedFile(QString());
        ModalBoxCloser closer;
        f.product->loadSurvey(writeSurvey(text));
        QCOMPARE(closer.boxes(), QStringList{box});
        QVERIFY(WizardData::instance()->values.isEmpty());
        QCOMPARE(f.product->findChild<QComboBox *>(QStringLiteral("product"))->currentIndex(), 6);
        QVERIFY(f.product->findChild<QCheckBox *>(QStringLiteral("useDefaults"))->isEnabled());
    }

    void accepted_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("product");
        QTest::newRow("trailing comma, no API line")
            << QByteArray("Site Survey,\n\nProduct\n-------------------\nProduct,QA3,(x)\n") << "QA3";
        QTest::newRow("CR LF") << QByteArray(
            "Site Survey\r\nAPI Version,4\r\n\r\nProduct\r\n-------------------\r\n"
            "Product,QB7,(QA1=Quorvex A1; QB7=Quorvex B7)\r\n")
                               << "QB7";
    }

    void accepted()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, product);
        Fixture f;
        ModalBoxCloser closer;
        f.product->loadSurvey(writeSurvey(text));
        QCOMPARE(closer.count(), 0);
        QCOMPARE(WizardData::instance()->value(QStringLiteral("PRODUCT")), product);
        QCOMPARE(f.fieldText(QStringLiteral("PRODUCT")), product);
    }

    void rowsAndSections()
    {
        Fixture f;
        const QByteArray text = "Site Survey\n"
                                "-----------\n"
                                "Generated by,Brambleon Assistant,v2.18\n"
                                "\n"
                                "Product\n"
                                "-------------------\n"
                                "Customer,\n"
                                "Version\n"
                                "Unknown,7\n"
                                "Unmapped,ERROR\n"
                                "\n"
                                "General Setup\n"
                                "-------------------\n"
                                "Application,REMOTEUSERS\n"
                                "Network Setup,WAN\n"
                                "\n"
                                "WAN Interface\n"
                                "-------------------\n"
                                "Alpha,on the LAN page\n"
                                "\n"
                                "IP-PBX Configuration\n"
                                "\n"
                                "-------------------\n"
                                "Alpha,still the LAN page\n"
                                "\n"
                                "IP-PBX2 Configuration\n"
                                "-------------------\n"
                                "Beta,second,(x),(0=a; 1=b)\n"
                                "Remote Users Configuration\n"
                                "-------------------\n"
                                "Alpha,remote\n"
                                "Undefined Title\n"
                                "-------------------\n"
                                "Beta,(kept with remote)\n";
        ModalBoxCloser closer;
        f.product->loadSurvey(writeSurvey(text));
        const QHash<QString, QString> expected{{"CUSTOMER", ""}, {"APPLICATION", "REMOTEUSERS"},
            {"NETWORK", "WAN"}, {"P4_A", "still the LAN page"}, {"P11_B", "second,(x)"}, {"P13_A", "remote"},
            {"P13_B", "(kept with remote)"}};
        QCOMPARE(WizardData::instance()->values, expected);
        // An empty loaded customer counts as loaded.
        f.product->initializePage();
        QCOMPARE(f.fieldText(QStringLiteral("CUSTOMER")), QString());
    }

    void duplicateTitlesByApplication_data()
    {
        QTest::addColumn<QString>("application");
        QTest::addColumn<QString>("pbx2Field");
        QTest::addColumn<QString>("remoteField");
        QTest::newRow("SIP Trunk") << "ITSP"
                                   << "P11_A"
                                   << "P12_A";
        QTest::newRow("SIP Normalization") << "NORMALIZATION"
                                           << "P8_A"
                                           << "P13_A";
        QTest::newRow("Remote Users") << "REMOTEUSERS"
                                      << "P11_A"
                                      << "P13_A";
    }

    void duplicateTitlesByApplication()
    {
        QFETCH(QString, application);
        QFETCH(QString, pbx2Field);
        QFETCH(QString, remoteField);
        Fixture f;
        const QByteArray text = "Site Survey\n\nGeneral Setup\n-------------------\nApplication,"
            + application.toLatin1()
            + "\n\nIP-PBX2 Configuration\n-------------------\nAlpha,pbx2\n"
              "\nRemote Users Configuration\n-------------------\nAlpha,remote\n";
        f.product->loadSurvey(writeSurvey(text));
        const WizardData *data = WizardData::instance();
        QCOMPARE(data->values.size(), 3);
        QCOMPARE(data->value(pbx2Field), QStringLiteral("pbx2"));
        QCOMPARE(data->value(remoteField), QStringLiteral("remote"));
    }

    void rowValue_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("hasValue");
        QTest::newRow("plain") << "Version,7.2"
                               << "7.2" << true;
        QTest::newRow("comment") << "Transport Type,1,(0=udp; 1=tcp; 2=tls)"
                                 << "1" << true;
        QTest::newRow("comma in value") << "Customer,Acme, Inc."
                                        << "Acme, Inc." << true;
        QTest::newRow("comma and comment") << "Customer,Acme, Inc.,(name)"
                                           << "Acme, Inc." << true;
        QTest::newRow("empty") << "Customer,"
                               << "" << true;
        QTest::newRow("no comma") << "Customer"
                                  << "" << false;
        QTest::newRow("bracket without comma") << "Customer,(Acme)"
                                               << "(Acme)" << true;
        QTest::newRow("open comment") << "Customer,a,(b"
                                      << "a,(b" << true;
    }

    void rowValue()
    {
        QFETCH(QString, line);
        QFETCH(QString, value);
        QFETCH(bool, hasValue);
        bool has = !hasValue;
        QCOMPARE(SurveyReader::rowValue(line, &has), value);
        QCOMPARE(has, hasValue);
    }

    void unwritableAndUnreadable()
    {
        Fixture f;
        QVERIFY(
            !SurveyWriter::writeFile(&f.wizard, TestEnvironment::home() + QStringLiteral("/no/such/dir/s.csv")));
        WizardData::instance()->setValue(QStringLiteral("OLD"), QStringLiteral("x"));
        ModalBoxCloser closer;
        QCOMPARE(SurveyReader::readFile(&f.wizard, TestEnvironment::home() + QStringLiteral("/missing.csv")),
            SurveyReader::Unreadable);
        QVERIFY(WizardData::instance()->values.isEmpty());
        QCOMPARE(closer.count(), 0);
    }
};

BRAMBLEON_TEST_MAIN(TestSurvey)
#include "tst_Survey.moc"
