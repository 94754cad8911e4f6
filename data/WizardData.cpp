#include "data/WizardData.h"

#include "data/ConfigFileWriter.h"
#include "data/MetadataReader.h"
#include "data/PortFixups.h"
#include "data/RowName.h"
#include "data/TemplateComposer.h"
#include "data/TemplateEvaluator.h"
#include "data/TemplatePack.h"
#include "data/WarningBox.h"
#include "ini/IniDocument.h"
#include "ini/IniToCliConverter.h"

#include <QDateTime>
#include <QFileInfo>
#include <QLineEdit>
#include <QRegExpValidator>
#include <QRegularExpression>
#include <QRegularExpressionValidator>

namespace
{
WizardData *s_instance = nullptr;
}

WizardData *WizardData::instance()
{
    if (!s_instance)
        s_instance = new WizardData;
    return s_instance;
}

QSettings WizardData::settings()
{
    return QSettings(QStringLiteral("Tarvellion"), QStringLiteral("brambleon"));
}

void WizardData::resetForTests()
{
    delete s_instance;
    s_instance = nullptr;
}

// ---------------------------------------------------------------------------------------------
// Field registry and loaded values

void WizardData::addField(const QString &name, QLineEdit *lineEdit, bool templateControlled,
    bool presetFromTemplate, const QString &companionField, FieldInfo::Choice choice)
{
    FieldInfo info;
    QString key = name;
    if (key.endsWith(QLatin1Char('*'))) {
        key.chop(1);
        info.mandatory = true;
    }
    info.lineEdit = lineEdit;
    info.templateControlled = templateControlled;
    info.presetFromTemplate = presetFromTemplate;
    info.companionField = companionField;
    info.choice = choice;
    fields.insert(key, info);
}

FieldInfo::Choice WizardData::choiceOf(const QString &name) const
{
    return fields.value(name).choice;
}

void WizardData::setFieldText(const QString &name, const QString &text)
{
    const auto it = fields.constFind(name);
    if (it != fields.constEnd() && it->lineEdit)
        it->lineEdit->setText(text);
}

bool WizardData::fieldMarker(const QString &name) const
{
    const auto it = fields.constFind(name);
    return it != fields.constEnd() && it->definedByTemplate;
}

QString WizardData::fieldText(const QString &name) const
{
    const auto it = fields.constFind(name);
    return it != fields.constEnd() && it->lineEdit ? it->lineEdit->text() : QString();
}

bool WizardData::hasValue(const QString &name) const
{
    return values.contains(name);
}

QString WizardData::value(const QString &name) const
{
    return values.value(name);
}

void WizardData::setValue(const QString &name, const QString &text)
{
    values.insert(name, text);
}

void WizardData::removeValue(const QString &name)
{
    values.remove(name);
}

void WizardData::clearValues()
{
    values.clear();
}

bool WizardData::derivedByProductPage(const QString &name)
{
    static const QStringList derived{QStringLiteral("PRODUCT"), QStringLiteral("VERSION"), QStringLiteral("KRBX"),
        QStringLiteral("CCE"), QStringLiteral("MEDIACHANNELS"), QStringLiteral("USE_DEFAULTS")};
    return derived.contains(name);
}

namespace
{
// The most characters an edit takes: its maximum length, or less when its validator takes any text
// of a bounded length ("^.{1,64}$"), which typing cannot pass but a loaded text would.
int fieldLimit(const QLineEdit *edit)
{
    QString pattern;
    if (const auto *validator = qobject_cast<const QRegularExpressionValidator *>(edit->validator()))
        pattern = validator->regularExpression().pattern();
    else if (const auto *validator = qobject_cast<const QRegExpValidator *>(edit->validator()))
        pattern = validator->regExp().pattern();
    static const QRegularExpression bounded(QStringLiteral("^\\^\\.\\{\\d*,(\\d+)\\}\\$$"));
    const QRegularExpressionMatch m = bounded.match(pattern);
    return m.hasMatch() ? qMin(edit->maxLength(), m.captured(1).toInt()) : edit->maxLength();
}
} // namespace

