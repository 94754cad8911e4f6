#include "pages/GatewayPage.h"

#include "data/WizardData.h"
#include "pages/EntryWidgets.h"
#include "pages/FieldError.h"
#include "pages/GatewayRules.h"
#include "pages/LoadedSet.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QTextStream>
#include <QVector>

namespace
{
const char kTitle[] = "Gateway Configuration";

QComboBox *list(const QStringList &items, const char *toolTip, QWidget *parent)
{
    auto *box = new QComboBox(parent);
    box->addItems(items);
    box->setToolTip(QLatin1String(toolTip));
    return box;
}

QLineEdit *edit(const QString &pattern, const QString &toolTip, QWidget *parent)
{
    auto *line = new QLineEdit(parent);
    line->setValidator(new QRegularExpressionValidator(QRegularExpression(pattern), line));
    line->setToolTip(toolTip);
    return line;
}

// Selects a list position when the list has it; otherwise the list stays as it is.
void select(QComboBox *box, int index)
{
    if (index >= 0 && index < box->count())
        box->setCurrentIndex(index);
}

void selectText(QComboBox *box, const QString &text)
{
    if (!text.isEmpty())
        select(box, box->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive));
}

// Every change runs the list's handler: emptying writes its "nothing" value, the first item its own.
void refill(QComboBox *box, const QStringList &items, int selected)
{
    box->clear();
    box->addItems(items);
    select(box, selected);
}

// A list refilled per trunk type is as wide as its longest entry of any type, so that no entry
// is cut and the page keeps its shape.
void fitLongest(QComboBox *box, QStringList (*names)(int))
{
    int longest = 0;
    for (int type = GatewayRules::Bri; type <= GatewayRules::Fxs; ++type) {
        for (const QString &name : names(type))
            longest = qMax(longest, name.size());
    }
    box->setMinimumContentsLength(longest);
    box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
}

// The focusable widgets of a grid, row by row, those inside its group boxes in their place.
void collectByRows(const QGridLayout *grid, QList<QWidget *> &order)
{
    for (int row = 0; row < grid->rowCount(); ++row) {
        for (int column = 0; column < grid->columnCount(); ++column) {
            QLayoutItem *item = grid->itemAtPosition(row, column);
            QWidget *widget = item ? item->widget() : nullptr;
            if (!widget || order.contains(widget))
                continue;
            if (const auto *inner = qobject_cast<const QGridLayout *>(widget->layout()))
                collectByRows(inner, order);
            else if (widget->focusPolicy() & Qt::TabFocus)
                order << widget;
        }
    }
}

QLabel *labelOf(const QWidget *page, const QWidget *buddy)
{
    for (QLabel *label : page->findChildren<QLabel *>()) {
        if (label->buddy() == buddy)
            return label;
    }
    return nullptr;
}

// The field of a port's column (0 to 3 each), as the table orders them.
QString portFieldName(int port, int column)
{
    static const char *const columns[] = {"NUMBER", "USERNAME", "PASSWORD", "CONTACT_USER"};
    return QStringLiteral("GATEWAY_FXS%1_%2").arg(port + 1).arg(QLatin1String(columns[column]));
}

QString cellText(const QTableWidget *table, int row, int column)
{
    const QTableWidgetItem *item = table->item(row, column);
    return item ? item->text() : QString();
}
} // namespace

