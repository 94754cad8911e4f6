#include "TemplateAnswers.h"
#include "TestEnvironment.h"

#include "data/WizardData.h"

#include <QLineEdit>
#include <QRegularExpression>
#include <QtTest>

#include <algorithm>

bool TemplateAnswers::make(const QString &kind, const QString &name)
{
    WizardData *d = WizardData::instance();
    return kind == "select" ? d->selectTemplate(name)
        : kind == "pair"    ? d->composeItspTemplate("Generic IP-PBX", "Generic SIP Trunk")
        : kind == "pbxgw"   ? d->composePbxGatewayTemplate("Generic IP-PBX")
                            : d->composeItspGatewayTemplate("Generic SIP Trunk");
}

void TemplateAnswers::addRows()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("answers");
    auto row = [](const char *title, const char *kind, const char *name, const char *answers) {
        QTest::newRow(title) << kind << name << QStringLiteral("KRBX=1;") + QLatin1String(answers);
    };
    const char *trunk = "Generic IP-PBX - Generic SIP Trunk";
    row("SIP trunk, every entity and option", "select", trunk,
        "NETWORK=LAN_WAN;SIP3_ENABLE=1;FEU_ENABLE=1;SIP2_REGISTRATION=1;SIP1_TRANSPORT_TYPE=1;"
        "SIP2_TRANSPORT_TYPE=2;CERTIFICATE=1;MEDIA_SECURITY=1;SIP2_MEDIA_PROTOCOL=1;SIP2_CODERS=G729;"
        "MANIP_OUT_DST=1;MANIP_OUT_SRC=1;MANIP_IN_DST=1;MANIP_IN_SRC=1;TRM=1;NAT_ENABLE=1;DHCP_SERVER=1;"
        "ENABLE_SYSLOG=1;CLI=2;WEB=1;ENABLE_DNS=1;NET2_TYPE=0;SIP1_PREFIX_ENABLE=1;NET1_INTERCEPT=1");
    row("SIP trunk, PPPoE, OAM interface, wideband coders", "select", trunk,
        "NETWORK=LAN_WAN;NET2_TYPE=2;OAM_INTERFACE=1;SIP2_REGISTRATION=2;SIP2_CODERS=OPUS;"
        "SIP1_CODERS=G722,G711U;SIP1_KEEPALIVE=0;SIP2_KEEPALIVE=0");
    row("SIP trunk, one network, shared interfaces", "select", trunk,
        "NETWORK=LAN;SIP3_ENABLE=1;FEU_ENABLE=1;FEU_TRANSPORT_TYPE=0;FEU_LOCAL_PORT=5060;OAM_INTERFACE=1");
    row("normalization", "select", "Generic IP-PBX - Generic IP-PBX", "NETWORK=LAN_WAN;SIP2_TRANSPORT_TYPE=1");
    row("hosted with E1 fallback", "select", "Generic Hosted IP-PBX",
        "NETWORK=LAN_WAN;GATEWAY_ENABLE=1;GATEWAY_TYPE=1;USER_TRANSPORT_TYPE=2;USER_MEDIA_PROTOCOL=1");
    row("hosted with FXS fallback, one network", "select", "Generic Hosted IP-PBX",
        "NETWORK=LAN;USER_LOCAL_PORT=5060;GATEWAY_ENABLE=1;GATEWAY_TYPE=3;NET1_CLASSIFICATION_SUBNET=10.15.20.0;"
        "FEU_ENABLE=1");
    row("remote users, every group and the trunk", "select", "Generic Remote Users",
        "NETWORK=LAN_WAN;SIP3_ENABLE=1;SIP2_ENABLE=1;SIP2_PBX=2;REMOTE_USER2_ENABLE=1;REMOTE_USER2_PBX=2;"
        "REMOTE_USER3_ENABLE=1;REMOTE_USER3_TRANSPORT_TYPE=2;REMOTE_USER3_LOCAL_PORT=5061;"
        "REMOTE_USER1_DOMAIN=home.example.com;REMOTE_USER3_DOMAIN=mobile.example.com");
    row("remote users, one group on the IP-PBX's interface", "select", "Generic Remote Users - Single Group",
        "NETWORK=WAN;REMOTE_USER1_LOCAL_PORT=5090");
    row("SIP trunk with teleworkers on the trunk's interface", "select", "Generic IP-PBX - Teleworker SIP Trunk",
        "NETWORK=LAN_WAN;FEU_ENABLE=1;FEU_TRANSPORT_TYPE=0;FEU_LOCAL_PORT=5090");
    row("composed pair", "pair", "", "NETWORK=LAN_WAN;SIP2_REGISTRATION=1");
    row("IP-PBX with E1 gateway, G.729", "pbxgw", "",
        "NETWORK=LAN;GATEWAY_INTEROP=0;GATEWAY_TYPE=1;GATEWAY_CODERS=g729");
    row("IP-PBX with BRI gateway", "pbxgw", "",
        "NETWORK=WAN;GATEWAY_INTEROP=1;GATEWAY_TYPE=0;GATEWAY_PROTOCOL=50;GATEWAY_OUT_BEHAVIOR=1024;"
        "GATEWAY_IN_BEHAVIOR=4096");
    row("SIP trunk with FXS gateway", "itspgw", "",
        "NETWORK=WAN;GATEWAY_INTEROP=2;GATEWAY_TYPE=3;SIP2_REGISTRATION=1;CERTIFICATE=1");
}

