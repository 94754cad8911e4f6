#include "pages/SetupPage.h"

#include "data/LoadedText.h"
#include "data/PageRoute.h"
#include "data/SafeFileWriter.h"
#include "data/WarningBox.h"
#include "data/WizardData.h"
#include "pages/FieldError.h"
#include "pages/ProductPage.h"
#include "pages/SurveyWriter.h"
#include "pages/TopologyPicture.h"
#include "services/Stats.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QTextStream>
#include <QVBoxLayout>
#include <QWizard>

namespace
{
const char kTitle[] = "General Setup";
const char kSubTitle[] = "Choose application type, configuration template and network setup.";
const char kGatewayApplication[] = "Gateway (PSTN with VoIP)";
const char kCceApplication[] = "Cloud Edge (CCE) Appliance";
const char kUnity[] = "Corvane Unity Suite 2015 - ";
const char kParley[] = "Corvane Parley 2013 - ";
const char kContact[] = "<a href=\"mailto:interop@quorvex.example\">interop@quorvex.example</a>";

const char *const kNetworks[] = {"Two ports: LAN and WAN", "One port: WAN", "One port: LAN", "One port: LAN only"};

QComboBox *list(const char *name, const char *toolTip, QWidget *parent)
{
    auto *box = new QComboBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setToolTip(QLatin1String(toolTip));
    return box;
}

// An exact name wins; otherwise a loose file's name without its mark, as the selection finds it.
const TemplateInfo *findTemplate(const QList<TemplateInfo> &templates, const QString &name, int application = -2)
{
    for (bool exact : {true, false}) {
        for (const TemplateInfo &info : templates) {
            const bool same = exact ? info.name == name : TemplateInfo::withoutLooseMark(info.name) == name;
            if (same && (application == -2 || info.application == application))
                return &info;
        }
    }
    return nullptr;
}

QIcon statusIcon(int type)
{
    switch (type) {
    case TemplateInfo::Alpha:
        return QIcon(QStringLiteral(":/images/exclamation.png"));
    case TemplateInfo::Beta:
        return QIcon(QStringLiteral(":/images/question.png"));
    case TemplateInfo::LooseFile:
        return QIcon(QStringLiteral(":/images/plus.png"));
    case TemplateInfo::Ale:
        return QIcon(QStringLiteral(":/images/ale.png"));
    default:
        return QIcon(QStringLiteral(":/images/tick.png"));
    }
}

QIcon partIcon(const QString &iconName)
{
    return iconName.isEmpty() ? QIcon(QStringLiteral(":/images/dot.png"))
                              : WizardData::instance()->templateIcon(iconName);
}

// Saved answer of the settings group "data", unless a loaded file carries one.
QString restored(const char *key, const char *field)
{
    const QString loaded = LoadedChoices::value(QLatin1String(field));
    if (!loaded.isNull())
        return loaded;
    QSettings store = WizardData::settings();
    return store.value(QStringLiteral("data/") + QLatin1String(key)).toString();
}
} // namespace

