#include "pages/DialPage.h"

#include "data/WizardData.h"
#include "pages/AddressRules.h"
#include "pages/DialRules.h"
#include "pages/FieldError.h"

#include <QApplication>
#include <QCheckBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QTextStream>
#include <QVBoxLayout>

namespace
{
const char *const kFieldStems[] = {"MANIP_OUT_DST", "MANIP_OUT_SRC", "MANIP_IN_DST", "MANIP_IN_SRC"};
const char *const kRuleNames[] = {"outDst", "outSrc", "inDst", "inSrc"};

QLineEdit *textEdit(int maximum, const QString &toolTip, QWidget *parent, int minimum = 1)
{
    auto *edit = new QLineEdit(parent);
    edit->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral(".{%1,%2}").arg(minimum).arg(maximum)), edit));
    edit->setToolTip(toolTip);
    return edit;
}
} // namespace

DialPage::DialPage(QWidget *parent)
    : BrambleonPage(parent)
{
    step = 9;
    nextPage = 10;
    setTitle(QStringLiteral("Number Manipulations"));

    m_outbound = new QGroupBox(QStringLiteral("Outbound calls (IP-PBX --> ITSP)"), this);
    m_inbound = new QGroupBox(QStringLiteral("Inbound calls (ITSP --> IP-PBX)"), this);
    new QGridLayout(m_outbound);
    new QGridLayout(m_inbound);
    for (int index = 0; index < 4; ++index)
        buildRule(index, index < 2 ? m_outbound : m_inbound, (index % 2) * 2);

    m_routing = new QGroupBox(QStringLiteral("Tiered Routing Manager"), this);
    m_trm = new QCheckBox(QStringLiteral("Use TRM for call routing"), m_routing);
    m_trmField = hiddenEdit(QStringLiteral("0"));
    m_address = textEdit(64, QStringLiteral("IP address or hostname of TRM configuration server"), m_routing);
    m_username = textEdit(64, QStringLiteral("Authentication user name"), m_routing);
    m_password = textEdit(64, QStringLiteral("Authentication password"), m_routing);
    m_addressLabel = rowLabel(QStringLiteral("        Address:"), m_address, m_routing);
    m_usernameLabel = rowLabel(QStringLiteral("Username:"), m_username, m_routing);
    m_passwordLabel = rowLabel(QStringLiteral("        Password:"), m_password, m_routing);
    const std::pair<QWidget *, const char *> names[] = {{m_outbound, "outbound"}, {m_inbound, "inbound"},
        {m_routing, "routing"}, {m_trm, "trm"}, {m_address, "address"}, {m_username, "username"},
        {m_password, "password"}, {m_addressLabel, "addressLabel"}, {m_usernameLabel, "usernameLabel"},
        {m_passwordLabel, "passwordLabel"}};
    for (const auto &entry : names)
        entry.first->setObjectName(QLatin1String(entry.second));
    // Row by row in the order the edits are filled in, which is also the tab order.
    auto *routingGrid = new QGridLayout(m_routing);
    routingGrid->addWidget(m_trm, 0, 0, 1, 2);
    routingGrid->addWidget(m_addressLabel, 0, 2);
    routingGrid->addWidget(m_address, 0, 3);
    routingGrid->addWidget(m_usernameLabel, 1, 0);
    routingGrid->addWidget(m_username, 1, 1);
    routingGrid->addWidget(m_passwordLabel, 1, 2);
    routingGrid->addWidget(m_password, 1, 3);
    // The version and the parties the calls go between decide the names of the page and its groups.
    setNameRule(this, [] { return DialRules::title(comingAnswer(QStringLiteral("VERSION"))); });
    const auto sides = [this] {
        return DialRules::sides(comingApplication(), comingAnswer(QStringLiteral("GATEWAY_INTEROP")).toInt(),
            comingAnswer(QStringLiteral("CCE_INTEROP")).toInt());
    };
    setNameRule(m_outbound, [sides] { return DialRules::outboundTitle(sides()); });
    setNameRule(m_inbound, [sides] { return DialRules::inboundTitle(sides()); });
    m_rows.insert(DialRules::Address, m_addressLabel);
    m_rows.insert(DialRules::Username, m_usernameLabel);
    m_rows.insert(DialRules::Password, m_passwordLabel);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_outbound);
    layout->addWidget(m_inbound);
    layout->addWidget(m_routing);
    layout->addStretch(1);

    for (int index = 0; index < 4; ++index) {
        const Rule &rule = m_rules[size_t(index)];
        const QString stem = QLatin1String(kFieldStems[index]);
        registerField(stem, rule.field, true, false, QString(), FieldInfo::BoxFlag);
        registerField(stem + QStringLiteral("_PREFIX"), rule.prefix, true);
        registerField(stem + QStringLiteral("_REMOVE"), rule.remove, true);
        registerField(stem + QStringLiteral("_ADD"), rule.add, true);
    }
    registerField(QStringLiteral("TRM"), m_trmField, true, false, QString(), FieldInfo::BoxFlag);
    registerField(QStringLiteral("TRM_IP"), m_address, true);
    registerField(QStringLiteral("TRM_USERNAME"), m_username, true);
    registerField(QStringLiteral("TRM_PASSWORD"), m_password, true);

    const char *const handlers[] = {SLOT(outDstEnableChanged(int)), SLOT(outSrcEnableChanged(int)),
        SLOT(inDstEnableChanged(int)), SLOT(inSrcEnableChanged(int))};
    for (int index = 0; index < 4; ++index) {
        const Rule &rule = m_rules[size_t(index)];
        connect(rule.box, SIGNAL(stateChanged(int)), this, handlers[index]);
        connect(rule.box, SIGNAL(stateChanged(int)), this, SIGNAL(completeChanged()));
        connect(rule.prefix, SIGNAL(textChanged(QString)), this, SIGNAL(completeChanged()));
        connect(rule.remove, SIGNAL(textChanged(QString)), this, SIGNAL(completeChanged()));
    }
    for (const Rule &rule : m_rules)
        connect(rule.add, SIGNAL(textChanged(QString)), this, SIGNAL(completeChanged()));
    connect(m_trm, SIGNAL(stateChanged(int)), this, SLOT(trmEnableChanged(int)));
    connect(m_trm, SIGNAL(stateChanged(int)), this, SIGNAL(completeChanged()));
    for (QLineEdit *edit : {m_address, m_username, m_password})
        connect(edit, SIGNAL(textChanged(QString)), this, SIGNAL(completeChanged()));
    // The wizard sizes itself when a page is entered, not when the page grows: keep room for the
    // routing server's rows, which show only while it is used.
    setMinimumSize(minimumSizeHint());
}

