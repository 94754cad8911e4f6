#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QList>
#include <QPixmap>
#include <QPoint>
#include <QRect>
#include <QString>

// The deployment picture of the General Setup page: which base picture, which overlays and which
// labels where, decided from the setup choices alone, and the painting of that plan.
class TopologyPicture
{
public:
    struct Inputs {
        int topology = -1; // 0 LAN and WAN, 1 WAN, 2 LAN, 3 LAN only
        int application = -1; // 0 SIP Trunk ... 5 CCE
        bool router = false;
        int gatewayEquipment = 0;
        int cceEquipment = 0;
        QString sip1Label, sip2Label, sip3Label, userLabel, remoteUserLabel, feuLabel;
        QString sip2Enable, sip3Supported, feuSupported;
    };

    struct Overlay {
        QString image;
        QPoint at; // top-left corner
    };

    // Text centred in a box, or, without a box, written from a baseline point.
    struct Label {
        QString text;
        QRect box;
        QPoint baseline;
        bool boxed() const { return !box.isNull(); }
    };

    // Labels of this many characters or more are written from a baseline instead of a box.
    static constexpr int LongLabel = 10;

    QString base;
    QList<Overlay> overlays;
    QList<Label> labels;

    // No picture: nothing to draw for these choices, the shown one stays.
    bool isNull() const { return base.isEmpty(); }

    static TopologyPicture plan(const Inputs &in);
    QPixmap render() const;
    // Where a label's text goes: its box, widened about its centre for a wider text, or the text
    // from its baseline point; moved in where it would run over an edge of a picture this wide.
    static QRect textRect(const Label &label, const QFontMetrics &metrics, int pictureWidth);
    // Calibri 7 pt, or the nearest sans-serif where it is missing.
    static QFont labelFont();
};