SetupPage::SetupPage(QWidget *parent)
    : BrambleonPage(parent)
{
    step = 2;
    nextPage = 3;
    setTitle(QLatin1String(kTitle));
    setSubTitle(QLatin1String(kSubTitle));

    m_application = list("application", "Type of SIP application", this);
    m_application->addItems({QStringLiteral("SIP Trunk (IP-PBX with SIP Trunk)"),
        QStringLiteral("SIP Normalization (two IP-PBX's)"), QStringLiteral("Hosted IP-PBX (IP-PBX with Users)"),
        QStringLiteral("Remote Users (IP-PBX with remote Users)")});
    m_template = list("template", "Template name", this);
    m_pbx = list("pbx", "IP-PBX model", this);
    m_itsp = list("itsp", "SIP Trunk provider", this);
    m_override = new QCheckBox(QStringLiteral("Override template"), this);
    m_override->setObjectName(QStringLiteral("override"));
    m_override->setToolTip(QStringLiteral(
        "Override specific template used during the interop and use auto-generated template instead"));
    m_gatewayEquipment = list("gatewayEquipment", "Type of VoIP equipment", this);
    m_gatewayEquipment->addItems(
        {QStringLiteral("Local IP-PBX"), QStringLiteral("Hosted IP-PBX"), QStringLiteral("SIP Trunk")});
    m_cceEquipment = list("cceEquipment", "Type of equipment used by customer", this);
    m_cceEquipment->addItems({QStringLiteral("SIP Trunk"), QStringLiteral("IP-PBX")});
    m_ccePbx = list("ccePbx", "IP-PBX model", this);
    m_cceItsp = list("cceItsp", "SIP Trunk provider", this);
    m_network = list("network", "Topology of SBC deployment in IP network", this);

    const QString pad = QStringLiteral("        ");
    m_applicationLabel = rowLabel(QStringLiteral("&Application:") + pad, m_application, this);
    m_templateLabel = rowLabel(QStringLiteral("&Template (Interop):") + pad, m_template, this);
    m_pbxLabel = rowLabel(QStringLiteral("&IP-PBX:") + pad, m_pbx, this);
    m_itspLabel = rowLabel(QStringLiteral("&SIP Trunk:") + pad, m_itsp, this);
    m_gatewayEquipmentLabel = rowLabel(QStringLiteral("&Equipment (Interop):") + pad, m_gatewayEquipment, this);
    m_cceEquipmentLabel = rowLabel(QStringLiteral("&Equipment (Interop):") + pad, m_cceEquipment, this);
    m_ccePbxLabel = rowLabel(QStringLiteral("&IP-PBX:") + pad, m_ccePbx, this);
    m_cceItspLabel = rowLabel(QStringLiteral("&SIP Trunk:") + pad, m_cceItsp, this);
    m_networkLabel = rowLabel(QStringLiteral("&Network Setup:") + pad, m_network, this);
    const struct {
        QLabel *label;
        const char *name;
    } names[] = {{m_applicationLabel, "applicationLabel"}, {m_templateLabel, "templateLabel"},
        {m_pbxLabel, "pbxLabel"}, {m_itspLabel, "itspLabel"}, {m_gatewayEquipmentLabel, "gatewayEquipmentLabel"},
        {m_cceEquipmentLabel, "cceEquipmentLabel"}, {m_ccePbxLabel, "ccePbxLabel"},
        {m_cceItspLabel, "cceItspLabel"}, {m_networkLabel, "networkLabel"}};
    for (const auto &entry : names)
        entry.label->setObjectName(QLatin1String(entry.name));

    m_picture = new QLabel(this);
    m_picture->setObjectName(QStringLiteral("picture"));
    m_picture->setAlignment(Qt::AlignCenter);
    m_picture->setPixmap(QPixmap(QStringLiteral(":/images/empty.png")));

    m_interopNote = new QLabel(this);
    m_interopNote->setTextFormat(Qt::RichText);
    m_interopNote->setOpenExternalLinks(true);
    m_interopNote->setText(
        QStringLiteral("<i>Are you looking for a specific interop template which is not available?<br>"
                       "If you are, all we need is a configuration file tested in this environment<br>"
                       "and we will do the rest. E-mail us at ")
        + QLatin1String(kContact) + QStringLiteral("</i>"));
    m_gatewayWarning = new QLabel(this);
    m_gatewayWarning->setTextFormat(Qt::RichText);
    m_gatewayWarning->setOpenExternalLinks(true);
    m_gatewayWarning->setText(QStringLiteral("<i>WARNING: Gateway application is currently under development.<br>"
                                             "Use it at your own discretion and report issues to ")
        + QLatin1String(kContact) + QStringLiteral("</i>"));
    m_surveyButton = new QPushButton(QStringLiteral("Generate Survey"), this);
    m_surveyButton->setObjectName(QStringLiteral("generateSurvey"));
    m_surveyButton->setMaximumWidth(
        QFontMetrics(QApplication::font()).horizontalAdvance(QStringLiteral("___Generate Survey___")));

    auto *grid = new QGridLayout;
    grid->addWidget(m_applicationLabel, 0, 0);
    grid->addWidget(m_application, 0, 1, 1, 2);
    grid->addWidget(m_templateLabel, 1, 0);
    grid->addWidget(m_template, 1, 1, 1, 2);
    grid->addWidget(m_pbxLabel, 2, 0);
    grid->addWidget(m_pbx, 2, 1);
    grid->addWidget(m_itspLabel, 3, 0);
    grid->addWidget(m_itsp, 3, 1);
    grid->addWidget(m_override, 3, 2, Qt::AlignRight);
    grid->addWidget(m_gatewayEquipmentLabel, 4, 0);
    grid->addWidget(m_gatewayEquipment, 4, 1, 1, 2);
    grid->addWidget(m_cceEquipmentLabel, 5, 0);
    grid->addWidget(m_cceEquipment, 5, 1, 1, 2);
    grid->addWidget(m_ccePbxLabel, 6, 0);
    grid->addWidget(m_ccePbx, 6, 1, 1, 2);
    grid->addWidget(m_cceItspLabel, 7, 0);
    grid->addWidget(m_cceItsp, 7, 1, 1, 2);
    grid->addWidget(m_networkLabel, 8, 0);
    grid->addWidget(m_network, 8, 1, 1, 2);
    grid->addWidget(new QLabel(this), 9, 0, 1, 2);
    grid->addWidget(m_picture, 10, 0, 1, 3);
    grid->addWidget(new QLabel(this), 11, 0, 1, 2);
    auto *noteRow = new QHBoxLayout;
    noteRow->addWidget(m_interopNote, 1);
    noteRow->addWidget(m_surveyButton);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(noteRow);
    layout->addWidget(m_gatewayWarning);

    showRow(m_pbxLabel, m_pbx, false);
    showRow(m_itspLabel, m_itsp, false);
    m_override->hide();
    showRow(m_ccePbxLabel, m_ccePbx, false);
    showRow(m_cceItspLabel, m_cceItsp, false);
    m_gatewayWarning->hide();

    QWizardPage::registerField(QStringLiteral("APPLICATION_SELECTED"), m_application);
    QWizardPage::registerField(QStringLiteral("EQUIPMENT_SELECTED"), m_cceEquipment);
    registerField(QStringLiteral("APPLICATION"), hiddenEdit(QStringLiteral("ITSP")), false, false, QString(),
        FieldInfo::ListEntry);
    registerField(QStringLiteral("TEMPLATE"), hiddenEdit(), false, false, QString(), FieldInfo::ListEntry);
    registerField(QStringLiteral("NETWORK"), hiddenEdit(QStringLiteral("LAN_WAN")), false, false, QString(),
        FieldInfo::ListEntry);
    registerField(QStringLiteral("NETWORKS_NUMBER"), hiddenEdit(QStringLiteral("2")));
    registerField(QStringLiteral("PBX"), hiddenEdit(), false, false, QString(), FieldInfo::ListEntry);
    registerField(QStringLiteral("ITSP"), hiddenEdit(), false, false, QString(), FieldInfo::ListEntry);
    registerField(QStringLiteral("GATEWAY_INTEROP"), hiddenEdit(), false, false, QString(), FieldInfo::ListEntry);
    registerField(QStringLiteral("CCE_INTEROP"), hiddenEdit(), false, false, QString(), FieldInfo::ListEntry);
    registerField(QStringLiteral("GENERATE_TEMPLATE"), hiddenEdit(QStringLiteral("1")), false, false, QString(),
        FieldInfo::BoxFlag);
    registerField(QStringLiteral("NAT_ENABLE"), hiddenEdit(QStringLiteral("0")));
    registerField(QStringLiteral("NAT_IF"), hiddenEdit(QStringLiteral("LAN_IF")));
    registerField(QStringLiteral("NAT_IP"), hiddenEdit(QStringLiteral("192.168.0.1")));
    const std::pair<const char *, QLabel *> shown[] = {{"APPLICATION", m_applicationLabel},
        {"TEMPLATE", m_templateLabel}, {"NETWORK", m_networkLabel}, {"PBX", m_pbxLabel}, {"ITSP", m_itspLabel},
        {"GATEWAY_INTEROP", m_gatewayEquipmentLabel}, {"CCE_INTEROP", m_cceEquipmentLabel}};
    for (const auto &row : shown)
        showFieldBy(QLatin1String(row.first), row.second);

    connect(m_application, SIGNAL(currentIndexChanged(int)), this, SLOT(applicationChanged(int)));
    connect(m_template, SIGNAL(currentIndexChanged(int)), this, SLOT(templateChanged(int)));
    connect(m_network, SIGNAL(currentIndexChanged(int)), this, SLOT(networkChanged(int)));
    connect(m_pbx, SIGNAL(currentIndexChanged(int)), this, SLOT(pbxChanged(int)));
    connect(m_itsp, SIGNAL(currentIndexChanged(int)), this, SLOT(itspChanged(int)));
    connect(m_override, SIGNAL(stateChanged(int)), this, SLOT(generateChanged(int)));
    connect(m_gatewayEquipment, SIGNAL(currentIndexChanged(int)), this, SLOT(gatewayEquipmentChanged(int)));
    connect(m_cceEquipment, SIGNAL(currentIndexChanged(int)), this, SLOT(cceEquipmentChanged(int)));
    connect(m_ccePbx, SIGNAL(currentIndexChanged(int)), this, SLOT(ccePbxChanged(int)));
    connect(m_cceItsp, SIGNAL(currentIndexChanged(int)), this, SLOT(cceItspChanged(int)));
    for (QComboBox *box : {m_application, m_template, m_network, m_pbx, m_itsp})
        connect(box, SIGNAL(currentIndexChanged(int)), this, SIGNAL(completeChanged()));
    for (QComboBox *box : {m_application, m_template, m_pbx, m_itsp, m_gatewayEquipment, m_cceEquipment, m_ccePbx,
             m_cceItsp, m_network})
        connect(box, SIGNAL(activated(int)), this, SLOT(choiceActivated()));
    connect(m_override, SIGNAL(clicked()), this, SLOT(choiceActivated()));
    connect(m_surveyButton, SIGNAL(clicked()), this, SLOT(generateSurvey()));
}

