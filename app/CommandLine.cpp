#include "app/CommandLine.h"

#include "data/SafeFileWriter.h"
#include "data/WizardData.h"

#include <QDir>
#include <QFile>
#include <QSettings>

#include <cstdio>

CommandLine::Outcome CommandLine::apply(const QStringList &arguments)
{
    if (arguments.isEmpty())
        return Start;
    const QString &word = arguments.at(0);
    WizardData *data = WizardData::instance();
    if (word == QLatin1String("extract")) {
        return extractTemplates(QStringLiteral(".")) ? Extracted : ExtractFailed;
    }
    if (word == QLatin1String("reset")) {
        resetSettings();
    } else if (word == QLatin1String("batch")) {
        data->batchMode = true;
        if (arguments.size() > 1)
            data->batchFile = arguments.at(1);
        if (arguments.size() > 2)
            data->outputFile = arguments.at(2);
    } else if (word == QLatin1String("params")) {
        data->paramsMode = 1;
        if (arguments.size() > 1)
            data->paramsFile = arguments.at(1);
    }
    return Start;
}

bool CommandLine::extractTemplates(const QString &directory)
{
    const QDir source(QStringLiteral(":/templates"));
    const QStringList names = source.entryList(QDir::Files | QDir::NoSymLinks, QDir::Name | QDir::IgnoreCase);
    bool complete = true;
    for (const QString &name : names) {
        const QString target = QDir(directory).filePath(name);
        if (QFile::exists(target))
            continue;
        QFile resource(source.filePath(name));
        if (!resource.open(QIODevice::ReadOnly) || !SafeFileWriter::write(target, resource.readAll())) {
            std::fputs(qPrintable(SafeFileWriter::failureText(target) + QLatin1Char('\n')), stderr);
            complete = false;
        }
    }
    return complete;
}

void CommandLine::resetSettings()
{
    QSettings settings = WizardData::settings();
    settings.remove(QStringLiteral("update"));
    settings.remove(QStringLiteral("data"));
}

QString CommandLine::usage()
{
    return QStringLiteral("Usage: brambleon [word] [files]\n"
                          "  extract                  copy the built-in templates into the working directory\n"
                          "  reset                    forget the remembered answers, then start the wizard\n"
                          "  batch [input] [output]   write the configuration for the answers of a generated\n"
                          "                           INI file (default auto.cfg and config.ini), no questions\n"
                          "  params [file]            start the wizard with the answers of a generated INI file\n"
                          "Any other word, or none, starts the wizard, which needs a display.\n");
}
