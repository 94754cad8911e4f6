#include "services/UpdateInfo.h"

#include <QRegularExpression>

UpdateInfo UpdateInfo::parse(const QString &text)
{
    static const QRegularExpression program(QStringLiteral("VERSION\\s+(\\d+)\\.(\\d+)"));
    static const QRegularExpression pack(QStringLiteral("templates4.zip\\s+(\\d+)\\.(\\d+)"));
    UpdateInfo info;
    const QRegularExpressionMatch p = program.match(text);
    if (p.hasMatch()) {
        info.hasProgram = true;
        info.programMajor = p.captured(1).toInt();
        info.programMinor = p.captured(2).toInt();
    }
    const QRegularExpressionMatch t = pack.match(text);
    if (t.hasMatch()) {
        info.hasPack = true;
        info.packMajor = t.captured(1).toInt();
        info.packMinor = t.captured(2).toInt();
        info.packText = t.captured(1) + QLatin1Char('.') + t.captured(2);
    }
    return info;
}

bool UpdateInfo::isNewer(int major, int minor, int thanMajor, int thanMinor)
{
    return major > thanMajor || (major == thanMajor && minor > thanMinor);
}
