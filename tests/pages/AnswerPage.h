#pragma once

// Shared by the conclusion and finish page tests: stands in for the pages whose answers they read.

#include "pages/BrambleonPage.h"

#include <QHash>
#include <QLineEdit>

class AnswerPage : public BrambleonPage
{
public:
    // Registers the field on first use, then sets its text.
    void set(const QString &name, const QString &text)
    {
        if (!edits.contains(name)) {
            edits.insert(name, hiddenEdit());
            registerField(name, edits.value(name));
        }
        edits.value(name)->setText(text);
    }

    // A field the wizard knows and the WizardData registry does not, as the pages' combo-box indexes.
    void registerWithWizardOnly(const QString &name, QWidget *widget) { QWizardPage::registerField(name, widget); }

    QHash<QString, QLineEdit *> edits;
};
