#pragma once

#include "pages/BrambleonPage.h"

class IniHighlighter;
class QLineEdit;
class QRadioButton;
class QTextEdit;

// Derives the certificate and media-security fields, generates the configuration on every entry and
// shows either the page summaries or the generated file.
class ConclusionPage : public BrambleonPage
{
    Q_OBJECT
public:
    explicit ConclusionPage(QWidget *parent = nullptr);

    void initializePage() override;
    void cleanupPage() override;
    bool validatePage() override;
    bool isComplete() const override;
    int nextId() const override;
    QString batchRefusal() const override;

    QTextEdit *textView() const { return m_view; }
    QRadioButton *summaryButton() const { return m_summaryButton; }
    QRadioButton *fileButton() const { return m_fileButton; }

public slots:
    void updateTextEdit();

private:
    QTextEdit *m_view = nullptr;
    QRadioButton *m_summaryButton = nullptr;
    QRadioButton *m_fileButton = nullptr;
    QLineEdit *m_certificate = nullptr;
    QLineEdit *m_mediaSecurity = nullptr;
    QLineEdit *m_certificateReason = nullptr;
    IniHighlighter *m_highlighter = nullptr;
    QString m_error; // shown instead of the configuration when it could not be generated
};
