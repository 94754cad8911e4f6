#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

// Builds template packs for tests: a real zip whose entries are encrypted with the pack password
// (or another one, to model a pack the program cannot read).
class PackBuilder
{
public:
    PackBuilder &add(const QString &name, const QByteArray &bytes);
    // A built-in template or part (a file of ":/templates/") under another display name: its
    // "#template" or "#name" line is renamed, and so is the entry, which keeps the file's suffix.
    // Defines ("\n#define %NAME% value" each) go right after that line, before the file's own.
    PackBuilder &addBuiltIn(const QString &resource, const QString &name, const QString &defines = QString());
    // The Cloud Edge templates of each equipment (SIP trunk, IP-PBX, gateway), made of built-in ones.
    PackBuilder &cloudEdge();
    // An entry encrypted with a password other than the pack's; stored uncompressed on request, so
    // that reading it gives wrong bytes instead of a read error.
    PackBuilder &addForeign(
        const QString &name, const QByteArray &bytes, const QByteArray &password = "wrong", bool stored = false);
    // "version.txt" with a VERSION line and, when build is not empty, a BUILD line.
    PackBuilder &version(const QString &majorMinor, const QString &build = QString());
    // A small PNG picture of the given colour.
    PackBuilder &icon(const QString &name, const QString &colour = QStringLiteral("red"));
    // Writes the zip; false when it could not be written.
    bool write(const QString &path) const;
    // The zip's bytes, as an update server serves them.
    QByteArray bytes() const;

private:
    struct Entry {
        QString name;
        QByteArray bytes;
        QByteArray password;
        bool stored = false;
    };
    QList<Entry> m_entries;
};
