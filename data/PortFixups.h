#pragma once

class WizardData;

// Derives the per-transport listening-port fields and the SIP interface numbers of the SIP
// entities from their transport and local-port answers. Entities that listen on the same
// transport and port, and can meet on one network, share the earlier entity's interface.
class PortFixups
{
public:
    static void updateSip2LocalPorts(WizardData &data);
    static void updateSip3LocalPorts(WizardData &data);
    static void updateFeuLocalPorts(WizardData &data);
    static void updateUserLocalPorts(WizardData &data);
    static void updateRemoteUserLocalPorts(WizardData &data);
    static void updateLocalPorts(WizardData &data);
    // The IP-PBX's own slots, for a route on which no later page runs a fix-up.
    static void updateSip1LocalPorts(WizardData &data);
};
