#include "TemplateAnswers.h"

#include "data/WizardData.h"

#include <QLineEdit>
#include <QRegularExpression>

TemplateAnswers::~TemplateAnswers()
{
    // The registry must not keep pointers to the edits that go with this object.
    WizardData *d = WizardData::instance();
    for (const QString &name : qAsConst(m_names))
        d->fields.remove(name);
}

void TemplateAnswers::field(const QString &name, const QString &text)
{
    m_edits.emplace_back(new QLineEdit(text));
    WizardData::instance()->addField(name, m_edits.back().get(), true, true, QString());
    m_names.append(name);
}

bool TemplateAnswers::make(const QString &kind, const QString &name) const
{
    WizardData *d = WizardData::instance();
    if (kind == QLatin1String("select"))
        return d->selectTemplate(name);
    if (kind == QLatin1String("pair"))
        return d->composeItspTemplate(QStringLiteral("Generic IP-PBX"), QStringLiteral("Generic SIP Trunk"));
    if (kind == QLatin1String("pbxgw"))
        return d->composePbxGatewayTemplate(QStringLiteral("Generic IP-PBX"));
    return d->composeItspGatewayTemplate(QStringLiteral("Generic SIP Trunk"));
}

QStringList TemplateAnswers::generate(const QString &kind, const QString &name, const QString &answers)
{
    WizardData *d = WizardData::instance();
    d->loadTemplates();
    if (!make(kind, name))
        return QStringList();
    // Every name the template refers to becomes a field; its defines then give the defaults.
    static const QRegularExpression reference(QStringLiteral("%([A-Za-z0-9_]+)%"));
    for (const QString &line : qAsConst(d->templateLines)) {
        QRegularExpressionMatchIterator it = reference.globalMatch(line);
        while (it.hasNext()) {
            const QString fieldName = it.next().captured(1);
            if (!d->fields.contains(fieldName))
                field(fieldName, QString());
        }
    }
    d->batchMode = true;
    if (!make(kind, name))
        return QStringList();
    given.clear();
    for (const QString &pair : answers.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const int eq = pair.indexOf(QLatin1Char('='));
        given.insert(pair.left(eq), pair.mid(eq + 1));
    }
    const bool twoNetworks = given.value(QStringLiteral("NETWORK")) == QLatin1String("LAN_WAN");
    application.clear();
    for (const QString &line : qAsConst(d->templateLines)) {
        if (line.startsWith(QLatin1String("#application ")))
            application = line.mid(13).trimmed();
    }
    const QString outside = QLatin1String(twoNetworks ? "WAN_IF" : "LAN_IF");
    // What the pages would hold where no define gives a value.
    const QHash<QString, QString> pages{{"APPLICATION", application}, {"NETWORKS_NUMBER", twoNetworks ? "2" : "1"},
        {"NET1_IF", "LAN_IF"}, {"NET2_IF", "WAN_IF"}, {"NAT_IF", outside}, {"SIP1_IF", "LAN_IF"},
        {"SIP3_IF", "LAN_IF"}, {"SIP2_IF", outside}, {"USER_IF", outside}, {"FEU_IF", outside},
        {"REMOTE_USER_IF", outside}, {"NET1_PORT", "GROUP_1"}, {"NET2_PORT", "GROUP_2"}, {"OAM_PORT", "GROUP_3"},
        {"NET1_VLANID", "1"}, {"NET1_VLAN_NATIVE", "1"}, {"NET2_VLANID", "2"}, {"NET2_VLAN_NATIVE", "2"},
        {"OAM_VLANID", "3"}, {"OAM_VLAN_NATIVE", "3"}, {"OAM_INTERFACE", "0"}, {"GATEWAY_CODERS", "G711"}};
    for (auto it = d->fields.begin(); it != d->fields.end(); ++it) {
        QLineEdit *edit = it->lineEdit;
        const QString &fieldName = it.key();
        if (!edit)
            continue;
        if (pages.contains(fieldName))
            edit->setText(pages.value(fieldName));
        else if (!edit->text().isEmpty())
            continue;
        else if (fieldName.endsWith(QLatin1String("_TRANSPORT_TYPE")))
            edit->setText(QStringLiteral("0"));
        else if (fieldName.endsWith(QLatin1String("_LOCAL_PORT")))
            edit->setText(QStringLiteral("5090"));
        else if (fieldName.endsWith(QLatin1String("_PREFIX")))
            edit->setText(QStringLiteral("16"));
        else if (fieldName.contains(QLatin1String("_IP")) || fieldName.contains(QLatin1String("ADDRESS"))
            || fieldName.endsWith(QLatin1String("SUBNET")) || fieldName.endsWith(QLatin1String("_MASK"))
            || fieldName.endsWith(QLatin1String("_GATEWAY")))
            edit->setText(QStringLiteral("10.1.1.1"));
        else if (fieldName.endsWith(QLatin1String("_DOMAIN")) || fieldName.endsWith(QLatin1String("_NAME"))
            || fieldName.endsWith(QLatin1String("_TFTP")))
            edit->setText(QStringLiteral("host.example.com"));
        else
            edit->setText(QStringLiteral("1"));
    }
    // Answers of the setup page (NETWORK, GATEWAY_INTEROP) reach the fix-ups even where no
    // template line names them.
    for (auto it = given.constBegin(); it != given.constEnd(); ++it) {
        if (!d->fields.contains(it.key()))
            field(it.key(), QString());
        d->setFieldText(it.key(), it.value());
    }
    if (kind == QLatin1String("pbxgw") || kind == QLatin1String("itspgw")) {
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
