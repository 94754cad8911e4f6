#pragma once

#include "pages/BrambleonPage.h"
#include "pages/LoadedChoices.h"
#include "pages/NetworkRules.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;

// What the LAN and WAN pages share: the name row of an interface the router keeps as configured,
// the DNS rows, the fields of an interface's address block and the entries both rules read.
class InterfacePage : public BrambleonPage
{
    Q_OBJECT
protected slots:
    // The user picked an entry of a list: it replaces a loaded value the list did not hold.
    void choiceActivated();

protected:
    // side ("LAN" or "WAN") names the interface in the name row.
    InterfacePage(const QString &side, QWidget *parent);

    static QString text(const char *field);
    static void setText(const char *field, const QString &value);

    // The DNS Server group with its two address edits.
    void addDnsGroup(const QString &toolTip1, const QString &toolTip2);
    // Address, mask, gateway, VLAN and DNS fields of the interface with the given prefix ("NET1",
    // "OAM"), each with the fields derived from it.
    void registerAddressFields(const QString &prefix, QLineEdit *ip, QLineEdit *mask, QLineEdit *gateway,
        QLineEdit *vlan, QLineEdit *dns1, QLineEdit *dns2);
    // The VLAN and DNS entries of that interface take their loaded derived values.
    static void takeLoadedEntries(const QString &prefix);
    // Collects the entries and the fields that both rules read.
    void readInterface(NetworkRules::InterfaceAnswers &a) const;
    // A loaded value no entry of list names: the list shows none, the field keeps the value.
    void holdLoaded(QComboBox *list, QLabel *row, const char *field, const QString &stored);
    // A loaded value of a list the page derives or locks: one no list holds (listed false) is rejected
    // with its row, and the list shows none.
    void refuseUnlisted(QComboBox *list, QLabel *row, const char *field, const QString &stored, bool listed);

    LoadedChoices m_loadedChoices;

    QCheckBox *m_exist;
    QLabel *m_spacer;
    QGroupBox *m_nameGroup;
    QLineEdit *m_ifName;
    QLabel *m_ifNameLabel;
    // Built by the page.
    QLineEdit *m_ip = nullptr, *m_mask = nullptr, *m_gateway = nullptr, *m_vlan = nullptr, *m_nat = nullptr;
    // Built by addDnsGroup().
    QGroupBox *m_dnsGroup = nullptr;
    QLineEdit *m_dns1 = nullptr, *m_dns2 = nullptr;
    QLabel *m_dns1Label = nullptr, *m_dns2Label = nullptr;
};
