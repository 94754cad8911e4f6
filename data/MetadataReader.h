#pragma once

#include <QHash>
#include <QString>

// Reads the answers back from the metadata lines of a generated INI file.
class MetadataReader
{
public:
    enum Status {
        Accepted,
        NotGenerated, // no API_VERSION, not a positive number, or the file could not be read
        Incompatible, // a positive API_VERSION other than the one we write
    };

    // Fills values with every metadata line of the file (the last line of a name wins) and checks
    // API_VERSION; values is left empty unless the file is accepted.
    static Status read(const QString &path, QHash<QString, QString> &values);
    // Same, for text already in memory; lines may end CR LF or LF.
    static Status parse(const QString &text, QHash<QString, QString> &values);
    // The warning shown for a rejected file; empty for Accepted.
    static QString message(Status status);
    static QString title();
};
