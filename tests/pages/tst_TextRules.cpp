#include "pages/LoadedChoices.h"
#include "pages/TextRules.h"

#include <QtTest>

class TestTextRules : public QObject
{
    Q_OBJECT
private slots:
    // Host names, else free text; the end of the message, or "" when accepted.
    void rules()
    {
        const std::tuple<bool, QString, const char *> cases[] = {{true, "sip-1.example_net.com", ""},
            {true, "10.1.2.3", ""}, {true, "a'+header.to.url.user+'", "character ''' is not allowed"},
            {true, "a b", "character U+0020 is not allowed"}, {true, "x,y", "character ',' is not allowed"},
            {true, QString::fromUtf8("\xef\xbc\x91"), "character '\xef\xbc\x91' is not allowed"},
            {false, "Acme (Europe), s\xc3\xa0rl", ""}, {false, "  sec ret  ", ""}, {false, "a\\b", ""},
            {false, "it's", "character ''' is not allowed"}, {false, "a\"b", "character '\"' is not allowed"},
            {false, "a\x03", "character U+0003 is not allowed"},
            {false, "a\x7f", "character U+007F is not allowed"},
            {false, QString("a") + QChar(0x2028), "character U+2028 is not allowed"},
            {false, "abc\\", "a trailing backslash is not allowed"},
            // Outside the BMP a character is named whole; a lone half of a pair by its code.
            {false, "a\xf0\x9f\x98\x80", ""},
            {true, "a\xf0\x9f\x98\x80", "character '\xf0\x9f\x98\x80' is not allowed"},
            {true, QString(QChar(0xd83d)) + "a", "character U+D83D is not allowed"},
            {true, QString::fromUcs4(U"a\U000E0001"), "character U+E0001 is not allowed"},
            // Format characters reorder or hide what a reader sees; a name is named by its code point.
            {false, QString::fromUcs4(U"Acme\u202Eexe.txt"), "character U+202E is not allowed"},
            {false, QChar(0xfeff) + QString("Acme"), "character U+FEFF is not allowed"},
            {false, QString::fromUcs4(U"Ac\u200Bme"), "character U+200B is not allowed"},
            {false, QString::fromUcs4(U"\u2066Acme\u2069"), "character U+2066 is not allowed"},
            {false, QString::fromUcs4(U"Acme\u2069"), "character U+2069 is not allowed"},
            {false, QString::fromUcs4(U"a\U000E0001"), "character U+E0001 is not allowed"},
            {false, QString::fromUcs4(U"\u00A0Acme\u200E"), "character U+200E is not allowed"},
            // An empty label is no host name; a trailing dot marks a fully qualified one.
            {true, "sip..provider.example.net", "may not begin with a dot or hold two dots in a row"},
            {true, ".example.net", "two dots in a row"}, {true, "..", "two dots in a row"},
            {true, "example.net.", ""}, {true, "", ""}};
        for (const auto &[host, text, error] : cases) {
            const QString message = host ? TextRules::hostError(text) : TextRules::textError(text);
            QVERIFY2(
                *error ? message.startsWith("Invalid value - ") && message.endsWith(error) : message.isEmpty(),
                qPrintable(TextRules::shown(text) + ": " + message));
        }
    }

    // An echo shows what cannot be seen, but the blank, by code point.
    void shown()
    {
        QCOMPARE(TextRules::shown(QString("a\x01 b\tc\x7f") + QChar(0x2028) + QChar(0x200b) + QChar(0xdc00)),
            QString("aU+0001 bU+0009cU+007FU+2028U+200BU+DC00"));
    }

    // Capitals in host names; a format character named by its code point; an echoed value clipped at 80.
    void edges()
    {
        QCOMPARE(TextRules::hostError("SIP.Example.COM"), QString());
        QVERIFY(TextRules::hostError(QString("a") + QChar(0x200e)).endsWith("character U+200E is not allowed"));
        const QString x80(80, 'x');
        QCOMPARE(LoadedChoices::clipped(x80), x80);
        QCOMPARE(LoadedChoices::clipped(x80 + 'y'), QString(77, 'x') + "...");
    }
};

QTEST_APPLESS_MAIN(TestTextRules)
#include "tst_TextRules.moc"