void SetupPage::showRow(QLabel *label, QWidget *widget, bool shown)
{
    label->setVisible(shown);
    widget->setVisible(shown);
}

void SetupPage::selectText(QComboBox *box, const QString &text)
{
    const int index = box->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index >= 0)
        box->setCurrentIndex(index);
}

void SetupPage::selectRestored(QComboBox *list, QLabel *row, const char *key, const char *field)
{
    const QString text = restored(key, field);
    const int index = list->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index >= 0)
        list->setCurrentIndex(index);
    else if (row && WizardData::instance()->hasValue(QLatin1String(field)))
        m_loadedChoices.reject(list, row, QLatin1String(field), text);
}

bool SetupPage::selectRestoredPosition(QComboBox *list, QLabel *row, const char *key, const char *field)
{
    const QString text = restored(key, field);
    const bool loaded = WizardData::instance()->hasValue(QLatin1String(field));
    // Only an equipment never answered starts at the first entry; one loaded empty names none.
    bool ok = text.isEmpty() && !loaded;
    const int index = ok ? 0 : text.toInt(&ok, 10);
    if (ok && index >= 0 && index < list->count()) {
        list->setCurrentIndex(index);
        return true;
    }
    if (loaded)
        m_loadedChoices.reject(list, row, QLatin1String(field), text);
    return false;
}

// ---------------------------------------------------------------------------------------------
// List contents

void SetupPage::fillPbxList()
{
    m_pbx->clear();
    for (const TemplateInfo &info : WizardData::instance()->pbxTemplates)
        m_pbx->addItem(partIcon(info.icon), info.name);
}

void SetupPage::fillItspList()
{
    m_itsp->clear();
    for (const TemplateInfo &info : WizardData::instance()->itspTemplates)
        m_itsp->addItem(info.name);
}

void SetupPage::fillTemplateList(int app)
{
    m_template->clear();
    for (const TemplateInfo &info : WizardData::instance()->templates) {
        if (info.application == app)
            m_template->addItem(statusIcon(info.type), info.name);
    }
}

void SetupPage::fillCceLists()
{
    WizardData *data = WizardData::instance();
    static const QRegularExpression prefix(
        QStringLiteral("^(Corvane Unity Suite 2015 - |Corvane Parley 2013 - )"));

    QStringList pbxNames;
    for (const TemplateInfo &info : data->templates) {
        if (info.application != 1)
            continue;
        const QRegularExpressionMatch m = prefix.match(info.name);
        if (!m.hasMatch())
            continue;
        const QString name = info.name.mid(m.capturedLength());
        if (!pbxNames.contains(name))
            pbxNames << name;
    }
    pbxNames.sort();
    m_ccePbx->clear();
    for (const QString &name : pbxNames) {
        QString iconName;
        for (const TemplateInfo &part : data->pbxTemplates) {
            if (part.name == name && !part.icon.isEmpty())
                iconName = part.icon;
        }
        m_ccePbx->addItem(partIcon(iconName), name);
    }

    m_cceItsp->clear();
    for (const TemplateInfo &part : data->itspTemplates) {
        const TemplateInfo *found = nullptr;
        for (const TemplateInfo &info : data->templates) {
            if (info.application != 0)
                continue;
            if (info.name == TemplateInfo::withoutLooseMark(QLatin1String(kParley) + part.name)
                || info.name == TemplateInfo::withoutLooseMark(QLatin1String(kUnity) + part.name)) {
                found = &info;
                break;
            }
        }
        if (!found)
            continue;
        const char *icon = found->type == TemplateInfo::Beta ? ":/images/question.png"
            : found->type == TemplateInfo::LooseFile         ? ":/images/plus.png"
            : found->type == TemplateInfo::Alpha             ? ":/images/exclamation.png"
                                                             : ":/images/tick.png";
        m_cceItsp->addItem(QIcon(QLatin1String(icon)), part.name);
    }
}

// ---------------------------------------------------------------------------------------------
// Template outcome

void SetupPage::noChoice()
{
    m_picture->clear();
    m_templateReady = false;
    m_missing.clear();
    m_missingRow = nullptr;
    emit completeChanged();
}

void SetupPage::templateResult(bool ok, QLabel *row, const QString &missing)
{
    m_templateReady = ok;
    m_missing = ok ? QString() : missing;
    m_missingRow = ok ? nullptr : row;
    emit completeChanged();
}

