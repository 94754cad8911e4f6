#include "data/SafeFileWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace
{
QString s_lastError;

bool failed(const QFileDevice &file)
{
    s_lastError = file.errorString();
    return false;
}

// No temporary file is possible: the old bytes are read first so that a failure can put them back.
bool writeInPlace(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite | QIODevice::Unbuffered))
        return failed(file);
    const QByteArray old = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return failed(file);
    if (file.resize(0) && file.seek(0) && SafeFileWriter::writeAll(file, bytes) && file.size() == bytes.size())
        return true;
    const QString reason = file.errorString();
    file.unsetError();
    if (!file.resize(0) || !file.seek(0) || !SafeFileWriter::writeAll(file, old))
        s_lastError = reason + QStringLiteral(" (the earlier file could not be put back)");
    else
        s_lastError = reason;
    return false;
}
} // namespace

bool SafeFileWriter::writeAll(QFileDevice &file, const QByteArray &bytes)
{
    qint64 done = 0;
    while (done < bytes.size()) {
        // A short write sets no error: the next one fails and gives the reason.
        const qint64 n = file.write(bytes.constData() + done, bytes.size() - done);
        if (n <= 0)
            return failed(file);
        done += n;
    }
    // Buffered bytes only reach the disk here; a failure here is as bad as one in write().
    if (!file.flush() || file.error() != QFileDevice::NoError)
        return failed(file);
    return true;
}

bool SafeFileWriter::write(const QString &path, const QByteArray &bytes)
{
    s_lastError.clear();
    const QFileInfo target(path);
    // A device node or a FIFO is written into: renaming a new file over it would replace the node.
    if (target.exists() && !target.isFile()) {
        QFile node(path);
        return node.open(QIODevice::WriteOnly | QIODevice::Unbuffered) ? writeAll(node, bytes) : failed(node);
    }
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        // On failure the destructor discards the temporary file and the old file stays.
        if (!writeAll(file, bytes))
            return false;
        return file.commit() || failed(file);
    }
    // A folder that allows changing its files but not creating new ones still gets the file.
    if (!target.isFile())
        return failed(file);
    return writeInPlace(path, bytes);
}

QString SafeFileWriter::lastError()
{
    return s_lastError;
}

QString SafeFileWriter::failureText(const QString &path)
{
    QString text = QStringLiteral("Can't write file '%1'").arg(QDir::toNativeSeparators(path));
    if (!s_lastError.isEmpty())
        text += QStringLiteral(": ") + s_lastError;
    return text;
}
