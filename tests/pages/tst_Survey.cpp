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

namespace
{
// Stands in for a wizard page: rows "Alpha" and "Beta" on fields P<id>_A and P<id>_B.
class StandIn : public BrambleonPage
{
public:
    const int id;
    const QString title;
    StandIn(int id, const QString &title)
        : id(id)
        , title(title)
    {
        for (const QString &name : names())
            registerField(name, hiddenEdit());
    }
    QStringList names() const { return {QStringLiteral("P%1_A").arg(id), QStringLiteral("P%1_B").arg(id)}; }
    QString surveyTitle() const override { return title; }
    QString surveyFieldName(const QString &label) const override
    {
        return names().value(QStringList{"Alpha", "Beta"}.indexOf(label));
    }
    void writeSurvey(QTextStream &out) override
    {
        // The LAN page writes the WAN topology's only port; the SIP trunk page is SIP Normalization's second
        // IP-PBX.
        const bool wan = id == 4 && field(QStringLiteral("NETWORK")).toString() == QLatin1String("WAN");
        const bool pbx2 = id == 8 && field(QStringLiteral("APPLICATION_SELECTED")).toInt() == 1;
        writeSurveyHeader(out,
            wan        ? QStringLiteral("WAN Interface")
                : pbx2 ? QStringLiteral("IP-PBX2 Configuration")
                       : title);
        writeSurveyLine(out, QStringLiteral("Alpha"));
        if (id == 9) // rows in a titled group
            out << "\nSecond Group\n" << QString(28, QLatin1Char('-')) << '\n';
        writeSurveyLine(out, QStringLiteral("Beta"), QStringLiteral("0=a; 1=b"));
    }
};

// The setup page's answers, which steer the writer's sections.
class Setup : public BrambleonPage
{
public:
    const QStringList names{
        "APPLICATION", "NETWORK", "APPLICATION_SELECTED", "NETWORKS_NUMBER", "SIP3_SUPPORTED", "FEU_SUPPORTED"};
    Setup()
    {
        for (const QString &name : names)
            registerField(name, hiddenEdit());
    }
    QString surveyTitle() const override { return QStringLiteral("General Setup"); }
    QString surveyFieldName(const QString &label) const override
    {
        return label == QLatin1String("Application")  ? names[0]
            : label == QLatin1String("Network Setup") ? names[1]
                                                      : QString();
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
    Fixture()
    {
        const char *const titles[]
            = {"System Configuration", "LAN Interface", "WAN Interface", "Gateway Configuration",
                "IP-PBX Configuration", "SIP Trunk Configuration", "Number Manipulations", "Users Configuration",
                "IP-PBX2 Configuration", "Remote Users Configuration", "Remote Users Configuration"};
        wizard.setPage(1, product);
        wizard.setPage(2, new Setup);
        for (int id = 3; id <= 13; ++id) {
            wizard.setPage(id, new StandIn(id, QLatin1String(titles[id - 3])));
            set(QStringLiteral("P%1_A").arg(id), QStringLiteral("a%1, with comma").arg(id));
            set(QStringLiteral("P%1_B").arg(id), QStringLiteral("b%1,(x)").arg(id));
        }
        product->findChild<QLineEdit *>(QStringLiteral("customer"))->setText(QStringLiteral("Acme,(Europe)"));
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

// The line as a spreadsheet saves it again: cells split by RFC 4180, a cell quoted when it holds a
// comma or a quote.
QString resaved(const QString &line)
{
    QStringList cells;
    for (int i = 0, comma = 0; comma >= 0; i = comma + 1) {
        QString cell;
        if (line.mid(i, 1) == QLatin1String("\"")) {
            for (++i; i < line.size() && (line.at(i) != '"' || line.mid(i, 2) == QLatin1String("\"\"")); ++i)
                cell += line.at(i) == '"' ? line.at(i++) : line.at(i);
            ++i;
        }
        comma = line.indexOf(QLatin1Char(','), i);
        cell += line.mid(i, comma < 0 ? -1 : comma - i);
        const bool quote = cell.contains(QLatin1Char(',')) || cell.contains(QLatin1Char('"'));
        cells << (quote ? '"' + cell.replace(QLatin1String("\""), QLatin1String("\"\"")) + '"' : cell);
    }
    return cells.join(QLatin1Char(','));
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

    // Rows the writer writes ("writes") read back, also after a spreadsheet saved them again; rows as
    // today's program wrote them read as they always did.
    void rows_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("comment");
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("writes");
        const auto row
            = [](const char *name, const char *value, const char *comment, const char *line, bool writes) {
                  QTest::newRow(name) << QString(value) << QString(comment) << QString(line) << writes;
              };
        row("plain", "7.2", "", "L,7.2", true);
        row("comment", "1", "0=udp; 1=tcp", "L,1,(0=udp; 1=tcp)", true);
        row("comment without quotes", "3600", "3600 for \"GMT+1\", UTC", "L,3600,(3600 for GMT+1, UTC)", true);
        row("commas stay bare", "Acme, Inc.", "", "L,Acme, Inc.", true);
        row("value like a comment", "Acme,(Europe)", "", "L,\"Acme,(Europe)\"", true);
        row("value like a comment, comment", "Acme,(Europe)", "c", "L,Acme,(Europe),(c)", true);
        row("open bracket kept whole", "Acme,(Europe", "c", "L,Acme,(Europe,(c)", true);
        row("quotes", "say \"hi\", \"x\"", "", "L,\"say \"\"hi\"\", \"\"x\"\"\"", true);
        row("empty", "", "c", "L,,(c)", true);
        row("blanks", "  x  ", "", "L,  x  ", true);
        row("today's quoted comment", "3600", "", "L,3600,(offset - e.g. 3600 for \"GMT+1\")", false);
        row("today's comment resaved", "3600", "", "L,3600,\"(offset - e.g. 3600 for \"\"GMT+1\"\")\"", false);
        row("today's comment with comma", "1", "", "L,1,(0=bri; 1=e1; 2=t1, 3=fxs)", false);
        row("last comment only", "second,(x)", "", "L,second,(x),(0=a; 1=b)", false);
        row("brackets inside no comment", "a,(b(c))", "", "L,a,(b(c))", false);
        row("value alone in brackets", "(kept)", "", "L,(kept)", false);
        row("quoted cell, more cells", "\"a\",b", "", "L,\"a\",b", false);
        row("quote not closed", "\"ab,c", "", "L,\"ab,c", false);
    }

    void rows()
    {
        QFETCH(QString, value);
        QFETCH(QString, comment);
        QFETCH(QString, line);
        QFETCH(bool, writes);
        if (writes) {
            QCOMPARE(SurveyWriter::row("L", value, comment), line);
            QCOMPARE(SurveyReader::rowValue(resaved(line)), value);
        }
        QCOMPARE(SurveyReader::rowValue(line), value);
        bool hasValue = true;
        SurveyReader::rowValue(QStringLiteral("L"), &hasValue);
        QVERIFY(!hasValue);
    }

    void sections_data()
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
        const QStringList trunk{
            "LAN Interface", "IP-PBX Configuration", "SIP Trunk Configuration", "Number Manipulations"};
        row("SIP Trunk with FEU and second IP-PBX", 0, "LAN", 3, {3, 4, 7, 8, 9, 11, 12},
            trunk + QStringList{"IP-PBX2 Configuration", "Remote Users Configuration"});
        row("SIP Trunk without remote users", 0, "LAN", 2, {3, 4, 7, 8, 9}, trunk);
        row("SIP Normalization", 1, "LAN", 3, {3, 4, 7, 8, 9},
            {"LAN Interface", "IP-PBX Configuration", "IP-PBX2 Configuration", "Number Manipulations"});
        row("Hosted, WAN topology", 2, "WAN", 0, {3, 4, 7, 10},
            {"WAN Interface", "IP-PBX Configuration", "Users Configuration"});
        row("Remote Users with second IP-PBX", 3, "LAN_WAN", 2, {3, 4, 5, 7, 11, 13},
            {"LAN Interface", "WAN Interface", "IP-PBX Configuration", "IP-PBX2 Configuration",
                "Remote Users Configuration"});
        row("Gateway", 4, "LAN", 3, {3, 4, 7}, {"LAN Interface", "IP-PBX Configuration"});
    }

    // Survey, answers, survey: written, read back while the wizard shows other choices (only the file
    // steers the reading), written again the same.
    void sections()
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
        const QByteArray written = TestEnvironment::readFile(path);
        const QStringList lines = QString::fromUtf8(written).split(QLatin1Char('\n'));
        QCOMPARE(lines.mid(0, 5),
            (QStringList{
                "Site Survey", "-----------", "Generated by,Brambleon Assistant,v2.18", "API Version,4", ""}));
        QStringList found;
        for (int i = 1; i < lines.size(); ++i) {
            if (lines.at(i) == QLatin1String("-------------------"))
                found << lines.at(i - 1);
        }
        QCOMPARE(found, QStringList({"Product", "General Setup", "System Configuration"}) + titles);

        QHash<QString, QString> expected{{"PRODUCT", "QB8"}, {"VERSION", "7.2"}, {"CUSTOMER", "Acme,(Europe)"},
            {"APPLICATION", WizardData::applicationCode(application)}, {"NETWORK", network}};
        for (int id : pages) {
            for (const QString &name : static_cast<StandIn *>(f.wizard.page(id))->names())
                expected.insert(name, WizardData::instance()->fieldText(name));
        }
        f.configure(application == 1 ? 0 : 1, network == QLatin1String("WAN") ? "LAN_WAN" : "WAN", 3 - flags);
        f.combo("product")->setCurrentIndex(0);
        QCOMPARE(f.load(written), QStringList());
        QCOMPARE(WizardData::instance()->values, expected);
        QCOMPARE(f.combo("product")->currentIndex(), 6);
        f.configure(application, network, flags);
        QVERIFY(SurveyWriter::writeFile(&f.wizard, path));
        QCOMPARE(TestEnvironment::readFile(path), written);
    }

