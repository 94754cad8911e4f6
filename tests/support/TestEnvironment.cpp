#include "TestEnvironment.h"

#include "data/WizardData.h"
#include "services/Stats.h"

#include <QCoreApplication>
#include <QDir>
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
    s_home = s_home ? s_home : new QTemporaryDir;
    const QList<QPair<const char *, const char *>> dirs{{"HOME", ""}, {"XDG_CONFIG_HOME", "/config"},
        {"XDG_DATA_HOME", "/data"}, {"XDG_CACHE_HOME", "/cache"}, {"XDG_RUNTIME_DIR", "/runtime"}};
    for (const auto &dir : dirs) {
        const QString path = s_home->path() + dir.second;
        QDir().mkpath(path);
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        qputenv(dir.first, path.toLocal8Bit());
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Port 0 of 127.0.0.1 refuses every connection at once.
    for (const char *variable : {"BRAMBLEON_UPDATE_FTP", "BRAMBLEON_UPDATE_WEB", "BRAMBLEON_REDIRECT_WEB"})
        qputenv(variable, QByteArray(variable).endsWith("FTP") ? "ftp://127.0.0.1:0" : "http://127.0.0.1:0");
    QCoreApplication::setApplicationName(QStringLiteral("brambleon"));
    QCoreApplication::setOrganizationName(QStringLiteral("Tarvellion"));
    Stats::setServer(QUrl());
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
    bool presetFromTemplate, const QString &companion, FieldInfo::Choice choice)
{
    s_edits.push_back(std::make_unique<QLineEdit>(text));
    WizardData::instance()->addField(
        name, s_edits.back().get(), templateControlled, presetFromTemplate, companion, choice);
    return s_edits.back().get();
}

QString TestEnvironment::writeFile(const QString &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = QDir(dir).filePath(name);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        qFatal("cannot write test file %s", qPrintable(path));
    return path;
}

QByteArray TestEnvironment::readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
