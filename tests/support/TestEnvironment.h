#pragma once

#include "data/FieldInfo.h"

#include <QByteArray>
#include <QString>

class QLineEdit;

// Keeps every test away from the user's files and the maker's servers.
class TestEnvironment
{
public:
    // HOME and XDG_* in a fresh temporary directory, the offscreen platform, the program's names, and
    // no statistics or update server. Call before the application object exists.
    static void isolate();
    static QString home();
    // The program's per-user data directory (created on demand).
    static QString dataDir();
    // Discards the WizardData registry, every member and the fields' line edits.
    static void freshWizardData();
    // Registers a line edit holding text as field name, until the next freshWizardData().
    static QLineEdit *addField(const QString &name, const QString &text = QString(),
        bool templateControlled = false, bool presetFromTemplate = false, const QString &companion = QString(),
        FieldInfo::Choice choice = FieldInfo::Answer);
    // Writes bytes to dir/name, creating folders; returns the full path.
    static QString writeFile(const QString &dir, const QString &name, const QByteArray &bytes);
    static QByteArray readFile(const QString &path);
};

// QTEST_MAIN for our tests: isolated environment, a QApplication on the offscreen platform.
#define BRAMBLEON_TEST_MAIN(TestObject)                                                                           \
    int main(int argc, char **argv)                                                                               \
    {                                                                                                             \
        TestEnvironment::isolate();                                                                               \
        QApplication app(argc, argv);                                                                             \
        app.setAttribute(Qt::AA_Use96Dpi, true);                                                                  \
        TestObject tc;                                                                                            \
        QTEST_SET_MAIN_SOURCE_PATH                                                                                \
        const int result = QTest::qExec(&tc, argc, argv);                                                         \
        TestEnvironment::freshWizardData(); /* the fields' line edits must go before the application */           \
        return result;                                                                                            \
    }
