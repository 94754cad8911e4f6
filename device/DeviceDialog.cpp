#include "device/DeviceDialog.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegExpValidator>
#include <QTextBrowser>

namespace
{
QLineEdit *inputEdit(const QString &text, const QString &pattern, const QString &toolTip, QWidget *parent)
{
    auto *edit = new QLineEdit(text, parent);
    edit->setValidator(new QRegExpValidator(QRegExp(pattern, Qt::CaseSensitive), edit));
    edit->setToolTip(toolTip);
    return edit;
}

QLabel *buddyLabel(const QString &text, QWidget *buddy, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}
} // namespace

DeviceDialog::DeviceDialog(const QString &title, const QString &header, const QString &picture,
    const QString &acceptText, const QString &address, const QString &userName, const QString &password,
    QWidget *parent)
    : QDialog(parent,
        Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint
            | Qt::MSWindowsFixedSizeDialogHint)
{
    setWindowTitle(title);
    auto *headerLabel = new QLabel(header, this);
    auto *pictureLabel = new QLabel(this);
    pictureLabel->setPixmap(QPixmap(picture));
    pictureLabel->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    m_statusGroup = new QGroupBox(QStringLiteral("Status"), this);
    m_status = new QTextBrowser(m_statusGroup);
    const QFontMetrics metrics(QApplication::font());
    m_status->setMaximumHeight(metrics.height() * 6);
    // Wide enough for the longest status line, so the lines of the road read one per row.
    QFont italic = QApplication::font();
    italic.setItalic(true);
    m_status->setMinimumWidth(QFontMetrics(italic).horizontalAdvance(
                                  QStringLiteral("waiting for device to come up (this may take up to 5 minutes)"))
        + 4 * metrics.height());
    auto *statusLayout = new QHBoxLayout(m_statusGroup);
    statusLayout->addWidget(m_status);

    m_address = inputEdit(
        address, QStringLiteral("^\\d+\\.\\d+\\.\\d+\\.\\d+$"), QStringLiteral("IP address of the SBC"), this);
    m_userName
        = inputEdit(userName, QStringLiteral("^.{1,64}$"), QStringLiteral("WEB interface login username"), this);
    m_password
        = inputEdit(password, QStringLiteral("^.{1,64}$"), QStringLiteral("WEB interface login password"), this);

    m_buttons = new QDialogButtonBox(this);
    m_accept = m_buttons->addButton(acceptText, QDialogButtonBox::AcceptRole);
    m_cancel = m_buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    connect(m_buttons, SIGNAL(rejected()), this, SLOT(reject()));
    for (QLineEdit *edit : {m_address, m_userName, m_password})
        connect(edit, SIGNAL(textChanged(QString)), this, SLOT(completeChanged()));

    m_layout = new QGridLayout(this);
    m_layout->addWidget(pictureLabel, 0, 0, 3, 1);
    m_layout->addWidget(headerLabel, 0, 1, 1, 2);
    m_layout->addWidget(buddyLabel(QStringLiteral("IP Address:"), m_address, this), 1, 1);
    m_layout->addWidget(m_address, 1, 2);
    m_layout->addWidget(buddyLabel(QStringLiteral("Username:"), m_userName, this), 2, 1);
    m_layout->addWidget(m_userName, 2, 2);
    m_layout->addWidget(buddyLabel(QStringLiteral("Password:"), m_password, this), 3, 1);
    m_layout->addWidget(m_password, 3, 2);
    // Fixed size on every platform, not only where the window hint is honoured.
    m_layout->setSizeConstraint(QLayout::SetFixedSize);
}

void DeviceDialog::finishLayout(int statusRow)
{
    m_layout->addWidget(m_statusGroup, statusRow, 0, 1, 3);
    m_layout->addWidget(m_buttons, statusRow + 1, 2);
}

QString DeviceDialog::address() const
{
    return m_address->text();
}

QString DeviceDialog::userName() const
{
    return m_userName->text();
}

QString DeviceDialog::password() const
{
    return m_password->text();
}

void DeviceDialog::setAddress(const QString &address)
{
    m_address->setText(address);
}

void DeviceDialog::appendStatus(const QString &html)
{
    m_status->append(html);
}

void DeviceDialog::setInputsEnabled(bool enabled)
{
    for (QWidget *widget : {static_cast<QWidget *>(m_address), static_cast<QWidget *>(m_userName),
             static_cast<QWidget *>(m_password), static_cast<QWidget *>(m_accept)})
        widget->setEnabled(enabled);
}

void DeviceDialog::showDone()
{
    m_cancel->setText(QStringLiteral("Close"));
}

void DeviceDialog::completeChanged()
{
    // Not while a conversation holds the inputs: the upload moving to the device's new address
    // changes the address text, and a second Send then would start a second conversation.
    m_accept->setEnabled(m_address->isEnabled() && m_address->hasAcceptableInput() && !m_userName->text().isEmpty()
        && !m_password->text().isEmpty());
}