QString WizardData::overlongRefusal(const QHash<QString, QString> &loaded) const
{
    QStringList names = loaded.keys();
    names.sort();
    for (const QString &name : qAsConst(names)) {
        const QLineEdit *edit = fields.value(name).lineEdit;
        const int limit = edit ? fieldLimit(edit) : -1;
        if (edit && loaded.value(name).size() > limit)
            return QStringLiteral("Can't continue: %1: Invalid value - longer than %2 characters")
                .arg(fieldRowName(edit, name))
                .arg(limit);
    }
    return QString();
}

// ---------------------------------------------------------------------------------------------
// Code tables and device identification

namespace
{
struct Product {
    const char *code;
    int sessions66;
    int sessions;
};

const Product kProducts[] = {
    {"QA1", 60, 100},
    {"QA1L", 60, 100},
    {"QA2", 60, 100},
    {"QA3", 120, 150},
    {"QB6", 600, 600},
    {"QB7", 1008, 1008},
    {"QB8", 4000, 5000},
    {"QSW", 1000, 5000},
    {"QC9", 1000, 5000},
    {"QA1_KRBX", 60, 100},
    {"QA1L_KRBX", 60, 100},
    {"QA2_KRBX", 60, 100},
    {"QA3_KRBX", 120, 150},
    {"QA2_CCE", 60, 100},
    {"QSW_CCE", 1000, 5000},
};
constexpr int kProductCount = int(sizeof kProducts / sizeof kProducts[0]);

const char *const kNetworks[] = {"LAN_WAN", "WAN", "LAN", "LAN_ONLY"};
const char *const kApplications[] = {"ITSP", "NORMALIZATION", "HOSTED", "REMOTEUSERS", "GATEWAY", "CCE"};

struct BoardLine {
    const char *text;
    int board;
};

// Longer model names come before the shorter names they contain.
const BoardLine kBoardLines[] = {
    {";Board Type: Quorvex A3 - KRBX", 67},
    {";Board Type: Quorvex A3", 71},
    {";Board Type: Quorvex A2 - KRBX", 69},
    {";Board Type: Quorvex A2", 72},
    {";Board Type: Quorvex A1L - KRBX", 84},
    {";Board Type: QA1L - KRBX", 84},
    {";Board Type: Quorvex A1L", 85},
    {";Board Type: QA1L", 85},
    {";Board Type: Quorvex A1 - KRBX", 76},
    {";Board Type: QA1 - KRBX", 76},
    {";Board Type: Quorvex A1", 77},
    {";Board Type: QA1", 77},
    {";Board Type: Quorvex B6", 78},
    {";Board Type: Quorvex B7", 49},
    {";Board Type: Quorvex B8", 70},
    {";Board Type: Quorvex VS", 73},
    {";Board Type: Quorvex X2 SBC", 79},
    {";Board Type: Quorvex X2-K SBC", 80},
    {";Board Type: Quorvex X1 SBC", 81},
    {";Board Type: Quorvex X1-K SBC", 82},
    {";Board Type: Quorvex C9 SBC", 83},
};

// Product index for a board number, without and with the routing feature.
struct BoardProduct {
    std::initializer_list<int> boards;
    int plain;
    int routing;
};

const BoardProduct kBoardProducts[] = {
    {{47, 67, 71}, 3, 12},
    {{69, 72, 74, 75}, 2, 11},
    {{76, 77}, 0, 9},
    {{84, 85}, 1, 10},
    {{48, 49, 50}, 5, 5},
    {{78}, 4, 4},
    {{70}, 6, 6},
    {{73, 79, 80, 81, 82}, 7, 7},
    {{83}, 8, 8},
};

int boardNumber(const QString &text)
{
    for (const BoardLine &line : kBoardLines) {
        if (text.contains(QLatin1String(line.text)))
            return line.board;
    }
    static const QRegularExpression numeric(QStringLiteral(";Board Type: (\\d+)"));
    static const QRegularExpression fk(QStringLiteral(" FK Board Type: (\\d+)"));
    static const QRegularExpression hw(QStringLiteral(";HW Board Type: (\\d+)"));
    int board = -1;
    for (const QRegularExpression *re : {&numeric, &fk}) {
        const QRegularExpressionMatch m = re->match(text);
        if (m.hasMatch()) {
            board = m.captured(1).toInt();
            if (board > 0)
                return board;
        }
    }
    const QRegularExpressionMatch m = hw.match(text);
    if (m.hasMatch())
        board = m.captured(1).toInt();
    return board;
}
} // namespace

