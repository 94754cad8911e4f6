// Draws the logo, the welcome picture and the product pictures into resources/images.
//   tools/draw_pictures.sh
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cstdio>

namespace
{
QString g_dir;

bool save(const QImage &image, const char *name)
{
    const QString path = g_dir + QLatin1Char('/') + QLatin1String(name);
    if (!image.save(path, "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

QImage canvas(int w, int h)
{
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

// The leaf over a cluster of berries, in the logo's 64 x 64 coordinates.
void drawBramble(QPainter &p)
{
    QPainterPath leaf;
    leaf.moveTo(32, 10);
    leaf.cubicTo(46, 12, 50, 22, 44, 28);
    leaf.cubicTo(38, 26, 32, 20, 32, 10);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xb8, 0xe0, 0x8a));
    p.drawPath(leaf);
    p.setBrush(Qt::white);
    const QPointF berries[] = {{24, 32}, {34, 32}, {29, 40}, {39, 40}, {19, 40}, {24, 48}, {34, 48}};
    for (const QPointF &c : berries)
        p.drawEllipse(c, 5.2, 5.2);
    p.setBrush(QColor(0x1f, 0x4f, 0x3a));
    for (const QPointF &c : berries)
        p.drawEllipse(c + QPointF(-1.6, -1.6), 1.3, 1.3);
}

void drawLogo()
{
    QImage image = canvas(64, 64);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient bg(0, 0, 0, 64);
    bg.setColorAt(0, QColor(0x3b, 0x8a, 0x63));
    bg.setColorAt(1, QColor(0x1f, 0x4f, 0x3a));
    p.setPen(Qt::NoPen);
    p.setBrush(bg);
    p.drawRoundedRect(QRectF(2, 2, 60, 60), 12, 12);
    drawBramble(p);
    p.end();
    save(image, "logo.png");
}

// The welcome page's side picture (the wizard's watermark size): the bramble over a stack of
// appliances joined by their links, on a panel that fades out downwards into whatever lies below.
void drawWelcome()
{
    const int w = 164, h = 314;
    QImage image = canvas(w, h);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient bg(0, 0, 0, h);
    bg.setColorAt(0, QColor(0x3b, 0x8a, 0x63));
    bg.setColorAt(0.55, QColor(0x2a, 0x6b, 0x4d));
    bg.setColorAt(1, QColor(0x2a, 0x6b, 0x4d, 0));
    p.fillRect(QRectF(0, 0, w, h), bg);

    p.save();
    p.translate(w / 2.0 - 29 * 1.6, 14);
    p.scale(1.6, 1.6);
    drawBramble(p);
    p.restore();

    // Three appliances, one above the other, their ports lit.
    for (int i = 0; i < 3; ++i) {
        const QRectF box(22, 124 + i * 36, 120, 24);
        p.setPen(QPen(QColor(0x0e, 0x24, 0x1b), 1.2));
        p.setBrush(QColor(0xe8, 0xf2, 0xec));
        p.drawRoundedRect(box, 4, 4);
        p.setPen(Qt::NoPen);
        for (int port = 0; port < 4; ++port) {
            p.setBrush(QColor(0x2e, 0x32, 0x3a));
            p.drawRect(QRectF(box.left() + 10 + port * 16, box.top() + 8, 11, 9));
            p.setBrush(port <= i ? QColor(0x6c, 0xd0, 0x4a) : QColor(0x8a, 0x90, 0x96));
            p.drawEllipse(QPointF(box.left() + 15.5 + port * 16, box.top() + 4.5), 1.6, 1.6);
        }
        p.setBrush(QColor(0xb8, 0xe0, 0x8a));
        p.drawEllipse(QPointF(box.right() - 14, box.center().y()), 4, 4);
        if (i > 0) {
            p.setPen(QPen(QColor(0xb8, 0xe0, 0x8a), 2));
            p.drawLine(QPointF(box.left() + 6, box.top() - 12), QPointF(box.left() + 6, box.top()));
            p.drawLine(QPointF(box.right() - 6, box.top() - 12), QPointF(box.right() - 6, box.top()));
        }
    }
    p.end();
    save(image, "welcome.png");
}

struct Front {
    const char *file;
    const char *name;
    int width;
    int height;
    int copperPorts;
    int fibrePorts;
    bool rack; // rack ears and a flat front; desktop boxes get rounded corners
    int fans;
    int bays;
    int rows;
    const char *line; // product line under the name
};

void drawPort(QPainter &p, const QRectF &r, bool fibre)
{
    p.setPen(QPen(QColor(0x20, 0x20, 0x20), 1));
    p.setBrush(QColor(0x15, 0x15, 0x18));
    if (fibre) {
        p.drawRect(r);
        p.setBrush(QColor(0x70, 0x70, 0x78));
        p.drawRect(r.adjusted(3, 4, -3, -4));
    } else {
        QPainterPath jack;
        jack.addRect(r.adjusted(0, 3, 0, 0));
        jack.addRect(QRectF(r.center().x() - 3, r.top(), 6, 4));
        p.drawPath(jack.simplified());
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x4c, 0xd0, 0x5a));
    p.drawEllipse(QPointF(r.left() + 3, r.top() - 4), 1.6, 1.6);
    p.setBrush(QColor(0xf0, 0xb0, 0x30));
    p.drawEllipse(QPointF(r.right() - 3, r.top() - 4), 1.6, 1.6);
}

void drawFront(const Front &f)
{
    QImage image = canvas(f.width, f.height);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const int ear = f.rack ? 14 : 0;
    QRectF body(ear + 1, 1, f.width - 2 * ear - 2, f.height - 8);
    if (f.rack) {
        p.setPen(QPen(QColor(0x55, 0x58, 0x60), 1));
        p.setBrush(QColor(0xb4, 0xb8, 0xc0));
        for (const QRectF &e :
            {QRectF(1, 1, ear + 2, f.height - 8), QRectF(f.width - ear - 3, 1, ear + 2, f.height - 8)}) {
            p.drawRect(e);
            p.setBrush(QColor(0x40, 0x40, 0x48));
            p.drawEllipse(QPointF(e.center().x(), e.top() + 9), 2.5, 2.5);
            p.drawEllipse(QPointF(e.center().x(), e.bottom() - 9), 2.5, 2.5);
            p.setBrush(QColor(0xb4, 0xb8, 0xc0));
        }
    } else {
        // Shadow under a desktop box.
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 40));
        p.drawRoundedRect(body.translated(0, 5).adjusted(4, 0, -4, 0), 8, 8);
    }
    QLinearGradient metal(0, body.top(), 0, body.bottom());
    metal.setColorAt(0, QColor(0x5a, 0x60, 0x6a));
    metal.setColorAt(1, QColor(0x2e, 0x32, 0x3a));
    p.setPen(QPen(QColor(0x1c, 0x1e, 0x22), 1.2));
    p.setBrush(metal);
    p.drawRoundedRect(body, f.rack ? 2 : 8, f.rack ? 2 : 8);
    // Accent stripe and model name on the left.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x3b, 0x8a, 0x63));
    p.drawRect(QRectF(body.left() + 8, body.top() + 8, 4, body.height() - 16));
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(13);
    font.setBold(true);
    p.setFont(font);
    p.setPen(QColor(0xf2, 0xf2, 0xf2));
    const QRectF nameBox(body.left() + 18, body.top() + 6, 130, 20);
    p.drawText(nameBox, Qt::AlignLeft | Qt::AlignVCenter, QString::fromUtf8(f.name));
    font.setPixelSize(9);
    font.setBold(false);
    p.setFont(font);
    p.setPen(QColor(0xb8, 0xc0, 0xc8));
    p.drawText(QRectF(body.left() + 18, body.top() + 24, 130, 14), Qt::AlignLeft | Qt::AlignVCenter,
        QString::fromUtf8(f.line));
    // Status LEDs.
    const QColor leds[] = {QColor(0x4c, 0xd0, 0x5a), QColor(0x4c, 0xd0, 0x5a), QColor(0xf0, 0xb0, 0x30)};
    for (int i = 0; i < 3; ++i) {
        p.setBrush(leds[i]);
        p.drawEllipse(QPointF(body.left() + 22 + i * 10, body.bottom() - 10), 2.4, 2.4);
    }
    // Ports, right-aligned in pairs.
    const double portW = 16, portH = 13, gap = 5;
    for (int row = 0; row < f.rows; ++row) {
        double x = body.right() - 12;
        const double rowPitch = body.height() / (f.rows + 1);
        const double y = body.top() + rowPitch * (row + 1) - portH / 2 + 4;
        for (int i = 0; i < f.fibrePorts / f.rows; ++i) {
            x -= portW + gap;
            drawPort(p, QRectF(x, y, portW, portH), true);
        }
        if (f.fibrePorts)
            x -= 8;
        for (int i = 0; i < f.copperPorts / f.rows; ++i) {
            x -= portW + (i % 2 ? gap + 4 : gap);
            drawPort(p, QRectF(x, y, portW, portH), false);
        }
    }
    // Fans and drive bays between the name and the ports.
    double left = body.left() + 160;
    for (int i = 0; i < f.fans; ++i) {
        const QPointF c(left + 14 + i * 32, body.center().y());
        p.setPen(QPen(QColor(0x18, 0x18, 0x1c), 1));
        p.setBrush(QColor(0x26, 0x28, 0x2e));
        p.drawEllipse(c, 12, 12);
        p.setPen(QPen(QColor(0x5a, 0x60, 0x6a), 1));
        for (int r = 4; r <= 10; r += 3)
            p.drawEllipse(c, r, r);
    }
    left += f.fans * 32;
    for (int i = 0; i < f.bays; ++i) {
        const QRectF bay(left + i * 34, body.top() + 8, 30, body.height() - 16);
        p.setPen(QPen(QColor(0x18, 0x18, 0x1c), 1));
        p.setBrush(QColor(0x42, 0x46, 0x4e));
        p.drawRect(bay);
        p.setPen(QPen(QColor(0x6a, 0x70, 0x7a), 1));
        for (double ly = bay.top() + 5; ly < bay.bottom() - 3; ly += 4)
            p.drawLine(QPointF(bay.left() + 4, ly), QPointF(bay.right() - 4, ly));
    }
    p.end();
    save(image, f.file);
}

