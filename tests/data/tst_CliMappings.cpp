#include "TemplateAnswers.h"
#include "TestEnvironment.h"
#include "data/WizardData.h"
#include "ini/CliMap.h"
#include "ini/IniDocument.h"
#include "ini/IniParameter.h"
#include "ini/IniTable.h"
#include "ini/IniToCliConverter.h"

#include <QApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QtTest>

namespace
{
const char *const versions[] = {"6.6", "6.8", "7.0", "7.2"};

QString resourceText(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// Whether an INI value fits what the map says of its column (of table) or parameter: an enumerated
// one gets a listed number, one that gives by name what another column enumerates uses the
// device's word, and a command that refers to a row by its name gets no index.
bool fits(const CliMapTable &table, const CliMapEntry &entry, const QString &value)
{
    bool number = false;
    const int n = value.toInt(&number, 10);
    if (!entry.values.isEmpty())
        return number && entry.values.contains(n);
    for (const CliMapEntry &other : table.columns) {
        if (other.command == entry.command && !other.values.isEmpty() && !value.isEmpty()
            && !other.values.values().contains(value))
            return false;
    }
    return !(entry.command.endsWith(QLatin1String("-name")) && number);
}

} // namespace

class TestCliMappings : public QObject
{
    Q_OBJECT
private slots:
    void init() { TestEnvironment::freshWizardData(); }

    void generatedFilesAreCurrent()
    {
        const QString source = qEnvironmentVariable("BRAMBLEON_SOURCE_DIR");
        if (source.isEmpty())
            QSKIP("source directory unknown");
        QProcess python;
        python.start(QStringLiteral("python3"), {source + QStringLiteral("/scripts/gen_cli_maps.py"), "--check"});
        QVERIFY(python.waitForFinished(-1));
        QVERIFY2(python.exitCode() == 0, python.readAllStandardError().constData());
    }

    // The files as the reader takes them: every record filed once, a number read back one way, the
    // commands the converter keys on, every default override applied.
    void mappingFiles()
    {
        CliMap *map = CliMap::instance();
        // A version without a file of its own takes the current one.
        QCOMPARE(CliMap::resourceFor("6.8") + ' ' + CliMap::resourceFor("6.60"), ":/cli-6.8.txt :/cli.txt");
        // The defaults file overrides a parameter's default too.
        map->loadText("configure a/b -> EnableSBCApplication\n  Default: 1\n  Help: h\n");
        QCOMPARE(map->parameters.value("enablesbcapplication").defaultValue, QStringLiteral("0"));
        const QStringList defaults = resourceText(":/defaults.txt").split('\n', Qt::SkipEmptyParts);
        QVERIFY(defaults.size() > 1);
        for (const char *version : versions) {
            const QStringList lines = resourceText(CliMap::resourceFor(version)).split('\n');
            map->load(version);
            int loaded = map->parameters.size();
            for (const CliMapTable &table : qAsConst(map->tables))
                loaded += table.columns.size();
            QCOMPARE(loaded, lines.filter(QRegularExpression("^configure .* -> [^{]")).size());
            for (const QString &line : lines.filter(QRegularExpression("^  Values: "))) {
                const QStringList pairs = line.mid(10).split(',');
                QSet<QString> words, numbers;
                for (const QString &pair : pairs) {
                    words.insert(pair.section('/', 0, 0));
                    numbers.insert(pair.section('/', 1));
                }
                QVERIFY2(words.size() == pairs.size() && numbers.size() == pairs.size(), qPrintable(line));
            }
            for (const char *keyed : {"ipprofile ip-profile", "audiocoders audio-coders-groups",
                     "allowedaudiocoders allowed-audio-coders-groups"})
                QCOMPARE(map->tables.value(QString(keyed).section(' ', 0, 0)).command,
                    "coders-and-profiles " + QString(keyed).section(' ', 1));
            for (const QString &line : defaults) {
                const QString name = line.section(' ', 0, 0).toLower();
                const QString key = name.contains(':') ? name.section(':', 1) : name;
                const QHash<QString, CliMapEntry> entries
                    = name.contains(':') ? map->tables.value(name.section(':', 0, 0)).columns : map->parameters;
                QVERIFY2(line.startsWith('#') || entries.value(key).defaultValue == line.section(' ', 1),
                    qPrintable(line));
            }
        }
    }

    void conversionThroughWizardData()
    {
        WizardData *data = WizardData::instance();
        data->iniLines = QStringList{"EnableSyslog = 1"};
        const QStringList cli{"configure troubleshoot", "  syslog", "    set syslog on", "    exit", "  exit"};
        QCOMPARE(data->convertIniToCli("6.6"), cli);
        QCOMPARE(data->cliLines, cli);
        QCOMPARE(data->convertIniToCli("7.2").value(2), QStringLiteral("    syslog on"));
    }

    void generated_data() { TemplateAnswers::addRows(); }

    // What each configuration writes converts for every version (no table dropped, no column marked "(?)",
    // nothing but the file version left to the raw voice-config block) and means what the map says; coder rows are
    // keyed by group and position 0, 1, ... in each group.
    void generated()
    {
        TemplateAnswers configuration;
        const IniDocument document(configuration.generateRow().join(QLatin1Char('\n')));
        CliMap *map = CliMap::instance();
        // A column as a FORMAT line names it, with or without the table's prefix.
        const auto column = [map](const QString &table, const QString &name) {
            const CliMapTable &columns = map->tables.value(table.toLower());
            return columns.columns.value(
                name.toLower(), columns.columns.value(table.toLower() + '_' + name.toLower()));
        };
        static const QRegularExpression coderKey("^  coders-and-profiles audio-coders-groups (\\d+)/(\\d+)$");
        for (const char *version : versions) {
            QHash<QString, int> nextPosition;
            const QStringList cli = IniToCliConverter(document, version).convert();
            QStringList lost
                = cli.filter("(?)") + cli.filter(QRegularExpression("^    (?!INIFileVersion)\\S+ = "));
            for (const IniTable *table : document.tables)
                lost << (map->tables.contains(table->name.toLower()) ? QString() : table->name);
            QVERIFY2(lost.join("").isEmpty(), qPrintable(version + lost.join('/')));
            for (const QString &line : cli) {
                const QRegularExpressionMatch m = coderKey.match(line);
                QVERIFY2(!line.startsWith(QLatin1String("  coders-and-profiles audio-coders-groups "))
                        || (m.hasMatch() && m.captured(2).toInt() == nextPosition[m.captured(1)]++),
                    qPrintable(version + line));
            }
            QVERIFY(!nextPosition.isEmpty());
            for (const IniParameter *parameter : document.parameters)
                QVERIFY2(fits({}, map->parameters.value(parameter->name.toLower()), parameter->text),
                    qPrintable(version + parameter->name));
            for (const IniTable *table : document.tables) {
                for (int c = 0; c < table->columns.size(); ++c) {
                    for (int r : table->rowOrder)
                        QVERIFY2(fits(map->tables.value(table->name.toLower()),
                                     column(table->name, table->columns.at(c)), table->value(r, c, false)),
                            qPrintable(QStringLiteral("%1 %2 %3 %4").arg(version, table->name).arg(r).arg(c)));
                }
            }
        }
    }
};

BRAMBLEON_TEST_MAIN(TestCliMappings)
#include "tst_CliMappings.moc"
