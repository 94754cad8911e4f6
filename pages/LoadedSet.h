#pragma once

#include <QHash>
#include <QString>

// The answers of a generated file or a survey, judged as a whole when they are loaded: each is read
// once as its field declares, and what no page would judge, because no page shows it or the route
// never reaches its page, is judged here.
class LoadedSet
{
public:
    // Reads each value as its field declares it: a choice without the blanks and tabs around it, and a
    // choice whose empty text is no answer left out when empty. Then judges the set: first a value
    // holding bytes that are not UTF-8 (LoadedText::decode's marks), then a value longer than its
    // field's edit takes, a hidden choice no list holds, a template-set name that could not
    // stand in its line, and any answer with a control or format character, shown or not, its page on
    // the route or not. Returns the refusal of the first value refused, naming the page and row that
    // show it, else the field; empty when the set may be taken.
    static QString judge(QHash<QString, QString> &values);

    // A loaded value as its field declares it is read: the text without the blanks and tabs around it
    // for a choice (LoadedText::bare), the text itself for an answer.
    static QString reading(const QString &field, const QString &text);
};
