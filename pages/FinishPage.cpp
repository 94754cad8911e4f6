#include "pages/FinishPage.h"

#include "data/SafeFileWriter.h"
#include "data/WarningBox.h"
#include "data/WizardData.h"
#include "device/UploadDialog.h"
#include "pages/FinishNotes.h"
#include "pages/WizardAnswers.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFontMetrics>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace
{
QLabel *wrappedLabel(QWidget *parent, const QString &text = QString())
{
    auto *label = new QLabel(text, parent);
    label->setWordWrap(true);
    return label;
}

void fitToText(QPushButton *button)
{
    const QString padded = QStringLiteral("___") + button->text() + QStringLiteral("___");
    button->setMaximumWidth(QFontMetrics(QApplication::font()).horizontalAdvance(padded));
}
} // namespace

FinishPage::FinishPage(QWidget *parent)
    : BrambleonPage(parent)
{
    step = 15;
    nextPage = 16;
    setTitle(tr("Congratulations!"));

    m_introLabel = wrappedLabel(this);
    m_notesLabel = wrappedLabel(this);
    m_closingLabel = wrappedLabel(this, FinishNotes::closingText());
    m_templateNotesLabel = wrappedLabel(this);
    m_saveButton = new QPushButton(QStringLiteral("Save File"), this);
    m_loadButton = new QPushButton(QStringLiteral("Load to Device"), this);
    fitToText(m_saveButton);
    fitToText(m_loadButton);

    auto *layout = new QGridLayout(this);
    layout->addWidget(m_introLabel, 0, 0, 1, 4);
    layout->addWidget(m_notesLabel, 1, 0, 1, 4);
    layout->addWidget(m_closingLabel, 2, 0, 1, 4);
    layout->addWidget(m_templateNotesLabel, 3, 0, 1, 4);
    layout->addWidget(m_saveButton, 4, 0);
    layout->addWidget(m_loadButton, 4, 1);

    connect(m_saveButton, SIGNAL(clicked()), this, SLOT(saveFile()));
    connect(m_loadButton, SIGNAL(clicked()), this, SLOT(sendToDevice()));
}

void FinishPage::initializePage()
{
    const bool krbx = isKrbx();
    m_introLabel->setText(FinishNotes::introText(krbx));
    const QString notes = FinishNotes::notesText(krbx, WizardAnswers::lookup(wizard()));
    m_notesLabel->setText(QStringLiteral("<p style=\"color:DarkRed\">") + notes + QStringLiteral("</p>"));
    m_templateNotesLabel->setText(QStringLiteral("<p style=\"color:DarkBlue\">")
        + WizardData::instance()->templateNotes + QStringLiteral("</p>"));
    m_loadButton->setVisible(!krbx);
}

void FinishPage::cleanupPage() { }

bool FinishPage::isComplete() const
{
    return m_complete;
}

int FinishPage::nextId() const
{
    return -1;
}

QString FinishPage::notesText() const
{
    return m_introLabel->text() + QLatin1Char('\n') + m_notesLabel->text() + QLatin1Char('\n')
        + m_closingLabel->text() + QLatin1Char('\n') + m_templateNotesLabel->text();
}

bool FinishPage::writeConfigFile(const QString &path)
{
    WizardData *data = WizardData::instance();
    return isKrbx() ? data->writeCliFile(path, notesText()) : data->writeIniFile(path, notesText());
}

QString FinishPage::iniCopyPath() const
{
    const QString name = FinishNotes::copyFileName(
        WizardAnswers::text(wizard(), QStringLiteral("NET1_IP")), WizardData::instance()->iniFileVersion);
    return QDir(FinishNotes::copyFolder()).filePath(name);
}

bool FinishPage::saveIniCopy()
{
    QDir().mkpath(FinishNotes::copyFolder());
    // The copy only helps a later run restore the answers; the user's own file is what counts.
    const bool written = WizardData::instance()->writeIniFile(iniCopyPath(), QString());
    if (!written)
        WarningBox::show(this, QStringLiteral("Warning"), SafeFileWriter::failureText(iniCopyPath()));
    m_complete = true;
    emit completeChanged();
    return written;
}

void FinishPage::warnUnwritable(const QString &path)
{
    WarningBox::show(this, QStringLiteral("Warning"), SafeFileWriter::failureText(path));
}

bool FinishPage::saveToPath(const QString &path)
{
    if (!writeConfigFile(path)) {
        warnUnwritable(path);
        return false;
    }
    saveIniCopy();
    return true;
}

void FinishPage::saveFile()
{
    const bool krbx = isKrbx();
    const QString name = QFileDialog::getSaveFileName(this, tr("Save Configuration File"),
        krbx ? QStringLiteral("cli.txt") : QStringLiteral("config.ini"),
        krbx ? QStringLiteral("Text files (*.txt)") : QStringLiteral("INI files (*.ini)"));
    if (!name.isEmpty())
        saveToPath(name);
}

void FinishPage::sendToDevice()
{
    const auto field = WizardAnswers::lookup(wizard());
    const QString newAddress = FinishNotes::newDeviceAddress(field);
    UploadDialog dialog(FinishNotes::uploadAddress(WizardData::instance()->deviceAddress, isCce(), newAddress),
        newAddress, field(QStringLiteral("VERSION")), field(QStringLiteral("PRODUCT")),
        field(QStringLiteral("WEB")) == QLatin1String("1"));
    dialog.exec();
    if (dialog.success())
        saveIniCopy();
}
