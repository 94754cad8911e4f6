#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

class BrambleonPage;
class QTextStream;
class QWizard;

// Reads a site survey back into WizardData's loaded values, each row through the labels of the
// page that wrote its section.
class SurveyReader
{
public:
    enum Result { Loaded, NotSurvey, WrongVersion, Unreadable, TooLong };

    // Larger than any survey the program writes.
    static constexpr qint64 MaxFileSize = 1 << 20;

    // Empties the loaded values and refills them; they stay empty unless the result is Loaded. A file
    // larger than MaxFileSize, or a value longer than its field takes, is refused as TooLong, with the
    // refusal saying which (and naming the value's row).
    static Result readFile(QWizard *wizard, const QString &path, QString *refusal = nullptr);
    static Result read(QWizard *wizard, QTextStream &in, QString *refusal = nullptr);

    // A row's value: everything after the label's comma up to a trailing comment cell as the writer
    // writes it ("(" text without brackets ")"), bare or, as a spreadsheet saves it, quoted. A value
    // cell quoted by RFC 4180 (commas, doubled quotes and line ends inside) followed by nothing but such
    // a comment is taken unquoted. hasValue is false for a row without any comma.
    static QString rowValue(const QString &line, bool *hasValue = nullptr);

    // One row of the file: its text without the line end (line ends inside quoted cells kept) and its
    // cells by RFC 4180. A quote that opens a cell but does not close at its end is bare text.
    struct Record {
        QString text;
        QStringList cells;
        bool quotedLabel = false;
    };
    // The rows of a text whose lines end in LF or CR LF, or in CR alone when its first line does.
    static QVector<Record> records(const QString &text);

private:
    static BrambleonPage *pageForTitle(QWizard *wizard, const QString &title, BrambleonPage *current);
};