void drawVirtual()
{
    QImage image = canvas(360, 90);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // A cloud holding a stack of virtual machines.
    QPainterPath cloud;
    cloud.addEllipse(QRectF(40, 30, 90, 54));
    cloud.addEllipse(QRectF(90, 8, 110, 76));
    cloud.addEllipse(QRectF(170, 24, 100, 60));
    cloud.addRoundedRect(QRectF(60, 52, 190, 32), 14, 14);
    cloud.setFillRule(Qt::WindingFill);
    cloud = cloud.simplified();
    QLinearGradient sky(0, 8, 0, 84);
    sky.setColorAt(0, QColor(0xe4, 0xf1, 0xea));
    sky.setColorAt(1, QColor(0xbf, 0xdc, 0xcc));
    p.setPen(QPen(QColor(0x3b, 0x8a, 0x63), 2));
    p.setBrush(sky);
    p.drawPath(cloud);
    for (int i = 0; i < 2; ++i) {
        const QRectF vm(118 + i * 44, 34 + i * 4 - 4, 56, 36);
        p.setPen(QPen(QColor(0x1c, 0x1e, 0x22), 1.2));
        p.setBrush(i ? QColor(0x2e, 0x32, 0x3a) : QColor(0x5a, 0x60, 0x6a));
        p.drawRoundedRect(vm, 4, 4);
        p.setPen(QColor(0xf2, 0xf2, 0xf2));
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(12);
        font.setBold(true);
        p.setFont(font);
        p.drawText(vm, Qt::AlignCenter, i ? QStringLiteral("X2") : QStringLiteral("X1"));
    }
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(13);
    font.setBold(true);
    p.setFont(font);
    p.setPen(QColor(0x1f, 0x4f, 0x3a));
    p.drawText(QRectF(270, 30, 90, 40), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Quorvex\nVirtual"));
    p.end();
    save(image, "qsw.png");
}
// The device dialogs' pictures: a computer above a device, the arrow showing where the
// configuration goes ("download.png" into the device, "upload.png" out of it).
void drawTransfer(const char *file, bool toDevice)
{
    QImage image = canvas(96, 112);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // Laptop: screen and keyboard.
    p.setPen(QPen(QColor(0x1c, 0x1e, 0x22), 1.5));
    p.setBrush(QColor(0x5a, 0x60, 0x6a));
    p.drawRoundedRect(QRectF(14, 6, 48, 32), 3, 3);
    p.setBrush(QColor(0xd8, 0xec, 0xf4));
    p.drawRect(QRectF(18, 10, 40, 24));
    p.setPen(QPen(QColor(0x3b, 0x8a, 0x63), 2));
    for (int i = 0; i < 3; ++i)
        p.drawLine(QPointF(22, 15 + i * 6), QPointF(i == 2 ? 40 : 52, 15 + i * 6));
    p.setPen(QPen(QColor(0x1c, 0x1e, 0x22), 1.5));
    p.setBrush(QColor(0x8a, 0x90, 0x9a));
    QPainterPath base;
    base.moveTo(10, 40);
    base.lineTo(66, 40);
    base.lineTo(70, 46);
    base.lineTo(6, 46);
    base.closeSubpath();
    p.drawPath(base);
    // Device: a small desktop box with ports and LEDs.
    const QRectF box(8, 84, 80, 22);
    QLinearGradient metal(0, box.top(), 0, box.bottom());
    metal.setColorAt(0, QColor(0x5a, 0x60, 0x6a));
    metal.setColorAt(1, QColor(0x2e, 0x32, 0x3a));
    p.setBrush(metal);
    p.drawRoundedRect(box, 4, 4);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x3b, 0x8a, 0x63));
    p.drawRect(QRectF(box.left() + 6, box.top() + 5, 3, box.height() - 10));
    for (int i = 0; i < 4; ++i) {
        p.setBrush(QColor(0x15, 0x15, 0x18));
        p.drawRect(QRectF(box.left() + 38 + i * 10, box.top() + 8, 8, 8));
    }
    p.setBrush(QColor(0x4c, 0xd0, 0x5a));
    p.drawEllipse(QPointF(box.left() + 16, box.top() + 11), 2.2, 2.2);
    p.setBrush(QColor(0xf0, 0xb0, 0x30));
    p.drawEllipse(QPointF(box.left() + 24, box.top() + 11), 2.2, 2.2);
    // Curved arrow on the right, between the two.
    QPainterPath arc;
    const QPointF top(74, 30);
    const QPointF bottom(74, 78);
    arc.moveTo(toDevice ? top : bottom);
    arc.cubicTo(QPointF(92, toDevice ? 40 : 68), QPointF(92, toDevice ? 68 : 40), toDevice ? bottom : top);
    p.setPen(QPen(QColor(0xd0, 0x6a, 0x1a), 4, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(arc);
    const QPointF tip = toDevice ? bottom + QPointF(-2, 4) : top + QPointF(-2, -4);
    const double dir = toDevice ? 1 : -1;
    QPainterPath head;
    head.moveTo(tip);
    head.lineTo(tip + QPointF(-8, -9 * dir));
    head.lineTo(tip + QPointF(7, -7 * dir));
    head.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xd0, 0x6a, 0x1a));
    p.drawPath(head);
    p.end();
    save(image, file);
}
} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: draw_images <output folder>\n");
        return 2;
    }
    g_dir = QString::fromLocal8Bit(argv[1]);
    drawLogo();
    drawWelcome();
    const char *const sbc = "Session Border Controller";
    // The KRBX business routers are built on the A-series boxes.
    const char *const router = "KRBX Business Router";
    const Front fronts[] = {
        {"qa1.png", "Quorvex A1", 300, 70, 4, 0, false, 0, 0, 1, sbc},
        {"qa1l.png", "Quorvex A1L", 280, 70, 2, 0, false, 0, 0, 1, sbc},
        {"qa2.png", "Quorvex A2", 360, 74, 6, 0, false, 0, 0, 1, sbc},
        {"qa3.png", "Quorvex A3", 420, 70, 6, 2, true, 0, 0, 1, sbc},
        {"qb7.png", "Quorvex B7", 440, 70, 8, 0, true, 0, 0, 1, sbc},
        {"qb8.png", "Quorvex B8", 460, 100, 8, 4, true, 2, 0, 2, sbc},
        {"qc9.png", "Quorvex C9", 440, 70, 4, 0, true, 0, 4, 1, sbc},
        {"qa1_krbx.png", "Quorvex A1", 300, 70, 4, 0, false, 0, 0, 1, router},
        {"qa1l_krbx.png", "Quorvex A1L", 280, 70, 2, 0, false, 0, 0, 1, router},
        {"qa2_krbx.png", "Quorvex A2", 360, 74, 6, 0, false, 0, 0, 1, router},
        {"qa3_krbx.png", "Quorvex A3", 420, 70, 6, 2, true, 0, 0, 1, router},
    };
    for (const Front &f : fronts)
        drawFront(f);
    drawVirtual();
    drawTransfer("download.png", true);
    drawTransfer("upload.png", false);
    return 0;
}
