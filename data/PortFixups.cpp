#include "data/PortFixups.h"

#include "data/WizardData.h"

#include <QLatin1String>
#include <QString>

#include <initializer_list>
#include <vector>

namespace
{
struct Entity {
    const char *prefix;
    const char *enableField; // nullptr: no enable field
    bool lanSide;
    int maxTransport; // 2, or 3 where WebRTC exists (it listens in the TLS slot)
    bool hasInterface;
};

const Entity kSip1{"SIP1", nullptr, true, 2, false};
const Entity kSip2{"SIP2", "SIP2_ENABLE", false, 2, true};
const Entity kSip3{"SIP3", "SIP3_ENABLE", true, 2, true};
const Entity kUser{"USER", nullptr, false, 2, true};
const Entity kFeu{"FEU", nullptr, false, 2, true};
const Entity kRemote1{"REMOTE_USER1", "REMOTE_USER1_ENABLE", false, 3, true};
const Entity kRemote2{"REMOTE_USER2", "REMOTE_USER2_ENABLE", false, 3, true};
const Entity kRemote3{"REMOTE_USER3", "REMOTE_USER3_ENABLE", false, 3, true};

enum class Write { Never, Always, WhenEnabled };
enum class Candidate { Always, WhenEnabled };

// One entity in a fix-up's order; its position + 1 is its own interface number.
struct Step {
    const Entity *entity;
    Write write;
    Candidate candidate;
};

QString field(const Entity &e, const char *suffix)
{
    return QLatin1String(e.prefix) + QLatin1String(suffix);
}

int number(const QString &text, bool *ok = nullptr)
{
    bool valid = false;
    const int value = text.toInt(&valid, 10);
    if (ok)
        *ok = valid;
    return valid ? value : 0;
}

void writePorts(WizardData &data, const Entity &e, const QString &udp, const QString &tcp, const QString &tls)
{
    data.setFieldText(field(e, "_UDP_LOCAL_PORT"), udp);
    data.setFieldText(field(e, "_TCP_LOCAL_PORT"), tcp);
    data.setFieldText(field(e, "_TLS_LOCAL_PORT"), tls);
}

// Own slots: the port in the slot of the transport, "0" in the others. A transport without a
// slot of its own leaves every slot "0".
void writeOwnPorts(WizardData &data, const Entity &e, int transport, bool valid, int port)
{
    QString ports[3] = {QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0")};
    if (valid)
        ports[qMin(transport, 2)] = QString::number(port);
    writePorts(data, e, ports[0], ports[1], ports[2]);
}

struct State {
    int transport = 0;
    bool valid = false;
    int port = 0;
    bool enabled = false;
};

State readState(const WizardData &data, const Entity &e)
{
    State s;
    bool ok = false;
    s.transport = number(data.fieldText(field(e, "_TRANSPORT_TYPE")), &ok);
    s.valid = ok && s.transport >= 0 && s.transport <= e.maxTransport;
    s.port = number(data.fieldText(field(e, "_LOCAL_PORT")));
    s.enabled = e.enableField && data.fieldText(QLatin1String(e.enableField)) == QLatin1String("1");
    return s;
}

void run(WizardData &data, std::initializer_list<Step> order)
{
    const std::vector<Step> steps(order);
    std::vector<State> states;
    for (const Step &step : steps)
        states.push_back(readState(data, *step.entity));
    const bool lanWan = data.fieldText(QStringLiteral("NETWORK")) == QLatin1String("LAN_WAN");

    for (size_t i = 0; i < steps.size(); ++i) {
        const Entity &e = *steps[i].entity;
        State &s = states[i];
        if (steps[i].write == Write::Never || (steps[i].write == Write::WhenEnabled && !s.enabled))
            continue;
        int joined = -1;
        for (size_t j = 0; s.valid && j < i && joined < 0; ++j) {
            const State &other = states[j];
            const bool candidate = steps[j].candidate == Candidate::Always || other.enabled;
            const bool sameSide = steps[j].entity->lanSide == e.lanSide || !lanWan;
            if (candidate && other.valid && sameSide && other.transport == s.transport && other.port == s.port)
                joined = int(j);
        }
        int ifNumber = int(i) + 1;
        if (joined >= 0) {
            writePorts(data, e, QString(), QString(), QString());
            ifNumber = joined + 1;
        } else {
            writeOwnPorts(data, e, s.transport, s.valid, s.port);
            // WebRTC listens in the TLS slot; later entities compare with that.
            s.transport = qMin(s.transport, 2);
        }
        if (e.hasInterface)
            data.setFieldText(field(e, "_INTERFACE"), QString::number(ifNumber));
    }
}
} // namespace

void PortFixups::updateSip2LocalPorts(WizardData &data)
{
    run(data, {{&kSip1, Write::Always, Candidate::Always}, {&kSip2, Write::Always, Candidate::Always}});
}

void PortFixups::updateSip3LocalPorts(WizardData &data)
{
    run(data,
        {{&kSip1, Write::Never, Candidate::Always}, {&kSip2, Write::Never, Candidate::Always},
            {&kSip3, Write::Always, Candidate::Always}});
}

void PortFixups::updateFeuLocalPorts(WizardData &data)
{
    run(data,
        {{&kSip1, Write::Never, Candidate::Always}, {&kSip2, Write::Never, Candidate::Always},
            {&kSip3, Write::Never, Candidate::WhenEnabled}, {&kFeu, Write::Always, Candidate::Always}});
}

void PortFixups::updateUserLocalPorts(WizardData &data)
{
    run(data, {{&kSip1, Write::Always, Candidate::Always}, {&kUser, Write::Always, Candidate::Always}});
}

void PortFixups::updateRemoteUserLocalPorts(WizardData &data)
{
    run(data,
        {{&kSip1, Write::Always, Candidate::Always}, {&kSip3, Write::WhenEnabled, Candidate::WhenEnabled},
            {&kRemote1, Write::Always, Candidate::WhenEnabled},
            {&kRemote2, Write::WhenEnabled, Candidate::WhenEnabled},
            {&kRemote3, Write::WhenEnabled, Candidate::WhenEnabled},
            {&kSip2, Write::WhenEnabled, Candidate::WhenEnabled}});
}

namespace
{
void writeOwnSlots(WizardData &data, const Entity &e)
{
    const State s = readState(data, e);
    writeOwnPorts(data, e, s.transport, s.valid, s.port);
}
} // namespace

void PortFixups::updateLocalPorts(WizardData &data)
{
    const bool trunk = number(data.fieldText(QStringLiteral("GATEWAY_INTEROP"))) == 2;
    writeOwnSlots(data, trunk ? kSip2 : kSip1);
}

void PortFixups::updateSip1LocalPorts(WizardData &data)
{
    writeOwnSlots(data, kSip1);
}
