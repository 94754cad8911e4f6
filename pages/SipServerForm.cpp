#include "pages/SipServerForm.h"

#include "data/LoadedText.h"
#include "data/RowName.h"

#include "data/WizardData.h"
#include "pages/BrambleonPage.h"
#include "pages/FieldError.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QRegExpValidator>

namespace
{
QString translated(const char *text)
{
    return QCoreApplication::translate("SipServerForm", text);
}
} // namespace

SipServerForm::SipServerForm(
    QWidget *page, const QString &prefix, const QString &party, Qt::Alignment choiceAlignment)
    : m_prefix(prefix)
{
    address = new QLineEdit(page);
    setTextValidator(address);
    address->setToolTip(QStringLiteral("IP address or hostname of ") + party);
    backup = new QLineEdit(page);
    setTextValidator(backup);
    backup->setToolTip(QStringLiteral("Backup IP address or hostname of ") + party);
    domain = new QLineEdit(page);
    setTextValidator(domain);
    domain->setToolTip(QStringLiteral("Domain name used in SIP messages;\nfor outbound calls - in Request-URI and "
                                      "To header\nfor inbound calls - in From header"));
    keepAlive = new QCheckBox(QStringLiteral("Keep Alive"), page);
    keepAlive->setObjectName(QStringLiteral("keepAlive"));
    transport = new QComboBox(page);
    transport->setObjectName(QStringLiteral("transport"));
    transport->addItems({QStringLiteral("UDP"), QStringLiteral("TCP"), QStringLiteral("TLS")});
    transport->setToolTip(QStringLiteral("SIP transport type"));
    destinationPort = numberEdit(page, 1, 65535, QString());
    listeningPort = numberEdit(page, 1, 65535, QStringLiteral("SIP communication port of SBC"));
    listeningPort->setText(QStringLiteral("5060"));
    interfaces = new QComboBox(page);
    interfaces->setObjectName(QStringLiteral("interface"));
    interfaces->addItems({QStringLiteral("LAN"), QStringLiteral("WAN")});
    interfaces->setFixedWidth(textWidth(QStringLiteral("Ethernet    ")));
    media = new QComboBox(page);
    media->setObjectName(QStringLiteral("media"));
    media->addItems({QStringLiteral("RTP"), QStringLiteral("SRTP")});
    media->setToolTip(QStringLiteral("Media protocol type"));
    basePort = numberEdit(
        page, SipRules::MinBasePort, 65535, QStringLiteral("First port used for media sessions (RTP/SRTP)"));
    sessions = numberEdit(
        page, SipRules::MinSessions, SipRules::MaxSessions, QStringLiteral("Number of media sessions supported"));
    setParty(party);

    addressLabel = BrambleonPage::rowLabel(QStringLiteral("Address:"), address, page);
    backupLabel = BrambleonPage::rowLabel(QStringLiteral("        Backup Address:"), backup, page);
    domainLabel = BrambleonPage::rowLabel(QStringLiteral("SIP Domain:"), domain, page);
    transportLabel = BrambleonPage::rowLabel(QStringLiteral("Transport Type:"), transport, page);
    destinationLabel = BrambleonPage::rowLabel(QStringLiteral("        Destination Port:"), destinationPort, page);
    listeningLabel = BrambleonPage::rowLabel(QStringLiteral("        Listening Port:"), listeningPort, page);
    interfaceLabel = BrambleonPage::rowLabel(QStringLiteral("Network Interface:"), interfaces, page);
    interfaceLabel->setFixedWidth(textWidth(QStringLiteral("Network Interface:    ")));
    mediaLabel = BrambleonPage::rowLabel(translated("Media Protocol:"), media, page);
    baseLabel = BrambleonPage::rowLabel(QStringLiteral("        Base Port:"), basePort, page);
    sessionsLabel = BrambleonPage::rowLabel(QStringLiteral("        Number Of Sessions:"), sessions, page);

    server = new QGroupBox(page);
    auto *serverGrid = new QGridLayout(server);
    serverGrid->addWidget(addressLabel, 0, 0);
    serverGrid->addWidget(address, 0, 1);
    serverGrid->addWidget(backupLabel, 0, 2);
    serverGrid->addWidget(backup, 0, 3);
    serverGrid->addWidget(domainLabel, 1, 0);
    serverGrid->addWidget(domain, 1, 1);
    serverGrid->addWidget(keepAlive, 1, 3);

    sip = new QGroupBox(QStringLiteral("SIP Interface"), page);
    auto *sipGrid = new QGridLayout(sip);
    sipGrid->addWidget(transportLabel, 0, 0);
    sipGrid->addWidget(transport, 0, 1, choiceAlignment);
    sipGrid->addWidget(destinationLabel, 0, 2);
    sipGrid->addWidget(destinationPort, 0, 3);
    sipGrid->addWidget(listeningLabel, 1, 2);
    sipGrid->addWidget(listeningPort, 1, 3);

    realm = new QGroupBox(QStringLiteral("Media Ports (Realm)"), page);
    auto *realmGrid = new QGridLayout(realm);
    realmGrid->addWidget(mediaLabel, 0, 0);
    realmGrid->addWidget(media, 0, 1, choiceAlignment);
    realmGrid->addWidget(baseLabel, 0, 2);
    realmGrid->addWidget(basePort, 0, 3);
    realmGrid->addWidget(sessionsLabel, 1, 2);
    realmGrid->addWidget(sessions, 1, 3);
    alignColumns({server, sip, realm});
}