GatewayPage::GatewayPage(QWidget *parent)
    : BrambleonPage(parent)
{
    step = 6;
    nextPage = 7;
    setTitle(QLatin1String(kTitle));
    setSubTitle(QStringLiteral("Configure PSTN Gateway parameters and communication protocol details."));

    m_enable = new QCheckBox(QStringLiteral("Enable Gateway"), this);
    // A row: the label in the given column, its widget to the right.
    const auto place = [](QGridLayout *grid, int row, int column, const char *text, QWidget *widget) {
        QLabel *label = rowLabel(QLatin1String(text), widget, widget->parentWidget());
        grid->addWidget(label, row, column);
        grid->addWidget(widget, row, column + 1);
        return label;
    };

    m_main = new QGroupBox(this);
    m_module = list({"1", "2", "3", "4"}, "PSTN interface module number", m_main);
    m_trunk = list({"1", "2", "3", "4"}, "PSTN interface trunk number", m_main);
    m_type = list({"BRI", "E1", "T1", "FXS"}, "PSTN interface trunk type", m_main);
    m_protocol = list({}, "PSTN interface protocol type", m_main);
    auto *mainGrid = new QGridLayout(m_main);
    place(mainGrid, 0, 0, "Module Number:", m_module);
    m_trunkLabel = place(mainGrid, 1, 0, "Trunk Number:", m_trunk);
    place(mainGrid, 0, 2, "                Trunk Type:", m_type);
    m_protocolLabel = place(mainGrid, 1, 2, "                Protocol Type:", m_protocol);

    m_e1t1 = new QGroupBox(QStringLiteral("E1/T1 Configuration"), this);
    m_lineCode = list({}, "PRI interface line code", m_e1t1);
    m_framing = list({}, "PRI interface physical framing method", m_e1t1);
    m_clock = list({"Recovered", "Generated"}, "PRI interface clock mode", m_e1t1);
    fitLongest(m_protocol, &GatewayRules::protocolNames);
    fitLongest(m_framing, &GatewayRules::framingNames);
    fitLongest(m_lineCode, &GatewayRules::lineCodeNames);
    auto *e1t1Grid = new QGridLayout(m_e1t1);
    place(e1t1Grid, 0, 0, "Line Code:", m_lineCode);
    place(e1t1Grid, 0, 2, "                Framing Method:", m_framing);
    place(e1t1Grid, 1, 0, "Clock Master:", m_clock);

    m_bri = new QGroupBox(QStringLiteral("BRI Configuration"), this);
    m_briType = list({"PBX", "Phone"}, "BRI equipment type", m_bri);
    m_briMode = list({"Point To Point", "Point To Multipoint"}, "BRI interface layer 2 mode", m_bri);
    // An optional "+" and digits.
    const QString phone = QStringLiteral("\\+?\\d*");
    m_globalNumber = edit(phone, QStringLiteral("Global phone number of BRI endpoint"), m_bri);
    m_localNumber = edit(phone, QStringLiteral("Local phone number of BRI endpoint"), m_bri);
    // Room for a whole international number (15 digits and the "+").
    const int numberWidth
        = QFontMetrics(m_globalNumber->font()).horizontalAdvance(QStringLiteral("+000000000000000"));
    m_globalNumber->setMinimumWidth(numberWidth);
    m_localNumber->setMinimumWidth(numberWidth);
    m_globalNumber->setText(QStringLiteral("+15550100199"));
    m_localNumber->setText(QStringLiteral("401"));
    auto *briGrid = new QGridLayout(m_bri);
    place(briGrid, 0, 0, "Equipment Type:", m_briType);
    place(briGrid, 0, 2, "                BRI Layer 2 Mode:", m_briMode);
    m_globalLabel = place(briGrid, 1, 0, "Global Phone Number:", m_globalNumber);
    m_localLabel = place(briGrid, 1, 2, "                Local Phone Number:", m_localNumber);

    m_isdn = new QGroupBox(QStringLiteral("ISDN Configuration"), this);
    m_isdnSide = list({"User", "Network"}, "ISDN termination side", m_isdn);
    // Decimal digits, or "0x" and hexadecimal digits; isComplete checks what does not convert.
    const QString mask = QStringLiteral("\\d*|0x[0-9a-fA-F]*");
    m_q931 = edit(mask, GatewayRules::behaviourBits(GatewayRules::Q931), m_isdn);
    m_outgoing = edit(mask, GatewayRules::behaviourBits(GatewayRules::Outgoing), m_isdn);
    m_incoming = edit(mask, GatewayRules::behaviourBits(GatewayRules::Incoming), m_isdn);
    for (QLineEdit *line : {m_q931, m_outgoing, m_incoming})
        line->setText(QStringLiteral("0"));
    m_rxOverlap = list({"None", "Local Receiving", "Through SIP", "Through SIP INFO"},
        "Select receiving of overlap dialing", m_isdn);
    auto *isdnGrid = new QGridLayout(m_isdn);
    place(isdnGrid, 0, 0, "ISDN Termination Side:", m_isdnSide);
    m_q931Label = place(isdnGrid, 1, 0, "Q931 Layer Behavior:", m_q931);
    m_outgoingLabel = place(isdnGrid, 0, 2, "        Outgoing Calls Behavior:", m_outgoing);
    m_incomingLabel = place(isdnGrid, 1, 2, "        Incoming Calls Behavior:", m_incoming);
    isdnGrid->addWidget(rowLabel(QStringLiteral("Receiving of Overlap Dialing:"), m_rxOverlap, m_isdn), 2, 1, 1, 2,
        Qt::AlignRight);
    isdnGrid->addWidget(m_rxOverlap, 2, 3);

    m_fxs = new QGroupBox(QStringLiteral("FXS Configuration"), this);
    m_account = list({"None", "Registration", "Authentication"}, "SIP account type", m_fxs);
    m_account->setCurrentIndex(1);
    m_ports = new QTableWidget(4, 4, m_fxs);
    m_ports->setVerticalHeaderLabels({"Port #1", "Port #2", "Port #3", "Port #4"});
    m_ports->setHorizontalHeaderLabels({"Phone Number", "Username", "Password", "Contact User"});
    m_ports->horizontalHeader()->setStretchLastSection(true);
    // Room for a header or a full international number; the table shows its four ports whole.
    const QFontMetrics metrics(m_ports->font());
    for (int column = 0; column < 3; ++column) {
        const QString header = m_ports->horizontalHeaderItem(column)->text();
        m_ports->setColumnWidth(column,
            qMax(metrics.horizontalAdvance(header), metrics.horizontalAdvance(QStringLiteral("+15550100199")))
                + 24);
    }
    m_ports->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_ports->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    int tableHeight = m_ports->horizontalHeader()->sizeHint().height() + 2 * m_ports->frameWidth();
    for (int row = 0; row < 4; ++row)
        tableHeight += m_ports->rowHeight(row);
    m_ports->setFixedHeight(tableHeight);
    EntryWidgets::leaveOnTab(m_ports);
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column)
            m_ports->setItem(
                row, column, new QTableWidgetItem(row == 0 && column == 0 ? QStringLiteral("4001") : ""));
    }
    auto *fxsGrid = new QGridLayout(m_fxs);
    place(fxsGrid, 0, 0, "Account Type:", m_account);
    fxsGrid->addWidget(m_ports, 1, 0, 1, 4);

    m_coders = new QGroupBox(QStringLiteral("Coders"), this);
    auto *codersGrid = new QGridLayout(m_coders);
    const char *const coderNames[] = {"G.711 A-Law", "G.711 U-Law", "G.729"};
    for (int i = 0; i < 3; ++i) {
        m_coderBoxes[size_t(i)] = new QCheckBox(QLatin1String(coderNames[i]), m_coders);
        m_coderBoxes[size_t(i)]->setChecked(i < 2);
        codersGrid->addWidget(m_coderBoxes[size_t(i)], 0, i);
    }

    // The inputs share the width; the labels keep theirs.
    for (QGroupBox *group : {m_main, m_e1t1, m_bri, m_isdn, m_fxs}) {
        auto *grid = static_cast<QGridLayout *>(group->layout());
        grid->setColumnStretch(1, 1);
        grid->setColumnStretch(3, 1);
    }

    auto *layout = new QGridLayout(this);
    layout->addWidget(m_enable, 0, 0);
    int row = 1;
    for (QGroupBox *group : {m_main, m_e1t1, m_bri, m_isdn, m_fxs, m_coders})
        layout->addWidget(group, row++, 0);
    layout->setRowStretch(row, 1);

    // The hidden holders of the registered fields, in registration order.
    const auto holder = [this](const char *name, const char *text, bool preset = false) {
        QLineEdit *line = hiddenEdit(QLatin1String(text));
        registerField(QLatin1String(name), line, true, preset);
        return line;
    };
    const auto listHolder = [this](const char *name, const char *text, bool preset = false) {
        QLineEdit *line = hiddenEdit(QLatin1String(text));
        registerField(QLatin1String(name), line, true, preset, QString(), FieldInfo::ListEntry);
        return line;
    };
    m_enableField = hiddenEdit(QStringLiteral("0"));
    registerField(QStringLiteral("GATEWAY_ENABLE"), m_enableField, true, true, QString(), FieldInfo::BoxFlag);
    m_moduleField = listHolder("GATEWAY_MODULE", "1");
    m_trunkField = listHolder("GATEWAY_TRUNK", "0");
    m_typeField = listHolder("GATEWAY_TYPE", "0");
    m_protocolField = listHolder("GATEWAY_PROTOCOL", "1");
    m_lineCodeField = listHolder("GATEWAY_LINE_CODE", "0");
    m_framingField = listHolder("GATEWAY_FRAMING", "0");
    m_clockField = listHolder("GATEWAY_CLOCK", "0");
    m_isdnSideField = listHolder("GATEWAY_ISDN_SIDE", "0");
    m_briModeField = listHolder("GATEWAY_BRI_MODE", "0");
    m_briTypeField = listHolder("GATEWAY_BRI_TYPE", "0");
    registerField(QStringLiteral("GATEWAY_BRI_GLOBAL_NUMBER"), m_globalNumber, true);
    registerField(QStringLiteral("GATEWAY_BRI_LOCAL_NUMBER"), m_localNumber, true);
    m_registerField = listHolder("GATEWAY_FXS_REGISTER", "1");
    for (int column = 0; column < 4; ++column) {
        for (int port = 0; port < 4; ++port) {
            QLineEdit *holder = hiddenEdit();
            setRowName(holder, tableRowName(m_ports, port), m_fxs);
            m_portFields[size_t(port)][size_t(column)] = holder;
            registerField(portFieldName(port, column), holder, true);
        }
    }
    m_q931Field = holder("GATEWAY_Q931_BEHAVIOR", "0", true);
    m_outgoingField = holder("GATEWAY_OUT_BEHAVIOR", "0", true);
    m_incomingField = holder("GATEWAY_IN_BEHAVIOR", "0", true);
    m_rxOverlapField = listHolder("GATEWAY_RX_OVERLAP", "0", true);
    m_codersField = hiddenEdit();
    registerField(QStringLiteral("GATEWAY_CODERS"), m_codersField, false, false, QString(), FieldInfo::BoxCoders);

    const std::pair<QWidget *, const char *> names[] = {{m_enable, "enable"}, {m_main, "main"}, {m_e1t1, "e1t1"},
        {m_bri, "bri"}, {m_isdn, "isdn"}, {m_fxs, "fxs"}, {m_coders, "coders"}, {m_module, "module"},
        {m_trunk, "trunk"}, {m_type, "type"}, {m_protocol, "protocol"}, {m_lineCode, "lineCode"},
        {m_framing, "framing"}, {m_clock, "clock"}, {m_briType, "briType"}, {m_briMode, "briMode"},
        {m_isdnSide, "isdnSide"}, {m_rxOverlap, "rxOverlap"}, {m_account, "account"}, {m_q931, "q931"},
        {m_outgoing, "outgoing"}, {m_incoming, "incoming"}, {m_ports, "ports"}, {m_globalNumber, "globalNumber"},
        {m_q931Label, "q931Label"}, {m_outgoingLabel, "outgoingLabel"}, {m_incomingLabel, "incomingLabel"}};
    for (const auto &name : names)
        name.first->setObjectName(QLatin1String(name.second));

    connect(m_module, SIGNAL(currentIndexChanged(int)), this, SLOT(moduleChanged(int)));
    connect(m_trunk, SIGNAL(currentIndexChanged(int)), this, SLOT(trunkChanged(int)));
    connect(m_type, SIGNAL(currentIndexChanged(int)), this, SLOT(typeChanged(int)));
    connect(m_protocol, SIGNAL(currentIndexChanged(int)), this, SLOT(protocolChanged(int)));
    connect(m_clock, SIGNAL(currentIndexChanged(int)), this, SLOT(clockChanged(int)));
    connect(m_framing, SIGNAL(currentIndexChanged(int)), this, SLOT(framingChanged(int)));
    connect(m_lineCode, SIGNAL(currentIndexChanged(int)), this, SLOT(lineCodeChanged(int)));
    connect(m_isdnSide, SIGNAL(currentIndexChanged(int)), this, SLOT(isdnSideChanged(int)));
    connect(m_briMode, SIGNAL(currentIndexChanged(int)), this, SLOT(briModeChanged(int)));
    connect(m_briType, SIGNAL(currentIndexChanged(int)), this, SLOT(briTypeChanged(int)));
    connect(m_q931, SIGNAL(textChanged(QString)), this, SLOT(q931BehaviorChanged(QString)));
    connect(m_outgoing, SIGNAL(textChanged(QString)), this, SLOT(outBehaviorChanged(QString)));
    connect(m_incoming, SIGNAL(textChanged(QString)), this, SLOT(inBehaviorChanged(QString)));
    connect(m_rxOverlap, SIGNAL(currentIndexChanged(int)), this, SLOT(rxOverlapChanged(int)));
    connect(m_account, SIGNAL(currentIndexChanged(int)), this, SLOT(accountChanged(int)));
    connect(m_account, SIGNAL(currentIndexChanged(int)), this, SIGNAL(completeChanged()));
    connect(m_ports, SIGNAL(cellChanged(int, int)), this, SLOT(portsChanged()));
    connect(m_ports, SIGNAL(cellChanged(int, int)), this, SIGNAL(completeChanged()));
    for (QCheckBox *box : m_coderBoxes)
        connect(box, SIGNAL(toggled(bool)), this, SLOT(codersChanged()));
    connect(m_enable, SIGNAL(stateChanged(int)), this, SLOT(enableChanged(int)));
    connect(m_enable, SIGNAL(stateChanged(int)), this, SIGNAL(completeChanged()));
    for (QLineEdit *line : {m_q931, m_outgoing, m_incoming, m_globalNumber, m_localNumber})
        connect(line, SIGNAL(textChanged(QString)), this, SIGNAL(completeChanged()));
    for (QComboBox *box : {m_module, m_trunk, m_type, m_protocol, m_lineCode, m_framing, m_clock, m_briType,
             m_briMode, m_isdnSide, m_rxOverlap, m_account})
        connect(box, SIGNAL(activated(int)), this, SLOT(choiceActivated()));
    connect(m_enable, SIGNAL(clicked()), this, SLOT(choiceActivated()));
    for (QCheckBox *box : m_coderBoxes)
        connect(box, SIGNAL(clicked()), this, SLOT(choiceActivated()));

    m_rows = {{GatewayRules::GlobalNumberRow, m_globalLabel}, {GatewayRules::LocalNumberRow, m_localLabel},
        {GatewayRules::Q931Row, m_q931Label}, {GatewayRules::OutgoingRow, m_outgoingLabel},
        {GatewayRules::IncomingRow, m_incomingLabel}, {GatewayRules::PortsRow, m_ports}};
    setTabOrderByRows();

    typeChanged(m_type->currentIndex());
    briTypeChanged(m_briType->currentIndex());
    reserveRoom();
}

