#include "device/UploadDialog.h"

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QTextBrowser>

QString UploadDialog::s_userName = QStringLiteral("Kestr");
QString UploadDialog::s_password = QStringLiteral("Kestr");

UploadDialog::UploadDialog(const QString &address, const QString &newAddress, const QString &version,
    const QString &product, bool https, QWidget *parent)
    : DeviceDialog(tr("Load to Device"),
        QStringLiteral("<b>Load generated configuration file<br />to the SBC device.</b><br />"),
        QStringLiteral(":/images/download.png"), QStringLiteral("Send"), address, s_userName, s_password, parent)
    , m_session(this, newAddress, version, product, https)
{
    statusView()->setOpenExternalLinks(true);
    finishLayout(4);
    connect(m_buttons, SIGNAL(accepted()), this, SLOT(upload()));
    connect(this, SIGNAL(finished(int)), this, SLOT(onFinished()));
}

void UploadDialog::upload()
{
    setInputsEnabled(false);
    s_userName = userName();
    s_password = password();
    m_session.upload();
}

void UploadDialog::onFinished()
{
    m_session.stop();
}