bool SetupPage::composeResult(
    bool ok, QLabel *pbxRow, const QString &pbxName, QLabel *itspRow, const QString &itspName)
{
    if (ok) {
        templateResult(true, nullptr, QString());
        return true;
    }
    // Name the part that is not there; with both present the composition itself failed.
    WizardData *data = WizardData::instance();
    if (pbxRow && !findTemplate(data->pbxTemplates, pbxName))
        templateResult(false, pbxRow, QStringLiteral("IP-PBX template \"%1\" is not available").arg(pbxName));
    else if (itspRow && !findTemplate(data->itspTemplates, itspName))
        templateResult(false, itspRow, QStringLiteral("SIP Trunk template \"%1\" is not available").arg(itspName));
    else
        templateResult(false, pbxRow ? pbxRow : itspRow, QStringLiteral("template could not be composed"));
    return false;
}

void SetupPage::afterSelection()
{
    updateNetworkChoices();
    updatePageFlow();
    updateTopologyImage();
}

bool SetupPage::overrideComposes() const
{
    return !m_override->isEnabled() || m_override->isChecked();
}

// ---------------------------------------------------------------------------------------------
// Slots

void SetupPage::applicationChanged(int app)
{
    WizardData::instance()->loadTemplates();

    showRow(m_templateLabel, m_template, false);
    showRow(m_pbxLabel, m_pbx, false);
    showRow(m_itspLabel, m_itsp, false);
    m_override->hide();
    showRow(m_gatewayEquipmentLabel, m_gatewayEquipment, false);
    showRow(m_cceEquipmentLabel, m_cceEquipment, false);
    showRow(m_ccePbxLabel, m_ccePbx, false);
    showRow(m_cceItspLabel, m_cceItsp, false);
    m_surveyButton->hide();
    m_gatewayWarning->hide();
    m_interopNote->show();

    if (app == 4) {
        showRow(m_gatewayEquipmentLabel, m_gatewayEquipment, true);
        m_interopNote->hide();
        m_gatewayWarning->show();
        gatewayEquipmentChanged(m_gatewayEquipment->currentIndex());
        return;
    }
    if (app == 5) {
        fillCceLists();
        showRow(m_cceEquipmentLabel, m_cceEquipment, true);
        cceEquipmentChanged(m_cceEquipment->currentIndex());
        return;
    }

    fillPbxList();
    fillItspList();
    fillTemplateList(app);
    if (app == 0) {
        showRow(m_pbxLabel, m_pbx, true);
        showRow(m_itspLabel, m_itsp, true);
        m_override->show();
    } else {
        showRow(m_templateLabel, m_template, true);
    }
    if (!isKrbx())
        m_surveyButton->show();
    setSubTitle(QLatin1String(kSubTitle));
    if (app == 0)
        pbxChanged(m_pbx->currentIndex());
    else
        templateChanged(m_template->currentIndex());
}

void SetupPage::templateChanged(int index)
{
    if (index < 0 || index >= m_template->count()) {
        noChoice();
        return;
    }
    const QString name = m_template->itemText(index);
    templateResult(WizardData::instance()->selectTemplate(name), m_templateLabel,
        QStringLiteral("template \"%1\" is not available").arg(name));
    afterSelection();
}

void SetupPage::pbxChanged(int index)
{
    if (index < 0 || index >= m_pbx->count()) {
        noChoice();
        return;
    }
    const QList<TemplateInfo> &templates = WizardData::instance()->templates;
    for (int k = 0; k < m_itsp->count(); ++k) {
        const QString name
            = TemplateInfo::withoutLooseMark(m_pbx->itemText(index) + QStringLiteral(" - ") + m_itsp->itemText(k));
        const TemplateInfo *info = findTemplate(templates, name);
        const char *icon = ":/images/info.png";
        if (info) {
            switch (info->type) {
            case TemplateInfo::Released:
                icon = ":/images/tick.png";
                break;
            case TemplateInfo::Alpha:
                icon = ":/images/exclamation.png";
                break;
            case TemplateInfo::Beta:
                icon = ":/images/question.png";
                break;
            case TemplateInfo::LooseFile:
                icon = ":/images/plus.png";
                break;
            case TemplateInfo::Ale:
                icon = ":/images/ale.png";
                break;
            default:
                break;
            }
        }
        m_itsp->setItemIcon(k, QIcon(QLatin1String(icon)));
    }
    itspChanged(m_itsp->currentIndex());
}

void SetupPage::itspChanged(int index)
{
    if (index < 0 || index >= m_itsp->count()) {
        noChoice();
        return;
    }
    const QString name
        = TemplateInfo::withoutLooseMark(m_pbx->currentText() + QStringLiteral(" - ") + m_itsp->itemText(index));
    m_override->setEnabled(false);
    if (const TemplateInfo *info = findTemplate(WizardData::instance()->templates, name)) {
        m_override->setEnabled(true);
        // Only alpha and beta interop templates leave the choice to the user.
        if (info->type != TemplateInfo::Alpha && info->type != TemplateInfo::Beta)
            m_override->setChecked(false);
    }
    generateChanged(m_override->checkState());
}

void SetupPage::generateChanged(int)
{
    WizardData *data = WizardData::instance();
    const QString pbx = TemplateInfo::withoutLooseMark(m_pbx->currentText());
    const QString itsp = TemplateInfo::withoutLooseMark(m_itsp->currentText());
    if (overrideComposes()) {
        composeResult(data->composeItspTemplate(pbx, itsp), m_pbxLabel, pbx, m_itspLabel, itsp);
    } else {
        const QString name = pbx + QStringLiteral(" - ") + itsp;
        templateResult(
            data->selectTemplate(name), m_itspLabel, QStringLiteral("template \"%1\" is not available").arg(name));
    }
    afterSelection();
}

void SetupPage::networkChanged(int)
{
    updatePageFlow();
    updateTopologyImage();
}

void SetupPage::generateSurvey()
{
    const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Save Site Survey"),
        QStringLiteral("survey.csv"), QStringLiteral("CSV files (*.csv)"));
    if (!path.isEmpty() && !SurveyWriter::writeFile(wizard(), path))
        WarningBox::show(this, QStringLiteral("Warning"), SafeFileWriter::failureText(path));
}

