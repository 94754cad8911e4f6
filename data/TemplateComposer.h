#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class WizardData;

// Makes a template current: reads it or builds it from an IP-PBX part, a SIP trunk part and the
// standard include files, expands its includes and applies its defines, notes and loaded values.
class TemplateComposer
{
public:
    // What one "#define" does to its field.
    struct DefineEffect {
        bool setText = false; // replace the field's text by text
        QString text;
        bool setHint = false; // replace the field's placeholder by hint
        QString hint;
    };

    // Gives the lines of an include file (";;" lines already dropped); false when there is none.
    using IncludeLoader = std::function<bool(const QString &name, QStringList &lines)>;

    static constexpr int MaxIncludeDepth = 16;
    // Far above any real template: once the expansion has grown past it, includes are left unexpanded.
    static constexpr int MaxExpandedLines = 200000;

    explicit TemplateComposer(WizardData &data);

    bool selectTemplate(const QString &name);
    bool composeItsp(const QString &pbxName, const QString &itspName);
    bool composePbxGateway(const QString &pbxName);
    bool composeItspGateway(const QString &itspName);
    void splitTemplate(const QString &path, QStringList &head, QStringList &body);
    void expandIncludes();
    void applyDefines();

    // Expands every include line in place, at any depth. An include that cannot be found, that would
    // re-enter one being expanded, that lies deeper than MaxIncludeDepth or that comes after
    // MaxExpandedLines becomes a comment line.
    static QStringList expand(const QStringList &lines, const IncludeLoader &loader);
    // Looks an include up in the pack (letter case ignored), then in the built-in resources.
    static bool loadInclude(const QString &name, QStringList &lines);
    static DefineEffect defineEffect(
        bool batchMode, bool presetOrDefaults, const QString &field, const QString &rawValue);

private:
    QString partPath(bool pbx, const QString &name) const;
    bool fail();
    bool compose(const QString &current, const QStringList &top, const QString &pbxPath, const QString &itspPath,
        const QStringList &includes);
    void applyDeviceValues();

    WizardData &m_data;
};
