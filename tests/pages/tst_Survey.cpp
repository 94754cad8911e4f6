#include "ModalBoxCloser.h"
#include "PageFixture.h"
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
// Stands in for a wizard page: two rows on its first two fields.
class StandIn : public BrambleonPage
{
public:
    const int id;
    const QString title;
    const QStringList names;
    StandIn(int id, const QString &title, const QStringList &names)
        : id(id)
        , title(title)
        , names(names)
    {
        for (const QString &name : names)
            registerField(name, hiddenEdit());
    }
    QString surveyTitle() const override { return title; }
    QString surveyFieldName(const QString &label) const override
    {
        return names.value(QStringList{"Alpha", "Beta", "Application", "Network Setup"}.indexOf(label) % 2);
    }
    void writeSurvey(QTextStream &out) override
    {
        // The LAN page writes the WAN topology's port; the SIP trunk page is SIP Normalization's second IP-PBX.
        const bool wan = id == 4 && field(QStringLiteral("NETWORK")).toString() == QLatin1String("WAN");
        const bool pbx2 = id == 8 && field(QStringLiteral("APPLICATION_SELECTED")).toInt() == 1;
        writeSurveyHeader(out, wan ? "WAN Interface" : pbx2 ? "IP-PBX2 Configuration" : title);
        writeSurveyLine(out, id == 2 ? "Application" : "Alpha");
        if (id == 9) // rows in a titled group
            out << "\nSecond Group\n" << QString(28, QLatin1Char('-')) << '\n';
        const QString comment = id == 7 ? QStringLiteral("e.g. \"a\", b") : QStringLiteral("0=a; 1=b");
        writeSurveyLine(out, id == 2 ? "Network Setup" : "Beta", id == 2 ? QString() : comment);
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
        wizard.setPage(2,
            new StandIn(2, "General Setup",
                {"APPLICATION", "NETWORK", "APPLICATION_SELECTED", "NETWORKS_NUMBER", "SIP3_SUPPORTED",
                    "FEU_SUPPORTED"}));
        for (int id = 3; id <= 13; ++id) {
            const QStringList names{QStringLiteral("P%1_A").arg(id), QStringLiteral("P%1_B").arg(id)};
            wizard.setPage(id, new StandIn(id, titles[id - 3], names));
            set(names[0], QStringLiteral("a%1, with comma").arg(id));
            // Values a spreadsheet would split, trim or take for a comment.
            const char *const awkward[]
                = {"b,(x)", "say \"hi\"", " sec,ret;x ", "trail\t", "two\r\nlines,\nthree", "", "(x)"};
            set(names[1], QString(awkward[id % 7]));
        }
        product->findChild<QLineEdit *>(QStringLiteral("customer"))->setText(QStringLiteral("Acme,(Europe)"));
        product->findChild<QComboBox *>(QStringLiteral("product"))->setCurrentIndex(6);
    }
    static void set(const QString &name, const QString &text) { WizardData::instance()->setFieldText(name, text); }
    // Application, network and flags (FEU 1, second IP-PBX 2) as the General Setup page sets them.
    void configure(int application, const QString &network, int flags)
    {
        set("APPLICATION_SELECTED", QString::number(application));
        set("APPLICATION", WizardData::applicationCode(application));
        set("NETWORK", network);
        set("NETWORKS_NUMBER", network == QLatin1String("LAN_WAN") ? "2" : "1");
        set("FEU_SUPPORTED", QString::number(flags & 1));
        set("SIP3_SUPPORTED", QString::number(flags >> 1));
    }
    // Loads a survey with the given text; the texts of the message boxes it showed.
    // A null text: a file that does not exist.
    QStringList load(const QByteArray &text)
    {
        ModalBoxCloser closer;
        product->loadSurvey(text.isNull()
                ? TestEnvironment::home() + QStringLiteral("/none.csv")
                : TestEnvironment::writeFile(TestEnvironment::home(), QStringLiteral("given.csv"), text));
        return closer.boxes();
    }
};