void GatewayPage::setTabOrderByRows()
{
    QList<QWidget *> order;
    collectByRows(static_cast<QGridLayout *>(layout()), order);
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order.at(i - 1), order.at(i));
}

void GatewayPage::moduleChanged(int index)
{
    m_moduleField->setText(QString::number(index + 1));
}

void GatewayPage::trunkChanged(int index)
{
    m_trunkField->setText(QString::number(index));
}

void GatewayPage::typeChanged(int index)
{
    m_typeField->setText(QString::number(index));
    m_protocol->clear();
    if (index < 0 || index > GatewayRules::Fxs)
        return;
    refill(m_protocol, GatewayRules::protocolNames(index), GatewayRules::defaultProtocol(index));
    const GatewayRules::View view = GatewayRules::view(index);
    showType(view);
    if (view.e1t1) {
        refill(m_framing, GatewayRules::framingNames(index), 0);
        refill(m_lineCode, GatewayRules::lineCodeNames(index), GatewayRules::defaultLineCode(index));
    }
    select(m_isdnSide, view.isdnSide);
    select(m_rxOverlap, view.overlap);
    // A list the new type brings into use may show what it showed before, which emits nothing.
    writeListFields();
}

void GatewayPage::showType(const GatewayRules::View &view)
{
    for (QWidget *widget : {static_cast<QWidget *>(m_trunkLabel), static_cast<QWidget *>(m_trunk),
             static_cast<QWidget *>(m_protocolLabel), static_cast<QWidget *>(m_protocol)})
        widget->setVisible(view.trunkRows);
    m_e1t1->setVisible(view.e1t1);
    m_bri->setVisible(view.bri);
    m_isdn->setVisible(view.isdn);
    m_fxs->setVisible(view.fxs);
}

