#pragma once

// The program run as a process, with HOME, the XDG folders and the working directory in one private
// folder, on the offscreen platform, where no window reaches anyone.

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

struct BatchRun {
    QTemporaryDir home;
    QProcess process;

    void start(const QStringList &arguments)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"HOME", "XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME"})
            env.insert(QLatin1String(name), home.path());
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        // Only what the program itself prints counts.
        env.insert(
            QStringLiteral("LSAN_OPTIONS"), env.value(QStringLiteral("LSAN_OPTIONS")) + ":print_suppressions=0");
        process.setProcessEnvironment(env);
        process.setWorkingDirectory(home.path());
        process.start(qEnvironmentVariable("BRAMBLEON_BINARY"), arguments);
    }
    QString path(const QString &name) const { return home.filePath(name); }
};

// A generated file without its random INIFileVersion line.
inline QByteArray withoutVersionLine(QByteArray bytes)
{
    return QString::fromUtf8(bytes)
        .remove(QRegularExpression(QStringLiteral("INIFileVersion = \\d+\r\n")))
        .toUtf8();
}
