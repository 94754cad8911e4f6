#pragma once

#include <QString>

// What free text may hold once it lands on a configuration line: the device reads INI values
// inside single quotes, CLI values inside double quotes, and message-manipulation expressions
// build strings from quoted pieces, so a quote, a control character or a trailing backslash would
// change the line instead of standing in it.
namespace TextRules
{
// Empty when text can be a host name or domain on the device (ASCII letters, digits, "-", "." and
// "_", no empty label but a trailing dot; an IPv4 address passes too); otherwise a message naming the
// first character not allowed, or the empty label.
QString hostError(const QString &text);

// Empty when text (a name, user name, password or number) can stand inside the quotes the
// templates wrap it in: no control character (C0, DEL, C1, line and paragraph separators), no
// format character (Unicode category Cf), none of quotes, no trailing backslash. Otherwise the
// message names what is not allowed.
QString textError(const QString &text, const QString &quotes = QStringLiteral("'\""));

// Empty when text holds no control character (C0, DEL, C1, line and paragraph separators) and no
// format character (Unicode category Cf); otherwise the message names the first.
QString controlError(const QString &text);

// How a message names a character: the character in quotes, or its code point ("U+0009") when it
// cannot be seen. A character outside the BMP is named whole, from both halves of its pair.
QString characterName(uint code);
QString characterName(QChar c);

// The code point of text starting at index at (a surrogate pair counts as one); at moves past it.
uint codePointAt(const QString &text, int &at);

// text as a message echoes it: each character that cannot be seen, but the plain blank, written as
// its code point, so that no control character reaches the message raw.
QString shown(const QString &text);
} // namespace TextRules
