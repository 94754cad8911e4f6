#pragma once

#include "pages/FieldError.h"
#include "pages/LoadedChoices.h"
#include "pages/SipRules.h"

#include <QList>
#include <QMap>
#include <QPair>
#include <QString>
#include <QVector>

class BrambleonPage;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QWidget;

// The widgets every SIP server page shows the same way: the server's address group, the
// "SIP Interface" group, the "Media Ports (Realm)" group and the network interface choice, with
// their labels. The page places the groups, registers the fields and connects the signals.
class SipServerForm
{
public:
    // prefix names the fields ("SIP2"); party names the far end in the tool tips ("SIP Trunk",
    // "IP-PBX2"); choiceAlignment places the transport and media combos in their cells (Qt::AlignLeft
    // keeps them at their own width).
    SipServerForm(QWidget *page, const QString &prefix, const QString &party,
        Qt::Alignment choiceAlignment = Qt::Alignment());

    // Tool tips of the destination port and the interface choice.
    void setParty(const QString &party);
    // Restores keep-alive, transport and media protocol from their hidden fields. The transport is
    // restored with the port-follow switch off, so the restore keeps the ports. An empty field takes
    // the default, unless it was loaded so; a field in use that names no choice keeps its text and is
    // rejected in loaded, so the page stops until the installer picks one. Each widget is enabled
    // exactly when its field is. Choices the configuration does not use (used false) only show what
    // their fields name: the fields keep their answers as given, never rejected.
    void restoreChoices(bool used = true);
    // Restores a check box from its field ("1" ticked, "0" or empty not) as restoreChoices does.
    void restoreBox(QCheckBox *box, QLineEdit *field, const QString &name, bool used = true);
    // Restores a list's position from its field's codes as restoreChoices does; true when the field
    // names a choice (or is empty, taking the first, but for an answer loaded empty).
    bool restoreList(QComboBox *list, QLabel *row, QLineEdit *field, const QString &name, const QStringList &codes,
        bool used = true);
    // Marks the rows and check boxes of rejected loaded values; false when there is one. Call it after
    // the page's own marks.
    bool markLoaded() const;
    // A widget the installer has just set no longer holds a rejected value.
    void chosen(QObject *widget);
    // Sets the tab order of the three groups after before, in the order they are laid out; returns
    // the last widget.
    QWidget *chainTabOrder(QWidget *before) const;
    // Mirrors the choices into the hidden fields as they are made: the transport (and the ports by
    // the default-port rule while they follow it), the media protocol (1 SRTP, 2 RTP), the interface
    // position + 1 and its SIP interface name, and keep-alive. Call it before the page connects the
    // same signals to completeChanged, so the page is judged on the fields already written.
    void connectChoices(BrambleonPage *page);
    // Refills the interface list, selects current and disables the choice: the topology decides it.
    // The interface fields follow even when the selection did not change.
    void setInterfaces(const QStringList &items, int current);
    // The entries the derived fields come from; the interface's own address where there is no NAT one.
    SipRules::ServerCommit commit(const QString &nat, const QString &net1Ip, const QString &net2Ip) const;
    // The shared summary rows as the widgets show them.
    SipRules::ServerSummary summary(const QString &name) const;
    // A line edit for whole numbers from low to high.
    static QLineEdit *numberEdit(QWidget *parent, int low, int high, const QString &toolTip);
    // The validator of the address, backup address and domain edits: 1 to 64 characters.
    static void setTextValidator(QLineEdit *edit);
    // Lines up the label and input columns of group boxes laid out as label, input, label, input.
    static void alignColumns(const QList<QGroupBox *> &groups);
    // Lays the page out: the interface choice beside the page's NAT row, the three groups below it on
    // rows 1 to 3 across five columns. The page adds its own groups to the grid it returns.
    QGridLayout *placeWithNat(QWidget *page, QLabel *natLabel, QLineEdit *nat) const;
    // Width of a text in the application font.
    static int textWidth(const QString &text);

    QLineEdit *address;
    QLineEdit *backup;
    QLineEdit *domain;
    QCheckBox *keepAlive;
    QComboBox *transport;
    QLineEdit *destinationPort;
    QLineEdit *listeningPort;
    QComboBox *interfaces;
    QComboBox *media;
    QLineEdit *basePort;
    QLineEdit *sessions;

    QLabel *addressLabel;
    QLabel *backupLabel;
    QLabel *domainLabel;
    QLabel *transportLabel;
    QLabel *destinationLabel;
    QLabel *listeningLabel;
    QLabel *interfaceLabel;
    QLabel *mediaLabel;
    QLabel *baseLabel;
    QLabel *sessionsLabel;

    QGroupBox *server;
    QGroupBox *sip;
    QGroupBox *realm;

    // Loaded values that name no choice; the page rejects its own lists here too.
    LoadedChoices loaded;

    // Hidden fields the choices are mirrored into; the page creates and registers them.
    QLineEdit *transportField = nullptr;
    QLineEdit *networkField = nullptr;
    QLineEdit *ifField = nullptr;
    QLineEdit *keepAliveField = nullptr;
    QLineEdit *mediaField = nullptr;

private:
    const QString m_prefix;
    // Off while restoreChoices restores the transport, so that the restore keeps the ports.
    bool m_portsFollow = true;
    BrambleonPage *m_page = nullptr;
    // The interface position + 1 and its SIP interface name into their hidden fields.
    void writeInterface();
};
