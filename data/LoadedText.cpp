#include "data/LoadedText.h"

namespace
{
// The length of the sequence a lead byte opens; 0 for a byte no sequence starts with.
int sequenceLength(uchar lead)
{
    if (lead < 0x80)
        return 1;
    if (lead >= 0xc2 && lead <= 0xdf)
        return 2;
    if (lead >= 0xe0 && lead <= 0xef)
        return 3;
    return lead >= 0xf0 && lead <= 0xf4 ? 4 : 0;
}

// The code point of the sequence of length at bytes, or 0 when it is cut short, overlong, a surrogate
// or past U+10FFFF (a NUL is a sequence of length 1, which never gets here).
uint sequenceCode(const uchar *bytes, int length, int left)
{
    if (length == 0 || length > left)
        return 0;
    uint code = bytes[0] & (0x7f >> length);
    for (int i = 1; i < length; ++i) {
        if ((bytes[i] & 0xc0) != 0x80)
            return 0;
        code = (code << 6) | (bytes[i] & 0x3f);
    }
    static const uint lowest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < lowest[length] || (code >= 0xd800 && code <= 0xdfff) || code > 0x10ffff)
        return 0;
    return code;
}
} // namespace

QString LoadedText::decode(const QByteArray &bytes)
{
    const auto *data = reinterpret_cast<const uchar *>(bytes.constData());
    const int size = bytes.size();
    QString text;
    text.reserve(size);
    for (int at = bytes.startsWith("\xef\xbb\xbf") ? 3 : 0; at < size;) {
        if (data[at] < 0x80) {
            text += QChar(ushort(data[at++]));
            continue;
        }
        const int length = sequenceLength(data[at]);
        const uint code = sequenceCode(data + at, length, size - at);
        if (code == 0) {
            // One mark per byte: the bytes after a bad lead are judged on their own.
            text += QChar(ushort(0xdc00 + data[at++]));
            continue;
        }
        if (code > 0xffff) {
            text += QChar(QChar::highSurrogate(code));
            text += QChar(QChar::lowSurrogate(code));
        } else {
            text += QChar(ushort(code));
        }
        at += length;
    }
    return text;
}

bool LoadedText::holdsUndecoded(const QString &text)
{
    for (int i = 0; i < text.size(); ++i) {
        if (text.at(i).isLowSurrogate() && (i == 0 || !text.at(i - 1).isHighSurrogate()))
            return true;
    }
    return false;
}

QString LoadedText::bare(const QString &text)
{
    const auto blank = [](QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); };
    int start = 0;
    int end = text.size();
    while (start < end && blank(text.at(start)))
        ++start;
    while (end > start && blank(text.at(end - 1)))
        --end;
    return text.mid(start, end - start);
}
