#pragma once

#include <QString>

// Turns the HTML notes shown to the user into INI comment lines.
class CommentFormatter
{
public:
    // The notes as comment text: break tags become line feeds, other tags vanish, "&gt;" and
    // "&quot;" are decoded, long lines are wrapped at 90 and every line begins with "; ".
    static QString htmlToIniComment(const QString &html);
    // Replaces a blank by a line feed once a line has reached the width; words are never split.
    static QString wrapText(const QString &text, int width);
};
