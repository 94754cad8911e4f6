#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

// Turns template lines into configuration lines: keeps or drops text lines by the "#if" blocks,
// drops every other directive, substitutes %NAME% by field texts and collapses runs of empty lines.
class TemplateEvaluator
{
public:
    // Far above any real configuration: generation stops rather than exhaust memory.
    static constexpr qint64 MaxOutputChars = 64 * 1024 * 1024;

    // fields maps every registered field name to its current text. An output that would pass
    // MaxOutputChars (line ends counted) gives no lines and sets *tooLarge. The names whose text
    // went into a line that is not a comment with a character unwritable() names are added to
    // *quoted: the device's INI format has no way to carry it in a value.
    static QStringList evaluate(const QStringList &lines, const QHash<QString, QString> &fields,
        bool *tooLarge = nullptr, QStringList *quoted = nullptr);
    // Substitutes the registered names of one text line; inserted text is never scanned again.
    // Stops, giving false, once the result would pass limit characters. Names whose text
    // unwritable() refuses are added to *quoted once.
    static bool substitute(const QString &line, const QHash<QString, QString> &fields, QString &out,
        qint64 limit = MaxOutputChars, QStringList *quoted = nullptr);
    // The first character of text that would change the line it lands in, or a null QChar: a
    // double quote, a control character other than CR and LF (which substitution makes blanks),
    // a single quote where singleQuoted (the line wraps the reference in single quotes), else a
    // trailing backslash.
    static QChar unwritable(const QString &text, bool singleQuoted);
    // A character no configuration line carries: C0 and C1 controls, DEL, the line and paragraph
    // separators.
    static bool isControl(QChar c);
    // The notes of the "#comment" lines that the "#if" blocks keep, as HTML: an empty comment is a
    // line break, the others join with one blank; a closing "<br />" when there are any. %NAME% is
    // substituted by noteText of the field's text.
    static QString notes(const QStringList &lines, const QHash<QString, QString> &fields);
    // An answer as note text: escaped for HTML, with every control character and line or paragraph
    // separator made a blank, so that it stays inside its line of the label and of the saved comment.
    static QString noteText(const QString &answer);
    // The lines that close an INI file: an empty line, "INIFileVersion = <version>", an empty line.
    static QStringList versionLines(int version);
    // A fresh INIFileVersion number, 0 to 999999.
    static int drawVersion();
};