void SetupPage::gatewayEquipmentChanged(int index)
{
    WizardData *data = WizardData::instance();
    if (index == 2) {
        const QString itsp = QStringLiteral("Generic SIP Trunk");
        composeResult(data->composeItspGatewayTemplate(itsp), nullptr, QString(), m_gatewayEquipmentLabel, itsp);
    } else {
        const QString pbx = QStringLiteral("Generic IP-PBX");
        composeResult(data->composePbxGatewayTemplate(pbx), m_gatewayEquipmentLabel, pbx, nullptr, QString());
    }
    afterSelection();
}

void SetupPage::cceEquipmentChanged(int index)
{
    showRow(m_ccePbxLabel, m_ccePbx, index == 1);
    showRow(m_cceItspLabel, m_cceItsp, index == 0);
    setSubTitle(QLatin1String(kSubTitle));
    if (index == 0) {
        cceItspChanged(m_cceItsp->currentIndex());
    } else if (index == 1) {
        ccePbxChanged(m_ccePbx->currentIndex());
    } else {
        const QString pbx = QStringLiteral("Corvane Unity Suite 2015");
        composeResult(
            WizardData::instance()->composePbxGatewayTemplate(pbx), m_cceEquipmentLabel, pbx, nullptr, QString());
        afterSelection();
    }
}

// A Cloud Edge list that the current equipment does not use changes nothing, even when it is
// empty: the equipment's own template may stand.
void SetupPage::ccePbxChanged(int index)
{
    if (m_cceEquipment->currentIndex() != 1)
        return;
    if (index < 0 || index >= m_ccePbx->count()) {
        noChoice();
        return;
    }
    selectCceTemplate(m_ccePbx->itemText(index), 1, m_ccePbxLabel);
    afterSelection();
}

void SetupPage::selectCceTemplate(const QString &partText, int application, QLabel *row)
{
    WizardData *data = WizardData::instance();
    QString name = TemplateInfo::withoutLooseMark(QLatin1String(kUnity) + partText);
    if (!findTemplate(data->templates, name, application))
        name = TemplateInfo::withoutLooseMark(QLatin1String(kParley) + partText);
    templateResult(data->selectTemplate(name), row, QStringLiteral("template \"%1\" is not available").arg(name));
}

void SetupPage::cceItspChanged(int index)
{
    if (m_cceEquipment->currentIndex() != 0)
        return;
    if (index < 0 || index >= m_cceItsp->count()) {
        noChoice();
        return;
    }
    selectCceTemplate(m_cceItsp->itemText(index), 0, m_cceItspLabel);
    WizardData *data = WizardData::instance();
    data->setFieldText(QStringLiteral("SIP1_LABEL"), QStringLiteral("Unity CCE"));
    data->setFieldText(QStringLiteral("SIP1_NAME"), QStringLiteral("Corvane Unity CCE"));
    afterSelection();
}

// ---------------------------------------------------------------------------------------------
// Topology list, routing and picture

void SetupPage::updateNetworkChoices()
{
    const int remembered = m_network->currentIndex();
    const int app = m_application->currentIndex();
    const int gatewayEquipment = m_gatewayEquipment->currentIndex();
    const int cceEquipment = m_cceEquipment->currentIndex();
    m_network->clear();

    int forced = -1;
    if (isKrbx()) {
        if (app == 4) {
            for (int i = 0; i < 3; ++i)
                m_network->addItem(QLatin1String(kNetworks[i]));
            forced = gatewayEquipment == 0 ? 2 : 1;
        } else {
            m_network->addItem(QLatin1String(kNetworks[0]));
            if (remembered >= 0 && remembered < m_network->count())
                m_network->setCurrentIndex(remembered);
        }
        m_network->setEnabled(false);
    } else {
        const int count = app == 0 || app == 3 || (app == 5 && cceEquipment == 0) ? 3 : 4;
        for (int i = 0; i < count; ++i)
            m_network->addItem(QLatin1String(kNetworks[i]));
        if (app == 4) {
            forced = gatewayEquipment == 0 ? 2 : 1;
            m_network->setEnabled(false);
        } else if (app == 5 && cceEquipment == 2) {
            forced = 2;
            m_network->setEnabled(false);
        } else {
            m_network->setEnabled(true);
            if (remembered >= 0 && remembered < m_network->count())
                m_network->setCurrentIndex(remembered);
        }
    }
    if (forced >= 0 && m_network->count() > forced)
        m_network->setCurrentIndex(forced);
    updatePageFlow();
    updateTopologyImage();
}

PageRoute::Inputs SetupPage::routeInputs() const
{
    const WizardData *data = WizardData::instance();
    PageRoute::Inputs in;
    in.application = m_application->currentIndex();
    in.topology = m_network->currentIndex();
    in.router = isKrbx();
    in.product = data->fieldText(QStringLiteral("PRODUCT"));
    in.gatewayEquipment = m_gatewayEquipment->currentIndex();
    in.cceEquipment = m_cceEquipment->currentIndex();
    in.sip2Enable = data->fieldText(QStringLiteral("SIP2_ENABLE"));
    in.sip3Supported = data->fieldText(QStringLiteral("SIP3_SUPPORTED"));
    in.feuSupported = data->fieldText(QStringLiteral("FEU_SUPPORTED"));
    return in;
}

void SetupPage::updatePageFlow()
{
    const PageRoute route = PageRoute::compute(routeInputs());

    if (QWizard *w = wizard()) {
        for (auto it = route.steps.constBegin(); it != route.steps.constEnd(); ++it) {
            if (auto *page = qobject_cast<BrambleonPage *>(w->page(it.key())))
                page->step = it.value();
        }
        for (auto it = route.nextPages.constBegin(); it != route.nextPages.constEnd(); ++it) {
            if (auto *page = qobject_cast<BrambleonPage *>(w->page(it.key())))
                page->nextPage = it.value();
        }
    }
    BrambleonPage::stepCount = route.stepCount;
    setTitle(stepTitle(QLatin1String(kTitle)));
    // A second IP-PBX off the route is switched off at the commit, over any flag loaded but not over
    // one that does not read.
    m_loadedChoices.forget(this);
    const QString sip3 = LoadedChoices::value(QStringLiteral("SIP3_ENABLE"));
    if (!route.steps.contains(PageRoute::IPPBX2) && LoadedChoices::flag(sip3) == LoadedChoices::Flag::Unread
        && LoadedText::bare(WizardData::instance()->fieldText(QStringLiteral("SIP3_ENABLE"))) == sip3)
        m_loadedChoices.reject(this, m_applicationLabel, QStringLiteral("SIP3_ENABLE"), sip3);
}

