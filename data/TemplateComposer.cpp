#include "data/TemplateComposer.h"

#include "data/LoadedText.h"
#include "data/TemplatePack.h"
#include "data/WizardData.h"

#include <QFile>
#include <QHash>
#include <QLineEdit>
#include <QRegularExpression>
#include <QSet>

namespace
{
const QStringList kSbcIncludes{QStringLiteral("header.include"), QStringLiteral("system.include"),
    QStringLiteral("network.include"), QStringLiteral("sbc.include"), QStringLiteral("dial_sbc.include"),
    QStringLiteral("coders.include")};
const QStringList kGatewayIncludes{QStringLiteral("header.include"), QStringLiteral("system.include"),
    QStringLiteral("network.include"), QStringLiteral("gateway.include"), QStringLiteral("dial_gateway.include"),
    QStringLiteral("coders_gateway.include")};

const QString kPbxBanner = QStringLiteral("; --------------  IP-PBX  ----------------");
const QString kItspBanner = QStringLiteral("; -------------  SIP Trunk  --------------");
const QString kPstnGateway = QStringLiteral("PSTN Gateway");

const QRegularExpression &includeExpression()
{
    static const QRegularExpression re(
        QStringLiteral("^\\s*#include\\s+(\\S+)"), QRegularExpression::CaseInsensitiveOption);
    return re;
}

// Path of the first entry of that name; the setup page names loose files without their mark " (*)",
// so an entry whose name matches only without the mark serves when no entry matches exactly.
QString pathOf(const QList<TemplateInfo> &list, const QString &name)
{
    for (const TemplateInfo &info : list) {
        if (info.name == name)
            return info.path;
    }
    for (const TemplateInfo &info : list) {
        if (TemplateInfo::withoutLooseMark(info.name) == name)
            return info.path;
    }
    return QString();
}

QString missingInclude(const QString &name)
{
    return QStringLiteral("; couldn't find #include ") + name;
}

// One expansion: the includes being expanded, each include file read once, and how far it has grown.
struct Expansion {
    const TemplateComposer::IncludeLoader &loader;
    QStringList active;
    QHash<QString, QStringList> cache;
    QSet<QString> missing;
    // Lines written plus includes expanded, so that includes of empty files count as well.
    int size = 0;

    bool load(const QString &name, QStringList &lines)
    {
        if (missing.contains(name))
            return false;
        const auto cached = cache.constFind(name);
        if (cached != cache.constEnd()) {
            lines = *cached;
            return true;
        }
        if (!loader(name, lines)) {
            missing.insert(name);
            return false;
        }
        cache.insert(name, lines);
        return true;
    }
};

void expandInto(QStringList &out, const QStringList &lines, Expansion &expansion)
{
    for (const QString &line : lines) {
        const QRegularExpressionMatch m = includeExpression().match(line);
        ++expansion.size;
        if (!m.hasMatch()) {
            out << line;
            continue;
        }
        const QString name = m.captured(1);
        QStringList included;
        QStringList &active = expansion.active;
        const bool cycle = active.contains(name, Qt::CaseInsensitive);
        if (cycle || active.size() >= TemplateComposer::MaxIncludeDepth
            || expansion.size > TemplateComposer::MaxExpandedLines || !expansion.load(name, included)) {
            out << missingInclude(name);
            continue;
        }
        active << name;
        expandInto(out, included, expansion);
        active.removeLast();
    }
}

} // namespace

TemplateComposer::TemplateComposer(WizardData &data)
    : m_data(data)
{
}

bool TemplateComposer::selectTemplate(const QString &name)
{
    const QString path = pathOf(m_data.templates, name);
    if (path.isEmpty())
        return fail();
    m_data.currentTemplate = name;
    m_data.readTemplate(path);
    applyDefines();
    applyDeviceValues();
    return true;
}

bool TemplateComposer::composeItsp(const QString &pbxName, const QString &itspName)
{
    const QString pbx = partPath(true, pbxName);
    const QString itsp = partPath(false, itspName);
    if (pbx.isEmpty() || itsp.isEmpty())
        return fail();
    const QString name = pbxName + QStringLiteral(" - ") + itspName;
    return compose(name, {QStringLiteral("#application ITSP")}, pbx, itsp, kSbcIncludes);
}

