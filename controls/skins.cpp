#include "skins.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace controls::skins {

namespace {

struct BoxLook {
    QRgb border;
    QRgb fill;
};

// Value 0 and 2 share their frames; the ticked box has a paler disabled frame.
constexpr BoxLook kBoxNormal{0xFFAAADB0, 0xFFF1F3F4};
constexpr BoxLook kBoxHover{0xFF1885D2, 0xFFF1F3F4};
constexpr BoxLook kBoxDisabled{0xFFCFD3D7, 0xFFF2F5F9};
constexpr BoxLook kBoxTickDisabled{0xFFBDBFC2, 0xFFF8F9F9};
constexpr QRgb kMarkGreen = 0xFF00AD41;
constexpr QRgb kTickGrey = 0xFFA4A5A6;
constexpr QRgb kSquareGrey = 0xFFA8ACB1;

enum class Mark { None, Tick, Square };

QImage boxImage(const BoxLook& look, Mark mark, QRgb markColour) {
    QImage img(kGlyphPx, kGlyphPx, QImage::Format_ARGB32);
    img.fill(look.border);
    QPainter p(&img);
    p.fillRect(1, 1, kGlyphPx - 2, kGlyphPx - 2, QColor::fromRgb(look.fill));
    if (mark == Mark::Square) {
        // Rows and columns 3 to 9: two fill pixels between mark and border.
        p.fillRect(3, 3, 7, 7, QColor::fromRgb(markColour));
    } else if (mark == Mark::Tick) {
        p.setRenderHint(QPainter::Antialiasing);
        QPainterPath tick;
        tick.moveTo(1.6, 7.0);
        tick.lineTo(4.9, 10.3);
        tick.lineTo(11.4, 2.2);
        QPen pen(QColor::fromRgb(markColour), 2.1);
        pen.setCapStyle(Qt::FlatCap);
        pen.setJoinStyle(Qt::MiterJoin);
        p.strokePath(tick, pen);
        // The stroke ends may spill onto the frame; the frame stays crisp.
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(QColor::fromRgb(look.border));
        p.setBrush(Qt::NoBrush);
        p.drawRect(0, 0, kGlyphPx - 1, kGlyphPx - 1);
    }
    return img;
}

struct RingLook {
    QRgb ring;
    QRgb fill;
    QRgb outside;
};

// The ring is computed rather than painted: each pixel mixes the colours of
// the regions (outside, ring, fill, dot) in proportion to how many of 8 x 8
// sample points fall in each, so the pixels where the ring crosses the middle
// of an edge come out exactly in the ring's colour.
QImage ringImage(const RingLook& look, bool dot, QRgb dotColour) {
    constexpr int kSamples = 8;
    constexpr double centre = kGlyphPx / 2.0;
    constexpr double outer = kGlyphPx / 2.0;  // 13 pixels across
    constexpr double inner = outer - 1.0;     // one pixel wide
    constexpr double dotRadius = 3.5;         // rows and columns 3 to 9
    QImage img(kGlyphPx, kGlyphPx, QImage::Format_ARGB32);
    for (int py = 0; py < kGlyphPx; ++py) {
        for (int px = 0; px < kGlyphPx; ++px) {
            double r = 0, g = 0, b = 0;
            for (int sy = 0; sy < kSamples; ++sy) {
                for (int sx = 0; sx < kSamples; ++sx) {
                    const double dx = px + (sx + 0.5) / kSamples - centre;
                    const double dy = py + (sy + 0.5) / kSamples - centre;
                    const double d = std::sqrt(dx * dx + dy * dy);
                    // Pixels outside the ring are opaque near-white, so the
                    // glyph looks the same on any back colour.
                    QRgb c = look.outside;
                    if (dot && d <= dotRadius)
                        c = dotColour;
                    else if (d <= inner)
                        c = look.fill;
                    else if (d <= outer)
                        c = look.ring;
                    r += qRed(c);
                    g += qGreen(c);
                    b += qBlue(c);
                }
            }
            constexpr double n = kSamples * kSamples;
            img.setPixel(
                px, py,
                qRgb(static_cast<int>(std::lround(r / n)), static_cast<int>(std::lround(g / n)),
                     static_cast<int>(std::lround(b / n))));
        }
    }
    return img;
}

template <std::size_t N>
std::array<rt::PicturePtr, N> picturesOf(const std::array<QImage, N>& images) {
    std::array<rt::PicturePtr, N> r;
    for (std::size_t i = 0; i < N; ++i) r[i] = std::make_shared<rt::Picture>(images[i]);
    return r;
}

}  // namespace

const std::array<rt::PicturePtr, 12>& checkPictures() {
    static const std::array<rt::PicturePtr, 12> pictures = [] {
        const QImage clear = boxImage(kBoxNormal, Mark::None, 0);
        const QImage clearHot = boxImage(kBoxHover, Mark::None, 0);
        const QImage ticked = boxImage(kBoxNormal, Mark::Tick, kMarkGreen);
        const QImage tickedHot = boxImage(kBoxHover, Mark::Tick, kMarkGreen);
        const QImage third = boxImage(kBoxNormal, Mark::Square, kMarkGreen);
        const QImage thirdHot = boxImage(kBoxHover, Mark::Square, kMarkGreen);
        return picturesOf<12>({
            clear,
            clearHot,
            clearHot,
            boxImage(kBoxDisabled, Mark::None, 0),
            ticked,
            tickedHot,
            tickedHot,
            boxImage(kBoxTickDisabled, Mark::Tick, kTickGrey),
            third,
            thirdHot,
            thirdHot,
            boxImage(kBoxDisabled, Mark::Square, kSquareGrey),
        });
    }();
    return pictures;
}

const std::array<rt::PicturePtr, 8>& optionPictures() {
    static const std::array<rt::PicturePtr, 8> pictures = [] {
        constexpr RingLook normal{0xFFAAADB0, 0xFFF1F3F4, 0xFFF4F8FD};
        constexpr RingLook hover{0xFF1885D2, 0xFFF1F3F4, 0xFFF4F8FD};
        constexpr RingLook disabled{0xFFBBBEC1, 0xFFF8F9F9, 0xFFF9FCFE};
        constexpr RingLook selHover{0xFF2871D5, 0xFFF1F3F4, 0xFFF4F8FD};
        constexpr RingLook selDisabled{0xFFBCBFC2, 0xFFF8F9F9, 0xFFF9FCFE};
        const QImage hot = ringImage(hover, false, 0);
        const QImage selHot = ringImage(selHover, true, kMarkGreen);
        return picturesOf<8>({
            ringImage(normal, false, 0),
            hot,
            hot,
            ringImage(disabled, false, 0),
            ringImage(normal, true, kMarkGreen),
            selHot,
            selHot,
            ringImage(selDisabled, true, kSquareGrey),
        });
    }();
    return pictures;
}

}  // namespace controls::skins