void DialPage::buildRule(int index, QGroupBox *group, int row)
{
    const bool destination = index % 2 == 0;
    Rule &rule = m_rules[size_t(index)];
    rule.box = new QCheckBox(destination ? QStringLiteral("Destination Number Manipulation")
                                         : QStringLiteral("Source Number Manipulation"),
        group);
    rule.field = hiddenEdit(QStringLiteral("0"));
    rule.prefix = textEdit(32,
        destination ? QStringLiteral("Destination number prefix") : QStringLiteral("Source number prefix"), group);
    rule.remove = new QLineEdit(group);
    auto *digits = new QIntValidator(0, 32, rule.remove);
    QLocale numbers = QLocale::c();
    numbers.setNumberOptions(QLocale::RejectGroupSeparator);
    digits->setLocale(numbers);
    rule.remove->setValidator(digits);
    rule.remove->setToolTip(QStringLiteral("Number of digits to remove"));
    rule.remove->setFixedWidth(QFontMetrics(QApplication::font()).horizontalAdvance(QStringLiteral("123456")));
    rule.add = textEdit(32, QStringLiteral("Prefix to add"), group, 0);
    rule.prefixLabel = rowLabel(QStringLiteral("Prefix:"), rule.prefix, group);
    rule.removeLabel = rowLabel(QStringLiteral("    Remove:"), rule.remove, group);

    const QString name = QLatin1String(kRuleNames[index]);
    rule.box->setObjectName(name);
    rule.prefix->setObjectName(name + QStringLiteral("Prefix"));
    rule.remove->setObjectName(name + QStringLiteral("Remove"));
    rule.add->setObjectName(name + QStringLiteral("Add"));
    rule.prefixLabel->setObjectName(name + QStringLiteral("PrefixLabel"));
    rule.removeLabel->setObjectName(name + QStringLiteral("RemoveLabel"));

    auto *grid = static_cast<QGridLayout *>(group->layout());
    grid->addWidget(rule.box, row, 0, 1, 6);
    grid->addWidget(rule.prefixLabel, row + 1, 0);
    grid->addWidget(rule.prefix, row + 1, 1);
    grid->addWidget(rule.removeLabel, row + 1, 2);
    grid->addWidget(rule.remove, row + 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("digits  "), group), row + 1, 4);
    rule.addLabel = rowLabel(QStringLiteral("    Add:"), rule.add, group);
    rule.addLabel->setObjectName(name + QStringLiteral("AddLabel"));
    grid->addWidget(rule.addLabel, row + 1, 5);
    grid->addWidget(rule.add, row + 1, 6);
    m_rows.insert(DialRules::row(index, DialRules::Prefix), rule.prefixLabel);
    m_rows.insert(DialRules::row(index, DialRules::Remove), rule.removeLabel);
    m_rows.insert(DialRules::row(index, DialRules::Add), rule.addLabel);
    ruleChanged(index, Qt::Unchecked);
}

