#include "pages/TopologyPicture.h"

#include "data/PageRoute.h"

#include <QFontDatabase>
#include <QPainter>

namespace
{
const QRect kLeftBox(4, 146, 50, 10);
const QPoint kLeftBaseline(8, 152);
const QRect kUpperRightBox(452, 68, 50, 10);
const QRect kLowerRightBox(440, 146, 50, 10);
const QRect kFeuBox(425, 156, 70, 10);
const QPoint kFeuAt(435, 130);
const QPoint kFeuLinkAt(362, 104);
const QPoint kWanAt(252, 86);

QString orDefault(const QString &text, const char *fallback)
{
    return text.isEmpty() ? QString::fromLatin1(fallback) : text;
}

TopologyPicture::Label boxed(const QString &text, const QRect &box)
{
    TopologyPicture::Label label;
    label.text = text;
    label.box = box;
    return label;
}

TopologyPicture::Label atBaseline(const QString &text, const QPoint &point)
{
    TopologyPicture::Label label;
    label.text = text;
    label.baseline = point;
    return label;
}

// Short names fit the box under the party; long ones start a little further in and run on.
TopologyPicture::Label sized(const QString &text, const QRect &box, const QPoint &point)
{
    return text.size() < TopologyPicture::LongLabel ? boxed(text, box) : atBaseline(text, point);
}

void networkOverlays(TopologyPicture &pic, const TopologyPicture::Inputs &in, int lanX)
{
    if (in.router)
        return;
    if (in.topology == 0 || in.topology == 1)
        pic.overlays << TopologyPicture::Overlay{QStringLiteral(":/images/wan.png"), kWanAt};
    if (in.topology == 0 || in.topology == 2)
        pic.overlays << TopologyPicture::Overlay{QStringLiteral(":/images/lan.png"), QPoint(lanX, 93)};
}

// Remote users; the pictures of a far party on the WAN side have no line to them, so one comes along.
void remoteUsers(TopologyPicture &pic, bool link)
{
    if (link)
        pic.overlays << TopologyPicture::Overlay{QStringLiteral(":/images/feu_link.png"), kFeuLinkAt};
    pic.overlays << TopologyPicture::Overlay{QStringLiteral(":/images/feu.png"), kFeuAt};
}

// The customer's IP-PBX, with the second IP-PBX named after it when the template has one.
QString leftPartyText(const TopologyPicture::Inputs &in, const char *fallback)
{
    QString text = orDefault(in.sip1Label, fallback);
    if (PageRoute::featureSet(in.sip3Supported) && !in.sip3Label.isEmpty())
        text += QLatin1String(", ") + in.sip3Label;
    return text;
}

void trunkDrawing(TopologyPicture &pic, const TopologyPicture::Inputs &in)
{
    pic.base = in.router   ? QStringLiteral(":/images/itsp_krbx.png")
        : in.topology == 3 ? QStringLiteral(":/images/itsp_lan_only.png")
                           : QStringLiteral(":/images/itsp.png");
    networkOverlays(pic, in, 158);
    if (PageRoute::featureSet(in.feuSupported)) {
        remoteUsers(pic, in.topology != 3);
        pic.labels << boxed(orDefault(in.feuLabel, "Remote Users"), kFeuBox);
    }
    const bool trunk = in.application == 0;
    pic.labels << sized(leftPartyText(in, trunk ? "IP-PBX" : "IP-PBX1"), kLeftBox, kLeftBaseline);
    pic.labels << boxed(orDefault(in.sip2Label, trunk ? "SIP Trunk" : "IP-PBX2"),
        in.topology == 3 ? kLowerRightBox : kUpperRightBox);
}

void hostedDrawing(TopologyPicture &pic, const TopologyPicture::Inputs &in)
{
    pic.base = in.router   ? QStringLiteral(":/images/hosted_krbx.png")
        : in.topology == 3 ? QStringLiteral(":/images/hosted_lan_only.png")
                           : QStringLiteral(":/images/hosted.png");
    networkOverlays(pic, in, 160);
    pic.labels << atBaseline(orDefault(in.userLabel, "Users"), QPoint(14, 152));
    pic.labels << boxed(orDefault(in.sip1Label, "IP-PBX"), in.topology == 3 ? kLowerRightBox : kUpperRightBox);
}

void remoteUsersDrawing(TopologyPicture &pic, const TopologyPicture::Inputs &in)
{
    const bool trunk = PageRoute::featureSet(in.sip2Enable);
    if (trunk)
        pic.base = in.router ? QStringLiteral(":/images/itsp_krbx.png") : QStringLiteral(":/images/itsp.png");
    else
        pic.base = in.router ? QStringLiteral(":/images/remote_users_krbx.png")
                             : QStringLiteral(":/images/remote_users.png");
    networkOverlays(pic, in, 158);
    remoteUsers(pic, trunk);
    pic.labels << boxed(orDefault(in.remoteUserLabel, "Remote Users"), kFeuBox);
    pic.labels << sized(leftPartyText(in, "IP-PBX"), kLeftBox, kLeftBaseline);
    if (trunk)
        pic.labels << boxed(orDefault(in.sip2Label, "SIP Trunk"), kUpperRightBox);
}

void gatewayDrawing(TopologyPicture &pic, const TopologyPicture::Inputs &in)
{
    const bool cce = in.application == 5;
    const bool localPbx = cce || in.gatewayEquipment == 0;
    pic.base = localPbx ? QStringLiteral(":/images/gateway_pbx.png") : QStringLiteral(":/images/gateway_itsp.png");
    // A router uses the port that faces the party and nothing else.
    if ((in.topology == 0 || in.topology == 1) && !(in.router && localPbx))
        pic.overlays << TopologyPicture::Overlay{QStringLiteral(":/images/wan.png"), kWanAt};
    if ((in.topology == 0 || in.topology == 2) && !(in.router && !localPbx))
        pic.overlays << TopologyPicture::Overlay{QStringLiteral(":/images/lan.png"), QPoint(160, 93)};

    const QRect leftBox(8, 146, 50, 10);
    const QRect pstnBox(444, 146, 50, 10);
    const QString pstn = QStringLiteral("PSTN");
    if (cce) {
        pic.labels << boxed(QStringLiteral("Unity CCE"), leftBox) << boxed(pstn, pstnBox);
    } else if (in.gatewayEquipment == 0) {
        pic.labels << sized(orDefault(in.sip1Label, "IP-PBX"), leftBox, QPoint(12, 152)) << boxed(pstn, pstnBox);
    } else {
        const QString party
            = in.gatewayEquipment == 1 ? orDefault(in.sip1Label, "IP-PBX") : orDefault(in.sip2Label, "SIP Trunk");
        pic.labels << boxed(party, kUpperRightBox) << boxed(pstn, leftBox);
    }
}
} // namespace