// The survey as a spreadsheet re-saves it: text cells quoted, a byte-order mark, CR LF.
QByteArray resaved(const QString &csv)
{
    QList<QStringList> rows{{""}};
    bool quoted = false;
    for (int i = 0; i < csv.size(); ++i) {
        const QChar c = csv.at(i);
        if (c == '"' && quoted && csv.mid(i + 1, 1) == "\"")
            rows.last().last() += csv.at(++i);
        else if (c == '"')
            quoted = !quoted;
        else if (!quoted && (c == ',' || c == '\n'))
            c == ',' ? rows.last().append("") : rows.append(QStringList{""});
        else
            rows.last().last() += c;
    }
    QString out = QChar(0xFEFF);
    for (QStringList row : rows.mid(0, rows.size() - 1)) {
        for (QString &cell : row)
            cell = cell.isEmpty() ? cell : '"' + cell.replace('"', "\"\"") + '"';
        out += row.join(',') + "\r\n";
    }
    return out.toUtf8();
}

QString survey(QWizard &wizard)
{
    QString text;
    QTextStream out(&text);
    SurveyWriter::write(&wizard, out);
    return out.flush(), text;
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

    // A row the writer writes (with a comment) reads back; a row as today's program or a spreadsheet
    // (RFC 4180) wrote it (no comment column) reads as it always did.
    void rows_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("comment");
        QTest::addColumn<QString>("line");
        const auto row = [](const char *value, const char *comment, const char *line) {
            QTest::newRow(line) << QString(value) << QString(comment) << QString(line);
        };
        row("3600", "3600 for \"GMT+1\", UTC", "L,3600,\"(3600 for \"\"GMT+1\"\", UTC)\"");
        row("1", "0=bri; 1=e1; 2=t1, 3=fxs", "L,1,\"(0=bri; 1=e1; 2=t1, 3=fxs)\"");
        row("a\nb", "-", "L,\"a\nb\"");
        row("Acme,(Europe)", "-", "L,\"Acme,(Europe)\"");
        row("Acme,(Europe", "c", "L,\"Acme,(Europe\",(c)");
        row("Acme,(Europe", nullptr, "L,Acme,(Europe,(c)");
        row("say \"hi\", \"x\"", "-", "L,\"say \"\"hi\"\", \"\"x\"\"\"");
        row("  x  ", "-", "L,\"  x  \"");
        row("  x  ", nullptr, "L,  x  ");
        row("x\t", "c", "L,\"x\t\",(c)");
        row("0\r\n0", "c\nd", "L,\"0\r\n0\",(c d)");
        row("", "c", "L,,(c)");
        row("3600", nullptr, "L,3600,\"(offset - e.g. 3600 for \"\"GMT+1\"\")\"");
        row("3600", nullptr, "L,3600,(offset - e.g. 3600 for \"GMT+1\")");
        row("a,b", "0=bri; 1=e1; 2=t1, 3=fxs", "L,\"a,b\",\"(0=bri; 1=e1; 2=t1, 3=fxs)\"");
        row("1", nullptr, "L,1,(0=bri; 1=e1; 2=t1, 3=fxs)");
        row("second,(x)", nullptr, "L,second,(x),(0=a; 1=b)");
        row("a,(b(c)", nullptr, "L,a,(b(c)");
        row("\"ab,c", nullptr, "L,\"ab,c");
    }

    void rows()
    {
        QFETCH(QString, value);
        QFETCH(QString, comment);
        QFETCH(QString, line);
        if (!comment.isNull())
            QCOMPARE(SurveyWriter::row("L", value, comment == QLatin1String("-") ? QString() : comment), line);
        QCOMPARE(SurveyReader::rowValue(line), value);
    }

    void sections_data()
    {
        QTest::addColumn<int>("application");
        QTest::addColumn<QString>("network");
        QTest::addColumn<int>("flags"); // FEU 1, second IP-PBX 2
        QTest::addColumn<QList<int>>("pages"); // whose rows the survey holds
        QTest::newRow("SIP Trunk, FEU, IP-PBX2") << 0 << "LAN" << 3 << QList<int>{3, 4, 7, 8, 9, 11, 12};
        QTest::newRow("SIP Trunk, no remote users") << 0 << "LAN" << 2 << QList<int>{3, 4, 7, 8, 9};
        QTest::newRow("Normalization") << 1 << "LAN" << 3 << QList<int>{3, 4, 7, 8, 9};
        QTest::newRow("Hosted, WAN") << 2 << "WAN" << 0 << QList<int>{3, 4, 7, 10};
        QTest::newRow("Remote Users, IP-PBX2") << 3 << "LAN_WAN" << 2 << QList<int>{3, 4, 5, 7, 11, 13};
    }

    // Survey, answers, survey: written, read back while the wizard shows other choices (only the file
    // steers the reading), also from a spreadsheet's re-save, and written again the same.
    void sections()
    {
        QFETCH(int, application);
        QFETCH(QString, network);
        QFETCH(int, flags);
        QFETCH(QList<int>, pages);
        Fixture f;
        f.configure(application, network, flags);
        const QString path = TestEnvironment::home() + QStringLiteral("/survey.csv");
        QVERIFY(SurveyWriter::writeFile(&f.wizard, path));
        const QByteArray written = TestEnvironment::readFile(path);
        QVERIFY(written.startsWith(
            "Site Survey\n-----------\nGenerated by,Brambleon Assistant,v2.18\nAPI Version,4\n\n"));
        QHash<QString, QString> expected{{"PRODUCT", "QB8"}, {"VERSION", "6.8"}, {"CUSTOMER", "Acme,(Europe)"},
            {"APPLICATION", WizardData::applicationCode(application)}, {"NETWORK", network}};
        for (int id : pages) {
            for (const QString &name : static_cast<StandIn *>(f.wizard.page(id))->names)
                expected.insert(name, WizardData::instance()->fieldText(name));
        }
        f.configure(application == 1 ? 0 : 1, network == QLatin1String("WAN") ? "LAN_WAN" : "WAN", 3 - flags);
        f.product->findChild<QComboBox *>(QStringLiteral("product"))->setCurrentIndex(0);
        for (QString text : {QString::fromUtf8(written), QString::fromUtf8(resaved(QString::fromUtf8(written)))}) {
            QTextStream in(&text);
            QHash<QString, QString> read;
            QCOMPARE(SurveyReader::read(&f.wizard, in, read), SurveyReader::Loaded);
            QCOMPARE(read, expected);
        }
        // Read back whole, but an answer with a tab or a line end is no answer to take.
        WizardData::instance()->values = {{"OLD", "x"}};
        const QStringList boxes = f.load(written);
        QVERIFY2(boxes.size() == 1
                && boxes.first().contains(QRegularExpression("^Load Survey: Can't continue: the loaded P\\d+_B: "
                                                             "the character U\\+000[9D] is not allowed$")),
            qPrintable(boxes.join('|')));
        QCOMPARE(WizardData::instance()->values, (QHash<QString, QString>{{"OLD", "x"}}));
        // Its product section alone is taken, and selects the product.
        QCOMPARE(f.load(written.left(written.indexOf("\nGeneral Setup\n"))), QStringList());
        f.configure(application, network, flags);
        QVERIFY(SurveyWriter::writeFile(&f.wizard, path));
        QCOMPARE(TestEnvironment::readFile(path), written);
    }

    // Writing a survey changes no answer, also where a page has not shown its loaded answers yet; the
    // survey then is the one written after every page has been seen.
    void keepsAnswers_data()
    {
        QTest::addColumn<QString>("example");
        for (const char *example : {"sip-trunk", "sip-normalization", "hosted-ip-pbx", "remote-users",
                 "sip-trunk-remote-users", "gateway"})
            QTest::newRow(example) << QString(example);
    }

    void keepsAnswers()
    {
        QFETCH(QString, example);
        QTemporaryDir work;
        SetupFixture::reset(work);
        ModalBoxCloser closer;
        SetupFixture::Wizard wizard;
        wizard.show();
        wizard.next();
        auto *product = static_cast<ProductPage *>(wizard.page(1));
        const QString path = qEnvironmentVariable("BRAMBLEON_SOURCE_DIR") + "/examples/" + example + ".ini";
        product->loadPath(path);
        WizardData *data = WizardData::instance();
        for (const char *answer : {"UTC_OFFSET=-18000", "WEB=1", "CLI=2", "ENABLE_DNS=1", "DNS1_NAME=a.example",
                 "DNS1_IP1=10.1.1.53", "DNS1_IP2=0.0.0.0"})
            data->setValue(QString(answer).section('=', 0, 0), QString(answer).section('=', 1));
        const auto fields = [data] {
            QStringList texts;
            for (const QString &name : data->fields.keys())
                texts << name + '=' + data->fieldText(name);
            return texts;
        };
        wizard.next();
        const QStringList loaded = fields();
        const QString first = survey(wizard);
        // The comment's quotes stay, in a cell quoted as RFC 4180 quotes it.
        QVERIFY(wizard.currentId() == 2
            && first.contains(
                "\nTime Zone,-18000,\"(offset from UTC in seconds - e.g. 3600 for \"\"GMT+1\"\")\"\n"));
        QCOMPARE(fields(), loaded);
        for (int i = 0; i < 20 && wizard.currentId() != 14; ++i)
            wizard.next();
        QVERIFY(data->iniLines.contains("NTPServerUTCOffset = -18000"));
        while (wizard.currentId() > 2)
            wizard.back();
        QCOMPARE(survey(wizard), first);
        // A page seen since commits what it shows; a load since goes under its widgets.
        wizard.next();
        SetupFixture::child(wizard.page(3), "timeZone")->setCurrentIndex(13);
        wizard.back();
        QVERIFY(survey(wizard).contains("\nTime Zone,3600,"));
        wizard.back();
        product->loadPath(path);
        data->setValue("UTC_OFFSET", "7200");
        wizard.next();
        QVERIFY(survey(wizard).contains("\nTime Zone,7200,"));
        // Read back, also from a spreadsheet's re-save, the value and none of the comment.
        for (QString text : {survey(wizard), QString::fromUtf8(resaved(survey(wizard)))}) {
            QTextStream in(&text);
            QHash<QString, QString> read;
            QCOMPARE(SurveyReader::read(&wizard, in, read), SurveyReader::Loaded);
            QCOMPARE(read.value("UTC_OFFSET"), QString("7200"));
        }
        QVERIFY2(closer.boxes().isEmpty(), qPrintable(closer.boxes().join('\n')));
    }

    // The trunk's role and account rows follow the fields, also on a page never shown.
    void trunkAccountRows()
    {
        PageFixture<ITSPPage> f(8, {"APPLICATION_SELECTED=0"});
        for (const char *account : {"", "0", "2"}) {
            f.set({QStringLiteral("SIP2_REGISTRATION=") + account});
            QCOMPARE(f.survey().value(13).section(',', 0, 1), *account == '2' ? "SIP Account,2" : "");
        }
        f.set({"APPLICATION_SELECTED=1"}); // the second IP-PBX has no account
        QCOMPARE(f.survey().mid(1, 1) + f.survey().mid(13, 1), QStringList({"IP-PBX2 Configuration", ""}));
    }

    // The General Setup answers that send a section to its page are read as the pages read their lists:
    // blanks around them send it where the bare answer does.
    void paddedSetupRows_data()
    {
        QTest::addColumn<QString>("setup"); // the General Setup row
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("field"); // the field the section's first row lands on
        QTest::newRow("one-network WAN") << "Network Setup, WAN "
                                         << "WAN Interface"
                                         << "P4_A";
        QTest::newRow("WAN with tabs") << "Network Setup,\tWAN\t"
                                       << "WAN Interface"
                                       << "P4_A";
        QTest::newRow("two networks") << "Network Setup, LAN_WAN "
                                      << "WAN Interface"
                                      << "P5_A";
        QTest::newRow("normalization") << "Application, NORMALIZATION "
                                       << "IP-PBX2 Configuration"
                                       << "P8_A";
        QTest::newRow("trunk") << "Application, ITSP "
                               << "Remote Users Configuration"
                               << "P12_A";
    }

    void paddedSetupRows()
    {
        QFETCH(QString, setup);
        QFETCH(QString, section);
        Fixture f;
        for (const char *list : {"APPLICATION", "NETWORK"})
            WizardData::instance()->fields[list].choice = FieldInfo::ListEntry;
        QVERIFY(f.load(("Site Survey\n\nGeneral Setup\n-------------------\n" + setup + "\n\n" + section
                           + "\n-------------------\nAlpha,10.0.0.9\n")
                           .toUtf8())
                    .isEmpty());
        QTEST(WizardData::instance()->values.key(QStringLiteral("10.0.0.9")), "field");
    }

    // Reading: a header with a trailing comma and no API line, CRLF, rows without a value, unmapped rows,
    // titles no page writes; the titles two pages write go through the page of the loaded application.
    // Refused files leave no loaded values behind.
    void loading_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("result"); // the loaded values, or the message box
        const QByteArray head = "Site Survey,\r\n\r\nGeneral Setup\r\n-------------------\r\nApplication,";
        QTest::newRow("rows and sections") << head
                + "REMOTEUSERS\r\nNetwork Setup,WAN\r\nUnmapped,ERROR\r\nAlpha\r\n"
                  "\r\nWAN Interface\r\n-------------------\r\nAlpha,on the LAN page\r\n"
                  // A blank line between title and dashes: an unknown section, kept with the page before.
                  "\r\nIP-PBX Configuration\r\n\r\n-------------------\r\nAlpha,still the LAN page\r\n"
                  "Undefined Title\r\n-------------------\r\nBeta,\r\n"
                  // A quote that does not close at a cell's end is text, as before quoting.
                  "System Configuration\r\n-------------------\r\nAlpha,\"ab,c\r\nBeta,x\"y\r\n"
                                           << "APPLICATION=REMOTEUSERS|NETWORK=WAN|P3_A=\"ab,c|P3_B=x\"y|"
                                              "P4_A=still the LAN page|P4_B=";
        for (const char *row : {"ITSP P11_A=pbx2|P12_A=remote", "NORMALIZATION P13_A=remote|P8_A=pbx2",
                 "REMOTEUSERS P11_A=pbx2|P13_A=remote"}) {
            QTest::newRow(row) << head + QString(row).section(' ', 0, 0).toLatin1()
                    + "\n\nIP-PBX2 Configuration\n-------------------\nAlpha,pbx2\n"
                      "\nRemote Users Configuration\n-------------------\nAlpha,remote\n"
                               << "APPLICATION=" + QString(row).replace(' ', '|');
        }
        const QString failed = "Load Survey: Failed to load site survey.\nThe file was ";
        const QString version = failed + "generated by incompatible version of Brambleon Assistant.";
        const QByteArray body = "\nProduct\n-------------------\nProduct,QA1\nVersion,7.0\n";
        QTest::newRow("title") << "site survey\n" + body
                               << failed + "not generated by Brambleon Assistant." + "|OLD=x";
        QTest::newRow("version 3") << "Site Survey\nAPI Version,3\n" + body << version + "|OLD=x";
        QTest::newRow("too long") << "Site Survey\n" + body + "Customer," + QByteArray(32768, 'x') + "\n"
                                  << "Load Survey: Can't continue: Product: End Customer: Invalid value - longer "
                                     "than 32767 characters|OLD=x";
        // A file larger than any survey is refused before it is read whole; one at the limit loads.
        const QByteArray limit = "Site Survey\n" + body + "Unmapped,";
        QTest::newRow("at the size limit")
            << limit + QByteArray(SurveyReader::MaxFileSize - limit.size(), 'x') << "PRODUCT=QA1|VERSION=7.0";
        QTest::newRow("larger than a survey")
            << limit + QByteArray(SurveyReader::MaxFileSize - limit.size() + 1, 'x')
            << "Load Survey: Failed to load site survey.\nThe file is larger than any site survey (over 1 "
               "MB).|OLD=x";
        // Lines that end in CR alone; a line end inside a quoted value stays, and is refused.
        QTest::newRow("CR only") << QByteArray(
            "Site Survey\r\rSystem Configuration\r-------------------\rAlpha,\"a\r\nb\"\r"
            "Beta,x,\"(0=a, \"\"b\"\")\"\r")
                                 << "Load Survey: Can't continue: the loaded P3_A: the character U+000D is not "
                                    "allowed|OLD=x";
        QTest::newRow("CR only, taken")
            << QByteArray("Site Survey\r\rSystem Configuration\r-------------------\rAlpha,\"a\"\"b\"\r"
                          "Beta,x,\"(0=a, \"\"b\"\")\"\r")
            << "P3_A=a\"b|P3_B=x";
        // Read as UTF-8, with or without its byte-order mark, or as UTF-16 after its own; a NUL or a byte
        // that is no UTF-8 stops the load, naming the row.
        const QString customer = "Load Survey: Can't continue: Product: End Customer: Invalid value - the loaded "
                                 "CUSTOMER";
        QTest::newRow("UTF-8") << "\xef\xbb\xbfSite Survey\n" + body + "Customer,Caf\xc3\xa9\n"
                               << QString::fromUtf8("CUSTOMER=Caf\xc3\xa9|PRODUCT=QA1|VERSION=7.0");
        const QString wide
            = QChar(0xfeff) + QString("Site Survey\n") + body + QString::fromUtf8("Customer,Caf\xc3\xa9\n");
        QTest::newRow("UTF-16") << QByteArray(reinterpret_cast<const char *>(wide.utf16()), wide.size() * 2)
                                << QString::fromUtf8("CUSTOMER=Caf\xc3\xa9|PRODUCT=QA1|VERSION=7.0");
        QTest::newRow("not UTF-8") << "Site Survey\n" + body + "Customer,Caf\xe9\n"
                                   << customer + " is not UTF-8 text|OLD=x";
        QTest::newRow("not UTF-8 after the mark") << "\xef\xbb\xbfSite Survey\n" + body + "Customer,Caf\xe9\n"
                                                  << customer + " is not UTF-8 text|OLD=x";
        QTest::newRow("NUL") << "Site Survey\n" + body + "Customer,Lobby" + '\0' + "-4001\n"
                             << customer + ": the character U+0000 is not allowed|OLD=x";
        // Format characters newer than the toolkit's tables are refused as the others are.
        QTest::newRow("Unicode 14 format") << "Site Survey\n" + body
                + "Customer,\xe0\xa2\x90"
                  "Acme\n" << customer + ": the character U+0890 is not allowed|OLD=x";
        // A file that cannot be opened is refused as loudly as the others.
        QTest::newRow("cannot be opened") << QByteArray()
                                          << "Load Survey: Failed to load site survey.\nCan't read "
                                             "file '"
                + TestEnvironment::home() + "/none.csv'.|OLD=x";
        // A spreadsheet splits an unquoted comment at its comma: its re-save still reads the value.
        QTest::newRow("re-saved comment with a comma")
            << resaved("Site Survey\n\nGateway Configuration\n-------------------\n"
                       "Alpha,1,(0=bri; 1=e1; 2=t1, 3=fxs)\nBeta,0,(0=disable, 1=enable)\n")
            << "P6_A=1|P6_B=0";
    }

    void loading()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, result);
        Fixture f;
        WizardData::instance()->setValue(QStringLiteral("OLD"), QStringLiteral("x"));
        QStringList got = f.load(text);
        const QHash<QString, QString> &values = WizardData::instance()->values;
        for (auto it = values.constBegin(); it != values.constEnd(); ++it)
            got << it.key() + '=' + it.value();
        std::sort(got.begin(), got.end());
        QCOMPARE(got.join('|'), result);
    }

    // The first line end decides whether a lone CR ends lines; elsewhere it is text of its value.
    void lineEnds_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("second"); // the second row's cells, joined by "|"
        QTest::newRow("LF, a lone CR in a value") << "Site Survey\nAlpha,a\rb\nBeta,c\n"
                                                  << "Alpha|a\rb";
        QTest::newRow("CR LF") << "Site Survey\r\nAlpha,a\r\nBeta,c\r\n"
                               << "Alpha|a";
        QTest::newRow("CR only") << "Site Survey\rAlpha,a\rBeta,c\r"
                                 << "Alpha|a";
        QTest::newRow("LF, a quoted line end") << "Site Survey\nAlpha,\"a\r\nb\"\nBeta,c\n"
                                               << "Alpha|a\r\nb";
    }

    void lineEnds()
    {
        QFETCH(QString, text);
        const QVector<SurveyReader::Record> rows = SurveyReader::records(text);
        QCOMPARE(rows.size(), 3);
        QTEST(rows.at(1).cells.join('|'), "second");
    }

    // Rows the writer and a spreadsheet write, read back: only the writer's comment goes, and a quoted
    // cell only when it is the whole value or followed by that comment. A null line: read only.
    void quotedCellsAndComments_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("comment");
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("read");
        const auto row = [](const char *value, const char *comment, const char *line, const char *read) {
            QTest::newRow(line) << QString(value) << QString(comment) << QString(line) << QString(read);
        };
        row("", "c", "L,,(c)", "");
        row("say \"hi\"", "c", "L,\"say \"\"hi\"\"\",(c)", "say \"hi\"");
        row("a\r\nb", "c\r\nd", "L,\"a\r\nb\",(c  d)", "a\r\nb");
        row("x,(a)b", nullptr, "L,x,(a)b", "x,(a)b");
        row("x,(a))", nullptr, "L,x,(a))", "x,(a))");
        row("x,\"(c)\"y", nullptr, "L,x,\"(c)\"y", "x,\"(c)\"y");
        row("x,\"(a(b)\"", nullptr, "L,x,\"(a(b)\"", "x,\"(a(b)\"");
        row("a,\"(b", nullptr, "L,a,\"(b,\"(c)\"", "a,\"(b");
        row("5\"", nullptr, "L,5\"", "5\"");
    }

    void quotedCellsAndComments()
    {
        QFETCH(QString, value);
        QFETCH(QString, comment);
        QFETCH(QString, line);
        if (!comment.isNull())
            QCOMPARE(SurveyWriter::row("L", value, comment), line);
        QTEST(SurveyReader::rowValue(line), "read");
    }
};

BRAMBLEON_TEST_MAIN(TestSurvey)
#include "tst_Survey.moc"
