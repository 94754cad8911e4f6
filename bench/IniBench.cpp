// Times IniDocument against QSettings on synthetic device INI files, the INI-to-CLI conversion on a
// large INI against a large map, and two wide-table shapes with their peak memory. Inputs come from
// bench/generate_bench_inputs.py.
//   brambleon_bench INPUT_DIR

#include "data/WizardData.h"
#include "ini/CliMap.h"
#include "ini/IniDocument.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace
{
constexpr int Rounds = 5;

QByteArray readBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

// Best of a few rounds: the file is read, decoded and parsed each time.
double parseWithDocument(const QString &path, int &elements)
{
    double best = 1e9;
    for (int round = 0; round < Rounds; ++round) {
        QElapsedTimer timer;
        timer.start();
        const IniDocument document(QString::fromUtf8(readBytes(path)));
        elements = document.elements.size();
        best = std::min(best, timer.nsecsElapsed() / 1e6);
    }
    return best;
}

// QSettings caches what it read per file name, so every round reads a fresh copy.
double parseWithSettings(const QString &path, const QTemporaryDir &scratch, int &keys)
{
    double best = 1e9;
    for (int round = 0; round < Rounds; ++round) {
        const QString copy = scratch.filePath(QStringLiteral("%1-%2").arg(round).arg(QFileInfo(path).fileName()));
        QFile::copy(path, copy);
        QElapsedTimer timer;
        timer.start();
        {
            QSettings settings(copy, QSettings::IniFormat);
            keys = settings.allKeys().size();
        }
        best = std::min(best, timer.nsecsElapsed() / 1e6);
    }
    return best;
}
// Peak resident memory is measured from here (Linux: the kernel resets its high-water mark), after
// what earlier rounds freed has gone back to the system.
void resetPeakMemory()
{
#ifdef __GLIBC__
    malloc_trim(0);
#endif
    QFile file(QStringLiteral("/proc/self/clear_refs"));
    if (file.open(QIODevice::WriteOnly))
        file.write("5");
}

// A memory figure of /proc/self/status ("VmHWM" the peak since the last reset, "VmRSS" the current
// one) in MB; 0 where the system does not tell.
double memoryMb(const char *key)
{
    QFile file(QStringLiteral("/proc/self/status"));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return 0;
    for (const QByteArray &line : file.readAll().split('\n')) {
        if (line.startsWith(QByteArray(key) + ':'))
            return line.mid(int(qstrlen(key)) + 1).trimmed().split(' ').value(0).toDouble() / 1024;
    }
    return 0;
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    if (argc != 2) {
        out << "usage: brambleon_bench INPUT_DIR\n";
        return 2;
    }
    const QDir inputs(QString::fromLocal8Bit(argv[1]));
    QTemporaryDir scratch;

    out << QStringLiteral("%1 %2 %3 %4 %5\n")
               .arg(QStringLiteral("file"), -18)
               .arg(QStringLiteral("MB"), 7)
               .arg(QStringLiteral("IniDocument ms"), 15)
               .arg(QStringLiteral("QSettings ms"), 13)
               .arg(QStringLiteral("ratio"), 7);
    double oneMb = 0;
    double oneMbRatio = 0;
    double tenMb = 0;
    double longRows = 0;
    for (const QString name : {"device-0.1mb.ini", "device-1mb.ini", "device-10mb.ini", "long-rows.ini"}) {
        const QString path = inputs.filePath(name);
        const qint64 size = QFileInfo(path).size();
        if (size <= 0) {
            out << "missing input " << path << "\n";
            return 1;
        }
        int elements = 0;
        int keys = 0;
        const double document = parseWithDocument(path, elements);
        const double settings = parseWithSettings(path, scratch, keys);
        out << QStringLiteral("%1 %2 %3 %4 %5\n")
                   .arg(name, -18)
                   .arg(size / 1e6, 7, 'f', 2)
                   .arg(document, 15, 'f', 1)
                   .arg(settings, 13, 'f', 1)
                   .arg(document / settings, 7, 'f', 2);
        out.flush();
        if (name == QLatin1String("device-1mb.ini")) {
            oneMb = document;
            oneMbRatio = document / settings;
        } else if (name == QLatin1String("device-10mb.ini")) {
            tenMb = document;
        } else if (name == QLatin1String("long-rows.ini")) {
            longRows = document;
        }
    }
    out << QStringLiteral("1 MB against QSettings: %1 (target below 1)\n").arg(oneMbRatio, 0, 'f', 2);
    out << QStringLiteral("10 MB / 1 MB parse time: %1 (target below 12)\n").arg(tenMb / oneMb, 0, 'f', 2);
    out << QStringLiteral("long rows: %1 ms (target below 1000)\n").arg(longRows, 0, 'f', 1);

    // Conversion: a large map loaded as the current one, then an empty version so it stays.
    const QString mapText = QString::fromUtf8(readBytes(inputs.filePath(QStringLiteral("convert-map.txt"))));
    const QString iniText = QString::fromUtf8(readBytes(inputs.filePath(QStringLiteral("convert.ini"))));
    QElapsedTimer timer;
    timer.start();
    CliMap::instance()->loadText(mapText);
    const double mapMs = timer.nsecsElapsed() / 1e6;
    int mapped = CliMap::instance()->parameters.size();
    for (const CliMapTable &table : qAsConst(CliMap::instance()->tables))
        mapped += table.columns.size();
    WizardData *data = WizardData::instance();
    data->iniLines = iniText.split(QLatin1Char('\n'));
    timer.restart();
    const QStringList cli = data->convertIniToCli(QString());
    const double convertMs = timer.nsecsElapsed() / 1e6;
    out << QStringLiteral("map: %1 records loaded in %2 ms\n").arg(mapped).arg(mapMs, 0, 'f', 1);
    out << QStringLiteral("convertIniToCli: %1 INI lines (%2 MB) to %3 CLI lines in %4 ms\n")
               .arg(data->iniLines.size())
               .arg(iniText.size() / 1e6, 0, 'f', 2)
               .arg(cli.size())
               .arg(convertMs, 0, 'f', 1);
    const bool met = oneMb > 0 && oneMbRatio < 1 && tenMb / oneMb < 12 && longRows < 1000;
    out << (met ? "parse targets met\n" : "parse targets NOT met\n");

    // Device-sized shapes that must stay linear in time and memory: a FORMAT line of 200,000 columns
    // with 2,000 short rows, parsed; one IpProfile row of 60,000 columns, parsed and converted.
    const QString wide = QString::fromUtf8(readBytes(inputs.filePath(QStringLiteral("wide-format.ini"))));
    const QString profile = QString::fromUtf8(readBytes(inputs.filePath(QStringLiteral("ip-profile.ini"))));
    CliMap::instance()->load(QStringLiteral("7.2"));
    data->iniLines.clear();
    data->cliLines.clear();
    resetPeakMemory();
    const double before = memoryMb("VmRSS");
    timer.restart();
    int wideRows = 0;
    {
        const IniDocument document(wide);
        wideRows = document.tableRows(QStringLiteral("WideFormat")).size();
    }
    const double wideMs = timer.nsecsElapsed() / 1e6;
    const double wideMb = memoryMb("VmHWM") - before;
    resetPeakMemory();
    timer.restart();
    data->iniLines = profile.split(QLatin1Char('\n'));
    const int profileLines = data->convertIniToCli(QString()).size();
    const double profileMs = timer.nsecsElapsed() / 1e6;
    const double profileMb = memoryMb("VmHWM") - before;
    out << QStringLiteral("memory held before the shapes: %1 MB; peaks below are above it\n")
               .arg(before, 0, 'f', 1);
    out << QStringLiteral("wide FORMAT: %1 rows of 200000 columns parsed in %2 ms, peak %3 MB\n")
               .arg(wideRows)
               .arg(wideMs, 0, 'f', 1)
               .arg(wideMb, 0, 'f', 1);
    out << QStringLiteral("IpProfile row of 60000 columns: %1 CLI lines in %2 ms, peak %3 MB\n")
               .arg(profileLines)
               .arg(profileMs, 0, 'f', 1)
               .arg(profileMb, 0, 'f', 1);
    const bool shapesMet = wideMs < 1000 && profileMs < 1000 && wideMb < 200 && profileMb < 200;
    out << (shapesMet ? "shape targets met (each below 1000 ms and 200 MB)\n"
                      : "shape targets NOT met (each below 1000 ms and 200 MB)\n");
    return 0;
}