QString WizardData::productCode(int index)
{
    return index >= 0 && index < kProductCount ? QString::fromLatin1(kProducts[index].code) : QString();
}

QString WizardData::networkCode(int index)
{
    return index >= 0 && index < 4 ? QString::fromLatin1(kNetworks[index]) : QString();
}

QString WizardData::applicationCode(int index)
{
    return index >= 0 && index < 6 ? QString::fromLatin1(kApplications[index]) : QString();
}

namespace
{
template <size_t N> int indexIn(const char *const (&table)[N], const QString &code)
{
    for (size_t i = 0; i < N; ++i) {
        if (code == QLatin1String(table[i]))
            return int(i);
    }
    return -1;
}
} // namespace

int WizardData::networkIndex(const QString &code)
{
    return indexIn(kNetworks, code);
}

int WizardData::applicationIndex(const QString &code)
{
    return indexIn(kApplications, code);
}

int WizardData::maxSessions(int productIndex, const QString &version)
{
    if (productIndex < 0 || productIndex >= kProductCount)
        return 100;
    const Product &p = kProducts[productIndex];
    return version == QLatin1String("6.6") ? p.sessions66 : p.sessions;
}

int WizardData::sessionLimit(int productIndex, const QString &version)
{
    return qMax(100, maxSessions(productIndex, version));
}

int WizardData::productFromBoardType(const QString &iniText)
{
    const int board = boardNumber(iniText);
    for (const BoardProduct &entry : kBoardProducts) {
        for (int b : entry.boards) {
            if (b == board) {
                if (entry.plain == entry.routing)
                    return entry.plain;
                return iniText.contains(QLatin1String(";DATA features: Routing")) ? entry.routing : entry.plain;
            }
        }
    }
    return -1;
}

QString WizardData::versionFromIni(const QString &iniText)
{
    static const QRegularExpression re(QStringLiteral(";Software Version:\\s+(\\d)\\.(\\d)"));
    const QRegularExpressionMatch m = re.match(iniText);
    if (!m.hasMatch())
        return QString();
    int major = m.captured(1).toInt();
    int minor = m.captured(2).toInt();
    if (minor == 9) {
        ++major;
        minor = 0;
    } else {
        minor += minor % 2;
    }
    return QStringLiteral("%1.%2").arg(major).arg(minor);
}

QStringList WizardData::interfaceGroupNames(const QString &productCode)
{
    struct GroupRow {
        std::initializer_list<const char *> codes;
        bool replace; // router variants name the interfaces instead of suffixing the groups
        std::initializer_list<const char *> labels;
    };
    static const GroupRow rows[] = {
        {{"QA3"}, false, {" (GE_0_1,2)", " (GE_7_1,2)", " (GE_7_3,4)"}},
        {{"QA2", "QA2_CCE"}, false, {" (GE_4_1,2)", " (GE_4_3,4)", " (FE_5_1,2)", " (FE_5_3,4)"}},
        {{"QA1", "QA1L"}, false, {" (GE_4_1,2)", " (GE_4_3,4)"}},
        {{"QB8", "QB6"}, false, {" (GE_1,2)", " (GE_3,4)", " (GE_5,6)", " (GE_7,8)"}},
        {{"QSW", "QC9", "QSW_CCE"}, false, {" (GE_1)", " (GE_2)", " (GE_3)", " (GE_4)"}},
        {{"QA3_KRBX"}, true, {"GigabitEthernet 0/1", "GigabitEthernet 0/0"}},
        {{"QA2_KRBX"}, true, {"GigabitEthernet 4/1", "GigabitEthernet 0/0"}},
        {{"QA1_KRBX", "QA1L_KRBX"}, true, {"GigabitEthernet 1/1", "GigabitEthernet 0/0"}},
    };
    const QStringList plain{QStringLiteral("Group 1"), QStringLiteral("Group 2"), QStringLiteral("Group 3"),
        QStringLiteral("Group 4")};
    for (const GroupRow &row : rows) {
        bool match = false;
        for (const char *code : row.codes)
            match = match || productCode == QLatin1String(code);
        if (!match)
            continue;
        QStringList result;
        int i = 0;
        for (const char *label : row.labels) {
            result << (row.replace ? QString::fromLatin1(label) : plain.at(i) + QLatin1String(label));
            ++i;
        }
        return result;
    }
    return plain;
}