void SipServerForm::setParty(const QString &party)
{
    destinationPort->setToolTip(QStringLiteral("SIP communication port of ") + party);
    interfaces->setToolTip(QStringLiteral("Network interface used to communicate with ") + party);
}

void SipServerForm::restoreChoices(bool used)
{
    restoreBox(keepAlive, keepAliveField, m_prefix + QStringLiteral("_KEEPALIVE"), used);
    m_portsFollow = false;
    restoreList(transport, transportLabel, transportField, m_prefix + QStringLiteral("_TRANSPORT_TYPE"),
        {QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2")}, used);
    m_portsFollow = true;
    transport->setEnabled(transportField->isEnabled());
    restoreList(media, mediaLabel, mediaField, m_prefix + QStringLiteral("_MEDIA_PROTOCOL"),
        {QStringLiteral("2"), QStringLiteral("1")}, used);
    media->setEnabled(mediaField->isEnabled());
}

bool SipServerForm::restoreList(
    QComboBox *list, QLabel *row, QLineEdit *field, const QString &name, const QStringList &codes, bool used)
{
    loaded.forget(list);
    const QString text = field->text();
    // A template that uses the field without a value leaves it empty, which takes the first entry; an
    // answer loaded empty names none.
    const QString answer = LoadedChoices::value(name);
    const bool loadedEmpty = answer.isEmpty() && !answer.isNull() && LoadedText::bare(text).isEmpty();
    const int position = loadedEmpty ? -1 : SipRules::choicePosition(text, codes);
    if (position >= 0)
        list->setCurrentIndex(position);
    // One the configuration does not use keeps its answer as given.
    if (!used) {
        field->setText(text);
        return true;
    }
    // A field the template does not use never reaches the output: it takes what the list shows.
    if (position >= 0 || !field->isEnabled()) {
        field->setText(codes.value(list->currentIndex()));
        return true;
    }
    loaded.rejectEntry(list, row, name, LoadedText::bare(text));
    return false;
}

void SipServerForm::restoreBox(QCheckBox *box, QLineEdit *field, const QString &name, bool used)
{
    chosen(box);
    const QString text = field->text();
    const LoadedChoices::Flag flag = LoadedChoices::flag(text);
    box->setChecked(flag == LoadedChoices::Flag::Ticked);
    if (!used) {
        field->setText(text);
    } else if (flag != LoadedChoices::Flag::Unread || !field->isEnabled()) {
        field->setText(flag == LoadedChoices::Flag::Ticked ? QStringLiteral("1") : QStringLiteral("0"));
    } else {
        loaded.reject(box, box, name, LoadedText::bare(text));
        // The box's own signal wrote "0" on the way.
        field->setText(text);
    }
    box->setEnabled(field->isEnabled());
}

bool SipServerForm::markLoaded() const
{
    return loaded.markRows();
}

void SipServerForm::chosen(QObject *widget)
{
    loaded.forget(widget);
}

QWidget *SipServerForm::chainTabOrder(QWidget *before) const
{
    QWidget *previous = before;
    for (QWidget *next : QList<QWidget *>{address, backup, domain, keepAlive, transport, destinationPort,
             listeningPort, media, basePort, sessions}) {
        QWidget::setTabOrder(previous, next);
        previous = next;
    }
    return previous;
}

void SipServerForm::connectChoices(BrambleonPage *page)
{
    setShownBy(transportField, transportLabel);
    setShownBy(mediaField, mediaLabel);
    QObject::connect(transport, QOverload<int>::of(&QComboBox::currentIndexChanged), page, [this](int index) {
        transportField->setText(QString::number(index));
        if (!m_portsFollow)
            return;
        listeningPort->setText(SipRules::portForTransport(listeningPort->text(), index));
        destinationPort->setText(SipRules::portForTransport(destinationPort->text(), index));
    });
    QObject::connect(media, QOverload<int>::of(&QComboBox::currentIndexChanged), page,
        [this](int index) { mediaField->setText(QString::number(2 - index)); });
    // A pick, even of the entry shown, replaces a rejected loaded value.
    QObject::connect(transport, QOverload<int>::of(&QComboBox::activated), page, [this, page](int index) {
        transportField->setText(QString::number(index));
        chosen(transport);
        emit page->completeChanged();
    });
    QObject::connect(media, QOverload<int>::of(&QComboBox::activated), page, [this, page](int index) {
        mediaField->setText(QString::number(2 - index));
        chosen(media);
        emit page->completeChanged();
    });
    QObject::connect(keepAlive, &QCheckBox::clicked, page, [this, page] {
        chosen(keepAlive);
        emit page->completeChanged();
    });
    m_page = page;
    QObject::connect(
        interfaces, QOverload<int>::of(&QComboBox::currentIndexChanged), page, [this](int) { writeInterface(); });
    QObject::connect(keepAlive, &QCheckBox::stateChanged, page,
        [this](int state) { keepAliveField->setText(state != 0 ? QStringLiteral("1") : QStringLiteral("0")); });
}

SipRules::ServerCommit SipServerForm::commit(
    const QString &nat, const QString &net1Ip, const QString &net2Ip) const
{
    SipRules::ServerCommit c;
    c.address = address->text();
    c.backup = backup->text();
    c.destinationPort = destinationPort->text();
    c.basePort = basePort->text();
    c.sessions = sessions->text();
    c.nat = nat;
    c.interfaceIndex = interfaces->currentIndex();
    c.net1Ip = net1Ip;
    c.net2Ip = net2Ip;
    return c;
}

void SipServerForm::setInterfaces(const QStringList &items, int current)
{
    interfaces->clear();
    interfaces->addItems(items);
    interfaces->setCurrentIndex(current);
    interfaces->setEnabled(false);
    writeInterface();
}

void SipServerForm::writeInterface()
{
    if (!m_page)
        return;
    const WizardData *data = WizardData::instance();
    networkField->setText(QString::number(interfaces->currentIndex() + 1));
    ifField->setText(SipRules::interfaceName(interfaces->currentText(), m_page->isKrbx(),
        data->fieldText(QStringLiteral("NET1_IF")), data->fieldText(QStringLiteral("NET2_IF"))));
}

SipRules::ServerSummary SipServerForm::summary(const QString &name) const
{
    SipRules::ServerSummary s;
    s.name = name;
    s.interfaceName = interfaces->currentText();
    s.address = address->text();
    s.backup = backup->text();
    s.domain = domain->text();
    s.keepAliveShown = keepAlive->isEnabled();
    s.keepAlive = keepAlive->isChecked();
    s.transport = transport->currentText();
    s.destinationPort = destinationPort->text();
    s.listeningPort = listeningPort->text();
    s.media = media->currentText();
    s.basePort = basePort->text();
    s.sessions = sessions->text();
    return s;
}

QLineEdit *SipServerForm::numberEdit(QWidget *parent, int low, int high, const QString &toolTip)
{
    auto *edit = new QLineEdit(parent);
    auto *validator = new QIntValidator(low, high, edit);
    validator->setLocale(SipRules::numberLocale());
    edit->setValidator(validator);
    edit->setToolTip(toolTip);
    return edit;
}

void SipServerForm::setTextValidator(QLineEdit *edit)
{
    // Replaced, not stacked: the old validator goes with the new one's arrival.
    const QValidator *old = edit->validator();
    edit->setValidator(new QRegExpValidator(QRegExp(QStringLiteral("^.{1,64}$")), edit));
    delete old;
}

QGridLayout *SipServerForm::placeWithNat(QWidget *page, QLabel *natLabel, QLineEdit *nat) const
{
    auto *grid = new QGridLayout(page);
    grid->addWidget(interfaceLabel, 0, 0);
    grid->addWidget(interfaces, 0, 1);
    grid->addWidget(new QLabel(QString(18, QLatin1Char(' ')), page), 0, 2);
    grid->addWidget(natLabel, 0, 3);
    grid->addWidget(nat, 0, 4);
    grid->addWidget(server, 1, 0, 1, 5);
    grid->addWidget(sip, 2, 0, 1, 5);
    grid->addWidget(realm, 3, 0, 1, 5);
    return grid;
}

void SipServerForm::alignColumns(const QList<QGroupBox *> &groups)
{
    int widths[2] = {0, 0};
    for (QGroupBox *group : groups) {
        auto *grid = qobject_cast<QGridLayout *>(group->layout());
        for (int i = 0; grid && i < grid->count(); ++i) {
            int row, column, rows, columns;
            grid->getItemPosition(i, &row, &column, &rows, &columns);
            if (column == 0 || column == 2)
                widths[column / 2] = qMax(widths[column / 2], grid->itemAt(i)->sizeHint().width());
        }
    }
    for (QGroupBox *group : groups) {
        if (auto *grid = qobject_cast<QGridLayout *>(group->layout())) {
            grid->setColumnMinimumWidth(0, widths[0]);
            grid->setColumnMinimumWidth(2, widths[1]);
            grid->setColumnStretch(1, 1);
            grid->setColumnStretch(3, 1);
        }
    }
}

int SipServerForm::textWidth(const QString &text)
{
    return QFontMetrics(QApplication::font()).horizontalAdvance(text);
}
