#include "pages/TextRules.h"

#include <QtTest>

class TestTextRules : public QObject
{
    Q_OBJECT
private slots:
    void rules_data()
    {
        QTest::addColumn<bool>("host"); // hostError, else textError
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("error"); // the end of the message; empty: accepted
        QTest::newRow("host name") << true << "sip-1.example_net.com"
                                   << "";
        QTest::newRow("address") << true << "10.1.2.3"
                                 << "";
        QTest::newRow("host quote") << true << "a'+header.to.url.user+'"
                                    << "character ''' is not allowed";
        QTest::newRow("host blank") << true << "a b"
                                    << "character U+0020 is not allowed";
        QTest::newRow("host comma") << true << "x,y"
                                    << "character ',' is not allowed";
        QTest::newRow("host full-width")
            << true << QString::fromUtf8("\xef\xbc\x91") << "character '\xef\xbc\x91' is not allowed";
        QTest::newRow("text plain") << false << "Acme (Europe), s\xc3\xa0rl"
                                    << "";
        QTest::newRow("text blanks") << false << "  sec ret  "
                                     << "";
        QTest::newRow("text single quote") << false << "it's"
                                           << "character ''' is not allowed";
        QTest::newRow("text double quote") << false << "a\"b"
                                           << "character '\"' is not allowed";
        QTest::newRow("text ctrl-c") << false << "a\x03"
                                     << "character U+0003 is not allowed";
        QTest::newRow("text escape") << false << "\x1b[0m"
                                     << "character U+001B is not allowed";
        QTest::newRow("text DEL") << false << "a\x7f"
                                  << "character U+007F is not allowed";
        QTest::newRow("text line separator")
            << false << QString("a") + QChar(0x2028) << "character U+2028 is not allowed";
        QTest::newRow("text trailing backslash") << false << "abc\\"
                                                 << "a trailing backslash is not allowed";
        QTest::newRow("text inner backslash") << false << "a\\b"
                                              << "";
    }
    void rules()
    {
        QFETCH(bool, host);
        QFETCH(QString, text);
        QFETCH(QString, error);
        const QString message = host ? TextRules::hostError(text) : TextRules::textError(text);
        if (error.isEmpty())
            QCOMPARE(message, QString());
        else
            QVERIFY2(message.startsWith("Invalid value - ") && message.endsWith(error), qPrintable(message));
    }
};

QTEST_APPLESS_MAIN(TestTextRules)
#include "tst_TextRules.moc"