bool TemplateComposer::composePbxGateway(const QString &pbxName)
{
    const QString pbx = partPath(true, pbxName);
    if (pbx.isEmpty())
        return fail();
    const QString name = pbxName + QStringLiteral(" - ") + kPstnGateway;
    return compose(name, {QStringLiteral("#application GATEWAY")}, pbx, QString(), kGatewayIncludes);
}

bool TemplateComposer::composeItspGateway(const QString &itspName)
{
    const QString itsp = partPath(false, itspName);
    if (itsp.isEmpty())
        return fail();
    const QString name = kPstnGateway + QStringLiteral(" - ") + itspName;
    return compose(name, {QStringLiteral("#application GATEWAY")}, QString(), itsp, kGatewayIncludes);
}

QString TemplateComposer::partPath(bool pbx, const QString &name) const
{
    return pathOf(pbx ? m_data.pbxTemplates : m_data.itspTemplates, name);
}

bool TemplateComposer::fail()
{
    // Keeping the previous template current would generate another application's configuration.
    m_data.templateLines.clear();
    m_data.currentTemplate.clear();
    m_data.templateNotes.clear();
    return false;
}

bool TemplateComposer::compose(const QString &current, const QStringList &top, const QString &pbxPath,
    const QString &itspPath, const QStringList &includes)
{
    m_data.currentTemplate = current;
    QStringList head, body;
    if (!pbxPath.isEmpty()) {
        body << QString() << kPbxBanner << QString();
        splitTemplate(pbxPath, head, body);
    }
    if (!itspPath.isEmpty()) {
        body << QString() << kItspBanner << QString();
        splitTemplate(itspPath, head, body);
    }
    QStringList lines;
    lines << QStringLiteral("; ") + current << QString() << QStringLiteral("#template ") + current << top
          << QString() << head << QString();
    for (const QString &include : includes)
        lines << QStringLiteral("#include ") + include << QString();
    lines << body;
    m_data.templateLines = lines;
    applyDefines();
    applyDeviceValues();
    return true;
}

void TemplateComposer::splitTemplate(const QString &path, QStringList &head, QStringList &body)
{
    m_data.readTemplate(path);
    QStringList &lines = m_data.templateLines;
    int first = 0;
    while (first < lines.size() && lines.at(first).startsWith(QLatin1Char(';')))
        ++first;
    bool inBody = false;
    for (int i = first; i < lines.size(); ++i) {
        const QString &line = lines.at(i);
        if (line.startsWith(QLatin1String("#---"))) {
            inBody = true;
            continue;
        }
        (inBody ? body : head) << line;
    }
    lines.erase(lines.begin(), lines.begin() + first);
}

void TemplateComposer::expandIncludes()
{
    m_data.templateLines = expand(m_data.templateLines, &TemplateComposer::loadInclude);
}

QStringList TemplateComposer::expand(const QStringList &lines, const IncludeLoader &loader)
{
    QStringList out;
    Expansion expansion{loader, {}, {}, {}, 0};
    expandInto(out, lines, expansion);
    return out;
}

bool TemplateComposer::loadInclude(const QString &name, QStringList &lines)
{
    QByteArray bytes;
    if (!TemplatePack::readEntry(TemplatePack::packPath(), name, bytes, QuaZip::csInsensitive)) {
        QFile file(QStringLiteral(":/templates/") + name);
        if (name.isEmpty() || !file.open(QIODevice::ReadOnly))
            return false;
        bytes = file.readAll();
    }
    lines = TemplatePack::templateText(bytes);
    return true;
}