QStringList TemplateAnswers::generateRow()
{
    QFETCH(QString, kind);
    QFETCH(QString, name);
    QFETCH(QString, answers);
    WizardData *d = WizardData::instance();
    d->loadTemplates();
    if (!make(kind, name))
        return QStringList();
    // Every name the template refers to becomes a field; made again, its defines give the defaults.
    static const QRegularExpression reference(QStringLiteral("%([A-Za-z0-9_]+)%"));
    for (const QString &line : qAsConst(d->templateLines)) {
        for (auto it = reference.globalMatch(line); it.hasNext();) {
            const QString fieldName = it.next().captured(1);
            if (!d->fields.contains(fieldName))
                TestEnvironment::addField(fieldName, QString(), true, true);
        }
    }
    d->batchMode = true;
    if (!make(kind, name))
        return QStringList();
    given.clear();
    for (const QString &pair : answers.split(';'))
        given.insert(pair.section('=', 0, 0), pair.section('=', 1));
    const QString application
        = d->templateLines.filter(QRegularExpression("^#application ")).value(0).mid(13).trimmed();
    const bool twoNetworks = given.value(QStringLiteral("NETWORK")) == QLatin1String("LAN_WAN");
    // A router's gateway on the WAN has the WAN interface only; one-network routes no WAN port.
    const bool wanOnly = kind.endsWith(QLatin1String("gw")) && given.value(QStringLiteral("NETWORK")) == "WAN";
    const QString outside = QLatin1String(twoNetworks || wanOnly ? "WAN_IF" : "LAN_IF");
    const QString inside = QLatin1String(wanOnly ? "WAN_IF" : "LAN_IF");
    const QString wanPort = QLatin1String(twoNetworks || wanOnly ? "GigabitEthernet 0/0" : "NULL");
    // What the pages would hold for a business-router model where no define gives a value.
    const QHash<QString, QString> pages{{"APPLICATION", application}, {"NETWORKS_NUMBER", twoNetworks ? "2" : "1"},
        {"NET1_IF", "LAN_IF"}, {"NET2_IF", "WAN_IF"}, {"NAT_IF", outside}, {"SIP1_IF", inside},
        {"SIP3_IF", inside}, {"SIP2_IF", outside}, {"USER_IF", outside}, {"FEU_IF", outside},
        {"REMOTE_USER_IF", outside}, {"PRODUCT", "QA2_KRBX"}, {"NET1_PORT", "GigabitEthernet 4/1"},
        {"NET2_PORT", wanPort}, {"OAM_PORT", "GROUP_3"}, {"NET1_VLANID", "1"}, {"NET1_VLAN_NATIVE", "1"},
        {"NET2_VLANID", "2"}, {"NET2_VLAN_NATIVE", "2"}, {"OAM_VLANID", "3"}, {"OAM_VLAN_NATIVE", "3"},
        {"OAM_INTERFACE", "0"}, {"NET_EXIST", "0"}, {"GATEWAY_CODERS", "g711a,g711u"}};
    static const std::pair<QRegularExpression, const char *> usual[]
        = {{QRegularExpression("_TRANSPORT_TYPE$"), "0"}, {QRegularExpression("_LOCAL_PORT$"), "5090"},
            {QRegularExpression("_PREFIX$"), "16"},
            {QRegularExpression("_IP|ADDRESS|SUBNET$|_MASK$|_GATEWAY$"), "10.1.1.1"},
            {QRegularExpression("_DOMAIN$|_NAME$|_TFTP$"), "host.example.com"}, {QRegularExpression(), "1"}};
    auto usualValue = [](const QString &fieldName) {
        return QString(std::find_if(std::begin(usual), std::end(usual), [&](const auto &u) {
            return u.first.match(fieldName).hasMatch();
        })->second);
    };
    for (auto it = d->fields.begin(); it != d->fields.end(); ++it) {
        if (it->lineEdit && (pages.contains(it.key()) || it->lineEdit->text().isEmpty()))
            it->lineEdit->setText(pages.value(it.key(), usualValue(it.key())));
    }
    // Answers of the setup page (NETWORK, GATEWAY_INTEROP) reach the fix-ups even where no
    // template line names them.
    for (auto it = given.constBegin(); it != given.constEnd(); ++it) {
        if (!d->fields.contains(it.key()))
            TestEnvironment::addField(it.key(), QString(), true, true);
        d->setFieldText(it.key(), it.value());
    }
    if (kind.endsWith(QLatin1String("gw"))) {
        d->updateLocalPorts();
    } else if (application == QLatin1String("HOSTED")) {
        d->updateUserLocalPorts();
    } else if (application == QLatin1String("REMOTEUSERS")) {
        d->updateSip3LocalPorts();
        d->updateRemoteUserLocalPorts();
    } else {
        d->updateSip2LocalPorts();
        d->updateSip3LocalPorts();
        d->updateFeuLocalPorts();
    }
    return d->generateIni(true);
}
