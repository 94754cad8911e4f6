#include "TestEnvironment.h"

#include <QApplication>
#include <QDirIterator>
#include <QPixmap>
#include <QRegularExpression>
#include <QtTest>

// Every picture name the program's sources use must be a loadable resource.
class TestImages : public QObject
{
    Q_OBJECT
private slots:
    void namesInSources_data()
    {
        QTest::addColumn<QString>("name");
        static const QRegularExpression literal(QStringLiteral("\"(:/images/[^\"]+)\""));
        QSet<QString> names;
        for (const char *folder : {"app", "pages", "services", "device", "data"}) {
            QDirIterator it(
                qEnvironmentVariable("BRAMBLEON_SOURCE_DIR") + QLatin1Char('/') + QLatin1String(folder),
                {QStringLiteral("*.cpp")}, QDir::Files);
            while (it.hasNext()) {
                auto matches = literal.globalMatch(QString::fromUtf8(TestEnvironment::readFile(it.next())));
                while (matches.hasNext())
                    names.insert(matches.next().captured(1));
            }
        }
        QVERIFY(names.contains(QStringLiteral(":/images/logo.png")));
        for (const QString &name : qAsConst(names))
            QTest::newRow(qPrintable(name)) << name;
    }

    void namesInSources()
    {
        QFETCH(QString, name);
        const QPixmap pixmap(name);
        QVERIFY(pixmap.width() >= 32 && pixmap.height() >= 32);
    }
};

BRAMBLEON_TEST_MAIN(TestImages)
#include "tst_Images.moc"
