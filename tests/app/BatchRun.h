#pragma once

// The program run as a process in batch mode, with HOME, the XDG folders and the working directory
// in one private folder, on the offscreen platform, where no window reaches anyone.

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

struct BatchRun {
    QTemporaryDir home;
    QProcess process;

    // Starts "batch" with the arguments.
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
        process.start(qEnvironmentVariable("BRAMBLEON_BINARY"), QStringList{QStringLiteral("batch")} + arguments);
    }
    // The exit status; -1 when the program crashed or had not ended in time.
    int wait()
    {
        const bool ended = process.state() == QProcess::NotRunning || process.waitForFinished(60000);
        if (ended && process.exitStatus() == QProcess::NormalExit)
            return process.exitCode();
        process.kill();
        process.waitForFinished(5000);
        return -1;
    }
    int run(const QStringList &arguments)
    {
        start(arguments);
        return wait();
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