TemplateComposer::DefineEffect TemplateComposer::defineEffect(
    bool batchMode, bool presetOrDefaults, const QString &field, const QString &rawValue)
{
    DefineEffect effect;
    const bool bang = rawValue.startsWith(QLatin1Char('!'));
    const QString value = (bang ? rawValue.mid(1) : rawValue).trimmed();
    if (batchMode || (bang && presetOrDefaults)) {
        effect.setText = true;
        effect.text = value;
        return effect;
    }
    if (bang)
        return effect; // a "!" value is never shown as a hint
    effect.setText = true; // text emptied unless set below
    if (field == QLatin1String("SIP2_PASSWORD")) {
        effect.setHint = true;
        return effect;
    }
    if (presetOrDefaults && field != QLatin1String("SIP2_USERNAME")) {
        effect.text = value;
        return effect;
    }
    effect.setHint = true;
    if (!value.isEmpty())
        effect.hint = QStringLiteral("e.g. ") + value;
    return effect;
}

void TemplateComposer::applyDefines()
{
    expandIncludes();

    for (auto it = m_data.fields.begin(); it != m_data.fields.end(); ++it) {
        QLineEdit *edit = it->lineEdit;
        if (edit) {
            if (it->templateControlled && !it->mandatory) {
                edit->setEnabled(false);
                edit->clear();
            }
            edit->setPlaceholderText(QString());
        }
        it->definedByTemplate = false;
    }

    const bool useDefaults = m_data.fields.contains(QStringLiteral("USE_DEFAULTS"))
        && m_data.fieldText(QStringLiteral("USE_DEFAULTS")) == QLatin1String("1");

    static const QRegularExpression defineLine(
        QStringLiteral("^#define\\s+%(\\S+)%\\s+(.*)"), QRegularExpression::CaseInsensitiveOption);
    // The "#comment" notes depend on the answers: the conclusion page collects them with the configuration.
    m_data.templateNotes.clear();
    QSet<QString> defined;
    for (const QString &line : qAsConst(m_data.templateLines)) {
        if (!line.startsWith(QLatin1Char('#')))
            continue;
        QRegularExpressionMatch m = defineLine.match(line);
        if (m.hasMatch()) {
            const QString name = m.captured(1);
            auto it = m_data.fields.find(name);
            if (it != m_data.fields.end() && !defined.contains(name)) {
                defined.insert(name);
                const DefineEffect effect
                    = defineEffect(m_data.batchMode, it->presetFromTemplate || useDefaults, name, m.captured(2));
                if (it->lineEdit) {
                    if (effect.setText)
                        it->lineEdit->setText(effect.text);
                    if (effect.setHint)
                        it->lineEdit->setPlaceholderText(effect.hint);
                }
                it->definedByTemplate = true;
            }
        }
    }

    static const QRegularExpression reference(QStringLiteral("%([A-Za-z0-9_]+)%"));
    for (const QString &line : qAsConst(m_data.templateLines)) {
        // Every line but a ";" comment counts, notes too: a field a note shows is loaded and enabled.
        if (line.startsWith(QLatin1Char(';')) || !line.contains(QLatin1Char('%')))
            continue;
        QRegularExpressionMatchIterator matches = reference.globalMatch(line);
        while (matches.hasNext()) {
            const QString name = matches.next().captured(1);
            const auto it = m_data.fields.constFind(name);
            if (it == m_data.fields.constEnd())
                continue;
            const QString companion = it->companionField;
            if (m_data.values.contains(name) && !WizardData::derivedByProductPage(name)) {
                const QString loaded = m_data.values.value(name);
                // A choice loaded empty is no answer; any other loaded answer, an empty one too,
                // replaces the template's value.
                if (!FieldInfo::emptyIsNoAnswer(it->choice) || !LoadedText::bare(loaded).isEmpty())
                    m_data.setFieldText(name, loaded);
                if (!companion.isEmpty())
                    m_data.setFieldText(companion, m_data.values.value(companion));
            }
            if (it->lineEdit)
                it->lineEdit->setEnabled(true);
            const auto other = m_data.fields.constFind(companion);
            if (!companion.isEmpty() && other != m_data.fields.constEnd() && other->lineEdit)
                other->lineEdit->setEnabled(true);
        }
    }
}

void TemplateComposer::applyDeviceValues()
{
    for (auto it = m_data.deviceValues.constBegin(); it != m_data.deviceValues.constEnd(); ++it)
        m_data.setFieldText(it.key(), it.value());
}
