#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// Builds template packs for tests: a real zip whose entries are encrypted with the pack password
// (or another one, to model a pack the program cannot read).
class PackBuilder
{
public:
    PackBuilder &add(const QString &name, const QByteArray &bytes);
    // A file of ":/templates/" whose "#template" or "#name" line names it name, followed by the defines
    // ("\n#define %NAME% value" each); the entry is name with the file's suffix.
    PackBuilder &addBuiltIn(const QString &resource, const QString &name, const QString &defines = QString());
    // The Cloud Edge templates of each equipment (SIP trunk, IP-PBX, gateway), made of built-in ones.
    PackBuilder &cloudEdge();
    // Stored uncompressed on request, such an entry reads as wrong bytes instead of a read error.
    PackBuilder &addForeign(
        const QString &name, const QByteArray &bytes, const QByteArray &password = "wrong", bool stored = false);
    // "version.txt" with that VERSION line.
    PackBuilder &version(const QString &majorMinor);
    // False when the zip could not be written.
    bool write(const QString &path) const;
    QByteArray bytes() const;

private:
    struct Entry {
        QString name;
        QByteArray bytes;
        QByteArray password;
        bool stored;
    };
    QList<Entry> m_entries;
};
