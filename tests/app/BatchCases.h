#pragma once

// The rows of the batch tables, tests/app/cases/*.tsv: "example<TAB>edits<TAB>exit<TAB>message". example
// "-": no input; edits "-" or "NAME=value" joined by " && " ("NAME!" removes the line, "@out=path" names
// the output); exit 0 (message "-" or a text the output holds) or 2 (the start of the warning). Values and
// messages take the escapes \t \n \r \\ \xHH \u{H..} and \R{n}{unit} (unit n times).

#include "InProcessBatch.h"
#include "TestEnvironment.h"

#include <QDir>
#include <QRegularExpression>
#include <QStringList>

struct CaseRow {
    QString example, output = QStringLiteral("out.ini"), message, error;
    QByteArray input;
    int exit = 0;
};

inline QString unescapeCase(const QString &text, QString &error)
{
    static const QString unit = R"(\\[tnr\\]|\\x[0-9A-Fa-f]{2}|\\u\{[0-9A-Fa-f]{1,6}\}|[^\\])";
    static const QRegularExpression escape(
        R"(\\R\{(\d+)\}\{()" + unit + R"()\}|\\u\{([0-9A-Fa-f]{1,6})\}|\\x([0-9A-Fa-f]{2})|\\([tnr\\])|\\)");
    QString out;
    int at = 0;
    for (auto it = escape.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        out += text.midRef(at, m.capturedStart() - at);
        at = m.capturedEnd();
        const uint code = (m.captured(3) + m.captured(4)).toUInt(nullptr, 16);
        if (m.lastCapturedIndex() <= 0 || code > 0x10ffff)
            error = "malformed escape in " + text;
        else if (m.lastCapturedIndex() == 2)
            out += unescapeCase(m.captured(2), error).repeated(m.captured(1).toInt());
        else if (m.lastCapturedIndex() == 5)
            out += QLatin1Char("\t\n\r\\"[QByteArray("tnr\\").indexOf(m.captured(5).toLatin1())]);
        else
            out += code > 0xffff ? QString::fromUcs4(&code, 1) : QString(QChar(code));
    }
    return out + text.mid(at);
}

inline CaseRow parseCaseRow(const QString &line)
{
    CaseRow c;
    const QStringList fields = line.split(QLatin1Char('\t'));
    if (fields.size() != 4) {
        c.error = QStringLiteral("expected 4 fields separated by TABs");
        return c;
    }
    c.example = fields.at(0) == QLatin1String("-") ? QString() : fields.at(0);
    const QString path = qEnvironmentVariable("BRAMBLEON_SOURCE_DIR") + "/examples/" + c.example;
    c.input = c.example.isEmpty() || !QFileInfo(path).isFile() ? QByteArray() : TestEnvironment::readFile(path);
    for (const QString &edit : fields.at(1).split(QStringLiteral(" && "))) {
        const int equals = edit.indexOf(QLatin1Char('='));
        const QString key = edit.left(equals < 0 ? edit.size() - 1 : equals);
        if (edit == QLatin1String("-"))
            continue;
        if (key.isEmpty() || key.contains(QLatin1Char(' ')) || (equals < 0 && !edit.endsWith(QLatin1Char('!'))))
            c.error = "malformed edit " + edit;
        const QString value = equals < 0 ? QString() : unescapeCase(edit.mid(equals + 1), c.error);
        if (key == QLatin1String("@out"))
            c.output = value;
        else
            setMetadata(c.input, key, value);
    }
    c.exit = QStringList{"0", "2"}.contains(fields.at(2)) ? fields.at(2).toInt() : -1;
    c.message = fields.at(3) == QLatin1String("-") ? QString() : unescapeCase(fields.at(3), c.error);
    if (c.exit < 0 || (c.exit == 2 && c.message.isEmpty()))
        c.error = QStringLiteral("exit must be 0, or 2 with a message");
    return c;
}

// The rows of one table, each with its name "file:line".
inline QVector<QPair<QString, CaseRow>> caseTable(const QString &file)
{
    const QDir folder(qEnvironmentVariable("BRAMBLEON_SOURCE_DIR") + "/tests/app/cases");
    const QStringList lines = QString::fromUtf8(TestEnvironment::readFile(folder.filePath(file))).split('\n');
    QVector<QPair<QString, CaseRow>> rows;
    for (int i = 0; i < lines.size(); ++i) {
        if (!lines.at(i).trimmed().isEmpty() && !lines.at(i).startsWith(QLatin1Char('#')))
            rows.append({QStringLiteral("%1:%2").arg(file).arg(i + 1), parseCaseRow(lines.at(i))});
    }
    return rows;
}

// The names of the tables.
inline QStringList caseTables()
{
    return QDir(qEnvironmentVariable("BRAMBLEON_SOURCE_DIR") + "/tests/app/cases")
        .entryList({QStringLiteral("*.tsv")}, QDir::Files, QDir::Name);
}
