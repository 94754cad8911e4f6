#include "FuzzInput.h"

#include "TestEnvironment.h"

#include <QApplication>
#include <QDir>
#include <QFile>

void FuzzInput::isolate(bool widgets)
{
    TestEnvironment::isolate();
    if (widgets) {
        static int argc = 1;
        static char name[] = "fuzz";
        static char *argv[] = {name, nullptr};
        new QApplication(argc, argv); // lives as long as the process
    }
}

QString FuzzInput::text(const uint8_t *data, size_t size)
{
    return QString::fromUtf8(reinterpret_cast<const char *>(data), int(size));
}

QByteArray FuzzInput::bytes(const uint8_t *data, size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), int(size));
}

QString FuzzInput::scratchFile(const uint8_t *data, size_t size)
{
    static const QString path = QDir(TestEnvironment::home()).filePath(QStringLiteral("fuzz-input"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes(data, size)) != qint64(size))
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

QList<FuzzInput::Part> FuzzInput::parts(const QByteArray &input)
{
    QList<Part> result{Part()};
    int start = 0;
    while (start < input.size()) {
        int end = input.indexOf('\n', start);
        if (end < 0)
            end = input.size();
        const QByteArray line = input.mid(start, end - start);
        if (line.startsWith("#>")) {
            Part part;
            const QByteArray marker = line.mid(2).trimmed();
            const int blank = marker.indexOf(' ');
            part.kind = blank < 0 ? marker : marker.left(blank);
            part.argument = blank < 0 ? QByteArray() : marker.mid(blank + 1).trimmed();
            result << part;
        } else {
            result.last().body += line;
            if (end < input.size())
                result.last().body += '\n';
        }
        start = end + 1;
    }
    return result;
}