void SetupPage::updateTopologyImage()
{
    WizardData *data = WizardData::instance();
    TopologyPicture::Inputs in;
    in.topology = m_network->currentIndex();
    in.application = m_application->currentIndex();
    in.router = isKrbx();
    in.gatewayEquipment = m_gatewayEquipment->currentIndex();
    in.cceEquipment = m_cceEquipment->currentIndex();
    in.sip1Label = data->fieldText(QStringLiteral("SIP1_LABEL"));
    in.sip2Label = data->fieldText(QStringLiteral("SIP2_LABEL"));
    in.sip3Label = data->fieldText(QStringLiteral("SIP3_LABEL"));
    in.userLabel = data->fieldText(QStringLiteral("USER_LABEL"));
    in.remoteUserLabel = data->fieldText(QStringLiteral("REMOTE_USER_LABEL"));
    in.feuLabel = data->fieldText(QStringLiteral("FEU_LABEL"));
    in.sip2Enable = data->fieldText(QStringLiteral("SIP2_ENABLE"));
    in.sip3Supported = data->fieldText(QStringLiteral("SIP3_SUPPORTED"));
    in.feuSupported = data->fieldText(QStringLiteral("FEU_SUPPORTED"));
    const TopologyPicture picture = TopologyPicture::plan(in);
    if (!picture.isNull())
        m_picture->setPixmap(picture.render());
}

// ---------------------------------------------------------------------------------------------
// Page operations

void SetupPage::initializePage()
{
    auto *product = wizard() ? qobject_cast<ProductPage *>(wizard()->page(1)) : nullptr;
    if (product) {
        if (!product->modified)
            return;
        product->modified = false;
    }

    // Drop the product-specific applications; they are added back below as the product allows.
    for (const char *entry : {kCceApplication, kGatewayApplication}) {
        const int last = m_application->count() - 1;
        if (last >= 0 && m_application->itemText(last) == QLatin1String(entry)) {
            if (m_application->currentIndex() == last)
                m_application->setCurrentIndex(0);
            m_application->removeItem(last);
        }
    }
    const QString productCode = WizardData::instance()->fieldText(QStringLiteral("PRODUCT"));
    if (isCce()) {
        m_application->addItem(QLatin1String(kGatewayApplication));
        m_application->addItem(QLatin1String(kCceApplication));
        m_application->setCurrentIndex(5);
        const int last = m_cceEquipment->count() - 1;
        if (last >= 0 && m_cceEquipment->itemText(last) == QLatin1String("Gateway")) {
            if (m_cceEquipment->currentIndex() == last)
                m_cceEquipment->setCurrentIndex(0);
            m_cceEquipment->removeItem(last);
        }
        if (productCode == QLatin1String("QA2_CCE"))
            m_cceEquipment->addItem(QStringLiteral("Gateway"));
    }
    static const QStringList pstnProducts{
        QStringLiteral("QA1"), QStringLiteral("QA1L"), QStringLiteral("QA2"), QStringLiteral("QA3")};
    if (isKrbx() || pstnProducts.contains(productCode))
        m_application->addItem(QLatin1String(kGatewayApplication));

    m_loadedChoices.forget();
    const QString application = restored("application", "APPLICATION");
    const int applicationIndex = WizardData::applicationIndex(application);
    if (applicationIndex >= 0 && applicationIndex < m_application->count())
        m_application->setCurrentIndex(applicationIndex);
    else if (WizardData::instance()->hasValue(QStringLiteral("APPLICATION")))
        m_loadedChoices.reject(m_application, m_applicationLabel, QStringLiteral("APPLICATION"), application);
    m_application->setEnabled(true);
    applicationChanged(m_application->currentIndex());
    updatePageFlow();

    switch (m_application->currentIndex()) {
    case 0: {
        selectRestored(m_pbx, m_pbxLabel, "pbx", "PBX");
        pbxChanged(m_pbx->currentIndex());
        selectRestored(m_itsp, m_itspLabel, "itsp", "ITSP");
        itspChanged(m_itsp->currentIndex());
        // A flag loaded empty is no answer: the saved one stands.
        const QString loaded = LoadedChoices::value(QStringLiteral("GENERATE_TEMPLATE"));
        const QString generate = loaded.isEmpty()
            ? WizardData::settings().value(QStringLiteral("data/generateTemplate")).toString()
            : loaded;
        const LoadedChoices::Flag flag = LoadedChoices::flag(generate);
        m_override->setChecked(flag == LoadedChoices::Flag::Ticked);
        generateChanged(m_override->checkState());
        break;
    }
    case 4:
        if (selectRestoredPosition(
                m_gatewayEquipment, m_gatewayEquipmentLabel, "gateway_interop", "GATEWAY_INTEROP"))
            gatewayEquipmentChanged(m_gatewayEquipment->currentIndex());
        break;
    case 5: {
        if (selectRestoredPosition(m_cceEquipment, m_cceEquipmentLabel, "cce_interop", "CCE_INTEROP"))
            cceEquipmentChanged(m_cceEquipment->currentIndex());
        // Only the part the equipment uses must be one of its list's.
        const int equipment = m_cceEquipment->currentIndex();
        selectRestored(m_ccePbx, equipment == 1 ? m_ccePbxLabel : nullptr, "pbx", "PBX");
        ccePbxChanged(m_ccePbx->currentIndex());
        selectRestored(m_cceItsp, equipment == 0 ? m_cceItspLabel : nullptr, "itsp", "ITSP");
        cceItspChanged(m_cceItsp->currentIndex());
        break;
    }
    default: {
        selectRestored(m_template, m_templateLabel, "template", "TEMPLATE");
        templateChanged(m_template->currentIndex());
        // A hosted IP-PBX is the gateway's equipment whatever was loaded, but not a value that names none.
        const QString equipment = LoadedChoices::value(QStringLiteral("GATEWAY_INTEROP"));
        bool listed = false;
        const int position = equipment.toInt(&listed, 10);
        listed = listed && position >= 0 && position < m_gatewayEquipment->count();
        if (m_application->currentIndex() == 2 && !equipment.isEmpty() && !listed)
            m_loadedChoices.reject(
                m_application, m_applicationLabel, QStringLiteral("GATEWAY_INTEROP"), equipment);
        break;
    }
    }

    // Only a SIP trunk offers the override, and only for an alpha or beta interop template; elsewhere the
    // page decides it, but not over a flag that does not read.
    const QString generate = LoadedChoices::value(QStringLiteral("GENERATE_TEMPLATE"));
    if (!generate.isEmpty() && LoadedChoices::flag(generate) == LoadedChoices::Flag::Unread) {
        const bool trunk = m_application->currentIndex() == 0;
        QWidget *row = trunk ? static_cast<QWidget *>(m_override) : m_applicationLabel;
        m_loadedChoices.reject(trunk ? row : m_application, row, QStringLiteral("GENERATE_TEMPLATE"), generate);
    }

    // A forced topology (gateway equipment, router) stays as forced.
    if (!isKrbx() && m_application->currentIndex() != 4 && m_network->isEnabled()) {
        const QString network = restored("network", "NETWORK");
        const int index = WizardData::networkIndex(network);
        if (index >= 0 && index < m_network->count()) {
            m_network->setCurrentIndex(index);
            updatePageFlow();
            updateTopologyImage();
        } else if (m_network->count() > 0 && WizardData::instance()->hasValue(QStringLiteral("NETWORK"))) {
            // An empty list means no template was found, which stops the page by itself.
            m_loadedChoices.reject(m_network, m_networkLabel, QStringLiteral("NETWORK"), network);
        }
    } else {
        // The forced topology stands over any topology loaded, but not over a value that names none.
        const QString network = LoadedChoices::value(QStringLiteral("NETWORK"));
        if (!network.isEmpty() && WizardData::networkIndex(network) < 0)
            m_loadedChoices.reject(m_network, m_networkLabel, QStringLiteral("NETWORK"), network);
    }
    // The page was set up by what the lists showed; a list whose loaded value was refused shows none.
    const std::pair<QComboBox *, const char *> shown[] = {{m_application, "APPLICATION"}, {m_pbx, "PBX"},
        {m_itsp, "ITSP"}, {m_template, "TEMPLATE"}, {m_gatewayEquipment, "GATEWAY_INTEROP"},
        {m_cceEquipment, "CCE_INTEROP"}, {m_ccePbx, "PBX"}, {m_cceItsp, "ITSP"}, {m_network, "NETWORK"}};
    for (const auto &list : shown)
        m_loadedChoices.showNone(list.first, QLatin1String(list.second));
    emit completeChanged();
}