    // Refused files leave no loaded values behind.
    void refusals_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("box");
        const QString failed = QStringLiteral("Load Survey: Failed to load site survey.\nThe file was ");
        const QString version = failed + "generated by incompatible version of Brambleon Assistant.";
        const QByteArray body = "\nProduct\n-------------------\nProduct,QA1\nVersion,7.0\n";
        QTest::newRow("title") << "site survey\n" + body << failed + "not generated by Brambleon Assistant.";
        QTest::newRow("version 3") << "Site Survey\nAPI Version,3\n" + body << version;
        QTest::newRow("version at the end") << "Site Survey\n" + body + "API Version,5\n" << version;
        QTest::newRow("too long") << "Site Survey\n" + body + "Customer," + QByteArray(32768, 'x') + "\n"
                                  << "Load Survey: Can't continue: Product: End Customer: Invalid value - longer "
                                     "than 32767 characters";
        QTest::newRow("unreadable") << QByteArray() << "";
    }

    void refusals()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, box);
        Fixture f;
        WizardData::instance()->setValue(QStringLiteral("OLD"), QStringLiteral("x"));
        if (text.isEmpty()) {
            ModalBoxCloser closer;
            QCOMPARE(SurveyReader::readFile(&f.wizard, TestEnvironment::home() + "/missing.csv"),
                SurveyReader::Unreadable);
            QVERIFY(!SurveyWriter::writeFile(&f.wizard, TestEnvironment::home() + "/no/such/dir/s.csv"));
            QCOMPARE(closer.count(), 0);
        } else {
            QCOMPARE(f.load(text), QStringList{box});
        }
        QVERIFY(WizardData::instance()->values.isEmpty());
    }

    // A header with a trailing comma and no API line, CRLF line ends, rows without a value, unmapped
    // rows, titles the pages do not write; the two titles two pages write go through the page of the
    // loaded application.
    void reading_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("values");
        const QByteArray head = "Site Survey,\r\n\r\nGeneral Setup\r\n-------------------\r\nApplication,";
        QTest::newRow("rows and sections") << head
                + "REMOTEUSERS\r\nNetwork Setup,WAN\r\nUnmapped,ERROR\r\nVersion\r\n"
                  "\r\nWAN Interface\r\n-------------------\r\nAlpha,on the LAN page\r\n"
                  // A blank line between title and dashes: an unknown section, kept with the page before.
                  "\r\nIP-PBX Configuration\r\n\r\n-------------------\r\nAlpha,still the LAN page\r\n"
                  "Undefined Title\r\n-------------------\r\nBeta,\r\n"
                                           << "APPLICATION=REMOTEUSERS|NETWORK=WAN|P4_A=still the LAN page|P4_B=";
        for (const char *row : {"ITSP P11 P12", "NORMALIZATION P8 P13", "REMOTEUSERS P11 P13"}) {
            const QStringList parts = QString(row).split(' ');
            QTest::newRow(row)
                << head + parts[0].toLatin1()
                    + "\n\nIP-PBX2 Configuration\n-------------------\nAlpha,pbx2\n"
                      "\nRemote Users Configuration\n-------------------\nAlpha,remote\n"
                << QStringLiteral("APPLICATION=%1|%2_A=pbx2|%3_A=remote").arg(parts[0], parts[1], parts[2]);
        }
    }

    void reading()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, values);
        Fixture f;
        QCOMPARE(f.load(text), QStringList());
        QStringList got;
        for (auto it = WizardData::instance()->values.constBegin();
             it != WizardData::instance()->values.constEnd(); ++it)
            got << it.key() + '=' + it.value();
        QStringList want = values.split('|');
        got.sort();
        want.sort();
        QCOMPARE(got, want);
    }
};

BRAMBLEON_TEST_MAIN(TestSurvey)
#include "tst_Survey.moc"
