#pragma once

#include <QMap>
#include <QString>

// The walk through the wizard after the General Setup page: which page follows which, the step
// number each routed page shows and the total step count. Computed from the setup choices alone,
// so it can be checked without any page.
class PageRoute
{
public:
    enum PageId {
        Intro = 0,
        Product = 1,
        Setup = 2,
        System = 3,
        Network1 = 4,
        Network2 = 5,
        Gateway = 6,
        IPPBX = 7,
        ITSP = 8,
        Dial = 9,
        Users = 10,
        IPPBX2 = 11,
        FEU = 12,
        RemoteUsers = 13,
        Conclusion = 14,
        Finish = 15,
        PageCount = 16
    };

    // Step count every title shows before the first routing.
    static constexpr int InitialStepCount = 8;

    struct Inputs {
        int application = -1; // 0 SIP Trunk ... 5 CCE, -1 none
        int topology = -1; // 0 LAN and WAN, 1 WAN, 2 LAN, 3 LAN only, -1 none
        bool router = false; // business-router model (field KRBX)
        QString product; // product code (field PRODUCT)
        int gatewayEquipment = 0; // 0 Local IP-PBX, 1 Hosted IP-PBX, 2 SIP Trunk
        int cceEquipment = 0; // 0 SIP Trunk, 1 IP-PBX, 2 Gateway
        QString sip2Enable; // texts of the template-defined feature fields
        QString sip3Supported;
        QString feuSupported;
    };

    // Only the pages on the route get entries; pages off the route keep what they had.
    QMap<int, int> steps;
    QMap<int, int> nextPages;
    int stepCount = InitialStepCount;

    static PageRoute compute(const Inputs &in);

    // A feature field counts as set only when its text reads as the number 1.
    static bool featureSet(const QString &text);
    // Step and next page that each page's constructor gives it.
    static int defaultStep(int page);
    static int defaultNextPage(int page);
};
