#include "pages/UserSidePage.h"

#include "data/LoadedText.h"
#include "data/WizardData.h"
#include "pages/EntryWidgets.h"
#include "pages/FieldError.h"
#include "pages/SipServerForm.h"
#include "pages/WizardAnswers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTextStream>

UserSidePage::UserSidePage(const QString &prefix, const QString &party, QWidget *parent)
    : BrambleonPage(parent)
    , m_prefix(prefix)
    , m_party(party)
{
    m_interface = new QComboBox(this);
    m_interface->setObjectName(QStringLiteral("interface"));
    m_interface->addItems({QStringLiteral("LAN"), QStringLiteral("WAN")});
    m_interface->setToolTip(QStringLiteral("Network interface used to communicate with ") + party);
    m_interface->setFixedWidth(SipServerForm::textWidth(QStringLiteral("Ethernet    ")));
    m_interfaceLabel = rowLabel(QStringLiteral("Network Interface:"), m_interface, this);
    m_interfaceLabel->setFixedWidth(SipServerForm::textWidth(QStringLiteral("Network Interface:    ")));
    m_spacer = new QLabel(QString(18, QLatin1Char(' ')), this);
    m_networkField = hiddenEdit(QStringLiteral("1"));
    m_ifField = hiddenEdit(QStringLiteral("LAN_IF"));
    registerField(prefix + QStringLiteral("_NETWORK"), m_networkField, true);
    registerField(prefix + QStringLiteral("_IF"), m_ifField, true);
    connect(m_interface, SIGNAL(currentIndexChanged(int)), this, SLOT(interfaceChanged(int)));
}

void UserSidePage::cleanupPage() { }

void UserSidePage::addNatRow(const QString &field, bool templateControlled)
{
    m_nat = EntryWidgets::addressEdit(
        QStringLiteral("Public IP (of enterprise router) used when communicating with ") + m_party, this);
    m_nat->setObjectName(QStringLiteral("nat"));
    m_nat->setEnabled(false);
    m_natLabel = rowLabel(QStringLiteral("                NAT Public IP:"), m_nat, this);
    registerField(field, m_nat, templateControlled);
    connect(m_nat, SIGNAL(textChanged(QString)), this, SIGNAL(completeChanged()));
}

// The registry's fields, and the wizard's own list positions (the *_SELECTED fields); a page that is
// not on the route, or not built, reads as empty without a warning.
QString UserSidePage::answer(const QString &name) const
{
    if (!name.endsWith(QLatin1String("_SELECTED")))
        return BrambleonPage::answer(name);
    return WizardAnswers::text(wizard(), name);
}

SipRules::FieldLookup UserSidePage::answers() const
{
    return [this](const QString &name) { return answer(name); };
}

QString UserSidePage::subtitleFor(const QString &name) const
{
    return QStringLiteral("Configure %1 communication protocol details.").arg(name.isEmpty() ? m_party : name);
}

void UserSidePage::restoreInterface()
{
    const QString network = answer(QStringLiteral("NETWORK"));
    {
        // The transient empty list would write a meaningless interface.
        const QSignalBlocker blocker(m_interface);
        m_interface->clear();
        m_interface->addItems(SipRules::topologyInterfaces(network));
        m_interface->setCurrentIndex(SipRules::usersInterface(network, answer(QStringLiteral("SIP1_NETWORK"))));
    }
    m_interface->setEnabled(false);
    interfaceChanged(m_interface->currentIndex());
}

void UserSidePage::interfaceChanged(int index)
{
    m_networkField->setText(QString::number(index + 1));
    m_ifField->setText(SipRules::interfaceName(m_interface->currentText(), isKrbx(),
        answer(QStringLiteral("NET1_IF")), answer(QStringLiteral("NET2_IF"))));
}

bool UserSidePage::showMarks(const SipRules::Marks &marks) const
{
    for (const auto &mark : marks)
        markFieldError(m_markTargets.value(mark.first), !mark.second.isEmpty(), mark.second);
    const bool loaded = m_loadedChoices.markRows();
    return SipRules::passes(marks) && loaded;
}

QString UserSidePage::refusal(const SipRules::Marks &marks) const
{
    const QString loaded = m_loadedChoices.refusal();
    return loaded.isEmpty() ? rowsRefusal(marks, m_markTargets) : loaded;
}

bool UserSidePage::restoreChoice(
    QComboBox *list, QWidget *row, QLineEdit *edit, const QString &name, const QStringList &codes, bool used)
{
    const QString text = LoadedText::bare(edit->text());
    const int index = codes.indexOf(text);
    if (index >= 0)
        list->setCurrentIndex(index);
    if (!used)
        return true;
    if (index < 0 && edit->isEnabled() && WizardData::instance()->hasValue(name)) {
        m_loadedChoices.rejectEntry(list, row, name, text);
        return false;
    }
    edit->setText(codes.value(list->currentIndex()));
    return true;
}

bool UserSidePage::restoreCheck(QCheckBox *box, QLineEdit *edit, const QString &name)
{
    if (edit->isEnabled())
        return m_loadedChoices.restoreCheck(box, name, edit->text());
    box->setChecked(LoadedChoices::flag(edit->text()) == LoadedChoices::Flag::Ticked);
    return true;
}

void UserSidePage::chainTabOrder(std::initializer_list<QWidget *> widgets)
{
    QWidget *previous = nullptr;
    for (QWidget *widget : widgets) {
        if (previous)
            setTabOrder(previous, widget);
        previous = widget;
    }
}

void UserSidePage::choicePicked()
{
    m_loadedChoices.forget(sender());
    emit completeChanged();
}

QLineEdit *UserSidePage::numberEdit(int low, int high, const QString &toolTip)
{
    QLineEdit *edit = SipServerForm::numberEdit(this, low, high, toolTip);
    connect(edit, SIGNAL(textChanged(QString)), this, SIGNAL(completeChanged()));
    return edit;
}

void UserSidePage::writeSurvey(QTextStream &out)
{
    commitForSurvey(true);
    writeSurveyHeader(out, surveyTitle());
    for (const auto &row : qAsConst(m_surveyRows))
        writeSurveyLine(out, QLatin1String(row[0]), QLatin1String(row[2]));
}

QString UserSidePage::surveyFieldName(const QString &label) const
{
    for (const auto &row : m_surveyRows) {
        if (label == QLatin1String(row[0]))
            return QLatin1String(row[1]);
    }
    return QString();
}
