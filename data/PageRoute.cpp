#include "data/PageRoute.h"

#include <QStringList>

bool PageRoute::featureSet(const QString &text)
{
    return text.toInt() == 1;
}

int PageRoute::defaultStep(int page)
{
    // The user pages share their step until routing places them.
    return page == FEU || page == RemoteUsers ? Users : page;
}

int PageRoute::defaultNextPage(int page)
{
    return page == FEU || page == RemoteUsers ? IPPBX2 : page + 1;
}

PageRoute PageRoute::compute(const Inputs &in)
{
    PageRoute r;
    auto link = [&r](int from, int to) { r.nextPages[from] = to; };
    auto setStep = [&r](int page, int step) { r.steps[page] = step; };

    const bool twoNetworks = in.topology == 0 || in.topology == -1;
    const bool sip2Enable = featureSet(in.sip2Enable);
    const bool sip3Supported = featureSet(in.sip3Supported);
    const bool feuSupported = featureSet(in.feuSupported);

    link(System, Network1);

    // The network pages lead to the IP-PBX page; returns the IP-PBX page's step.
    auto networksToIppbx = [&]() {
        if (!twoNetworks) {
            link(Network1, IPPBX);
            setStep(IPPBX, 5);
            return 5;
        }
        ++r.stepCount;
        link(Network1, Network2);
        link(Network2, IPPBX);
        setStep(IPPBX, 6);
        return 6;
    };

    if (in.application == 2) {
        r.stepCount = 6;
        int ippbx = networksToIppbx();
        link(IPPBX, Users);
        setStep(Users, ippbx + 1);
        // The PSTN models carry a gateway; the product code is compared exactly.
        static const QStringList pstnProducts{
            QStringLiteral("QA1"), QStringLiteral("QA1L"), QStringLiteral("QA2"), QStringLiteral("QA3")};
        if (in.router || pstnProducts.contains(in.product)) {
            link(Users, Gateway);
            setStep(Gateway, ippbx + 2);
            link(Gateway, Conclusion);
            ++r.stepCount;
        } else {
            link(Users, Conclusion);
        }
    } else if (in.application == 3) {
        r.stepCount = 6;
        int v = networksToIppbx();
        if (sip3Supported) {
            link(IPPBX, IPPBX2);
            setStep(IPPBX2, v + 1);
            link(IPPBX2, RemoteUsers);
            ++r.stepCount;
            v += 2;
        } else {
            link(IPPBX, RemoteUsers);
            v += 1;
        }
        setStep(RemoteUsers, v);
        if (sip2Enable) {
            link(RemoteUsers, ITSP);
            setStep(ITSP, v + 1);
            link(ITSP, Conclusion);
            ++r.stepCount;
        } else {
            link(RemoteUsers, Conclusion);
        }
    } else if (in.application == 4) {
        r.stepCount = 7;
        if (!in.router) {
            link(Network1, Gateway);
        } else if (in.topology == 2) {
            link(System, Network1);
            link(Network1, Gateway);
        } else {
            // A router model without a LAN port in use goes straight to its WAN page.
            link(System, Network2);
            link(Network2, Gateway);
        }
        setStep(Gateway, 5);
        const int party = in.gatewayEquipment == 2 ? ITSP : IPPBX;
        link(Gateway, party);
        setStep(party, 6);
        link(party, Dial);
        setStep(Dial, 7);
        link(Dial, Conclusion);
    } else if (in.application == 5 && in.cceEquipment == 2) {
        r.stepCount = 7;
        link(Network1, IPPBX);
        setStep(IPPBX, 5);
        link(IPPBX, Gateway);
        setStep(Gateway, 6);
        link(Gateway, Dial);
        setStep(Dial, 7);
        link(Dial, Conclusion);
    } else {
        r.stepCount = 7;
        int ippbx = networksToIppbx();
        link(IPPBX, ITSP);
        setStep(ITSP, ippbx + 1);
        link(ITSP, Dial);
        setStep(Dial, ippbx + 2);
        if (feuSupported) {
            if (sip3Supported) {
                link(Dial, IPPBX2);
                setStep(IPPBX2, ippbx + 3);
                ++r.stepCount;
                link(IPPBX2, FEU);
                setStep(FEU, ippbx + 4);
            } else {
                link(Dial, FEU);
                setStep(FEU, ippbx + 3);
            }
            link(FEU, Conclusion);
            ++r.stepCount;
        } else {
            link(Dial, Conclusion);
        }
    }
    return r;
}
