#pragma once

#include "pages/BrambleonPage.h"

class QLabel;
class QPushButton;

// Tells the user what to do with the configuration and saves it, or hands it to the device.
// Finish stays disabled until a save or a device load succeeded.
class FinishPage : public BrambleonPage
{
    Q_OBJECT
public:
    explicit FinishPage(QWidget *parent = nullptr);

    void initializePage() override;
    void cleanupPage() override;
    bool isComplete() const override;
    int nextId() const override;

    // Writes the configuration (CLI script for the router line, INI otherwise) with the page's notes;
    // false when the file could not be written.
    bool writeConfigFile(const QString &path);
    // Writes the configuration and the automatic copy; a file that cannot be written is reported
    // with a warning and leaves the page as it was.
    bool saveToPath(const QString &path);
    // The warning for a configuration file that could not be written.
    void warnUnwritable(const QString &path);
    // Writes the automatic INI copy into the data directory (a warning says when it fails) and marks the
    // page complete.
    bool saveIniCopy();
    // Where saveIniCopy writes for the current answers.
    QString iniCopyPath() const;

    QPushButton *saveButton() const { return m_saveButton; }
    QPushButton *loadButton() const { return m_loadButton; }
    QString notesText() const;

public slots:
    void saveFile();
    void sendToDevice();

private:
    QLabel *m_introLabel = nullptr;
    QLabel *m_notesLabel = nullptr;
    QLabel *m_closingLabel = nullptr;
    QLabel *m_templateNotesLabel = nullptr;
    QPushButton *m_saveButton = nullptr;
    QPushButton *m_loadButton = nullptr;
    bool m_complete = false;
};
