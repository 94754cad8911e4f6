#include "ModalBoxCloser.h"
#include "TestEnvironment.h"
#include "data/WizardData.h"
#include "pages/BrambleonPage.h"
#include "pages/ProductPage.h"
#include "pages/SurveyReader.h"
#include "pages/SurveyWriter.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QSettings>
#include <QWizard>
#include <QtTest>

#include <tuple>

namespace
{
// Stands in for a wizard page: its rows, each label on one field; fields past the labels have no row.
class StandIn : public BrambleonPage
{
public:
    const int id;
    const QString title;
    const QStringList labels, names;
    StandIn(int id, const char *title, const QStringList &labels, const QStringList &names)
        : id(id)
        , title(QLatin1String(title))
        , labels(labels)
        , names(names)
    {
        for (const QString &name : names)
            registerField(name, hiddenEdit());
    }
    QString surveyTitle() const override { return title; }
    QString surveyFieldName(const QString &label) const override { return names.value(labels.indexOf(label)); }
    void writeSurvey(QTextStream &out) override
    {
        // The LAN page writes the only port of the WAN topology as the WAN interface; the SIP trunk
        // page serves as the second IP-PBX for SIP Normalization.
        if (id == 4 && field(QStringLiteral("NETWORK")).toString() == QLatin1String("WAN"))
            writeSurveyHeader(out, QStringLiteral("WAN Interface"));
        else if (id == 8 && field(QStringLiteral("APPLICATION_SELECTED")).toInt() == 1)
            writeSurveyHeader(out, QStringLiteral("IP-PBX2 Configuration"));
        else
            writeSurveyHeader(out, title);
        for (const QString &label : labels + QStringList{QStringLiteral("Unmapped")}) {
            writeSurveyLine(out, label);
            if (id == 9 && label == labels.first()) // rows in titled groups
                out << "\nSecond Group\n" << QString(28, QLatin1Char('-')) << '\n';
        }
    }
};

struct Fixture {
    QWizard wizard;
    ProductPage *product = new ProductPage;
    QHash<int, StandIn *> sections;
    Fixture()
    {
        wizard.setPage(0, new BrambleonPage);
        wizard.setPage(1, product);
        wizard.setPage(2,
            new StandIn(2, "General Setup", {"Application", "Network Setup"},
                {"APPLICATION", "NETWORK", "APPLICATION_SELECTED", "NETWORKS_NUMBER", "SIP3_SUPPORTED",
                    "FEU_SUPPORTED"}));
        const char *const titles[]
            = {"System Configuration", "LAN Interface", "WAN Interface", "Gateway Configuration",
                "IP-PBX Configuration", "SIP Trunk Configuration", "Number Manipulations", "Users Configuration",
                "IP-PBX2 Configuration", "Remote Users Configuration", "Remote Users Configuration"};
        for (int id = 3; id <= 13; ++id) {
            const QStringList names{QStringLiteral("P%1_A").arg(id), QStringLiteral("P%1_B").arg(id)};
            sections.insert(id, new StandIn(id, titles[id - 3], {"Alpha", "Beta"}, names));
            wizard.setPage(id, sections.value(id));
            set(names[0], QStringLiteral("a%1, with comma").arg(id));
            set(names[1], QStringLiteral("b%1").arg(id));
        }
        wizard.setPage(14, new BrambleonPage);
        product->findChild<QLineEdit *>(QStringLiteral("customer"))->setText(QStringLiteral("Acme, Inc."));
        combo("product")->setCurrentIndex(6);
        combo("version")->setCurrentIndex(3);
    }
    QComboBox *combo(const char *name) const { return product->findChild<QComboBox *>(QLatin1String(name)); }
    static void set(const QString &name, const QString &text) { WizardData::instance()->setFieldText(name, text); }
    void configure(int application, const QString &network, int flags)
    {
        set(QStringLiteral("APPLICATION_SELECTED"), QString::number(application));
        set(QStringLiteral("APPLICATION"), WizardData::applicationCode(application));
        set(QStringLiteral("NETWORK"), network);
        set(QStringLiteral("NETWORKS_NUMBER"), network == QLatin1String("LAN_WAN") ? "2" : "1");
        set(QStringLiteral("FEU_SUPPORTED"), flags & 1 ? "1" : "0");
        set(QStringLiteral("SIP3_SUPPORTED"), flags & 2 ? "1" : "0");
    }
    // Loads a survey with the given text; the texts of the message boxes it showed.
    QStringList load(const QByteArray &text)
    {
        ModalBoxCloser closer;
        product->loadSurvey(
            TestEnvironment::writeFile(TestEnvironment::home(), QStringLiteral("given.csv"), text));
        return closer.boxes();
    }
};
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
        QTest::addColumn<int>("flags"); // FEU 1, second IP-PBX 2
        QTest::addColumn<QList<int>>("pages");
        QTest::addColumn<QStringList>("titles");
        const auto row = [](const char *name, int application, const char *network, int flags, QList<int> pages,
                             QStringList titles) {
            QTest::newRow(name) << application << QString(network) << flags << pages << titles;
        };
        row("SIP Trunk with FEU and second IP-PBX", 0, "LAN", 3, {3, 4, 7, 8, 9, 11, 12},
            {"LAN Interface", "IP-PBX Configuration", "SIP Trunk Configuration", "Number Manipulations",
                "IP-PBX2 Configuration", "Remote Users Configuration"});
        row("SIP Normalization", 1, "LAN", 3, {3, 4, 7, 8, 9},
            {"LAN Interface", "IP-PBX Configuration", "IP-PBX2 Configuration", "Number Manipulations"});
        row("Hosted, WAN topology", 2, "WAN", 0, {3, 4, 7, 10},
            {"WAN Interface", "IP-PBX Configuration", "Users Configuration"});
        row("Remote Users with second IP-PBX", 3, "LAN_WAN", 2, {3, 4, 5, 7, 11, 13},
            {"LAN Interface", "WAN Interface", "IP-PBX Configuration", "IP-PBX2 Configuration",
                "Remote Users Configuration"});
        row("Gateway", 4, "LAN", 3, {3, 4, 7}, {"LAN Interface", "IP-PBX Configuration"});
    }

    // Written, then read back while the wizard shows other choices: only the file steers the reading.
    void roundTrip()
    {
        QFETCH(int, application);
        QFETCH(QString, network);
        QFETCH(int, flags);
        QFETCH(QList<int>, pages);
        QFETCH(QStringList, titles);
        Fixture f;
        f.configure(application, network, flags);
        const QString path = TestEnvironment::home() + QStringLiteral("/survey.csv");
        QVERIFY(SurveyWriter::writeFile(&f.wizard, path));
        const QStringList lines = QString::fromUtf8(TestEnvironment::readFile(path)).split(QLatin1Char('\n'));
        QCOMPARE(lines.mid(0, 5),
            (QStringList{
                "Site Survey", "-----------", "Generated by,Brambleon Assistant,v2.18", "API Version,4", ""}));
        QStringList found;
        for (int i = 1; i < lines.size(); ++i) {
            if (lines.at(i) == QLatin1String("-------------------"))
                found << lines.at(i - 1);
        }
        QCOMPARE(found, QStringList({"Product", "General Setup", "System Configuration"}) + titles);

        QHash<QString, QString> expected{{"PRODUCT", "QB8"}, {"VERSION", "7.2"}, {"CUSTOMER", "Acme, Inc."},
            {"APPLICATION", WizardData::applicationCode(application)}, {"NETWORK", network}};
        for (int id : pages) {
            for (const QString &name : f.sections.value(id)->names)
                expected.insert(name, WizardData::instance()->fieldText(name));
        }
        f.configure(application == 1 ? 0 : 1, network == QLatin1String("WAN") ? "LAN_WAN" : "WAN", 3 - flags);
        f.combo("product")->setCurrentIndex(0);
        f.combo("version")->setCurrentIndex(0);
        QCOMPARE(f.load(TestEnvironment::readFile(path)), QStringList());
        QCOMPARE(WizardData::instance()->values, expected);
        QCOMPARE(f.combo("product")->currentIndex(), 6);
        QCOMPARE(f.combo("version")->currentText(), QStringLiteral("7.2"));
    }

    // Refused files leave no loaded values behind.
    void refusals()
    {
        const QString failed = QStringLiteral("Load Survey: Failed to load site survey.\nThe file was ");
        const QString version = failed + "generated by incompatible version of Brambleon Assistant.";
        const QByteArray body = "\nProduct\n-------------------\nProduct,QA1\nVersion,7.0\n";
        const std::pair<QByteArray, QString> cases[]
            = {{"site survey\n" + body, failed + "not generated by Brambleon Assistant."},
                {"Site Survey\nAPI Version,3\n" + body, version},
                {"Site Survey\n" + body + "API Version,5\n", version}};
        for (const auto &[text, box] : cases) {
            Fixture f;
            WizardData::instance()->setValue(QStringLiteral("OLD"), QStringLiteral("x"));
            QCOMPARE(f.load(text), QStringList{box});
            QVERIFY(WizardData::instance()->values.isEmpty());
        }
    }

    // One file for the reading rules: a header with a trailing comma and no API line, CRLF line ends,
    // rows without a value, unmapped rows, comments and titles the pages do not write.
    void rowsAndSections()
    {
        Fixture f;
        QByteArray text = "Site Survey,\n\nProduct\n-------------------\nProduct,QB7,(QA1=A1; QB7=B7)\n"
                          "Customer,\nVersion\nUnmapped,ERROR\n"
                          "\nGeneral Setup\n-------------------\nApplication,REMOTEUSERS\nNetwork Setup,WAN\n"
                          "\nWAN Interface\n-------------------\nAlpha,on the LAN page\n"
                          // A blank line between title and dashes: an unknown section, kept with the page before.
                          "\nIP-PBX Configuration\n\n-------------------\nAlpha,still the LAN page\n"
                          "\nIP-PBX2 Configuration\n-------------------\nBeta,second,(x),(0=a; 1=b)\n"
                          "Remote Users Configuration\n-------------------\nAlpha,remote\n"
                          "Undefined Title\n-------------------\nBeta,(kept with remote)\n";
        QCOMPARE(f.load(text.replace("\n", "\r\n")), QStringList());
        const QHash<QString, QString> expected{{"PRODUCT", "QB7"}, {"CUSTOMER", ""},
            {"APPLICATION", "REMOTEUSERS"}, {"NETWORK", "WAN"}, {"P4_A", "still the LAN page"},
            {"P11_B", "second,(x)"}, {"P13_A", "remote"}, {"P13_B", "(kept with remote)"}};
        QCOMPARE(WizardData::instance()->values, expected);
        // An empty loaded customer counts as loaded.
        f.product->initializePage();
        QCOMPARE(WizardData::instance()->fieldText(QStringLiteral("CUSTOMER")), QString());
    }

    // The two titles that two pages write are read through the page of the loaded application.
    void duplicateTitlesByApplication()
    {
        const std::tuple<const char *, const char *, const char *> cases[]
            = {{"ITSP", "P11_A", "P12_A"}, {"NORMALIZATION", "P8_A", "P13_A"}, {"REMOTEUSERS", "P11_A", "P13_A"}};
        for (const auto &[application, pbx2Field, remoteField] : cases) {
            Fixture f;
            f.load(QByteArray("Site Survey\n\nGeneral Setup\n-------------------\nApplication,") + application
                + "\n\nIP-PBX2 Configuration\n-------------------\nAlpha,pbx2\n"
                  "\nRemote Users Configuration\n-------------------\nAlpha,remote\n");
            QCOMPARE(WizardData::instance()->values.size(), 3);
            QCOMPARE(WizardData::instance()->value(QLatin1String(pbx2Field)), QStringLiteral("pbx2"));
            QCOMPARE(WizardData::instance()->value(QLatin1String(remoteField)), QStringLiteral("remote"));
        }
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