void DialPage::ruleChanged(int index, int state)
{
    const Rule &rule = m_rules[size_t(index)];
    m_loaded.forget(rule.box);
    const bool on = state == Qt::Checked;
    showRule(rule, on);
    rule.field->setText(on ? QStringLiteral("1") : QStringLiteral("0"));
}

void DialPage::showRule(const Rule &rule, bool on)
{
    for (QLineEdit *edit : {rule.prefix, rule.remove, rule.add})
        edit->setEnabled(on);
}

void DialPage::outDstEnableChanged(int state)
{
    ruleChanged(0, state);
}

void DialPage::inDstEnableChanged(int state)
{
    ruleChanged(2, state);
}

void DialPage::outSrcEnableChanged(int state)
{
    ruleChanged(1, state);
}

void DialPage::inSrcEnableChanged(int state)
{
    ruleChanged(3, state);
}

void DialPage::trmEnableChanged(int state)
{
    m_loaded.forget(m_trm);
    const bool on = state == Qt::Checked;
    showTrm(on);
    m_trmField->setText(on ? QStringLiteral("1") : QStringLiteral("0"));
}

void DialPage::showTrm(bool on)
{
    for (QLineEdit *edit : {m_address, m_username, m_password})
        edit->setEnabled(on);
    for (QWidget *widget : std::initializer_list<QWidget *>{
             m_addressLabel, m_address, m_usernameLabel, m_username, m_passwordLabel, m_password})
        widget->setVisible(on);
}

