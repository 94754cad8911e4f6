#include "data/TemplatePack.h"

#include "data/SafeFileWriter.h"
#include "data/WizardData.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPixmap>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <QTextStream>

#include <algorithm>
#include <quazipfile.h>
#include <quazipfileinfo.h>
#include <zlib.h>

namespace
{
const QString kZipPrefix = QStringLiteral("zip:");
const QString kResourceDir = QStringLiteral(":/templates");
constexpr qint64 kIconBytes = 10240;

// Copies source to target whole; target changes only when the copy is complete.
bool copyWhole(const QString &source, const QString &target)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = in.readAll();
    return in.error() == QFileDevice::NoError && SafeFileWriter::write(target, bytes);
}

QStringList filesIn(const QDir &dir, const QString &suffix)
{
    // Name filters ignore letter case unless QDir::CaseSensitive is given.
    return dir.entryList({QStringLiteral("*.") + suffix}, QDir::Files | QDir::NoSymLinks);
}
} // namespace

const char *TemplatePack::password()
{
    return "Br@mble0n#Pk!";
}

QString TemplatePack::packPath()
{
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::DataLocation);
    return QDir(dir).absoluteFilePath(fileName());
}

void TemplatePack::install(const QString &sourcePack)
{
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::DataLocation);
    QDir().mkpath(dir);
    const QString installed = packPath();
    const bool haveSource = QFileInfo(sourcePack).isFile();
    bool copy = !QFileInfo::exists(installed);
    if (!copy && haveSource) {
        int newMajor = 0, newMinor = 0, oldMajor = 0, oldMinor = 0;
        QString build;
        readVersion(sourcePack, newMajor, newMinor, build);
        readVersion(installed, oldMajor, oldMinor, build);
        copy = newMajor > oldMajor || (newMajor == oldMajor && newMinor > oldMinor);
    }
    if (copy && haveSource && entriesWithinLimit(sourcePack))
        copyWhole(sourcePack, installed);
}

bool TemplatePack::installDownloaded(const QByteArray &bytes)
{
    const QString target = packPath();
    QDir().mkpath(QFileInfo(target).absolutePath());
    // The download is checked beside the installed pack before it takes that pack's place.
    QTemporaryFile file(target + QStringLiteral(".XXXXXX"));
    if (!file.open() || !SafeFileWriter::writeAll(file, bytes))
        return false;
    file.close();
    int major = 0, minor = 0;
    QString build;
    // A pack the start-up install would refuse is refused here too.
    if (!readVersion(file.fileName(), major, minor, build) || !entriesWithinLimit(file.fileName()))
        return false;
    return SafeFileWriter::write(target, bytes);
}

bool TemplatePack::entriesWithinLimit(const QString &zipPath)
{
    QuaZip zip(zipPath);
    if (!zip.open(QuaZip::mdUnzip))
        return true; // nothing in it can be read anyway
    bool within = true;
    for (bool more = zip.goToFirstFile(); more && within; more = zip.goToNextFile()) {
        QuaZipFile file(&zip);
        if (!file.open(QIODevice::ReadOnly, password()))
            continue;
        char buffer[65536];
        qint64 total = 0;
        for (qint64 n; within && (n = file.read(buffer, sizeof buffer)) > 0;) {
            total += n;
            within = total <= MaxEntryBytes;
        }
        file.close();
    }
    zip.close();
    return within;
}

bool TemplatePack::readVersion(const QString &zipPath, int &major, int &minor, QString &build)
{
    QByteArray bytes;
    if (!readEntry(zipPath, QStringLiteral("version.txt"), bytes))
        return false;
    static const QRegularExpression versionLine(QStringLiteral("VERSION\\s+(\\d+)\\.(\\d+)(\\.*)"));
    bool found = false;
    for (const QString &line : textLines(bytes)) {
        const QRegularExpressionMatch m = versionLine.match(line);
        if (m.hasMatch()) {
            major = m.captured(1).toInt();
            minor = m.captured(2).toInt();
            found = true;
        }
        if (line.startsWith(QLatin1String("BUILD")))
            build = line.mid(6);
    }
    return found;
}

void TemplatePack::count(const QString &zipPath, int &templateCount, int &pbxCount, int &itspCount)
{
    templateCount = pbxCount = itspCount = 0;
    QStringList names;
    entryNames(zipPath, names);
    for (const QString &name : names) {
        if (name.endsWith(QLatin1String(".template")))
            ++templateCount;
        else if (name.endsWith(QLatin1String(".pbx")))
            ++pbxCount;
        else if (name.endsWith(QLatin1String(".itsp")))
            ++itspCount;
    }
}

bool TemplatePack::entryNames(const QString &zipPath, QStringList &names)
{
    names.clear();
    if (!QFileInfo(zipPath).isFile())
        return false;
    QuaZip zip(zipPath);
    if (!zip.open(QuaZip::mdUnzip))
        return false;
    names = zip.getFileNameList();
    zip.close();
    return true;
}