TopologyPicture TopologyPicture::plan(const Inputs &in)
{
    TopologyPicture pic;
    if (in.topology < 0)
        return pic;
    switch (in.application) {
    case 0:
    case 1:
        trunkDrawing(pic, in);
        break;
    case 2:
        hostedDrawing(pic, in);
        break;
    case 3:
        remoteUsersDrawing(pic, in);
        break;
    case 4:
        gatewayDrawing(pic, in);
        break;
    case 5:
        if (in.cceEquipment == 2)
            gatewayDrawing(pic, in);
        else
            trunkDrawing(pic, in);
        break;
    default:
        break;
    }
    return pic;
}

QFont TopologyPicture::labelFont()
{
    QFont font(QStringLiteral("Calibri"));
    font.setPointSize(7);
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    const QStringList families = QFontDatabase().families();
    if (!families.contains(QStringLiteral("Calibri"))) {
        // Same size in Carlito, which has Calibri's metrics, or else the system's sans-serif face.
        font.setStyleHint(QFont::SansSerif);
        font.setFamily(families.contains(QStringLiteral("Carlito"))
                ? QStringLiteral("Carlito")
                : QFontDatabase::systemFont(QFontDatabase::GeneralFont).family());
    }
    return font;
}

QRect TopologyPicture::textRect(const Label &label, const QFontMetrics &metrics, int pictureWidth)
{
    const int width = metrics.horizontalAdvance(label.text);
    QRect rect;
    if (!label.boxed())
        rect = QRect(label.baseline.x(), label.baseline.y() - metrics.ascent(), width, metrics.height());
    else if (width <= label.box.width())
        rect = label.box;
    else
        rect = QRect(label.box.x() + (label.box.width() - width) / 2, label.box.y(), width, label.box.height());
    const int margin = 2;
    if (rect.right() > pictureWidth - 1 - margin)
        rect.moveRight(pictureWidth - 1 - margin);
    if (rect.left() < margin)
        rect.moveLeft(margin);
    return rect;
}

QPixmap TopologyPicture::render() const
{
    if (isNull())
        return QPixmap();
    QPixmap pixmap(base);
    if (pixmap.isNull())
        return pixmap;
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::TextAntialiasing);
    for (const Overlay &overlay : overlays)
        painter.drawPixmap(overlay.at, QPixmap(overlay.image));
    painter.setPen(QColor(32, 32, 32, 255));
    painter.setFont(labelFont());
    const QFontMetrics metrics = painter.fontMetrics();
    for (const Label &label : labels) {
        // A name wider than its box runs out on both sides, but stays whole inside the picture.
        const QRect rect = textRect(label, metrics, pixmap.width());
        if (label.boxed())
            painter.drawText(rect, Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextDontClip, label.text);
        else
            painter.drawText(QPoint(rect.left(), label.baseline.y()), label.text);
    }
    painter.end();
    return pixmap;
}
