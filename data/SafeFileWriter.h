#pragma once

#include <QByteArray>
#include <QString>

class QFileDevice;

// Writes files whole or says why not. A write counts as done only once every byte has reached the
// system, flush included; a failed write leaves an earlier file at the path as it was.
class SafeFileWriter
{
public:
    // Replaces a regular file through a temporary file renamed over it, and writes into a device
    // node or FIFO. Where no temporary file can be made beside an existing file, writes in place and
    // puts the old bytes back on failure. False on any failure, with lastError() saying why.
    static bool write(const QString &path, const QByteArray &bytes);
    // Writes all of bytes to an open file and flushes it; false with lastError() on failure.
    static bool writeAll(QFileDevice &file, const QByteArray &bytes);
    // The system's reason for the last failure.
    static QString lastError();
    // "Can't write file '<path>': <reason of the last failure>".
    static QString failureText(const QString &path);
};