bool TemplatePack::readEntry(
    const QString &zipPath, const QString &entry, QByteArray &data, QuaZip::CaseSensitivity cs, qint64 maxBytes)
{
    data.clear();
    if (!QFileInfo(zipPath).isFile())
        return false;
    QuaZip zip(zipPath);
    if (!zip.open(QuaZip::mdUnzip))
        return false;
    bool ok = zip.setCurrentFile(entry, cs);
    if (ok) {
        QuaZipFile file(&zip);
        ok = file.open(QIODevice::ReadOnly, password());
        if (ok) {
            // An entry under another password opens fine, then every read fails and the end never
            // comes: stop at the first failed read rather than waiting for the end.
            // What the header claims is not trusted: reading stops past the limit.
            char buffer[16384];
            for (;;) {
                qint64 want = qint64(sizeof buffer);
                if (maxBytes >= 0)
                    want = qMin(want, maxBytes - data.size());
                if (want <= 0)
                    break;
                const qint64 n = file.read(buffer, want);
                if (n < 0)
                    ok = false;
                if (n <= 0)
                    break;
                data.append(buffer, int(n));
                if (data.size() > MaxEntryBytes) {
                    ok = false;
                    break;
                }
            }
            // A wrong password passes the format's one-byte check now and then, and what it decrypts
            // may end early without a read error: check a whole read against size and checksum.
            if (ok && maxBytes < 0) {
                QuaZipFileInfo64 info;
                ok = zip.getCurrentFileInfo(&info) && quint64(data.size()) == info.uncompressedSize
                    && crc32(0, reinterpret_cast<const Bytef *>(data.constData()), uInt(data.size())) == info.crc;
            }
            ok = ok && file.getZipError() == UNZ_OK;
            file.close(); // checks the CRC when the entry was read to its end
            ok = ok && file.getZipError() == UNZ_OK;
        }
    }
    zip.close();
    if (!ok)
        data.clear();
    return ok;
}

bool TemplatePack::readSource(const QString &path, QByteArray &data)
{
    data.clear();
    if (path.startsWith(kZipPrefix))
        return readEntry(packPath(), path.mid(kZipPrefix.size()), data);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    data = file.read(MaxEntryBytes + 1);
    if (data.size() <= MaxEntryBytes)
        return true;
    data.clear();
    return false;
}

QStringList TemplatePack::textLines(const QByteArray &bytes)
{
    QStringList lines;
    QTextStream stream(bytes, QIODevice::ReadOnly);
    QString line;
    while (stream.readLineInto(&line))
        lines << line;
    return lines;
}

QStringList TemplatePack::templateText(const QByteArray &bytes)
{
    QStringList lines = textLines(bytes);
    lines.erase(std::remove_if(lines.begin(), lines.end(),
                    [](const QString &line) { return line.startsWith(QLatin1String(";;")); }),
        lines.end());
    return lines;
}

QList<TemplateInfo> TemplatePack::list(const QString &suffix)
{
    QStringList paths = filesIn(QDir::current(), suffix);
    QStringList entries;
    entryNames(packPath(), entries);
    const QString ending = QLatin1Char('.') + suffix;
    for (const QString &entry : qAsConst(entries)) {
        if (entry.endsWith(ending))
            paths << kZipPrefix + entry;
    }
    for (const QString &name : filesIn(QDir(kResourceDir), suffix))
        paths << kResourceDir + QLatin1Char('/') + name;
    std::sort(paths.begin(), paths.end());

    QList<TemplateInfo> result;
    for (const QString &path : qAsConst(paths)) {
        QByteArray bytes;
        if (!readSource(path, bytes))
            continue;
        TemplateInfo info;
        info.path = path;
        QTextStream stream(bytes, QIODevice::ReadOnly);
        if (!parseHeader(stream, info))
            continue;
        if (!path.startsWith(kZipPrefix) && !path.startsWith(QLatin1Char(':'))) {
            info.name = info.name.trimmed() + TemplateInfo::looseMark();
            info.type = TemplateInfo::LooseFile;
        }
        result << info;
    }
    return result;
}

bool TemplatePack::parseHeader(QTextStream &stream, TemplateInfo &info)
{
    static const QRegularExpression nameLine(QStringLiteral("^#(template|name)\\s+(.+)"));
    static const QRegularExpression applicationLine(QStringLiteral("^#application\\s+(.+)"));
    static const QRegularExpression typeLine(QStringLiteral("^#type\\s+(.+)"));
    static const QRegularExpression iconLine(QStringLiteral("^#icon\\s+(.+)"));
    info.application = -1;
    info.type = TemplateInfo::Released;
    QString line;
    while (stream.readLineInto(&line)) {
        if (!line.startsWith(QLatin1Char('#')))
            continue;
        QRegularExpressionMatch m = nameLine.match(line);
        if (m.hasMatch())
            info.name = m.captured(2);
        m = applicationLine.match(line);
        if (m.hasMatch()) {
            const QString code = m.captured(1).toLower();
            for (int i = 0; i < 6; ++i) {
                if (code == WizardData::applicationCode(i).toLower())
                    info.application = i;
            }
        }
        m = typeLine.match(line);
        if (m.hasMatch()) {
            const QString type = m.captured(1).toLower();
            if (type == QLatin1String("alpha"))
                info.type = TemplateInfo::Alpha;
            else if (type == QLatin1String("beta"))
                info.type = TemplateInfo::Beta;
            else if (type == QLatin1String("ale"))
                info.type = TemplateInfo::Ale;
        }
        m = iconLine.match(line);
        if (m.hasMatch())
            info.icon = m.captured(1);
    }
    return !info.name.isEmpty();
}

bool TemplatePack::readTemplate(const QString &path, QStringList &lines)
{
    lines.clear();
    QByteArray bytes;
    if (!readSource(path, bytes))
        return false;
    lines = templateText(bytes);
    return true;
}

QIcon TemplatePack::icon(const QString &iconName)
{
    QPixmap pixmap;
    const QString pack = packPath();
    QStringList names;
    entryNames(pack, names);
    for (const QString &name : qAsConst(names)) {
        if (!name.endsWith(iconName))
            continue;
        QByteArray bytes;
        if (readEntry(pack, name, bytes, QuaZip::csDefault, kIconBytes))
            pixmap.loadFromData(bytes);
        break;
    }
    return pixmap.isNull() ? QIcon() : QIcon(pixmap);
}
