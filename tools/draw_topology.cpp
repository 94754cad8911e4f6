// Draws the deployment pictures and status icons of the General Setup page into PNG files.
// Built and run by tools/draw_pictures.sh; the PNGs it writes are committed under resources/images.
// Layout (510 x 175): the device in the middle, the customer's side on the left (label under it at
// y 146), the far party top right (label under it at y 68), remote users or PSTN bottom right.
// The LAN and WAN ports on the device face are grey here and lit by the lan/wan overlays.

#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

namespace
{
const QSize kPicture(510, 175);
const QColor kLine(150, 160, 170);
const QColor kInk(32, 32, 32);
const QColor kDevice(52, 72, 94);
const QColor kPortOff(196, 201, 206);
const QColor kLan(46, 150, 78);
const QColor kWan(40, 110, 190);
const QColor kParty(108, 120, 134);

QString g_outDir;

QFont font(int pointSize, bool bold = false)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPointSize(pointSize);
    f.setBold(bold);
    return f;
}

QImage canvas(const QSize &size)
{
    QImage image(size, QImage::Format_ARGB32);
    image.setDotsPerMeterX(3780); // 96 dpi
    image.setDotsPerMeterY(3780);
    image.fill(Qt::transparent);
    return image;
}

void save(const QImage &image, const char *name)
{
    image.save(QDir(g_outDir).filePath(QString::fromLatin1(name)), "PNG");
}

void link(QPainter &p, QPointF a, QPointF b, bool dashed = false)
{
    QPen pen(kLine, 2);
    if (dashed)
        pen.setStyle(Qt::DashLine);
    p.setPen(pen);
    p.drawLine(a, b);
}

void portTag(QPainter &p, const QRectF &r, const QColor &colour, const QString &text)
{
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawRoundedRect(r, 3, 3);
    if (!text.isEmpty()) {
        p.setPen(Qt::white);
        p.setFont(font(7, true));
        p.drawText(r, Qt::AlignCenter, text);
    }
}

// Unused port places, a pixel inside every spot where a lit tag lands (LAN at x 158 or 160, WAN at
// x 252, both 46 x 16 at y 93), so no grey edge shows beside a lit port.
const QRectF kLanSlot(161, 94, 42, 14);
const QRectF kWanSlot(253, 94, 44, 14);

// The appliance: a wide box with its name and two port places (LAN left, WAN right).
void device(QPainter &p, bool router, bool lanOnly)
{
    const QRectF body(148, 58, 214, 60);
    p.setPen(QPen(kDevice.darker(130), 1.5));
    p.setBrush(kDevice);
    p.drawRoundedRect(body, 6, 6);
    p.setPen(Qt::white);
    p.setFont(font(8, true));
    p.drawText(QRectF(148, 62, 214, 20), Qt::AlignCenter,
        router ? QStringLiteral("Quorvex Business Router") : QStringLiteral("Quorvex SBC"));
    // Status lights on the right of the face.
    for (int i = 0; i < 3; ++i) {
        p.setPen(Qt::NoPen);
        p.setBrush(i == 0 ? QColor(120, 220, 120) : QColor(150, 170, 190));
        p.drawEllipse(QPointF(322 + i * 12, 100), 3, 3);
    }
    if (router) {
        // Router models always use both ports.
        portTag(p, QRectF(158, 93, 46, 16), kLan, QStringLiteral("LAN"));
        portTag(p, QRectF(252, 93, 46, 16), kWan, QStringLiteral("WAN"));
    } else if (lanOnly) {
        // Both parties sit on the LAN; no overlay marks it, so the picture does.
        portTag(p, QRectF(158, 93, 46, 16), kLan, QStringLiteral("LAN"));
        portTag(p, kWanSlot, kPortOff, QString());
    } else {
        portTag(p, kLanSlot, kPortOff, QString());
        portTag(p, kWanSlot, kPortOff, QString());
    }
}

// An IP-PBX: a small tower with a handset keypad.
void pbx(QPainter &p, QPointF centre)
{
    const QRectF r(centre.x() - 16, centre.y() - 22, 32, 44);
    p.setPen(QPen(kParty.darker(140), 1.2));
    p.setBrush(kParty);
    p.drawRoundedRect(r, 3, 3);
    p.setBrush(QColor(220, 226, 232));
    p.setPen(Qt::NoPen);
    p.drawRect(QRectF(r.left() + 5, r.top() + 5, 22, 8));
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 3; ++col)
            p.drawRect(QRectF(r.left() + 6 + col * 8, r.top() + 18 + row * 7, 4, 4));
    }
}

// A person: head and shoulders.
void person(QPainter &p, QPointF at, qreal scale, const QColor &colour)
{
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawEllipse(QPointF(at.x(), at.y() - 9 * scale), 5 * scale, 5 * scale);
    QPainterPath body;
    body.moveTo(at.x() - 9 * scale, at.y() + 9 * scale);
    body.cubicTo(at.x() - 9 * scale, at.y() - 4 * scale, at.x() + 9 * scale, at.y() - 4 * scale,
        at.x() + 9 * scale, at.y() + 9 * scale);
    body.closeSubpath();
    p.drawPath(body);
}

