#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class QLineEdit;

// Evaluates a built-in template, or a composition of built-in parts, as the wizard would for one
// set of answers: every field the template names becomes a field, the template's defines and the
// pages' usual values fill them, the given answers win, the port fix-ups run, and the INI is
// generated. The fields live as long as this object.
class TemplateAnswers
{
public:
    TemplateAnswers() = default;
    TemplateAnswers(const TemplateAnswers &) = delete;
    TemplateAnswers &operator=(const TemplateAnswers &) = delete;
    ~TemplateAnswers();

    // kind: "select" (name is a complete template), "pair" (the generic IP-PBX with the generic
    // SIP trunk), "pbxgw" or "itspgw" (the generic part with the PSTN gateway). answers:
    // NAME=value pairs separated by ";". Returns the INI lines, or nothing when the template
    // cannot be made.
    QStringList generate(const QString &kind, const QString &name, const QString &answers);

    // The application the template declares.
    QString application;
    // The answers as given.
    QHash<QString, QString> given;

private:
    bool make(const QString &kind, const QString &name) const;
    void field(const QString &name, const QString &text);

    std::vector<std::unique_ptr<QLineEdit>> m_edits;
    QStringList m_names;
};
