#include "data/WarningBox.h"

#include "data/WizardData.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QMetaObject>

#include <cstdio>

namespace
{
bool s_headless = false;
bool s_batchStopped = false;
} // namespace

void WarningBox::show(QWidget *parent, const QString &title, const QString &text)
{
    if (WizardData::instance()->batchMode) {
        const QByteArray line = (title + QStringLiteral(": ") + text).toLocal8Bit() + '\n';
        std::fputs(line.constData(), stderr);
        std::fflush(stderr);
        s_batchStopped = true;
        if (s_headless) {
            // Queued, so that it also ends a loop that has not started yet.
            QMetaObject::invokeMethod(
                QCoreApplication::instance(), [] { QCoreApplication::exit(BatchExitCode); }, Qt::QueuedConnection);
            return;
        }
    }
    QMessageBox::warning(parent, title, text, QMessageBox::Ok);
}

bool WarningBox::headless()
{
    return s_headless;
}

int WarningBox::exitStatus(int status)
{
    return s_batchStopped ? BatchExitCode : status;
}

void WarningBox::detectHeadless()
{
    const QString platform = QGuiApplication::platformName();
    s_headless = platform == QLatin1String("offscreen") || platform == QLatin1String("minimal");
    if (s_headless) {
        // These platforms complain about every size limit of a window they never show; a batch run
        // must stay silent unless something is wrong.
        static QtMessageHandler next = nullptr;
        next = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &context, const QString &text) {
            if (!text.startsWith(QLatin1String("This plugin does not support propagateSizeHints()")))
                next(type, context, text);
        });
    }
}
