#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// The fields the conclusion page derives from the answers before it generates the configuration.
// Every rule reads the answers through a lookup (field name to its text), so it runs without widgets.
class ConclusionRules
{
public:
    using FieldLookup = std::function<QString(const QString &)>;

    struct Result {
        QString certificate; // "1" when any party uses TLS, else "0"
        QString certificateReason; // the parties that use TLS, joined for a sentence
        QString mediaSecurity; // "1" when any media is SRTP, else "0"
    };

    static Result evaluate(const FieldLookup &field);

    // Names of the parties that use TLS for the application index, in the order they are reported.
    static QStringList tlsParties(int application, const FieldLookup &field);
    // "a", "a and b", "a, b and c"; empty names are left out.
    static QString joinNames(const QStringList &names);
    static bool mediaSecured(int application, const FieldLookup &field);
};
