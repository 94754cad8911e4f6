#pragma once

#include <QByteArray>
#include <QString>

// How the bytes of a loaded answers file or survey become text, and how a loaded choice is read.
namespace LoadedText
{
// The bytes read as UTF-8, a leading byte-order mark dropped. Valid text, a NUL too, is kept as it
// is, for the answers' checks to judge. Each byte that is no part of a valid sequence (an overlong
// form, an encoded surrogate, a code point past U+10FFFF, a cut sequence, a stray continuation byte)
// becomes the lone low surrogate U+DC80 + byte, which valid UTF-8 never yields, so that the answer
// holding it can be refused instead of passing on a replacement character.
QString decode(const QByteArray &bytes);

// Whether text holds a byte decode could not read (a lone low surrogate).
bool holdsUndecoded(const QString &text);

// A loaded choice as it is read: text without the blanks (U+0020) and tabs at either end. Any other
// character, white space too, stays, for the choice's list and the control check to judge.
QString bare(const QString &text);
} // namespace LoadedText
