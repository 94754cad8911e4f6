#include "pages/SetupPage.h"

#include "data/WizardData.h"
#include "pages/SurveyWriter.h"

#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QTextStream>
#include <QVBoxLayout>

SetupPage::SetupPage(QWidget *parent)
    : BrambleonPage(parent)
{
    step = 2;
    nextPage = 3;
    setTitle(QStringLiteral("General Setup"));
    m_application = new QComboBox(this);
    m_application->addItems({QStringLiteral("SIP Trunk (IP-PBX with SIP Trunk)"),
        QStringLiteral("SIP Normalization (two IP-PBX's)"), QStringLiteral("Hosted IP-PBX (IP-PBX with Users)"),
        QStringLiteral("Remote Users (IP-PBX with remote Users)")});
    m_equipment = new QComboBox(this);
    m_equipment->addItems({QStringLiteral("SIP Trunk"), QStringLiteral("IP-PBX")});
    m_equipment->hide();
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_application);

    QWizardPage::registerField(QStringLiteral("APPLICATION_SELECTED"), m_application);
    QWizardPage::registerField(QStringLiteral("EQUIPMENT_SELECTED"), m_equipment);
    registerField(QStringLiteral("APPLICATION"), hiddenEdit(QStringLiteral("ITSP")));
    registerField(QStringLiteral("TEMPLATE"), hiddenEdit());
    registerField(QStringLiteral("NETWORK"), hiddenEdit(QStringLiteral("LAN_WAN")));
    registerField(QStringLiteral("NETWORKS_NUMBER"), hiddenEdit(QStringLiteral("2")));
    registerField(QStringLiteral("PBX"), hiddenEdit());
    registerField(QStringLiteral("ITSP"), hiddenEdit());
    registerField(QStringLiteral("GATEWAY_INTEROP"), hiddenEdit());
    registerField(QStringLiteral("CCE_INTEROP"), hiddenEdit());
    registerField(QStringLiteral("GENERATE_TEMPLATE"), hiddenEdit(QStringLiteral("1")));
    registerField(QStringLiteral("NAT_ENABLE"), hiddenEdit(QStringLiteral("0")));
    registerField(QStringLiteral("NAT_IF"), hiddenEdit(QStringLiteral("LAN_IF")));
    registerField(QStringLiteral("NAT_IP"), hiddenEdit(QStringLiteral("192.168.0.1")));
}

void SetupPage::initializePage()
{
    setTitle(stepTitle(QStringLiteral("General Setup")));
}

void SetupPage::cleanupPage() { }

int SetupPage::nextId() const
{
    WizardData *data = WizardData::instance();
    data->setFieldText(QStringLiteral("APPLICATION"), WizardData::applicationCode(m_application->currentIndex()));
    return nextPage;
}

void SetupPage::writeSurvey(QTextStream &out)
{
    nextId();
    writeSurveyHeader(out, surveyTitle());
    writeSurveyLine(out, QStringLiteral("Application"));
    if (m_application->currentIndex() == 0) {
        writeSurveyLine(out, QStringLiteral("IP-PBX"));
        writeSurveyLine(out, QStringLiteral("SIP Trunk"));
    } else {
        writeSurveyLine(out, QStringLiteral("Template"));
    }
    writeSurveyLine(out, QStringLiteral("Network Setup"));
}

QString SetupPage::surveyTitle() const
{
    return QStringLiteral("General Setup");
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

void SetupPage::generateSurvey()
{
    const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Save Site Survey"),
        QStringLiteral("survey.csv"), QStringLiteral("CSV files (*.csv)"));
    if (!path.isEmpty())
        SurveyWriter::writeFile(wizard(), path);
}
