#include "PackBuilder.h"

#include "data/TemplatePack.h"

#include <QBuffer>
#include <QColor>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <quazip.h>
#include <quazipfile.h>
#include <quazipnewinfo.h>

PackBuilder &PackBuilder::add(const QString &name, const QByteArray &bytes)
{
    m_entries.append({name, bytes, QByteArray(TemplatePack::password()), false});
    return *this;
}

PackBuilder &PackBuilder::addBuiltIn(const QString &resource, const QString &name, const QString &defines)
{
    QFile file(QStringLiteral(":/templates/") + resource);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("no built-in template %s", qPrintable(resource));
    static const QRegularExpression header(
        QStringLiteral("^#(template|name)\\s.*$"), QRegularExpression::MultilineOption);
    QString text = QString::fromUtf8(file.readAll());
    text.replace(header, QStringLiteral("#\\1 ") + name + defines);
    return add(name + QLatin1Char('.') + QFileInfo(resource).suffix(), text.toUtf8());
}

PackBuilder &PackBuilder::cloudEdge()
{
    return addBuiltIn(
        QStringLiteral("SIPTrunk.template"), QStringLiteral("Corvane Unity Suite 2015 - Generic SIP Trunk"))
        .addBuiltIn(
            QStringLiteral("Normalization.template"), QStringLiteral("Corvane Unity Suite 2015 - Generic IP-PBX"))
        .addBuiltIn(QStringLiteral("Generic IP-PBX.pbx"), QStringLiteral("Corvane Unity Suite 2015"));
}

PackBuilder &PackBuilder::addForeign(
    const QString &name, const QByteArray &bytes, const QByteArray &password, bool stored)
{
    m_entries.append({name, bytes, password, stored});
    return *this;
}

PackBuilder &PackBuilder::version(const QString &majorMinor, const QString &build)
{
    QByteArray text = "VERSION " + majorMinor.toLatin1() + "\r\n";
    if (!build.isEmpty())
        text += "BUILD " + build.toLatin1() + "\r\n";
    return add(QStringLiteral("version.txt"), text);
}

PackBuilder &PackBuilder::icon(const QString &name, const QString &colour)
{
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(QColor(colour));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return add(name, bytes);
}

bool PackBuilder::write(const QString &path) const
{
    QFile::remove(path);
    QuaZip zip(path);
    if (!zip.open(QuaZip::mdCreate))
        return false;
    bool ok = true;
    for (const Entry &entry : m_entries) {
        QuaZipFile file(&zip);
        if (!file.open(QIODevice::WriteOnly, QuaZipNewInfo(entry.name), entry.password.constData(), 0,
                entry.stored ? 0 : Z_DEFLATED)) {
            ok = false;
            break;
        }
        ok = file.write(entry.bytes) == entry.bytes.size();
        file.close();
        ok = ok && file.getZipError() == ZIP_OK;
        if (!ok)
            break;
    }
    zip.close();
    return ok && zip.getZipError() == ZIP_OK;
}

QByteArray PackBuilder::bytes() const
{
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("pack.zip")));
    if (!write(file.fileName()) || !file.open(QIODevice::ReadOnly))
        qFatal("cannot build a pack in %s", qPrintable(dir.path()));
    return file.readAll();
}