void GatewayPage::showPhoneNumbers(bool shown)
{
    for (QWidget *widget : {static_cast<QWidget *>(m_globalLabel), static_cast<QWidget *>(m_globalNumber),
             static_cast<QWidget *>(m_localLabel), static_cast<QWidget *>(m_localNumber)})
        widget->setVisible(shown);
}

// The wizard sizes itself when a page is entered, not when the page grows: the page keeps room
// for its largest trunk type, so that changing the type never squeezes a row.
void GatewayPage::reserveRoom()
{
    QSize room;
    showPhoneNumbers(true);
    for (int type = GatewayRules::Bri; type <= GatewayRules::Fxs; ++type) {
        showType(GatewayRules::view(type));
        layout()->invalidate();
        room = room.expandedTo(minimumSizeHint());
    }
    showType(GatewayRules::view(m_type->currentIndex()));
    showPhoneNumbers(m_briType->currentIndex() == 1);
    setMinimumSize(room);
}

void GatewayPage::protocolChanged(int)
{
    m_protocolField->setText(GatewayRules::protocolCode(m_protocol->currentText()));
}

void GatewayPage::clockChanged(int index)
{
    m_clockField->setText(QString::number(index));
}

void GatewayPage::framingChanged(int)
{
    m_framingField->setText(GatewayRules::framingCode(m_framing->currentText()));
}

