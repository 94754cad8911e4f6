#include "ini/CliMap.h"

#include <QFile>

namespace
{
const QString quotePair = QStringLiteral("\"\"");

void splitPath(const QString &path, QStringList &levels, QString &command)
{
    levels = path.split(QLatin1Char('/'));
    command = levels.takeLast();
}
} // namespace

CliMap::CliMap()
{
    load(QString());
}

CliMap *CliMap::instance()
{
    static CliMap *map = new CliMap;
    return map;
}

QString CliMap::resourceFor(const QString &version)
{
    const QString own = QStringLiteral(":/cli-") + version + QStringLiteral(".txt");
    return QFile::exists(own) ? own : QStringLiteral(":/cli.txt");
}

void CliMap::load(const QString &version)
{
    QFile file(resourceFor(version));
    if (file.open(QIODevice::ReadOnly))
        loadText(QString::fromUtf8(file.readAll()));
    else
        loadText(QString());
}

void CliMap::loadText(const QString &text)
{
    parameters.clear();
    tables.clear();

    CliMapTable table; // open while its command is not empty
    CliMapEntry entry;
    const auto storeTable = [this, &table]() {
        tables.insert(table.name.toLower(), table);
        table = CliMapTable();
    };

    const QStringList lines = text.split(QLatin1Char('\n'));
    for (QString line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.startsWith(QLatin1String("configure"))) {
            const QStringList parts = line.split(QLatin1String(" -> "));
            if (parts.size() != 2)
                continue;
            const QString &left = parts.at(0);
            const QString &right = parts.at(1);
            if (right.startsWith(QLatin1Char('{'))) {
                if (!table.command.isEmpty())
                    storeTable();
                table.name = right.mid(1, right.size() - 2);
                table.path = left;
                splitPath(left, table.levels, table.command);
            } else {
                entry = CliMapEntry();
                entry.iniName = right;
                entry.path = left;
                splitPath(left, entry.levels, entry.command);
                entry.defaultValue = quotePair;
            }
        } else if (entry.command.isEmpty()) {
            continue;
        } else if (line.startsWith(QLatin1String("  Values: "))) {
            entry.values.clear();
            const QStringList pieces = line.mid(10).split(QLatin1Char(','));
            for (const QString &piece : pieces) {
                const QStringList pair = piece.split(QLatin1Char('/'));
                if (pair.size() != 2)
                    continue;
                const int number = pair.at(1).toInt(nullptr, 10);
                if (!entry.values.contains(number))
                    entry.values.insert(number, pair.at(0));
            }
        } else if (line.startsWith(QLatin1String("  Default: "))) {
            QString value = line.mid(11);
            const int slash = value.indexOf(QLatin1Char('/'));
            if (!value.startsWith(QLatin1Char('"')) && slash >= 0 && slash < value.size() - 1)
                value = value.mid(slash + 1);
            if (value.endsWith(QLatin1Char('*')) && value.size() > 1)
                value.chop(1);
            if (value == QLatin1String("0xFF"))
                value = QStringLiteral("255");
            else if (value == QLatin1String("0xFFFFFFFF"))
                value = QStringLiteral("-1");
            entry.defaultValue = value;
        } else if (line.startsWith(QLatin1String("  Help: "))) {
            const QString key = entry.iniName.toLower();
            if (!table.command.isEmpty() && !entry.levels.isEmpty() && entry.levels.last() == table.command) {
                table.columns.insert(key, entry);
            } else {
                if (!table.command.isEmpty())
                    storeTable();
                parameters.insert(key, entry);
            }
            entry = CliMapEntry();
        }
    }
    if (!table.command.isEmpty())
        storeTable();
    loadDefaults();
}

void CliMap::loadDefaults()
{
    QFile file(QStringLiteral(":/defaults.txt"));
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    for (QString line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.startsWith(QLatin1Char('#')) || line.indexOf(QLatin1Char(' '), 1) < 0)
            continue;
        const int blank = line.indexOf(QLatin1Char(' '));
        const QString name = line.left(blank).toLower();
        const QString value = line.mid(blank + 1);
        const int colon = name.indexOf(QLatin1Char(':'), 1);
        if (colon > 0) {
            auto table = tables.find(name.left(colon));
            if (table == tables.end())
                continue;
            auto column = table->columns.find(name.mid(colon + 1));
            if (column != table->columns.end())
                column->defaultValue = value;
        } else {
            auto parameter = parameters.find(name);
            if (parameter != parameters.end())
                parameter->defaultValue = value;
        }
    }
}
