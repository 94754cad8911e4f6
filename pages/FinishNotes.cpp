#include "pages/FinishNotes.h"

#include "data/IniCopy.h"
#include "data/TemplateEvaluator.h"

QString FinishNotes::introText(bool krbx)
{
    if (krbx) {
        return QStringLiteral(
            "You have successfully completed the Brambleon Assistant.<br><br>Click the &quot;Save File&quot; "
            "button "
            "to save the generated configuration file to a folder on your PC. Load the file to the specific KRBX "
            "device through its CLI interface (Telnet or SSH). Note that generated configuration contains IP "
            "addresses of the specific device and should not be applied to other devices.<br>");
    }
    return QStringLiteral(
        "You have successfully completed the Brambleon Assistant.<br><br>Click the &quot;Save File&quot; button "
        "to "
        "save the generated configuration file to a folder on your PC. Load the file to the specific device "
        "through its Web interface (<b>Device Actions &gt; Load Configuration File</b>). Alternatively, click the "
        "&quot;Load to Device&quot; button to immediately apply configuration. Note that generated configuration "
        "contains IP addresses of the specific device and should not be applied to other devices.<br>");
}

QString FinishNotes::certificateNote(bool krbx, const FieldLookup &answer)
{
    const auto field = [&answer](const QString &name) { return TemplateEvaluator::noteText(answer(name)); };
    if (field(QStringLiteral("CERTIFICATE")).toInt() == 0)
        return QString();
    const QString reason = field(QStringLiteral("CERTIFICATE_REASON"));
    QString text = reason
        + (reason.contains(QLatin1Char(' ')) ? QStringLiteral(" use ") : QStringLiteral(" uses "))
        + QStringLiteral("TLS protocol to communicate with the SBC. Therefore proper certificates must be "
                         "configured on the device. ");
    const QString version = field(QStringLiteral("VERSION"));
    const QString more
        = QStringLiteral(" to complete this task. Refer to the User Manual for more information.<br>");
    if (krbx)
        text += QStringLiteral(
            "Use the <b>configure system > tls 0 > certificate</b> command (in the CLI interface)");
    else if (version.startsWith(QLatin1String("6.")))
        text += QStringLiteral(
            "Use the <b>Configuration &gt; System &gt; Certificates</b> link (in the Web interface)");
    else if (version == QLatin1String("7.0"))
        text += QStringLiteral(
            "Use the <b>Configuration &gt; System &gt; TLS Contexts</b> link (in the Web interface)");
    else
        text += QStringLiteral(
            "Use the <b>SETUP &gt; IP NETWORK &gt; SECURITY &gt; TLS Contexts</b> link (in the Web interface)");
    return text + more;
}

QString FinishNotes::forwardingNote(const FieldLookup &answer)
{
    const auto field = [&answer](const QString &name) { return TemplateEvaluator::noteText(answer(name)); };
    auto ports = [&field](const QString &entity) {
        return QStringLiteral(" to the SBC (SIP port: ") + field(entity + QStringLiteral("_LOCAL_PORT"))
            + QStringLiteral(", media ports: ") + field(entity + QStringLiteral("_MEDIA_START"))
            + QStringLiteral("-") + field(entity + QStringLiteral("_MEDIA_END"));
    };
    const QString prefix = QStringLiteral("Enterprise router must be configured to forward VoIP traffic from ");
    const QString end = QStringLiteral("). <br>");
    const int application = field(QStringLiteral("APPLICATION_SELECTED")).toInt();
    const QString network = field(QStringLiteral("NETWORK"));
    if (!field(QStringLiteral("SIP2_NAT_IP")).isEmpty()) {
        const bool trunk
            = application == 0 || (application == 5 && field(QStringLiteral("CCE_INTEROP")).toInt() == 0);
        const QString address = network == QLatin1String("LAN_WAN") ? field(QStringLiteral("NET2_IP"))
                                                                    : field(QStringLiteral("NET1_IP"));
        return prefix + (trunk ? QStringLiteral("SIP Trunk") : QStringLiteral("IP-PBX2"))
            + ports(QStringLiteral("SIP2")) + QStringLiteral(", destination IP: ") + address + end;
    }
    if (!field(QStringLiteral("SIP1_NAT_IP")).isEmpty()) {
        return prefix + QStringLiteral("IP-PBX") + ports(QStringLiteral("SIP1"))
            + QStringLiteral(", destination IP: ") + field(QStringLiteral("NET1_IP")) + end;
    }
    // A gateway for a SIP trunk has no IP-PBX to forward to.
    const bool noPbx = application == 4 && field(QStringLiteral("GATEWAY_INTEROP")).toInt() == 2;
    if (network == QLatin1String("WAN") && application != 2 && !noPbx) {
        return QStringLiteral("Enterprise router must be configured to forward VoIP traffic from the SBC to ")
            + QStringLiteral("IP-PBX (SIP port: ") + field(QStringLiteral("SIP1_LOCAL_PORT"))
            + QStringLiteral(", media ports: ") + field(QStringLiteral("SIP1_MEDIA_START")) + QStringLiteral("-")
            + field(QStringLiteral("SIP1_MEDIA_END")) + QStringLiteral(", destination IP: ")
            + field(QStringLiteral("SIP1_IP")) + end;
    }
    return QString();
}

QString FinishNotes::notesText(bool krbx, const FieldLookup &field)
{
    QString notes = certificateNote(krbx, field);
    if (!krbx) {
        const QString forwarding = forwardingNote(field);
        if (!forwarding.isEmpty()) {
            if (!notes.isEmpty())
                notes += QStringLiteral("<br>");
            notes += forwarding;
        }
    }
    return notes;
}

QString FinishNotes::closingText()
{
    return QStringLiteral(
        "The generated configuration file is a good &quot;starting point&quot; that enables successful "
        "establishment of basic calls. For complete device configuration you may need to configure additional "
        "functionality. For example, you may need to add security configuration (e.g. Firewall, IDS) to ensure "
        "that SBC is protected from malicious user activity and DoS attacks. Refer to the User Manual for more "
        "information.<br>");
}

QString FinishNotes::newDeviceAddress(const FieldLookup &field)
{
    const QString oam = field(QStringLiteral("OAM_INTERFACE"));
    if (oam == QLatin1String("1"))
        return field(QStringLiteral("OAM_IP"));
    if (oam == QLatin1String("2"))
        return field(QStringLiteral("NET2_IP"));
    return field(QStringLiteral("NET1_IP"));
}

QString FinishNotes::uploadAddress(const QString &deviceAddress, bool cce, const QString &newAddress)
{
    if (cce)
        return QStringLiteral("169.254.100.1");
    return deviceAddress.isEmpty() ? newAddress : deviceAddress;
}

QString FinishNotes::copyFileName(const QString &net1Ip, int iniFileVersion)
{
    return IniCopy::fileName(net1Ip, iniFileVersion);
}

QString FinishNotes::copyFolder()
{
    return IniCopy::folder();
}
