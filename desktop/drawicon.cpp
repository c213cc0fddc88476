// Draws the menu icon of one program at one size:
//
//   drawicon tessadrel|pellork SIZE OUT.png
//
// A rounded tile in the program's colour with a phone on it; the main
// program's phone shows a wrench, the companion's a tick. Plain shapes only,
// so no fonts and no display are needed at build time.
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QString>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

void drawPhone(QPainter& p, const QColor& tile) {
    // The phone body, its screen and the earpiece, on a 100x100 grid.
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(30, 12, 40, 76), 7, 7);
    p.setBrush(tile.darker(160));
    p.drawRoundedRect(QRectF(34, 20, 32, 58), 2, 2);
    p.setBrush(tile.lighter(130));
    p.drawRoundedRect(QRectF(44, 15, 12, 2.2), 1, 1);
    p.drawEllipse(QPointF(50, 83), 2.6, 2.6);
}

void drawWrench(QPainter& p) {
    // A wrench across the screen, jaw top right.
    p.save();
    p.translate(51, 50);
    p.rotate(45);
    p.scale(0.8, 0.8);
    QPainterPath path;
    path.addRoundedRect(QRectF(-3.2, -6, 6.4, 26), 3, 3);
    QPainterPath head;
    head.addEllipse(QPointF(0, -12), 10, 10);
    QPainterPath jaw;
    jaw.addRect(QRectF(-3.6, -25, 7.2, 14));
    path = path.united(head).subtracted(jaw);
    p.setBrush(QColor(255, 200, 60));
    p.drawPath(path);
    p.restore();
}

void drawTick(QPainter& p) {
    QPen pen(QColor(255, 255, 255), 6.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    QPainterPath path;
    path.moveTo(39, 50);
    path.lineTo(47, 58);
    path.lineTo(61, 40);
    p.drawPath(path);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: drawicon tessadrel|pellork SIZE OUT.png\n");
        return 2;
    }
    const bool main = std::strcmp(argv[1], "tessadrel") == 0;
    if (!main && std::strcmp(argv[1], "pellork") != 0) {
        std::fprintf(stderr, "drawicon: unknown program %s\n", argv[1]);
        return 2;
    }
    const int size = std::atoi(argv[2]);
    if (size < 16 || size > 1024) {
        std::fprintf(stderr, "drawicon: size %s out of range\n", argv[2]);
        return 2;
    }

    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(size / 100.0, size / 100.0);
        const QColor tile = main ? QColor(32, 110, 210) : QColor(36, 150, 90);
        p.setPen(Qt::NoPen);
        p.setBrush(tile);
        p.drawRoundedRect(QRectF(4, 4, 92, 92), 20, 20);
        drawPhone(p, tile);
        if (main)
            drawWrench(p);
        else
            drawTick(p);
    }
    if (!image.save(QString::fromLocal8Bit(argv[3]), "PNG")) {
        std::fprintf(stderr, "drawicon: cannot write %s\n", argv[3]);
        return 1;
    }
    return 0;
}
