#pragma once

#include <QByteArray>
#include <QString>

class QLineEdit;
class QTemporaryDir;

// Keeps every test away from the user's files: HOME, the XDG directories and the settings point
// into one private temporary directory per test executable.
class TestEnvironment
{
public:
    // Points HOME and XDG_{DATA,CONFIG,CACHE}_HOME into a fresh temporary directory, selects the
    // offscreen platform, sets the application name and sends statistics and update checks nowhere.
    // Call before the application object exists.
    static void isolate();
    // Points the program's update servers at a closed port of 127.0.0.1: the maker's are never reached.
    static void closeUpdateServers();
    // The isolated home directory.
    static QString home();
    // The per-user data directory of the program (created on demand).
    static QString dataDir();
    // Starts a test from a fresh WizardData: the registry and every member are discarded.
    static void freshWizardData();
    // Registers a line edit holding text as field name; the edit lives until the next freshWizardData().
    static QLineEdit *addField(const QString &name, const QString &text = QString(),
        bool templateControlled = false, bool presetFromTemplate = false, const QString &companion = QString());
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