void DialPage::initializePage()
{
    const QString version = field(QStringLiteral("VERSION")).toString();
    setTitle(stepTitle(DialRules::title(version)));
    setSubTitle(DialRules::subTitle(version));

    m_loaded.forget();
    for (int index = 0; index < 4; ++index) {
        const Rule &rule = m_rules[size_t(index)];
        // A rule whose field the template does not use stays off.
        if (restoreTick(rule.box, rule.field, QLatin1String(kFieldStems[index]), true))
            ruleChanged(index, rule.box->checkState());
        else
            showRule(rule, false);
        // An answer loaded empty stays empty: only a rule without one starts at no digits removed.
        const QString remove = QLatin1String(kFieldStems[index]) + QStringLiteral("_REMOVE");
        if (rule.remove->text().isEmpty() && LoadedChoices::value(remove).isNull())
            rule.remove->setText(QStringLiteral("0"));
    }

    const DialRules::Sides sides = DialRules::sides(field(QStringLiteral("APPLICATION_SELECTED")).toInt(),
        field(QStringLiteral("GATEWAY_INTEROP")).toInt(), field(QStringLiteral("CCE_INTEROP")).toInt());
    m_outbound->setTitle(DialRules::outboundTitle(sides));
    m_inbound->setTitle(DialRules::inboundTitle(sides));

    const bool routing = DialRules::routingOffered(version);
    m_routing->setVisible(routing);
    // A routing server the template does not use would show in the summary and never reach the device.
    if (restoreTick(m_trm, m_trmField, QStringLiteral("TRM"), routing))
        trmEnableChanged(m_trm->checkState());
    else
        showTrm(false);
}

bool DialPage::restoreTick(QCheckBox *box, QLineEdit *field, const QString &name, bool offered)
{
    const bool used = field->isEnabled();
    const QSignalBlocker blocker(box);
    box->setEnabled(used);
    if (used && offered)
        return m_loaded.restoreCheck(box, name, field->text());
    box->setChecked(false);
    return true;
}

void DialPage::cleanupPage() { }

bool DialPage::isComplete() const
{
    const bool valid = markRows(DialRules::check(answers()), m_rows);
    return m_loaded.markRows() && valid;
}

QString DialPage::batchRefusal() const
{
    const QString loaded = m_loaded.refusal();
    return loaded.isEmpty() ? rowsRefusal(DialRules::check(answers()), m_rows) : loaded;
}

DialRules::Answers DialPage::answers() const
{
    DialRules::Answers answers;
    answers.outboundTitle = m_outbound->title();
    answers.inboundTitle = m_inbound->title();
    for (size_t index = 0; index < m_rules.size(); ++index) {
        const Rule &rule = m_rules[index];
        answers.rules[index] = {rule.box->isChecked(), rule.prefix->text(), rule.remove->text(), rule.add->text()};
    }
    answers.routing = m_trm->isChecked();
    answers.address = m_address->text();
    answers.username = m_username->text();
    answers.password = m_password->text();
    answers.own = AddressRules::deviceInterfaces(&BrambleonPage::answer);
    return answers;
}

int DialPage::nextId() const
{
    WizardData::instance()->summaries[9] = DialRules::summary(answers());
    return nextPage;
}

void DialPage::writeSurvey(QTextStream &out)
{
    commitForSurvey(true);
    writeSurveyHeader(out, surveyTitle());
    // Group titles from the fields: the widgets may not have shown them yet.
    const DialRules::Sides sides = DialRules::sides(field(QStringLiteral("APPLICATION_SELECTED")).toInt(),
        field(QStringLiteral("GATEWAY_INTEROP")).toInt(), field(QStringLiteral("CCE_INTEROP")).toInt());
    for (const bool inbound : {false, true}) {
        out << (inbound ? DialRules::inboundTitle(sides) : DialRules::outboundTitle(sides)) << Qt::endl
            << QStringLiteral("----------------------------") << Qt::endl;
        for (const QString &label : DialRules::surveyLabels(inbound)) {
            if (label.isEmpty())
                out << Qt::endl;
            else
                writeSurveyLine(out, label, DialRules::surveyComment(label));
        }
    }
}

QString DialPage::surveyTitle() const
{
    return QStringLiteral("Number Manipulations");
}

QString DialPage::surveyFieldName(const QString &label) const
{
    return DialRules::surveyField(label);
}
