#include "pages/ConclusionRules.h"

namespace
{
bool reads(const ConclusionRules::FieldLookup &field, const QString &name, int number)
{
    return field(name).toInt() == number;
}

bool usesTls(const ConclusionRules::FieldLookup &field, const QString &transportField)
{
    return reads(field, transportField, 2);
}

// Remote users beside the trunk count only where the template offers them and they are on: a file may
// carry an answer of theirs from another template.
bool remoteUsersOn(const ConclusionRules::FieldLookup &field)
{
    return reads(field, QStringLiteral("FEU_SUPPORTED"), 1) && reads(field, QStringLiteral("FEU_ENABLE"), 1);
}

void addTrunkPartyTls(const ConclusionRules::FieldLookup &field, QStringList &names)
{
    if (usesTls(field, QStringLiteral("SIP1_TRANSPORT_TYPE")))
        names << QStringLiteral("IP-PBX");
    if (usesTls(field, QStringLiteral("SIP2_TRANSPORT_TYPE")))
        names << QStringLiteral("SIP Trunk");
    if (reads(field, QStringLiteral("SIP3_ENABLE"), 1) && usesTls(field, QStringLiteral("SIP3_TRANSPORT_TYPE")))
        names << QStringLiteral("IP-PBX2");
    if (remoteUsersOn(field) && usesTls(field, QStringLiteral("FEU_TRANSPORT_TYPE")))
        names << QStringLiteral("Remote Users");
}

void addNormalizationTls(const ConclusionRules::FieldLookup &field, QStringList &names)
{
    if (usesTls(field, QStringLiteral("SIP1_TRANSPORT_TYPE")))
        names << QStringLiteral("IP-PBX");
    if (usesTls(field, QStringLiteral("SIP2_TRANSPORT_TYPE")))
        names << QStringLiteral("IP-PBX2");
}
} // namespace

QStringList ConclusionRules::tlsParties(int application, const FieldLookup &field)
{
    QStringList names;
    switch (application) {
    case 0:
        addTrunkPartyTls(field, names);
        break;
    case 1:
        addNormalizationTls(field, names);
        break;
    case 2:
        if (usesTls(field, QStringLiteral("SIP1_TRANSPORT_TYPE")))
            names << QStringLiteral("IP-PBX");
        if (usesTls(field, QStringLiteral("USER_TRANSPORT_TYPE")))
            names << QStringLiteral("Users");
        break;
    case 3:
        // The IP-PBX of SIP1 is not a remote-user party.
        if (reads(field, QStringLiteral("SIP3_ENABLE"), 1)
            && usesTls(field, QStringLiteral("SIP3_TRANSPORT_TYPE")))
            names << QStringLiteral("IP-PBX2");
        // WebRTC (3) runs over secure WebSocket on the TLS port: it needs the certificate too.
        for (int n = 1; n <= 3; ++n) {
            const QString transport = QStringLiteral("REMOTE_USER%1_TRANSPORT_TYPE").arg(n);
            if (reads(field, QStringLiteral("REMOTE_USER%1_ENABLE").arg(n), 1)
                && (usesTls(field, transport) || reads(field, transport, 3)))
                names << field(QStringLiteral("REMOTE_USER%1_LABEL").arg(n));
        }
        if (reads(field, QStringLiteral("SIP2_ENABLE"), 1)
            && usesTls(field, QStringLiteral("SIP2_TRANSPORT_TYPE")))
            names << QStringLiteral("SIP Trunk");
        break;
    case 5: {
        const int interop = field(QStringLiteral("CCE_INTEROP")).toInt();
        if (interop == 0)
            addTrunkPartyTls(field, names);
        else if (interop == 1)
            addNormalizationTls(field, names);
        break;
    }
    default:
        break;
    }
    return names;
}

QString ConclusionRules::joinNames(const QStringList &names)
{
    QStringList named = names;
    named.removeAll(QString());
    QString text;
    for (int i = 0; i < named.size(); ++i) {
        if (!text.isEmpty())
            text += i == named.size() - 1 ? QStringLiteral(" and ") : QStringLiteral(", ");
        text += named.at(i);
    }
    return text;
}

bool ConclusionRules::mediaSecured(int application, const FieldLookup &field)
{
    auto srtp = [&field](const QString &name) { return reads(field, name, 1); };
    // A gateway that faces a SIP trunk has no IP-PBX: its VoIP side is the trunk.
    const bool trunkSide = application == 4 && reads(field, QStringLiteral("GATEWAY_INTEROP"), 2);
    bool secured = srtp(trunkSide ? QStringLiteral("SIP2_MEDIA_PROTOCOL") : QStringLiteral("SIP1_MEDIA_PROTOCOL"));
    switch (application) {
    case 0:
    case 1:
    case 5:
        secured = secured || srtp(QStringLiteral("SIP2_MEDIA_PROTOCOL"));
        break;
    case 2:
        secured = secured || srtp(QStringLiteral("USER_MEDIA_PROTOCOL"));
        break;
    case 3:
        for (int n = 1; n <= 3; ++n) {
            secured = secured
                || (srtp(QStringLiteral("REMOTE_USER%1_ENABLE").arg(n))
                    && srtp(QStringLiteral("REMOTE_USER%1_MEDIA_PROTOCOL").arg(n)));
        }
        break;
    default:
        break;
    }
    secured = secured || (srtp(QStringLiteral("SIP3_ENABLE")) && srtp(QStringLiteral("SIP3_MEDIA_PROTOCOL")));
    secured = secured || (remoteUsersOn(field) && srtp(QStringLiteral("FEU_MEDIA_PROTOCOL")));
    return secured;
}

ConclusionRules::Result ConclusionRules::evaluate(const FieldLookup &field)
{
    const int application = field(QStringLiteral("APPLICATION_SELECTED")).toInt();
    const QStringList parties = tlsParties(application, field);
    Result result;
    // A party counts even when its name (a remote-user label) is empty.
    result.certificate = parties.isEmpty() ? QStringLiteral("0") : QStringLiteral("1");
    result.certificateReason = joinNames(parties);
    result.mediaSecurity = mediaSecured(application, field) ? QStringLiteral("1") : QStringLiteral("0");
    return result;
}
