#include "TestEnvironment.h"

#include "data/WizardData.h"
#include "services/Stats.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <memory>
#include <vector>

namespace
{
QTemporaryDir *s_home = nullptr;
std::vector<std::unique_ptr<QLineEdit>> s_edits;
} // namespace

void TestEnvironment::isolate()
{
    if (!s_home) {
        s_home = new QTemporaryDir;
        s_home->setAutoRemove(true);
    }
    const QString root = s_home->path();
    for (const char *sub : {"config", "data", "cache", "runtime"})
        QDir(root).mkpath(QString::fromLatin1(sub));
    qputenv("HOME", root.toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (root + "/config").toLocal8Bit());
    qputenv("XDG_DATA_HOME", (root + "/data").toLocal8Bit());
    qputenv("XDG_CACHE_HOME", (root + "/cache").toLocal8Bit());
    qputenv("XDG_RUNTIME_DIR", (root + "/runtime").toLocal8Bit());
    QFile::setPermissions(
        root + "/runtime", QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    closeUpdateServers();
    QCoreApplication::setApplicationName(QStringLiteral("brambleon"));
    QCoreApplication::setOrganizationName(QStringLiteral("Tarvellion"));
    // Statistics go to a test's own loopback server or nowhere, whatever a test leaves switched on.
    Stats::setServer(QUrl());
}

void TestEnvironment::closeUpdateServers()
{
    // Port 0 of 127.0.0.1 refuses every connection at once.
    qputenv("BRAMBLEON_UPDATE_FTP", "ftp://127.0.0.1:0");
    qputenv("BRAMBLEON_UPDATE_WEB", "http://127.0.0.1:0");
    qputenv("BRAMBLEON_REDIRECT_WEB", "http://127.0.0.1:0");
}

QString TestEnvironment::home()
{
    return s_home ? s_home->path() : QString();
}

QString TestEnvironment::dataDir()
{
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::DataLocation);
    QDir().mkpath(dir);
    return dir;
}

void TestEnvironment::freshWizardData()
{
    WizardData::resetForTests();
    s_edits.clear();
}

QLineEdit *TestEnvironment::addField(const QString &name, const QString &text, bool templateControlled,
    bool presetFromTemplate, const QString &companion)
{
    s_edits.push_back(std::make_unique<QLineEdit>(text));
    WizardData::instance()->addField(
        name, s_edits.back().get(), templateControlled, presetFromTemplate, companion);
    return s_edits.back().get();
}

QString TestEnvironment::writeFile(const QString &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = QDir(dir).filePath(name);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write test file %s", qPrintable(path));
    file.write(bytes);
    return path;
}

QByteArray TestEnvironment::readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
