#pragma once

#include "data/TemplateInfo.h"

#include <QByteArray>
#include <QIcon>
#include <QList>
#include <QString>
#include <QStringList>

#include <quazip.h>

class QTextStream;

// The template pack "templates4.zip" and the other two template sources (loose files of the working
// directory and the built-in resources). Nothing here reports errors: what cannot be read is left out.
class TemplatePack
{
public:
    // Far above any real template: an entry or loose file that holds more is unreadable, and a pack
    // with such an entry is not installed.
    static constexpr qint64 MaxEntryBytes = 16 * 1024 * 1024;

    static const char *password();
    static QString fileName() { return QStringLiteral("templates4.zip"); }
    static QString packPath();

    // Puts the working directory's pack into the data directory when there is none there yet or the
    // working one is newer, unless one of its entries holds more than MaxEntryBytes. The old pack is
    // replaced only once the new copy is complete.
    static void install(const QString &sourcePack);
    // Puts a downloaded pack in place of the installed one; false, with the installed pack untouched,
    // when its version cannot be read, an entry is too large to read or it cannot be written.
    static bool installDownloaded(const QByteArray &bytes);
    // False when an entry of the pack inflates past MaxEntryBytes (whatever its header claims).
    static bool entriesWithinLimit(const QString &zipPath);
    static bool readVersion(const QString &zipPath, int &major, int &minor, QString &build);
    static void count(const QString &zipPath, int &templateCount, int &pbxCount, int &itspCount);

    // Entry names in archive order; false when the zip does not open.
    static bool entryNames(const QString &zipPath, QStringList &names);
    // Reads one entry whole (or its first maxBytes bytes). A missing entry, a wrong password, a read
    // error, a bad CRC or more than MaxEntryBytes all give false: such an entry counts as unreadable.
    static bool readEntry(const QString &zipPath, const QString &entry, QByteArray &data,
        QuaZip::CaseSensitivity cs = QuaZip::csDefault, qint64 maxBytes = -1);
    // Whole contents of "zip:<entry>" (from the pack), a resource or a loose file.
    static bool readSource(const QString &path, QByteArray &data);
    // Text lines as a text stream reads them (line ends removed).
    static QStringList textLines(const QByteArray &bytes);
    // textLines without the ";;" lines.
    static QStringList templateText(const QByteArray &bytes);

    static QList<TemplateInfo> list(const QString &suffix);
    static bool parseHeader(QTextStream &stream, TemplateInfo &info);
    // Lines of the template at path without its ";;" lines; false when it cannot be read.
    static bool readTemplate(const QString &path, QStringList &lines);
    static QIcon icon(const QString &iconName);
};
