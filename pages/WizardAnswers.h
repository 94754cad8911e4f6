#pragma once

#include <QString>

#include <functional>

class QWizard;

// Reads answers by name: registry fields through WizardData, the wizard's own fields (the
// combo-box indexes) through the wizard. Registry lookups never warn about a missing field.
class WizardAnswers
{
public:
    static QString text(const QWizard *wizard, const QString &name);
    static std::function<QString(const QString &)> lookup(const QWizard *wizard);
};
