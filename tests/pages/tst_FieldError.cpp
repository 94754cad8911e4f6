#include "TestEnvironment.h"
#include "pages/FieldError.h"

#include <QApplication>
#include <QLabel>
#include <QtTest>

// Runs in a process of its own: the first widget ever marked fixes the normal colour.
class TestFieldError : public QObject
{
    Q_OBJECT
private slots:
    void firstWidgetDecidesNormalColour()
    {
        QLabel first;
        QPalette odd = first.palette();
        odd.setColor(QPalette::WindowText, QColor(0x12, 0x34, 0x56));
        first.setPalette(odd);
        markFieldError(&first, true, QStringLiteral("Invalid value - first"));
        QCOMPARE(first.palette().color(QPalette::Active, QPalette::WindowText), QColor(Qt::darkRed));
        QCOMPARE(first.palette().color(QPalette::Disabled, QPalette::WindowText), QColor(Qt::darkRed));
        QCOMPARE(first.toolTip(), QStringLiteral("Invalid value - first"));

        QLabel second;
        markFieldError(&second, true, QStringLiteral("Invalid value - second"));
        markFieldError(&second, false, QStringLiteral("ignored"));
        QCOMPARE(second.toolTip(), QString());
        for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
            QCOMPARE(second.palette().color(group, QPalette::WindowText), QColor(0x12, 0x34, 0x56));

        markFieldError(&first, false);
        QCOMPARE(first.palette().color(QPalette::WindowText), QColor(0x12, 0x34, 0x56));
        QCOMPARE(first.toolTip(), QString());
    }
};

BRAMBLEON_TEST_MAIN(TestFieldError)
#include "tst_FieldError.moc"