// ---------------------------------------------------------------------------------------------
// Template pack and template lists

QString WizardData::templatePackPath()
{
    return TemplatePack::packPath();
}

void WizardData::installTemplatePack()
{
    TemplatePack::install(TemplatePack::fileName());
}

bool WizardData::readPackVersion(const QString &zipPath, int &major, int &minor, QString &build)
{
    return TemplatePack::readVersion(zipPath, major, minor, build);
}

void WizardData::countPackTemplates(int &templateCount, int &pbxCount, int &itspCount)
{
    TemplatePack::count(templatePackPath(), templateCount, pbxCount, itspCount);
}

void WizardData::loadTemplates()
{
    const QFileInfo pack(templatePackPath());
    const qint64 size = pack.exists() ? pack.size() : 0;
    const QDateTime modified = pack.exists() ? pack.lastModified() : QDateTime();
    const qint64 time = modified.isValid() ? modified.toMSecsSinceEpoch() : -1;
    if (pack.exists() && size == loadedPackSize && time == loadedPackTime)
        return;
    loadedPackSize = size;
    loadedPackTime = time;
    listTemplates(QStringLiteral("template"), templates);
    listTemplates(QStringLiteral("pbx"), pbxTemplates);
    listTemplates(QStringLiteral("itsp"), itspTemplates);
}

void WizardData::listTemplates(const QString &suffix, QList<TemplateInfo> &list)
{
    list = TemplatePack::list(suffix);
}

bool WizardData::parseTemplateHeader(QTextStream &stream, TemplateInfo &info)
{
    return TemplatePack::parseHeader(stream, info);
}

void WizardData::readTemplate(const QString &path)
{
    TemplatePack::readTemplate(path, templateLines);
}

QIcon WizardData::templateIcon(const QString &iconName)
{
    return TemplatePack::icon(iconName);
}

// ---------------------------------------------------------------------------------------------
// Update check

bool WizardData::isUpdateCheckDue()
{
    return isUpdateCheckDue(QDate::currentDate(), QTime::currentTime().hour());
}

bool WizardData::isUpdateCheckDue(const QDate &today, int hour)
{
    const QString date = today.toString(Qt::TextDate);
    const QString version = QStringLiteral("%1.%2.%3").arg(VersionMajor).arg(VersionMinor).arg(0);
    QSettings store = settings();
    store.beginGroup(QStringLiteral("update"));
    if (store.value(QStringLiteral("lastUpdateDate")).toString() == date
        && store.value(QStringLiteral("lastUpdateTime"), -1).toInt() == hour
        && store.value(QStringLiteral("lastUpdateVersion")).toString() == version)
        return false;
    store.setValue(QStringLiteral("lastUpdateDate"), date);
    store.setValue(QStringLiteral("lastUpdateTime"), hour);
    store.setValue(QStringLiteral("lastUpdateVersion"), version);
    return true;
}

bool WizardData::updateViaFtp()
{
    return settings().value(QStringLiteral("update/updateViaFtp"), 0).toInt() == 1;
}

// ---------------------------------------------------------------------------------------------
// Template composition

bool WizardData::selectTemplate(const QString &name)
{
    return TemplateComposer(*this).selectTemplate(name);
}

