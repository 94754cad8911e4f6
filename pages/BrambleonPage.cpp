#include "pages/BrambleonPage.h"

#include "data/RowName.h"
#include "data/WizardData.h"
#include "pages/FieldError.h"
#include "pages/LoadedChoices.h"
#include "pages/SurveyWriter.h"
#include "pages/WizardAnswers.h"

#include <QLabel>
#include <QLineEdit>
#include <QTextStream>

int BrambleonPage::stepCount = 8;

BrambleonPage::BrambleonPage(QWidget *parent)
    : QWizardPage(parent)
{
}

void BrambleonPage::writeSurvey(QTextStream &) { }

void BrambleonPage::showEvent(QShowEvent *event)
{
    // The wizard shows a page after entering it; going Back shows it as the installer left it.
    m_showsAnswers = true;
    QWizardPage::showEvent(event);
}

void BrambleonPage::fieldEdited()
{
    // On screen, a field changes with its widgets; off screen, under them.
    if (!isVisible())
        m_showsAnswers = false;
}

void BrambleonPage::commitForSurvey(bool enter)
{
    if (!m_showsAnswers)
        return;
    if (enter)
        initializePage();
    nextId();
    // Its own commit leaves the widgets and the fields agreeing.
    m_showsAnswers = true;
}

QString BrambleonPage::surveyTitle() const
{
    return QStringLiteral("undefined");
}

QString BrambleonPage::surveyFieldName(const QString &) const
{
    return QString();
}

void BrambleonPage::writeSurveyLine(QTextStream &out, const QString &label, const QString &comment)
{
    const QString name = surveyFieldName(label);
    if (name.isEmpty()) {
        out << label << ",ERROR" << Qt::endl;
        return;
    }
    writeSurveyValue(out, label, field(name).toString(), comment);
}

void BrambleonPage::writeSurveyValue(
    QTextStream &out, const QString &label, const QString &value, const QString &comment)
{
    out << SurveyWriter::row(label, value, comment) << Qt::endl;
}

void BrambleonPage::writeSurveyHeader(QTextStream &out, const QString &title)
{
    out << Qt::endl << title << Qt::endl << QStringLiteral("-------------------") << Qt::endl;
}

QString BrambleonPage::unseenRefusal(bool loadedOnly) const
{
    const bool complete = isComplete();
    bool seen = false;
    QStringList unseen;
    for (const QWidget *row : findChildren<QWidget *>()) {
        if (!isMarked(row))
            continue;
        // A page's own marks on a row it hides may be left from an earlier state; a loaded refusal's not.
        const QString refusal = LoadedChoices::refusalOn(row);
        if (answerable(row, this))
            seen = true;
        else if (!refusal.isEmpty())
            unseen << refusal;
    }
    if (unseen.isEmpty() && (complete || seen || loadedOnly))
        return QString();
    // Named as a batch names it where the batch's first refusal is one of them.
    const QString refusal = batchRefusal();
    if (unseen.isEmpty() || unseen.contains(refusal))
        return refusal.isEmpty() ? QStringLiteral("Can't continue to the next page") : refusal;
    return unseen.first();
}

QString BrambleonPage::batchRefusal() const
{
    return QString();
}

bool BrambleonPage::isKrbx() const
{
    return field(QStringLiteral("KRBX")).toInt() == 1;
}

bool BrambleonPage::isCce() const
{
    return field(QStringLiteral("CCE")).toInt() == 1;
}

QString BrambleonPage::stepTitle(const QString &title) const
{
    return QStringLiteral("%1  (Step %2 of %3)").arg(title).arg(step).arg(stepCount);
}

void BrambleonPage::registerField(const QString &name, QLineEdit *lineEdit, bool templateControlled,
    bool presetFromTemplate, const QString &companionField, FieldInfo::Choice choice)
{
    WizardData::instance()->addField(
        name, lineEdit, templateControlled, presetFromTemplate, companionField, choice);
    QWizardPage::registerField(name, lineEdit);
    connect(lineEdit, SIGNAL(textChanged(QString)), this, SLOT(fieldEdited()));
}

QLineEdit *BrambleonPage::hiddenEdit(const QString &text)
{
    auto *edit = new QLineEdit(text, this);
    edit->hide();
    return edit;
}

void BrambleonPage::showFieldBy(const QString &field, QWidget *row)
{
    if (QLineEdit *holder = WizardData::instance()->fields.value(field).lineEdit)
        setShownBy(holder, row);
}

QLineEdit *BrambleonPage::nameEdit(QWidget *section)
{
    QLineEdit *edit = hiddenEdit();
    setRowName(edit, QStringLiteral("Name"), section);
    return edit;
}

void BrambleonPage::registerSipPorts(const QString &prefix, bool withInterface, const QString &localPort)
{
    registerSipPorts(prefix, withInterface, hiddenEdit(localPort));
}

QLineEdit *BrambleonPage::registerSipPorts(const QString &prefix, bool withInterface, QLineEdit *localPort)
{
    const QString port = prefix + QStringLiteral("_LOCAL_PORT");
    QLineEdit *transport = hiddenEdit(QStringLiteral("0"));
    registerField(
        prefix + QStringLiteral("_TRANSPORT_TYPE"), transport, true, true, QString(), FieldInfo::ListEntry);
    registerField(port, localPort, true, true);
    for (const char *slot : {"_UDP_LOCAL_PORT", "_TCP_LOCAL_PORT", "_TLS_LOCAL_PORT"})
        registerField(prefix + QLatin1String(slot), hiddenEdit(), false, false, port);
    if (withInterface)
        registerField(prefix + QStringLiteral("_INTERFACE"), hiddenEdit());
    return transport;
}

QString BrambleonPage::answer(const QString &name)
{
    return WizardData::instance()->fieldText(name);
}

int BrambleonPage::selected(const QString &name) const
{
    return WizardAnswers::text(wizard(), name).toInt();
}

QString BrambleonPage::comingAnswer(const QString &name)
{
    const QString loaded = LoadedChoices::value(name);
    return loaded.isNull() ? answer(name) : loaded;
}

int BrambleonPage::comingApplication() const
{
    const int index = WizardData::applicationIndex(LoadedChoices::value(QStringLiteral("APPLICATION")));
    return index >= 0 ? index : selected(QStringLiteral("APPLICATION_SELECTED"));
}

QLabel *BrambleonPage::rowLabel(const QString &text, QWidget *buddy, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}
