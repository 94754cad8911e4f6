#include "BatchCases.h"
#include "BatchShard.h"
#include "FreshRun.h"
#include "ModalBoxCloser.h"
#include "TestEnvironment.h"
#include "app/Brambleon.h"
#include "data/WizardData.h"
#include "pages/ProductPage.h"

#include <QLabel>
#include <QTemporaryDir>
#include <QtTest>

// Every answers file the batch tables refuse, opened in the wizard: the installer goes Next until Next
// greys. Either the file was refused when it was loaded, or a row the installer can see and answer is
// marked on the page that stops, so that nobody is held on a page where nothing says why.
namespace
{
bool marked(const QWidget *w)
{
    return !w->toolTip().isEmpty() && w->palette().color(QPalette::WindowText) == QColor(Qt::darkRed);
}

bool answerable(const QWidget *w, const QWidget *page)
{
    const auto *label = qobject_cast<const QLabel *>(w);
    const QWidget *row = label && label->buddy() ? label->buddy() : w;
    return w->isVisibleTo(page) && row->isVisibleTo(page) && row->isEnabled();
}

// Empty when the installer is never held without a visible mark; else what holds them. A refused load
// keeps no answer and warns as the batch does: with the batch's warning, or where the batch stops on an
// earlier page, with the batch's words for a loaded answer the file holds.
QString deadEnd(const QByteArray &input, const QString &warning)
{
    freshRun();
    WizardData::settings().setValue(QStringLiteral("debug/sendStats"), 0);
    QTemporaryDir dir;
    const QString path = TestEnvironment::writeFile(dir.path(), "in.ini", input);
    const ModalBoxCloser closer;
    Brambleon wizard;
    wizard.show();
    wizard.next();
    static_cast<ProductPage *>(wizard.page(Brambleon::ProductId))->loadPath(path);
    if (closer.count() > 0) {
        const QString box = closer.boxes().join('\n');
        const QRegularExpressionMatch loaded
            = QRegularExpression("^Warning: Can't continue: (.+: Invalid value - )?the loaded (\\w+)[ :]")
                  .match(box);
        if (!box.startsWith(warning) && !box.startsWith("Warning: " + warning)
            && !(loaded.hasMatch() && input.contains("\n;# %" + loaded.captured(2).toUtf8() + "% ")))
            return "the load was refused otherwise than the batch: " + box;
        return WizardData::instance()->values.isEmpty() ? QString() : "a refused load kept its answers";
    }
    for (int i = 0; i < 30 && wizard.currentId() != Brambleon::FinishId; ++i) {
        const QWizardPage *page = wizard.currentPage();
        if (!page->isComplete()) {
            QStringList hidden;
            for (const QWidget *w : page->findChildren<QWidget *>()) {
                if (marked(w) && answerable(w, page))
                    return QString();
                if (marked(w))
                    hidden << w->toolTip();
            }
            return page->title()
                + ": Next greys with nothing marked the installer can answer; hidden marks: " + hidden.join(" | ");
        }
        const int before = wizard.currentId();
        wizard.next();
        if (wizard.currentId() == before)
            return closer.count() > 0 ? QString() : page->title() + ": Next does nothing";
    }
    return QString();
}
} // namespace

class TestDeadEnds : public QObject
{
    Q_OBJECT
private slots:
    void refusedFiles_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QString>("warning");
        const BatchShard shard;
        const QStringList tables = caseTables();
        const QString trouble = shard.trouble(tables);
        QVERIFY2(trouble.isEmpty(), qPrintable(trouble));
        for (const QString &table : tables) {
            if (!shard.selects(table))
                continue;
            for (const auto &row : caseTable(table)) {
                // Rows without an example or with another output are about the command line.
                if (row.second.exit == 2 && !row.second.input.isEmpty() && row.second.output == "out.ini")
                    QTest::newRow(qPrintable(row.first)) << row.second.input << row.second.message;
            }
        }
        // A table whose rows all write a file (QtTest wants a row).
        QTest::newRow("no more refusing rows") << QByteArray() << QString();
    }

    void refusedFiles()
    {
        QFETCH(QByteArray, input);
        QFETCH(QString, warning);
        if (input.isEmpty())
            return;
        const QString held = deadEnd(input, warning);
        QVERIFY2(held.isEmpty(), qPrintable(held));
    }
};

BRAMBLEON_TEST_MAIN(TestDeadEnds)
#include "tst_DeadEnds.moc"
