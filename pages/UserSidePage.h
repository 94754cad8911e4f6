#pragma once

#include "pages/BrambleonPage.h"
#include "pages/LoadedChoices.h"
#include "pages/SipRules.h"

#include <QHash>
#include <QVector>

#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

// Base of the pages for the users' side of the SBC (hosted users, trunk remote users and the
// remote-user groups). They share the network interface the users arrive on, which follows the
// topology and the IP-PBX and is never the user's choice, the read-only NAT address, the way rows
// are marked and the survey section written from a table of rows.
class UserSidePage : public BrambleonPage
{
    Q_OBJECT
public:
    void cleanupPage() override;
    void writeSurvey(QTextStream &out) override;
    QString surveyFieldName(const QString &label) const override;

protected:
    // prefix: the field prefix of the side's network fields ("USER", "FEU", "REMOTE_USER");
    // party: who the side is ("Users", "Remote Users"), in subtitle and tool tips.
    UserSidePage(const QString &prefix, const QString &party, QWidget *parent);

    // An answer of any page by its field name.
    QString answer(const QString &name) const;
    SipRules::FieldLookup answers() const;
    // "Configure <name> communication protocol details.", the party standing in for an empty name.
    QString subtitleFor(const QString &name) const;
    // Refills the interface list from the topology and selects the side the IP-PBX is not on.
    void restoreInterface();
    // Creates the NAT row; the page places m_natLabel and m_nat, and keeps the entry read-only (a
    // template that names the field enables it).
    void addNatRow(const QString &field, bool templateControlled);
    // Marks each row's target with its message (valid rows are cleared); true when all are valid.
    bool showMarks(const SipRules::Marks &marks) const;
    // What a batch says of the first row in error; empty when every row in use is valid.
    QString refusal(const SipRules::Marks &marks) const;
    // A numeric entry that takes ASCII digits from low to high.
    QLineEdit *numberEdit(int low, int high, const QString &toolTip);
    // Selects the entry of list whose code (codes, in the list's order) the field edit holds, blanks
    // around it aside, and writes that code back. A text that names no entry: when it was loaded
    // into the field called name, it stays there and is rejected with its row (marked until the user
    // picks an entry; a batch stops on it); otherwise the field takes the code of the entry shown.
    // True unless rejected. A list the configuration does not use (used false) only shows the entry
    // the field names, if any: its field keeps its text as given.
    bool restoreChoice(QComboBox *list, QWidget *row, QLineEdit *edit, const QString &name,
        const QStringList &codes, bool used = true);
    // The same for a check box over the codes "0" (unticked) and "1" (ticked); a rejected value
    // leaves the box unticked. Writes nothing back.
    bool restoreCheck(QCheckBox *box, QLineEdit *edit, const QString &name);
    // Sets the tab order of widgets to the order given.
    static void chainTabOrder(std::initializer_list<QWidget *> widgets);

    const QString m_prefix;
    const QString m_party;
    QLabel *m_interfaceLabel;
    QComboBox *m_interface;
    QLabel *m_spacer; // eighteen blanks after the interface list
    QLineEdit *m_networkField;
    QLineEdit *m_ifField;
    QLabel *m_natLabel = nullptr;
    QLineEdit *m_nat = nullptr;
    // What a row mark colours, by the row's field.
    QHash<QString, QWidget *> m_markTargets;
    // Survey rows: label, field, comment.
    QVector<std::array<const char *, 3>> m_surveyRows;
    LoadedChoices m_loadedChoices;

protected slots:
    void interfaceChanged(int index);
    // The user picked an entry of the sending list or box: a rejected loaded value is gone.
    void choicePicked();
};
