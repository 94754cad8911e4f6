#include "TestEnvironment.h"
#include "pages/ProductPage.h"

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
        const QString root = qEnvironmentVariable("BRAMBLEON_SOURCE_DIR");
        QVERIFY(!root.isEmpty());
        static const QRegularExpression literal(QStringLiteral("\"(:/images/[^\"]+)\""));
        QSet<QString> names;
        for (const char *folder : {"app", "pages", "services", "device", "data"}) {
            QDirIterator it(
                root + QLatin1Char('/') + QLatin1String(folder), {QStringLiteral("*.cpp")}, QDir::Files);
            while (it.hasNext()) {
                QFile file(it.next());
                QVERIFY(file.open(QIODevice::ReadOnly));
                auto matches = literal.globalMatch(QString::fromUtf8(file.readAll()));
                while (matches.hasNext())
                    names.insert(matches.next().captured(1));
            }
        }
        QVERIFY(names.contains(QStringLiteral(":/images/logo.png")));
        QStringList sorted = names.values();
        sorted.sort();
        for (const QString &name : sorted)
            QTest::newRow(qPrintable(name)) << name;
    }

    void namesInSources()
    {
        QFETCH(QString, name);
        const QPixmap pixmap(name);
        QVERIFY2(!pixmap.isNull(), qPrintable(name));
        QVERIFY(pixmap.width() >= 32 && pixmap.height() >= 32);
    }

    void productPictures()
    {
        for (int i = 0; i < ProductPage::ProductCount; ++i)
            QVERIFY2(!QPixmap(ProductPage::productPicture(i)).isNull(), qPrintable(ProductPage::productName(i)));
        QCOMPARE(ProductPage::productPicture(4), ProductPage::productPicture(6));
        QCOMPARE(ProductPage::productPicture(15), QString());
    }
};

BRAMBLEON_TEST_MAIN(TestImages)
#include "tst_Images.moc"
