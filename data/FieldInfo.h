#pragma once

#include <QLineEdit>
#include <QPointer>
#include <QString>

// One answer field in the registry. The registry holds only line edits; the value of a field is
// always its line edit's current text.
struct FieldInfo {
    // What a loaded value of the field is. An answer takes any text, an empty one too. The others are
    // choices, read once when the file is loaded: blanks around them do not count. A list's entry,
    // index or code is judged by its page, an empty one too. The rest mean nothing empty: loaded empty
    // (blanks aside), they are no answer and the template's or the page's value stands. A check box's
    // flag and a coder list the page's boxes tick are judged by their page; the hidden choices, which
    // no widget shows and a file can only repeat, when the file is loaded.
    enum Choice { Answer, ListEntry, BoxFlag, BoxCoders, HiddenFlag, HiddenServer, HiddenCoders, HiddenVlan };

    static bool emptyIsNoAnswer(Choice choice) { return choice != Answer && choice != ListEntry; }

    // Not owned; belongs to its page. Guarded: a wizard that is gone leaves an empty field, not a
    // dangling widget, for whoever reads the registry next.
    QPointer<QLineEdit> lineEdit;
    bool mandatory = false; // never emptied or disabled by the template reset
    bool templateControlled = false; // emptied and disabled until the template names it
    bool presetFromTemplate = false; // a "#define" sets the text instead of an "e.g. " hint
    QString companionField; // receives its own loaded value and is enabled together
    bool definedByTemplate = false; // a "#define" of the current template reached the field
    Choice choice = Answer;
};
