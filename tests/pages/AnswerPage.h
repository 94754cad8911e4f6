#pragma once

// Stands in for the pages whose answers the conclusion and finish pages read.

#include "pages/BrambleonPage.h"

#include <QComboBox>
#include <QHash>
#include <QLineEdit>

class AnswerPage : public BrambleonPage
{
public:
    // APPLICATION_SELECTED is the wizard's own field (a combo-box index), unknown to WizardData, as on
    // the setup page; other names are registered on first use.
    AnswerPage()
    {
        application->addItems({"0", "1", "2", "3", "4", "5"});
        QWizardPage::registerField("APPLICATION_SELECTED", application);
    }

    void set(const QString &name, const QString &text)
    {
        if (name == "APPLICATION_SELECTED")
            return application->setCurrentIndex(text.toInt());
        if (!edits.contains(name)) {
            edits.insert(name, hiddenEdit());
            registerField(name, edits.value(name));
        }
        edits.value(name)->setText(text);
    }

    // "NAME=value" each.
    void set(const QStringList &answers)
    {
        for (const QString &answer : answers)
            set(answer.section('=', 0, 0), answer.section('=', 1));
    }

    QComboBox *application = new QComboBox(this);
    QHash<QString, QLineEdit *> edits;
};
