#include "app/Brambleon.h"
#include "app/CommandLine.h"
#include "data/WarningBox.h"
#include "data/WizardData.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    // First of all: the data directory is named after the application.
    QCoreApplication::setApplicationName(QStringLiteral("brambleon"));

    QStringList arguments;
    for (int i = 1; i < argc && i < 4; ++i)
        arguments << QString::fromUtf8(argv[i]);
    switch (CommandLine::apply(arguments)) {
    case CommandLine::Extracted:
        return 0;
    case CommandLine::ExtractFailed:
        return 1;
    case CommandLine::Start:
        break;
    }

    WizardData::instance()->installTemplatePack();

    QApplication app(argc, argv);
    WarningBox::detectHeadless();
    // A wizard nobody can see would wait for ever.
    if (WarningBox::headless() && !WizardData::instance()->batchMode) {
        std::fputs(qPrintable(CommandLine::usage()), stderr);
        return CommandLine::UsageExitCode;
    }
    Brambleon wizard;
    wizard.show();
    if (WizardData::instance()->batchMode)
        wizard.setWindowState(wizard.windowState() | Qt::WindowMinimized);
    return WarningBox::exitStatus(app.exec());
}