void GatewayPage::lineCodeChanged(int)
{
    m_lineCodeField->setText(GatewayRules::lineCodeCode(m_lineCode->currentText()));
}

void GatewayPage::isdnSideChanged(int index)
{
    m_isdnSideField->setText(QString::number(index));
}

void GatewayPage::briModeChanged(int index)
{
    m_briModeField->setText(QString::number(index));
}

void GatewayPage::briTypeChanged(int index)
{
    // A phone shares the bus with others; a PBX has the line to itself.
    m_briMode->setCurrentIndex(index == 0 ? 0 : 1);
    showEquipment(index);
}

// A phone locks the layer-2 mode; a PBX leaves it to the user (or to a loaded answer).
void GatewayPage::showEquipment(int index)
{
    m_briTypeField->setText(QString::number(index));
    showPhoneNumbers(index == 1);
    if (index == 1)
        m_briMode->setCurrentIndex(1);
    m_briMode->setEnabled(index == 0 && m_briModeField->isEnabled());
    briModeChanged(m_briMode->currentIndex());
}

// Text that is no 32-bit mask leaves the field as it was; isComplete marks the row.
void GatewayPage::q931BehaviorChanged(const QString &text)
{
    quint32 value = 0;
    if (GatewayRules::parseMask(text, value))
        m_q931Field->setText(QString::number(value));
}

void GatewayPage::outBehaviorChanged(const QString &text)
{
    quint32 value = 0;
    if (GatewayRules::parseMask(text, value))
        m_outgoingField->setText(QString::number(value));
}

void GatewayPage::inBehaviorChanged(const QString &text)
{
    quint32 value = 0;
    if (GatewayRules::parseMask(text, value))
        m_incomingField->setText(QString::number(value));
}

void GatewayPage::rxOverlapChanged(int index)
{
    m_rxOverlapField->setText(QString::number(index));
}

void GatewayPage::accountChanged(int index)
{
    m_registerField->setText(QString::number(index));
}

void GatewayPage::enableChanged(int state)
{
    m_enableField->setText(state == 0 ? QStringLiteral("0") : QStringLiteral("1"));
    if (state == Qt::Checked) {
        m_main->show();
        typeChanged(m_type->currentIndex());
        m_coders->show();
        writeCoderField();
    } else {
        for (QGroupBox *group : {m_main, m_e1t1, m_bri, m_isdn, m_fxs, m_coders})
            group->hide();
    }
}

