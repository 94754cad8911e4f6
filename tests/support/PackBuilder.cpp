#include "PackBuilder.h"

#include "data/TemplatePack.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <quazip.h>
#include <quazipfile.h>
#include <quazipnewinfo.h>

PackBuilder &PackBuilder::add(const QString &name, const QByteArray &bytes)
{
    return addForeign(name, bytes, TemplatePack::password());
}

PackBuilder &PackBuilder::addBuiltIn(const QString &resource, const QString &name, const QString &defines)
{
    QFile file(QStringLiteral(":/templates/") + resource);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("no built-in template %s", qPrintable(resource));
    static const QRegularExpression header(
        QStringLiteral("^#(template|name)\\s.*$"), QRegularExpression::MultilineOption);
    const QString text = QString::fromUtf8(file.readAll()).replace(header, "#\\1 " + name + defines);
    return add(name + QLatin1Char('.') + QFileInfo(resource).suffix(), text.toUtf8());
}

PackBuilder &PackBuilder::cloudEdge()
{
    return addBuiltIn("SIPTrunk.template", "Corvane Unity Suite 2015 - Generic SIP Trunk")
        .addBuiltIn("Normalization.template", "Corvane Unity Suite 2015 - Generic IP-PBX")
        .addBuiltIn("Generic IP-PBX.pbx", "Corvane Unity Suite 2015");
}

PackBuilder &PackBuilder::addForeign(
    const QString &name, const QByteArray &bytes, const QByteArray &password, bool stored)
{
    m_entries.append({name, bytes, password, stored});
    return *this;
}

PackBuilder &PackBuilder::version(const QString &majorMinor)
{
    return add("version.txt", "VERSION " + majorMinor.toLatin1() + "\r\n");
}

bool PackBuilder::write(const QString &path) const
{
    const QByteArray zip = bytes();
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(zip) == zip.size() && file.flush();
}

QByteArray PackBuilder::bytes() const
{
    QBuffer buffer;
    QuaZip zip(&buffer);
    bool ok = zip.open(QuaZip::mdCreate);
    for (const Entry &entry : m_entries) {
        QuaZipFile file(&zip);
        ok = ok
            && file.open(QIODevice::WriteOnly, QuaZipNewInfo(entry.name), entry.password.constData(), 0,
                entry.stored ? 0 : Z_DEFLATED)
            && file.write(entry.bytes) == entry.bytes.size();
        file.close();
        ok = ok && file.getZipError() == ZIP_OK;
    }
    zip.close();
    if (!ok || zip.getZipError() != ZIP_OK)
        qFatal("cannot build a pack");
    return buffer.data();
}
