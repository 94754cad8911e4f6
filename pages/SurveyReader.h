#pragma once

#include <QHash>
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

    // Reads a survey's answers into a set of their own (emptied first; left empty unless the result is
    // Loaded). A file that cannot be opened, or is larger than MaxFileSize, gets refusal's text. The
    // bytes are read as UTF-8 (LoadedText::decode: a byte that is no UTF-8 stays marked in its answer,
    // which the answers' checks refuse), or as UTF-16 or UTF-32 after such a byte-order mark.
    static Result readFile(
        QWizard *wizard, const QString &path, QHash<QString, QString> &into, QString *refusal = nullptr);
    static Result read(QWizard *wizard, QTextStream &in, QHash<QString, QString> &into);
    static Result read(QWizard *wizard, QString text, QHash<QString, QString> &into);

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
    static BrambleonPage *pageForTitle(
        QWizard *wizard, const QString &title, BrambleonPage *current, const QHash<QString, QString> &loaded);
};
