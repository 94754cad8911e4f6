#include "data/IniCopy.h"

#include <QDir>
#include <QStandardPaths>

QString IniCopy::fileName(const QString &address, int iniFileVersion)
{
    QString name = address;
    for (QChar &c : name) {
        const bool kept = (c.unicode() < 128 && c.isLetterOrNumber()) || c == QLatin1Char('.')
            || c == QLatin1Char('-') || c == QLatin1Char('_');
        if (!kept)
            c = QLatin1Char('_');
    }
    return QStringLiteral("%1_%2.ini").arg(name).arg(iniFileVersion);
}

QString IniCopy::folder()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::DataLocation)).filePath(QStringLiteral("ini"));
}

QString IniCopy::path(const QString &address, int iniFileVersion)
{
    return QDir(folder()).filePath(fileName(address, iniFileVersion));
}