bool WizardData::composeItspTemplate(const QString &pbxName, const QString &itspName)
{
    return TemplateComposer(*this).composeItsp(pbxName, itspName);
}

bool WizardData::composePbxGatewayTemplate(const QString &pbxName)
{
    return TemplateComposer(*this).composePbxGateway(pbxName);
}

bool WizardData::composeItspGatewayTemplate(const QString &itspName)
{
    return TemplateComposer(*this).composeItspGateway(itspName);
}

void WizardData::splitTemplate(const QString &path, QStringList &head, QStringList &body)
{
    TemplateComposer(*this).splitTemplate(path, head, body);
}

void WizardData::expandIncludes()
{
    TemplateComposer(*this).expandIncludes();
}

void WizardData::applyTemplateDefines()
{
    TemplateComposer(*this).applyDefines();
}

// ---------------------------------------------------------------------------------------------
// Template evaluation

QStringList WizardData::generateIni(bool addVersion)
{
    QHash<QString, QString> texts;
    for (auto it = fields.constBegin(); it != fields.constEnd(); ++it)
        texts.insert(it.key(), it->lineEdit ? it->lineEdit->text() : QString());
    generatedQuoted.clear();
    iniLines = TemplateEvaluator::evaluate(templateLines, texts, &generatedTooLarge, &generatedQuoted);
    if (!generatedQuoted.isEmpty())
        iniLines.clear();
    if (addVersion && !generatedTooLarge && generatedQuoted.isEmpty()) {
        iniFileVersion = TemplateEvaluator::drawVersion();
        iniLines << TemplateEvaluator::versionLines(iniFileVersion);
    }
    return iniLines;
}

// ---------------------------------------------------------------------------------------------
// SIP transport and port fix-ups

void WizardData::updateSip2LocalPorts()
{
    PortFixups::updateSip2LocalPorts(*this);
}

void WizardData::updateSip3LocalPorts()
{
    PortFixups::updateSip3LocalPorts(*this);
}

void WizardData::updateFeuLocalPorts()
{
    PortFixups::updateFeuLocalPorts(*this);
}

void WizardData::updateUserLocalPorts()
{
    PortFixups::updateUserLocalPorts(*this);
}

void WizardData::updateRemoteUserLocalPorts()
{
    PortFixups::updateRemoteUserLocalPorts(*this);
}

void WizardData::updateLocalPorts()
{
    PortFixups::updateLocalPorts(*this);
}

void WizardData::updateSip1LocalPorts()
{
    PortFixups::updateSip1LocalPorts(*this);
}

// ---------------------------------------------------------------------------------------------
// Generated files and metadata

bool WizardData::writeIniFile(const QString &path, const QString &notes)
{
    return ConfigFileWriter::writeIniFile(*this, path, notes);
}

// The CLI script carries no notes.
bool WizardData::writeCliFile(const QString &path, const QString &)
{
    return ConfigFileWriter::writeCliFile(*this, path);
}

bool WizardData::readMetadata(const QString &path, QHash<QString, QString> &into)
{
    const MetadataReader::Status status = MetadataReader::read(path, into);
    if (status == MetadataReader::Accepted)
        return true;
    WarningBox::show(nullptr, MetadataReader::title(), MetadataReader::message(status, path));
    return false;
}

// A refused file leaves the answers as they were: it is read into a set of its own first.
bool WizardData::loadMetadata(const QString &path)
{
    QHash<QString, QString> loaded;
    if (!readMetadata(path, loaded))
        return false;
    const QString refusal = overlongRefusal(loaded);
    if (!refusal.isEmpty()) {
        WarningBox::show(nullptr, QStringLiteral("Warning"), refusal);
        return false;
    }
    values = loaded;
    return true;
}

// ---------------------------------------------------------------------------------------------
// INI-to-CLI conversion

QStringList WizardData::convertIniToCli(const QString &version)
{
    const IniDocument document(iniLines.join(QLatin1Char('\n')));
    IniToCliConverter converter(document, version);
    cliLines = converter.convert();
    return cliLines;
}
