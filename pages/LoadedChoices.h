#pragma once

#include <QList>
#include <QString>

class QCheckBox;
class QComboBox;
class QWidget;
class QObject;

// Choices restored from loaded answers (an earlier generated file or a survey). Blanks and tabs around
// a loaded value do not count (LoadedText::bare); any other character does. A loaded value that names no entry of
// its list is kept with its row: the row stays marked until the user picks an entry, and a batch stops on it,
// rather than going on with whatever the list happens to show.
class LoadedChoices
{
public:
    // The loaded value of the field without the blanks and tabs around it; a null string when none was
    // loaded.
    static QString value(const QString &field);

    // Records that the loaded value of field names no entry of list.
    void reject(const QObject *list, QWidget *row, const QString &field, const QString &value);
    // The same for a list that shows the field: it shows no entry, so that what the installer sees is
    // what is judged, without telling its slots (the field keeps the value). A pick of any entry answers
    // it; forgetting the value otherwise shows again what the list showed before.
    void rejectEntry(QComboBox *list, QWidget *row, const QString &field, const QString &value);
    // A list that field's value was rejected for (reject) shows none from now on, as rejectEntry's
    // does: for a page whose other choices follow what the list showed, once they are made.
    void showNone(QComboBox *list, const QString &field);
    // Records that the loaded text of field is no answer it may take, for the reason given (a text
    // rule's "Invalid value - ..." message). shownAs, when given, names the page and row that show
    // the field, which the refusal names.
    void refuse(const QObject *list, QWidget *row, const QString &field, const QString &reason,
        const QString &shownAs = QString());
    // Records that the loaded text of field holds bytes that are not UTF-8 ("the loaded FIELD is not
    // UTF-8 text"), named as shownAs when given.
    void refuseBytes(const QString &field, const QString &shownAs);
    // A check box's flag as its field's text reads, blanks and tabs around it aside: "1" ticks the box, "0"
    // unticks it, and an empty text is no answer, which leaves the box as the page starts it, unticked.
    // Any other text does not read.
    enum class Flag { Unticked, Ticked, Unread };
    static Flag flag(const QString &text);
    // Sets box as text, its field's text, reads (its slots are told) and returns true. A loaded text
    // that does not read is rejected instead: the box shows unticked without telling its slots, so
    // that its field keeps the value until the user clicks the box (which must then forget it).
    bool restoreCheck(QCheckBox *box, const QString &field, const QString &text);
    // Forgets the values rejected for list (for every list when null) and gives their rows the
    // normal look back; the page's own checks mark them again where needed. A list that shows none and
    // was not picked shows again what it showed before, its slots not told.
    void forget(const QObject *list = nullptr);
    // Marks the row of every rejected value; false when there is one. Call it after the page's own
    // marks, which it overrides.
    bool markRows() const;
    // The batch warning for the first rejected value; empty when there is none.
    QString refusal() const;
    // The batch warning of the first rejected value that markRows marked row for; empty for none.
    static QString refusalOn(const QWidget *row);

    // A loaded value as a message echoes it: at most ClipLength characters, a longer one cut with "..."
    // (never inside a surrogate pair); a character that cannot be seen is shown as its code point.
    static constexpr int ClipLength = 80;
    static QString clipped(const QString &value);

    // The answers no widget shows, which a template, the product page or a commit sets: a file can
    // only repeat one of their values. Each page declares its hidden choices where it registers them
    // (FieldInfo::Choice): flags ("0", "1"), the server a group of users is routed to ("1", "2"),
    // coder lists and native VLAN numbers; an empty one is no answer.
    static bool isHiddenChoice(const QString &field);
    // Whether text, blanks and tabs around it aside, is a value the hidden choice may take.
    static bool hiddenChoiceValid(const QString &field, const QString &text);
    // The template-set names and labels: free text, checked as any other.
    static bool isHiddenName(const QString &field);
    // Coders a SIP page's coder list may name, comma-separated.
    static bool codersOffered(const QString &list);

private:
    struct Rejected {
        const QObject *list;
        QWidget *row;
        QString field;
        QString what; // what the refusal says after "loaded FIELD"
        QString shownAs;
        int shownBefore = -1; // the entry a list that shows none showed before
    };
    static QString refusalOf(const Rejected &rejected);

    QList<Rejected> m_rejected;
};
