// Times IniDocument against QSettings on synthetic device INI files, and the INI-to-CLI
// conversion on a large INI against a large map. Inputs come from bench/generate_bench_inputs.py.
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
        if (name == QLatin1String("device-1mb.ini"))
            oneMb = document;
        else if (name == QLatin1String("device-10mb.ini"))
            tenMb = document;
        else if (name == QLatin1String("long-rows.ini"))
            longRows = document;
    }
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
    const bool met = oneMb > 0 && tenMb / oneMb < 12 && longRows < 1000;
    out << (met ? "parse targets met\n" : "parse targets NOT met\n");
    return 0;
}
