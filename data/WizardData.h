#pragma once

#include "data/FieldInfo.h"
#include "data/TemplateInfo.h"

#include <QHash>
#include <QIcon>
#include <QList>
#include <QSettings>
#include <QString>
#include <QStringList>

#include <array>

class QDate;
class QLineEdit;
class QTextStream;

// The one process-wide store through which pages, templates, writers and loaders meet.
class WizardData
{
public:
    static constexpr int SummaryCount = 14;
    static constexpr int ApiVersion = 4;
    // The program's own version, written into generated files and surveys.
    static constexpr int VersionMajor = 2;
    static constexpr int VersionMinor = 18;

    // The program's settings store (organisation "Tarvellion", application "brambleon").
    static QSettings settings();

    static WizardData *instance();
    // Discards the instance with its registry and all state; the next instance() starts fresh.
    // Tests only: each test starts from an empty registry and no loaded values.
    static void resetForTests();

    WizardData(const WizardData &) = delete;
    WizardData &operator=(const WizardData &) = delete;

    // Field registry and loaded values.
    void addField(const QString &name, QLineEdit *lineEdit, bool templateControlled, bool presetFromTemplate,
        const QString &companionField, FieldInfo::Choice choice = FieldInfo::Answer);
    // The declared kind of a registered field's loaded value; an answer for an unknown name.
    FieldInfo::Choice choiceOf(const QString &name) const;
    void setFieldText(const QString &name, const QString &text);
    bool fieldMarker(const QString &name) const;
    bool hasValue(const QString &name) const;
    QString value(const QString &name) const;
    void setValue(const QString &name, const QString &text);
    void removeValue(const QString &name);
    void clearValues();
    // Text of a registered field's line edit; empty for an unknown name.
    QString fieldText(const QString &name) const;
    // Fields the product page derives from its lists and box: a loaded value never overrides them.
    static bool derivedByProductPage(const QString &name);
    // The refusal of the first loaded value (by name) longer than its field's edit takes, naming the
    // page and row; empty when every value fits. An edit cuts a longer text without a word.
    QString overlongRefusal(const QHash<QString, QString> &loaded) const;

    // Code tables and device identification.
    static QString productCode(int index);
    static QString networkCode(int index);
    static QString applicationCode(int index);
    // The index of a code in its table; -1 for a text no entry has.
    static int networkIndex(const QString &code);
    static int applicationIndex(const QString &code);
    static int maxSessions(int productIndex, const QString &version);
    static int sessionLimit(int productIndex, const QString &version);
    static int productFromBoardType(const QString &iniText);
    static QString versionFromIni(const QString &iniText);
    static QStringList interfaceGroupNames(const QString &productCode);

    // Template pack and template lists.
    static QString templatePackPath();
    void installTemplatePack();
    static bool readPackVersion(const QString &zipPath, int &major, int &minor, QString &build);
    void countPackTemplates(int &templateCount, int &pbxCount, int &itspCount);
    void loadTemplates();
    void listTemplates(const QString &suffix, QList<TemplateInfo> &list);
    bool parseTemplateHeader(QTextStream &stream, TemplateInfo &info);
    void readTemplate(const QString &path);
    QIcon templateIcon(const QString &iconName);

    // Update check. A check is due unless one was already recorded in this clock hour of today by
    // this program version; a due check is recorded at once, whatever its outcome.
    static bool isUpdateCheckDue();
    static bool isUpdateCheckDue(const QDate &today, int hour);
    // The update server is reached over FTP when the setting "update/updateViaFtp" is 1, else over HTTP.
    static bool updateViaFtp();

    // Template composition. Each returns false, with no template current, when the template or
    // a part of it does not exist.
    bool selectTemplate(const QString &name);
    bool composeItspTemplate(const QString &pbxName, const QString &itspName);
    bool composePbxGatewayTemplate(const QString &pbxName);
    bool composeItspGatewayTemplate(const QString &itspName);
    void splitTemplate(const QString &path, QStringList &head, QStringList &body);
    void expandIncludes();
    void applyTemplateDefines();

    // Template evaluation. When the configuration would pass TemplateEvaluator::MaxOutputChars,
    // iniLines is left empty and generatedTooLarge is set; when answers holding a double quote would
    // go into configuration lines, iniLines is left empty and generatedQuoted names those fields.
    QStringList generateIni(bool addVersion);

    // SIP transport and port fix-ups.
    void updateSip2LocalPorts();
    void updateSip3LocalPorts();
    void updateFeuLocalPorts();
    void updateUserLocalPorts();
    void updateRemoteUserLocalPorts();
    void updateLocalPorts();
    void updateSip1LocalPorts();

    // Generated files and metadata. The writers return false when the file could not be written.
    bool writeIniFile(const QString &path, const QString &notes);
    bool writeCliFile(const QString &path, const QString &notes);
    // Reads a generated file's answers into a set of their own; false after the loader's warning.
    static bool readMetadata(const QString &path, QHash<QString, QString> &into);
    // Reads them and takes them when they fit their fields; a refused file changes no answer.
    bool loadMetadata(const QString &path);

    // INI-to-CLI conversion of iniLines for the business-router models.
    QStringList convertIniToCli(const QString &version);

    QList<TemplateInfo> templates;
    QList<TemplateInfo> pbxTemplates;
    QList<TemplateInfo> itspTemplates;
    QString currentTemplate;
    std::array<QStringList, SummaryCount> summaries;
    QStringList iniLines;
    QStringList cliLines;
    int iniFileVersion = 0;
    bool generatedTooLarge = false;
    QStringList generatedQuoted;
    QHash<QString, QString> deviceValues;
    bool batchMode = false;
    QString batchFile = QStringLiteral("auto.cfg");
    QString outputFile = QStringLiteral("config.ini");
    int paramsMode = 0;
    QString paramsFile;
    QHash<int, QString> moduleTypes;
    QString deviceAddress;
    QStringList templateLines;
    QHash<QString, QString> values;
    QHash<QString, FieldInfo> fields;
    QString templateNotes;

    // Size and modification time of the pack the lists were last built from.
    qint64 loadedPackSize = -1;
    qint64 loadedPackTime = -1;

private:
    WizardData() = default;
};