void GatewayPage::initializePage()
{
    setTitle(stepTitle(QLatin1String(kTitle)));
    // The list handlers rewrite the fields while the lists are rebuilt: take them as they stand. A
    // list's answer reads as its loaded value is judged, blanks around it aside.
    QHash<const QLineEdit *, QString> readings;
    for (const ListField &list : listFields())
        readings.insert(list.field, LoadedSet::reading(QLatin1String(list.name), list.field->text()));
    const QString coders = LoadedSet::reading(QStringLiteral("GATEWAY_CODERS"), m_codersField->text());
    const auto stored = [](QLineEdit *holder) { return holder->text(); };
    const auto reading = [&readings](QLineEdit *holder) { return readings.value(holder); };
    const auto number = [&reading](QLineEdit *holder) { return GatewayRules::storedIndex(reading(holder)); };
    const int module = number(m_moduleField), trunk = number(m_trunkField), type = number(m_typeField);
    const int clock = number(m_clockField), side = number(m_isdnSideField), briMode = number(m_briModeField);
    const int briType = number(m_briTypeField), overlap = number(m_rxOverlapField);
    const int account = number(m_registerField);
    const QString protocol = GatewayRules::protocolName(reading(m_protocolField));
    const QString framing = GatewayRules::framingName(reading(m_framingField));
    const QString lineCode = GatewayRules::lineCodeName(reading(m_lineCodeField));
    const QString q931 = stored(m_q931Field), incoming = stored(m_incomingField);
    const QString outgoing = stored(m_outgoingField);
    const LoadedChoices::Flag enabled = LoadedChoices::flag(stored(m_enableField));

    const int remembered = m_module->currentIndex();
    refill(m_module, GatewayRules::moduleItems(WizardData::instance()->moduleTypes), remembered);
    select(m_module, module - 1);
    select(m_trunk, trunk);
    select(m_type, type);
    // The protocol tells an ISDN trunk's type too, and wins; an FXS trunk asks no protocol.
    if (m_type->currentIndex() != GatewayRules::Fxs)
        select(m_type, GatewayRules::typeOfProtocol(protocol));

    // In the Gateway application the gateway is the point of the configuration.
    const bool gatewayApplication = field(QStringLiteral("APPLICATION_SELECTED")).toInt() == 4;
    m_enable->setVisible(!gatewayApplication);
    m_enable->blockSignals(true);
    m_enable->setChecked(gatewayApplication || enabled == LoadedChoices::Flag::Ticked);
    m_enable->blockSignals(false);
    enableChanged(m_enable->checkState());

    selectText(m_protocol, protocol);
    selectText(m_framing, framing);
    selectText(m_lineCode, lineCode);
    select(m_clock, clock);
    select(m_isdnSide, side);
    {
        // The equipment's handler picks a mode for a user who changes it; a loaded mode stands.
        const QSignalBlocker blocker(m_briType);
        select(m_briType, briType);
    }
    select(m_briMode, briMode);
    showEquipment(m_briType->currentIndex());
    m_q931->setText(GatewayRules::maskEditText(q931));
    m_incoming->setText(GatewayRules::maskEditText(incoming));
    m_outgoing->setText(GatewayRules::maskEditText(outgoing));
    select(m_rxOverlap, overlap);
    select(m_account, account);
    restorePorts();
    restoreCoders(coders);
    // A selection that changes nothing runs no handler: the fields follow what the lists show.
    writeListFields();
    q931BehaviorChanged(m_q931->text());
    outBehaviorChanged(m_outgoing->text());
    inBehaviorChanged(m_incoming->text());
    writeUnusedLists(readings);
    if (keepsCoders(coders))
        m_codersField->setText(coders);
    mirrorEnabled();
    rejectUnreadChoices();
}

// A loaded value that names no entry stays with its row, marked, instead of the list's default.
void GatewayPage::rejectUnreadChoices()
{
    m_loaded.forget();
    if (!m_enable->isChecked()) {
        // An unreadable tick shows the box unticked: it must not pass for "off".
        const QString enabled = LoadedChoices::value(QStringLiteral("GATEWAY_ENABLE"));
        if (LoadedChoices::flag(enabled) == LoadedChoices::Flag::Unread && m_enable->isEnabled()
            && m_enable->isVisibleTo(this))
            m_loaded.reject(m_enable, m_enable, QStringLiteral("GATEWAY_ENABLE"), enabled);
        return;
    }
    // A box or list the page forces or locks (the Gateway application's box, a phone's layer-2 mode)
    // still refuses a value no list holds; one the template does not use was emptied by it.
    struct Choice {
        QWidget *list;
        const QLineEdit *field;
        const char *name;
    };
    QVector<Choice> lists{{m_enable, m_enableField, "GATEWAY_ENABLE"}};
    for (const ListField &list : listFields())
        lists.append({list.list, list.field, list.name});
    for (const Choice &list : qAsConst(lists)) {
        const QString name = QLatin1String(list.name);
        const QString loaded = LoadedChoices::value(name);
        if (loaded.isNull() || !list.field->isEnabled()
            || GatewayRules::namesChoice(name, loaded, m_type->currentIndex()))
            continue;
        QLabel *label = labelOf(this, list.list);
        QWidget *row = label ? static_cast<QWidget *>(label) : list.list;
        if (auto *shown = qobject_cast<QComboBox *>(list.list))
            m_loaded.rejectEntry(shown, row, name, loaded);
        else
            m_loaded.reject(list.list, row, name, loaded);
    }
    const QString coders = LoadedChoices::value(QStringLiteral("GATEWAY_CODERS"));
    if (!coders.isEmpty() && !GatewayRules::codersKnown(coders))
        m_loaded.reject(m_coders, m_coders, QStringLiteral("GATEWAY_CODERS"), coders);
}

