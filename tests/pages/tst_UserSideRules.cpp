#include "TestEnvironment.h"
#include "pages/FEURules.h"
#include "pages/ListenerRules.h"
#include "pages/RemoteUsersRules.h"
#include "pages/UsersRules.h"

#include <QApplication>
#include <QDir>
#include <QHash>
#include <QRegularExpression>
#include <QtTest>

namespace
{
// Answers by name: "servers" beside every page, the valid ones of each page, "ONE" for one network.
QHash<QString, QString> bases;

SipRules::FieldLookup lookup(const QString &page, const QString &answers)
{
    QHash<QString, QString> table;
    const QString all
        = bases["servers"] + ';' + bases[page] + ';' + QString(answers).replace("ONE;", bases["ONE"]);
    for (const QString &pair : all.split(';', Qt::SkipEmptyParts))
        table.insert(pair.section('=', 0, 0), pair.section('=', 1));
    return [table](const QString &name) { return table.value(name); };
}
} // namespace

class TestUserSideRules : public QObject
{
    Q_OBJECT
private slots:
    // Rows in user-side-rules.tsv; a name "=NAME" gives the answers "NAME" stands for.
    void check_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("answers");
        QTest::addColumn<QString>("expected");
        const QString path = qEnvironmentVariable("BRAMBLEON_SOURCE_DIR") + "/tests/pages/user-side-rules.tsv";
        for (const QString &line : QString::fromUtf8(TestEnvironment::readFile(path)).split('\n')) {
            const QStringList row = line.split('\t');
            if (line.startsWith('='))
                bases.insert(row[0].mid(1), row[2]);
            else if (row.size() == 4 && !line.startsWith('#'))
                QTest::newRow(qPrintable(row[0])) << row[1] << row[2] << row[3];
        }
        if (bases.isEmpty())
            qFatal("no rows in %s", qPrintable(path));
    }

    void check()
    {
        QFETCH(QString, page);
        QFETCH(QString, answers);
        const auto rules = page == "users" ? UsersRules::check
            : page == "feu"                ? FEURules::check
            : page == "trunk"              ? ListenerRules::trunkClashes
                                           : RemoteUsersRules::check;
        const SipRules::Marks marks = rules(lookup(page, answers));
        QStringList invalid;
        for (const auto &mark : marks)
            invalid << QStringList{mark.first + ": " + mark.second}.mid(mark.second.isEmpty());
        QTEST(invalid.join(" | "), "expected");
        QCOMPARE(SipRules::passes(marks), invalid.isEmpty());
    }

    // What every example writes: on each interface no two media realms overlap, no port takes two SIP
    // interfaces of one protocol (TLS runs over TCP) and no SIP interface listens in a realm.
    void examplesShareNothing()
    {
        // Index = name, interface, first port, sessions, last port / UDP, TCP and TLS ports.
        static const QRegularExpression realm(
            "^CpMediaRealm \\d+ = \"[^\"]*\", \"([^\"]*)\", (\\d+), \\d+, (\\d+),");
        static const QRegularExpression sip(
            "^SIPInterface \\d+ = \"[^\"]*\", \"([^\"]*)\", \\d+, (\\d+), (\\d+), (\\d+),");
        const QDir dir(qEnvironmentVariable("BRAMBLEON_SOURCE_DIR") + "/examples");
        const QStringList names = dir.entryList({"*.ini"});
        QVERIFY(names.size() >= 10);
        for (const QString &name : names) {
            QHash<QString, QVector<QPair<int, int>>> ranges;
            QSet<QString> listeners;
            for (const QString &line :
                QString::fromUtf8(TestEnvironment::readFile(dir.filePath(name))).split('\n')) {
                const QRegularExpressionMatch r = realm.match(line);
                for (const auto &other : ranges.value(r.captured(1)))
                    QVERIFY2(r.captured(2).toInt() > other.second || r.captured(3).toInt() < other.first,
                        qPrintable(name + ": " + line));
                if (r.hasMatch())
                    ranges[r.captured(1)].append({r.captured(2).toInt(), r.captured(3).toInt()});
                const QRegularExpressionMatch s = sip.match(line);
                for (int slot = 2; s.hasMatch() && slot <= 4; ++slot) {
                    const QString key = s.captured(1) + (slot == 2 ? " udp " : " tcp ") + s.captured(slot);
                    QVERIFY2(s.captured(slot) == "0" || !listeners.contains(key), qPrintable(name + ": " + line));
                    listeners.insert(key);
                    // The realms come first: no listener in the media ports of its interface.
                    for (const auto &range : ranges.value(s.captured(1)))
                        QVERIFY2(s.captured(slot).toInt() < range.first || s.captured(slot).toInt() > range.second,
                            qPrintable(name + ": " + line));
                }
            }
            QVERIFY2(!ranges.isEmpty() && !listeners.isEmpty(), qPrintable(name));
        }
    }
};

BRAMBLEON_TEST_MAIN(TestUserSideRules)
#include "tst_UserSideRules.moc"