void SetupPage::cleanupPage() { }

bool SetupPage::validatePage()
{
    // Without the chosen template the next pages would carry on with another one.
    if (!m_templateReady)
        return false;
    Stats::instance()->start(field(QStringLiteral("PRODUCT_SELECTED")).toInt(),
        field(QStringLiteral("VERSION")).toString(), m_application->currentIndex(),
        WizardData::instance()->currentTemplate, m_network->currentIndex(),
        field(QStringLiteral("CUSTOMER")).toString(), field(QStringLiteral("COUNTRY")).toString(),
        field(QStringLiteral("INTEGRATOR")).toString(), field(QStringLiteral("INSTALLER")).toString());
    return true;
}

bool SetupPage::isComplete() const
{
    const auto chosen = [](const QComboBox *box) { return !box->currentText().isEmpty(); };
    const auto check = [&chosen](QComboBox *box, QLabel *label, const char *message) {
        const bool ok = chosen(box);
        markFieldError(label, !ok, QLatin1String(message));
        return ok;
    };

    // A row marked for a missing template earlier gets its normal look back first.
    if (m_markedMissing && m_markedMissing != m_missingRow) {
        markFieldError(m_markedMissing, false);
        m_markedMissing = nullptr;
    }

    bool ok = true;
    const int app = m_application->currentIndex();
    if (app == 0) {
        const bool pbx = check(m_pbx, m_pbxLabel, "Invalid value - choose IP-PBX");
        const bool itsp = check(m_itsp, m_itspLabel, "Invalid value - choose SIP Trunk");
        ok = pbx && itsp;
    } else if (app == 5) {
        const int equipment = m_cceEquipment->currentIndex();
        if (equipment == 0) {
            ok = check(m_cceItsp, m_cceItspLabel, "Invalid value - choose SIP Trunk");
            markFieldError(m_ccePbxLabel, false);
        } else if (equipment == 1) {
            ok = check(m_ccePbx, m_ccePbxLabel, "Invalid value - choose IP-PBX");
            markFieldError(m_cceItspLabel, false);
        } else {
            markFieldError(m_ccePbxLabel, false);
            markFieldError(m_cceItspLabel, false);
        }
    } else if (app == 4) {
        ok = check(m_gatewayEquipment, m_gatewayEquipmentLabel, "Invalid value - choose equipment (interop)");
    } else {
        ok = check(m_template, m_templateLabel, "Invalid value - choose template (interop)");
    }

    if (ok && m_missingRow) {
        markFieldError(m_missingRow, true, QStringLiteral("Invalid value - ") + m_missing);
        m_markedMissing = m_missingRow;
        ok = false;
    } else if (m_markedMissing && !m_missingRow) {
        markFieldError(m_markedMissing, false);
        m_markedMissing = nullptr;
    }
    if (ok && !m_templateReady)
        ok = false;

    const bool network = chosen(m_network);
    markFieldError(m_networkLabel, !network, QStringLiteral("Invalid value - choose network topology"));
    return m_loadedChoices.markRows() && network && ok;
}