void GatewayPage::choiceActivated()
{
    // The trunk type decides what the other lists hold; a coder box answers for the coder list.
    const QObject *list = sender()->parent() == m_coders ? m_coders : sender();
    m_loaded.forget(list == m_type ? nullptr : list);
    // The equipment sets the layer-2 mode.
    if (list == m_briType)
        m_loaded.forget(m_briMode);
    // Lists whose value was forgotten without a pick show again what they showed; their fields follow.
    writeListFields();
    emit completeChanged();
}

std::array<GatewayPage::ListField, 12> GatewayPage::listFields() const
{
    return {{{m_module, m_moduleField, "GATEWAY_MODULE"}, {m_trunk, m_trunkField, "GATEWAY_TRUNK"},
        {m_type, m_typeField, "GATEWAY_TYPE"}, {m_protocol, m_protocolField, "GATEWAY_PROTOCOL"},
        {m_lineCode, m_lineCodeField, "GATEWAY_LINE_CODE"}, {m_framing, m_framingField, "GATEWAY_FRAMING"},
        {m_clock, m_clockField, "GATEWAY_CLOCK"}, {m_isdnSide, m_isdnSideField, "GATEWAY_ISDN_SIDE"},
        {m_briType, m_briTypeField, "GATEWAY_BRI_TYPE"}, {m_briMode, m_briModeField, "GATEWAY_BRI_MODE"},
        {m_rxOverlap, m_rxOverlapField, "GATEWAY_RX_OVERLAP"},
        {m_account, m_registerField, "GATEWAY_FXS_REGISTER"}}};
}

QString GatewayPage::shownValue(const QComboBox *list) const
{
    if (list == m_module)
        return QString::number(list->currentIndex() + 1);
    if (list == m_protocol)
        return GatewayRules::protocolCode(list->currentText());
    if (list == m_framing)
        return GatewayRules::framingCode(list->currentText());
    if (list == m_lineCode)
        return GatewayRules::lineCodeCode(list->currentText());
    return QString::number(list->currentIndex());
}

bool GatewayPage::listUsed(const char *name) const
{
    return m_enable->isChecked() && GatewayRules::usesList(QLatin1String(name), m_type->currentIndex());
}

// Every list the configuration uses writes what it shows; one that shows none keeps its refused value.
void GatewayPage::writeListFields()
{
    for (const ListField &list : listFields()) {
        if (listUsed(list.name) && list.list->currentIndex() >= 0)
            list.field->setText(shownValue(list.list));
    }
}

// A list the configuration does not use keeps a loaded answer as given, read as it was judged: the
// device never sees it, and a later file must find it again. One its field no longer holds (the
// user changed it) follows what the list shows.
void GatewayPage::writeUnusedLists(const QHash<const QLineEdit *, QString> &readings)
{
    for (const ListField &list : listFields()) {
        if (listUsed(list.name))
            continue;
        const QString loaded = LoadedChoices::value(QLatin1String(list.name));
        const QString reading = readings.value(list.field);
        list.field->setText(!loaded.isNull() && reading == loaded ? reading : shownValue(list.list));
    }
}

// While the gateway is off a loaded coder list is kept as given; an empty one is no answer.
bool GatewayPage::keepsCoders(const QString &reading) const
{
    const QString loaded = LoadedChoices::value(QStringLiteral("GATEWAY_CODERS"));
    return !m_enable->isChecked() && !loaded.isEmpty() && reading == loaded;
}

// A loaded or earlier configuration brings its ports back, loaded empty ones too; with no port field
// set or loaded the table keeps what it shows.
void GatewayPage::restorePorts()
{
    const WizardData *data = WizardData::instance();
    bool any = false;
    for (int port = 0; port < 4; ++port) {
        for (int column = 0; column < 4; ++column)
            any = any || !m_portFields[size_t(port)][size_t(column)]->text().isEmpty()
                || data->hasValue(portFieldName(port, column));
    }
    if (!any)
        return;
    // The fields already hold the answers: the cells must not write back half-restored rows.
    const QSignalBlocker blocker(m_ports);
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column)
            m_ports->item(row, column)->setText(m_portFields[size_t(row)][size_t(column)]->text());
    }
}

void GatewayPage::restoreCoders(const QString &list)
{
    std::array<bool, 3> ticked{};
    if (!GatewayRules::codersOfList(list, ticked))
        return;
    for (size_t i = 0; i < ticked.size(); ++i)
        m_coderBoxes[i]->setChecked(ticked[i]);
}

