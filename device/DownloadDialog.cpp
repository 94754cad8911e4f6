#include "device/DownloadDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>

QString DownloadDialog::s_address;
QString DownloadDialog::s_userName = QStringLiteral("Kestr");
QString DownloadDialog::s_password = QStringLiteral("Kestr");

DownloadDialog::DownloadDialog(QWidget *parent)
    : DeviceDialog(tr("Connect to Device"),
        QStringLiteral("<b>Connect to the SBC device and load <br />configuration from it.</b><br />"),
        QStringLiteral(":/images/upload.png"), QStringLiteral("Connect"), s_address, s_userName, s_password,
        parent)
    , m_usePrevious(new QCheckBox(QStringLiteral("Use previous wizard data"), this))
    , m_session(this)
{
    m_usePrevious->setEnabled(false);
    m_layout->addWidget(m_usePrevious, 4, 2);
    finishLayout(5);
    connect(m_buttons, SIGNAL(accepted()), this, SLOT(download()));
    connect(this, SIGNAL(finished(int)), this, SLOT(onFinished()));
}

void DownloadDialog::download()
{
    setInputsEnabled(false);
    s_address = address();
    s_userName = userName();
    s_password = password();
    m_session.download();
}

void DownloadDialog::showDone()
{
    DeviceDialog::showDone();
    const bool found = !m_session.previousDataFile.isEmpty();
    m_usePrevious->setEnabled(found);
    m_usePrevious->setChecked(found);
}

void DownloadDialog::onFinished()
{
    m_session.stop();
    if (!m_usePrevious->isChecked())
        m_session.previousDataFile.clear();
}