void users(QPainter &p, QPointF centre)
{
    person(p, QPointF(centre.x() - 12, centre.y() + 2), 1.0, kParty.lighter(120));
    person(p, QPointF(centre.x() + 12, centre.y() + 2), 1.0, kParty.lighter(120));
    person(p, QPointF(centre.x(), centre.y() + 6), 1.15, kParty);
}

void cloud(QPainter &p, const QRectF &r, const QColor &fill, const QString &text = QString())
{
    QPainterPath path;
    const qreal w = r.width();
    const qreal h = r.height();
    path.addEllipse(QRectF(r.left(), r.top() + h * 0.35, w * 0.45, h * 0.6));
    path.addEllipse(QRectF(r.left() + w * 0.2, r.top(), w * 0.45, h * 0.75));
    path.addEllipse(QRectF(r.left() + w * 0.5, r.top() + h * 0.15, w * 0.45, h * 0.7));
    path.addRoundedRect(QRectF(r.left() + w * 0.15, r.top() + h * 0.45, w * 0.7, h * 0.5), h * 0.2, h * 0.2);
    path.setFillRule(Qt::WindingFill);
    p.setPen(QPen(fill.darker(125), 1.2));
    p.setBrush(fill);
    p.drawPath(path.simplified());
    if (!text.isEmpty()) {
        p.setPen(Qt::white);
        p.setFont(font(7, true));
        p.drawText(r.adjusted(0, h * 0.25, 0, 0), Qt::AlignCenter, text);
    }
}

// The far party of the WAN side (SIP trunk, hosted IP-PBX or second IP-PBX).
void farParty(QPainter &p)
{
    cloud(p, QRectF(448, 18, 58, 44), QColor(120, 160, 205));
}

void telephone(QPainter &p, QPointF centre)
{
    p.setPen(QPen(kParty.darker(140), 1.2));
    p.setBrush(kParty);
    p.drawRoundedRect(QRectF(centre.x() - 20, centre.y() - 6, 40, 24), 4, 4);
    QPainterPath handset;
    handset.moveTo(centre.x() - 22, centre.y() - 8);
    handset.quadTo(centre.x(), centre.y() - 24, centre.x() + 22, centre.y() - 8);
    handset.lineTo(centre.x() + 14, centre.y() - 2);
    handset.quadTo(centre.x(), centre.y() - 12, centre.x() - 14, centre.y() - 2);
    handset.closeSubpath();
    p.drawPath(handset);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(220, 226, 232));
    for (int row = 0; row < 2; ++row) {
        for (int col = 0; col < 4; ++col)
            p.drawRect(QRectF(centre.x() - 14 + col * 8, centre.y() + row * 7, 4, 4));
    }
}

// Left side: customer equipment over the label at (4..54, 146).
void leftLink(QPainter &p)
{
    link(p, QPointF(50, 118), QPointF(148, 101));
}
void wanLink(QPainter &p)
{
    link(p, QPointF(362, 82), QPointF(452, 48));
}
void lowerRightLink(QPainter &p, bool dashed = false)
{
    link(p, QPointF(362, 108), QPointF(440, 134), dashed);
}

enum class Left { Pbx, Users, Pstn };
enum class Right { Far, LanOnly, RemoteUsers, Pstn, None };

QImage base(bool router, Left left, Right upper, Right lower)
{
    QImage image = canvas(kPicture);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    leftLink(p);
    if (upper == Right::Far)
        wanLink(p);
    if (lower == Right::LanOnly)
        link(p, QPointF(362, 108), QPointF(444, 118));
    else if (lower == Right::RemoteUsers)
        lowerRightLink(p);
    else if (lower == Right::Pstn)
        lowerRightLink(p, true);

    if (lower == Right::RemoteUsers && upper != Right::Far) {
        // Remote users reach the device across the internet.
        cloud(p, QRectF(380, 100, 44, 30), QColor(170, 190, 210));
    }

    device(p, router, lower == Right::LanOnly);

    switch (left) {
    case Left::Pbx:
        pbx(p, QPointF(29, 118));
        break;
    case Left::Users:
        users(p, QPointF(30, 122));
        break;
    case Left::Pstn:
        telephone(p, QPointF(33, 124));
        break;
    }
    if (upper == Right::Far)
        farParty(p);
    if (lower == Right::LanOnly)
        pbx(p, QPointF(465, 118));
    else if (lower == Right::Pstn)
        telephone(p, QPointF(469, 124));
    return image;
}

// Overlays and icons are at least 32 pixels each way; the overlays keep their drawing in the top
// left corner, which is where they are placed, and are transparent beyond it.
QImage overlayLan()
{
    QImage image = canvas(QSize(46, 32));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    portTag(p, QRectF(0, 0, 46, 16), kLan, QStringLiteral("LAN"));
    return image;
}