// A choice whose field the template does not use cannot be made.
void GatewayPage::mirrorEnabled()
{
    const std::pair<QWidget *, QLineEdit *> pairs[]
        = {{m_enable, m_enableField}, {m_module, m_moduleField}, {m_trunk, m_trunkField}, {m_type, m_typeField},
            {m_protocol, m_protocolField}, {m_lineCode, m_lineCodeField}, {m_framing, m_framingField},
            {m_clock, m_clockField}, {m_isdnSide, m_isdnSideField}, {m_briType, m_briTypeField},
            {m_account, m_registerField}, {m_q931, m_q931Field}, {m_outgoing, m_outgoingField},
            {m_incoming, m_incomingField}, {m_rxOverlap, m_rxOverlapField}, {m_ports, m_portFields[0][0]}};
    for (const auto &pair : pairs)
        pair.first->setEnabled(pair.second->isEnabled());
    m_briMode->setEnabled(m_briType->currentIndex() == 0 && m_briModeField->isEnabled());
}

void GatewayPage::cleanupPage() { }

GatewayRules::Entries GatewayPage::entries() const
{
    GatewayRules::Entries e;
    e.enabled = m_enable->isChecked();
    e.type = m_type->currentIndex();
    e.globalNumber = m_globalNumber->text();
    e.localNumber = m_localNumber->text();
    e.q931 = m_q931->text();
    e.outgoing = m_outgoing->text();
    e.incoming = m_incoming->text();
    // A table the template does not use writes no port.
    for (int row = 0; row < 4 && m_ports->isEnabled(); ++row) {
        for (int column = 0; column < 4; ++column)
            e.ports[size_t(row)][size_t(column)] = cellText(m_ports, row, column);
    }
    return e;
}

bool GatewayPage::isComplete() const
{
    const bool valid = markRows(GatewayRules::check(entries()), m_rows);
    return m_loaded.markRows() && valid;
}

QString GatewayPage::batchRefusal() const
{
    const QString loaded = m_loaded.refusal();
    if (!loaded.isEmpty())
        return loaded;
    const GatewayRules::Entries e = entries();
    // A refused cell is named by its port's row of the table.
    const auto portRow = [this, &e](int row, QString &part, QString &message) {
        if (row != GatewayRules::PortsRow)
            return;
        const GatewayRules::PortProblem problem = GatewayRules::portProblem(e.ports);
        part = tableRowName(m_ports, problem.port);
        message = problem.message;
    };
    return rowsRefusal(GatewayRules::check(e), m_rows, portRow);
}

int GatewayPage::nextId() const
{
    if (m_type->currentIndex() == GatewayRules::Fxs)
        writePortFields();
    if (!keepsCoders(m_codersField->text()))
        writeCoderField();
    updateSummary();
    return nextPage;
}

void GatewayPage::writePortFields() const
{
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column)
            m_portFields[size_t(row)][size_t(column)]->setText(cellText(m_ports, row, column));
    }
}

void GatewayPage::writeCoderField() const
{
    m_codersField->setText(GatewayRules::coderList(
        m_coderBoxes[0]->isChecked(), m_coderBoxes[1]->isChecked(), m_coderBoxes[2]->isChecked()));
}

// Entering the page restores the table and the coders from their fields: an edit must reach them
// at once, or going Back and forward again would bring the earlier answers back.
void GatewayPage::portsChanged()
{
    if (m_type->currentIndex() == GatewayRules::Fxs)
        writePortFields();
}

void GatewayPage::codersChanged()
{
    writeCoderField();
}

void GatewayPage::updateSummary() const
{
    GatewayRules::Answers a;
    a.module = m_module->currentText();
    a.trunk = m_trunk->currentText();
    a.type = m_type->currentIndex();
    a.typeText = m_type->currentText();
    a.protocol = m_protocol->currentText();
    a.equipment = m_briType->currentIndex();
    a.equipmentText = m_briType->currentText();
    a.layer2 = m_briMode->currentText();
    a.globalNumber = m_globalNumber->text();
    a.localNumber = m_localNumber->text();
    a.account = m_account->currentIndex();
    for (size_t port = 0; port < a.ports.size(); ++port) {
        a.ports[port] = {m_portFields[port][0]->text(), m_portFields[port][1]->text(),
            m_portFields[port][2]->text(), m_portFields[port][3]->text()};
    }
    a.lineCode = m_lineCode->currentText();
    a.framing = m_framing->currentText();
    a.clock = m_clock->currentText();
    a.isdnSide = m_isdnSide->currentText();
    a.q931 = m_q931->text();
    a.outgoing = m_outgoing->text();
    a.incoming = m_incoming->text();
    a.rxOverlap = m_rxOverlapField->text();
    a.coders = m_codersField->text();
    WizardData::instance()->summaries[6] = GatewayRules::summary(a);
}

void GatewayPage::writeSurvey(QTextStream &out)
{
    initializePage();
    nextId();
    writeSurveyHeader(out, surveyTitle());
    for (const GatewayRules::SurveyRow &row : GatewayRules::surveyRows())
        writeSurveyLine(out, QLatin1String(row.label), QLatin1String(row.comment));
}

QString GatewayPage::surveyTitle() const
{
    return QLatin1String(kTitle);
}

QString GatewayPage::surveyFieldName(const QString &label) const
{
    return GatewayRules::surveyField(label);
}