int SetupPage::nextId() const
{
    WizardData *data = WizardData::instance();
    const int app = m_application->currentIndex();
    data->setFieldText(QStringLiteral("APPLICATION"), WizardData::applicationCode(app));
    switch (app) {
    case 0:
        data->setFieldText(QStringLiteral("PBX"), m_pbx->currentText());
        data->setFieldText(QStringLiteral("ITSP"), m_itsp->currentText());
        data->setFieldText(QStringLiteral("TEMPLATE"), data->currentTemplate);
        break;
    case 4:
        data->setFieldText(QStringLiteral("GATEWAY_INTEROP"), QString::number(m_gatewayEquipment->currentIndex()));
        data->setFieldText(QStringLiteral("TEMPLATE"), data->currentTemplate);
        break;
    case 5:
        data->setFieldText(QStringLiteral("CCE_INTEROP"), QString::number(m_cceEquipment->currentIndex()));
        data->setFieldText(QStringLiteral("PBX"), m_ccePbx->currentText());
        data->setFieldText(QStringLiteral("ITSP"), m_cceItsp->currentText());
        data->setFieldText(QStringLiteral("TEMPLATE"), data->currentTemplate);
        break;
    default:
        data->setFieldText(QStringLiteral("TEMPLATE"), m_template->currentText());
        if (app == 2)
            data->setFieldText(QStringLiteral("GATEWAY_INTEROP"), QStringLiteral("1"));
        break;
    }
    data->setFieldText(
        QStringLiteral("GENERATE_TEMPLATE"), overrideComposes() ? QStringLiteral("1") : QStringLiteral("0"));
    const QString network = WizardData::networkCode(m_network->currentIndex());
    data->setFieldText(QStringLiteral("NETWORK"), network);
    if (network == QLatin1String("LAN_WAN")) {
        data->setFieldText(QStringLiteral("NETWORKS_NUMBER"), QStringLiteral("2"));
    } else {
        data->setFieldText(QStringLiteral("NETWORKS_NUMBER"), QStringLiteral("1"));
        // "NULL": no WAN port in use. A router model's gateway on the WAN has its WAN page as the
        // only network page, which chooses the port.
        if (!(isKrbx() && app == 4 && network == QLatin1String("WAN")))
            data->setFieldText(QStringLiteral("NET2_PORT"), QStringLiteral("NULL"));
    }

    // A second IP-PBX whose page is off the route is never shown: a "1" loaded with another template
    // must not put it into the configuration.
    if (!PageRoute::compute(routeInputs()).steps.contains(PageRoute::IPPBX2))
        data->setFieldText(QStringLiteral("SIP3_ENABLE"), QStringLiteral("0"));

    updateSummary();
    for (int page = 3; page <= 13; ++page)
        data->summaries[page].clear();

    QSettings store = WizardData::settings();
    store.beginGroup(QStringLiteral("data"));
    const struct {
        const char *key;
        const char *field;
    } stored[] = {{"application", "APPLICATION"}, {"template", "TEMPLATE"}, {"network", "NETWORK"}, {"pbx", "PBX"},
        {"itsp", "ITSP"}, {"gateway_interop", "GATEWAY_INTEROP"}, {"cce_interop", "CCE_INTEROP"},
        {"generateTemplate", "GENERATE_TEMPLATE"}};
    for (const auto &entry : stored)
        store.setValue(QLatin1String(entry.key), data->fieldText(QLatin1String(entry.field)));
    store.endGroup();
    return nextPage;
}

void SetupPage::updateSummary() const
{
    WizardData *data = WizardData::instance();
    QStringList &summary = data->summaries[2];
    summary.clear();
    summary << QStringLiteral("Application       : ") + m_application->currentText();
    switch (m_application->currentIndex()) {
    case 0:
        if (!overrideComposes()) {
            summary << QStringLiteral("Template          : ") + m_pbx->currentText() + QStringLiteral(" - ")
                    + m_itsp->currentText();
        }
        summary << QStringLiteral("IP-PBX            : ") + m_pbx->currentText();
        summary << QStringLiteral("SIP Trunk         : ") + m_itsp->currentText();
        break;
    case 4:
        summary << QStringLiteral("Equipment         : ") + m_gatewayEquipment->currentText();
        break;
    case 5:
        summary << QStringLiteral("Equipment (Interop)   : ") + m_cceEquipment->currentText();
        if (m_cceEquipment->currentIndex() == 1)
            summary << QStringLiteral("IP-PBX            : ") + m_ccePbx->currentText();
        else if (m_cceEquipment->currentIndex() == 0)
            summary << QStringLiteral("SIP Trunk         : ") + m_cceItsp->currentText();
        break;
    default:
        summary << QStringLiteral("Template          : ") + m_template->currentText();
        break;
    }
    summary << QStringLiteral("Network Setup     : ") + data->fieldText(QStringLiteral("NETWORK"));
}

void SetupPage::writeSurvey(QTextStream &out)
{
    commitForSurvey(false);
    writeSurveyHeader(out, surveyTitle());
    writeSurveyLine(out, QStringLiteral("Application"));
    if (field(QStringLiteral("APPLICATION_SELECTED")).toInt() == 0) {
        writeSurveyLine(out, QStringLiteral("IP-PBX"));
        writeSurveyLine(out, QStringLiteral("SIP Trunk"));
    } else {
        writeSurveyLine(out, QStringLiteral("Template"));
    }
    writeSurveyLine(out, QStringLiteral("Network Setup"));
}

QString SetupPage::batchRefusal() const
{
    return m_loadedChoices.refusal();
}

void SetupPage::choiceActivated()
{
    // The application and the equipment decide what the other lists hold.
    const QObject *list = sender();
    const bool decidesOthers = list == m_application || list == m_gatewayEquipment || list == m_cceEquipment;
    m_loadedChoices.forget(decidesOthers ? nullptr : list);
    if (decidesOthers)
        updatePageFlow();
    emit completeChanged();
}

QString SetupPage::surveyTitle() const
{
    return QLatin1String(kTitle);
}

QString SetupPage::surveyFieldName(const QString &label) const
{
    if (label == QLatin1String("Application"))
        return QStringLiteral("APPLICATION");
    if (label == QLatin1String("Template"))
        return QStringLiteral("TEMPLATE");
    if (label == QLatin1String("IP-PBX"))
        return QStringLiteral("PBX");
    if (label == QLatin1String("SIP Trunk"))
        return QStringLiteral("ITSP");
    if (label == QLatin1String("Network Setup"))
        return QStringLiteral("NETWORK");
    return QString();
}
