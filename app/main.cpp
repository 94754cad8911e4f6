#include "app/Brambleon.h"
#include "app/CommandLine.h"
#include "data/WizardData.h"

#include <QApplication>

int main(int argc, char **argv)
{
    // First of all: the data directory is named after the application.
    QCoreApplication::setApplicationName(QStringLiteral("brambleon"));

    QStringList arguments;
    for (int i = 1; i < argc && i < 4; ++i)
        arguments << QString::fromUtf8(argv[i]);
    if (CommandLine::apply(arguments) == CommandLine::Extracted)
        return 0;

    WizardData::instance()->installTemplatePack();

    QApplication app(argc, argv);
    Brambleon wizard;
    wizard.show();
    if (WizardData::instance()->batchMode)
        wizard.setWindowState(wizard.windowState() | Qt::WindowMinimized);
    return app.exec();
}