// Placed seven pixels higher than the LAN tag; the arrow on top marks the uplink.
QImage overlayWan()
{
    QImage image = canvas(QSize(46, 32));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(kWan);
    QPolygonF arrow;
    arrow << QPointF(17, 7) << QPointF(23, 0) << QPointF(29, 7);
    p.drawPolygon(arrow);
    portTag(p, QRectF(0, 7, 46, 16), kWan, QStringLiteral("WAN"));
    return image;
}

QImage overlayFeu()
{
    QImage image = canvas(QSize(50, 32));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // Two laptops with a user in front.
    for (int i = 0; i < 2; ++i) {
        const qreal x = 4 + i * 26;
        p.setPen(QPen(kParty.darker(140), 1));
        p.setBrush(QColor(200, 215, 230));
        p.drawRect(QRectF(x, 4, 18, 12));
        p.setBrush(kParty);
        p.drawRect(QRectF(x - 3, 16, 24, 3));
    }
    person(p, QPointF(25, 14), 0.8, kParty);
    return image;
}

// The remote users' link where the base picture has none (beside a SIP trunk), placed at (362, 104):
// the same line as the remote-users pictures draw from the device to the feu overlay.
QImage overlayFeuLink()
{
    QImage image = canvas(QSize(80, 32));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    link(p, QPointF(0, 4), QPointF(78, 30));
    return image;
}

// Status icons of the template lists, drawn on a 16 x 16 grid at twice the size.
QImage icon(const char *kind)
{
    QImage image = canvas(QSize(32, 32));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(2, 2);
    const QString k = QString::fromLatin1(kind);
    auto disc = [&p](const QColor &c) {
        p.setPen(QPen(c.darker(130), 1));
        p.setBrush(c);
        p.drawEllipse(QRectF(1, 1, 14, 14));
    };
    auto glyph = [&p](const QString &text) {
        p.setPen(Qt::white);
        QFont f = font(8, true);
        p.setFont(f);
        p.drawText(QRectF(0, 0, 16, 16), Qt::AlignCenter, text);
    };
    if (k == "tick") {
        p.setPen(QPen(QColor(40, 150, 60), 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        QPolygonF tick;
        tick << QPointF(3, 8.5) << QPointF(6.5, 12) << QPointF(13, 4);
        p.drawPolyline(tick);
    } else if (k == "exclamation") {
        QPolygonF triangle;
        triangle << QPointF(8, 1) << QPointF(15, 14.5) << QPointF(1, 14.5);
        p.setPen(QPen(QColor(200, 120, 0), 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(QColor(245, 165, 20));
        p.drawPolygon(triangle);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(7.1, 5, 1.8, 5.5));
        p.drawRect(QRectF(7.1, 11.5, 1.8, 1.8));
    } else if (k == "question") {
        disc(QColor(60, 120, 200));
        glyph(QStringLiteral("?"));
    } else if (k == "info") {
        disc(QColor(40, 150, 190));
        glyph(QStringLiteral("i"));
    } else if (k == "plus") {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(40, 150, 60));
        p.drawRoundedRect(QRectF(6, 2, 4, 12), 1, 1);
        p.drawRoundedRect(QRectF(2, 6, 12, 4), 1, 1);
    } else if (k == "ale") {
        disc(QColor(130, 80, 170));
        glyph(QStringLiteral("A"));
    } else if (k == "dot") {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(130, 140, 150));
        p.drawEllipse(QPointF(8, 8), 3, 3);
    }
    return image;
}
} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    g_outDir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(g_outDir);

    save(base(false, Left::Pbx, Right::Far, Right::None), "itsp.png");
    save(base(false, Left::Pbx, Right::None, Right::LanOnly), "itsp_lan_only.png");
    save(base(true, Left::Pbx, Right::Far, Right::None), "itsp_krbx.png");
    save(base(false, Left::Users, Right::Far, Right::None), "hosted.png");
    save(base(false, Left::Users, Right::None, Right::LanOnly), "hosted_lan_only.png");
    save(base(true, Left::Users, Right::Far, Right::None), "hosted_krbx.png");
    save(base(false, Left::Pbx, Right::None, Right::RemoteUsers), "remote_users.png");
    save(base(true, Left::Pbx, Right::None, Right::RemoteUsers), "remote_users_krbx.png");
    save(base(false, Left::Pbx, Right::None, Right::Pstn), "gateway_pbx.png");
    save(base(false, Left::Pstn, Right::Far, Right::None), "gateway_itsp.png");
    save(overlayWan(), "wan.png");
    save(overlayLan(), "lan.png");
    save(overlayFeu(), "feu.png");
    save(overlayFeuLink(), "feu_link.png");
    save(canvas(kPicture), "empty.png");
    for (const char *kind : {"tick", "exclamation", "question", "plus", "ale", "dot", "info"})
        save(icon(kind), (QByteArray(kind) + ".png").constData());
    return 0;
}
