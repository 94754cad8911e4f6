#include "device/DownloadSession.h"

#include "data/IniCopy.h"
#include "data/WizardData.h"
#include "device/DeviceIniImport.h"
#include "device/DeviceView.h"

#include <QFile>
#include <QFileInfo>
#include <QNetworkReply>
#include <QRegularExpression>
#include <QTextStream>

DownloadSession::DownloadSession(DeviceView *view, QObject *parent)
    : DeviceSession(view, parent)
{
}

QString DownloadSession::previousDataCandidate(const QString &iniText, const QString &address)
{
    static const QRegularExpression version(
        QStringLiteral("INIFileVersion\\s*=\\s*(\\d+)"), QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = version.match(iniText);
    bool ok = false;
    const int number = match.captured(1).toInt(&ok, 10);
    // A number too big for us never came from our writer.
    return ok ? IniCopy::path(address, number) : QString();
}

int DownloadSession::currentApiLines(const QString &path)
{
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly | QIODevice::Text))
        return -1;
    static const QRegularExpression apiLine(QStringLiteral("^;# %API_VERSION%\\s+(.*)"));
    QTextStream in(&file);
    int count = 0;
    QString line;
    while (in.readLineInto(&line)) {
        const QRegularExpressionMatch match = apiLine.match(line);
        if (match.hasMatch() && match.captured(1).toInt() == WizardData::ApiVersion)
            ++count;
    }
    return count;
}

void DownloadSession::finishedGetINI()
{
    QNetworkReply *reply = takeReply();
    if (!reply)
        return;
    if (failed(reply)) {
        logError(QStringLiteral("can't get configuration file"));
        logout();
        return;
    }
    previousDataFile.clear();
    done = true;
    const QString text = bodyText(reply->readAll());

    const QString candidate = previousDataCandidate(text, view()->address());
    if (!candidate.isEmpty() && QFileInfo::exists(candidate)) {
        log(QStringLiteral("found previous wizard data"));
        const int lines = currentApiLines(candidate);
        for (int i = 0; i < lines; ++i)
            log(QStringLiteral("correct API version"));
        if (lines > 0)
            previousDataFile = candidate;
    }

    version = WizardData::versionFromIni(text);
    if (!version.isEmpty())
        log(QStringLiteral("version: ") + version);
    productIndex = WizardData::productFromBoardType(text);
    if (productIndex >= 0)
        log(QStringLiteral("product: ") + WizardData::productCode(productIndex));

    log(QStringLiteral("reading device configuration"));
    DeviceIniImport::importDeviceIni(text, view()->address());
    log(QStringLiteral("done"), true);
    view()->showDone();
    logout();
}
