// The generated skin pictures against the colour table, and the picture sheet
// of every look (written when CONTROL_LOOKS_PNG names a file).
#include "controls/skins.h"

#include <gtest/gtest.h>

#include <QFont>
#include <QPainter>
#include <QSet>
#include <cstdlib>

namespace {

using controls::skins::checkPictures;
using controls::skins::optionPictures;

QRgb at(const rt::PicturePtr& p, int x, int y) {
    return p->image().pixel(x, y) | 0xFF000000u;
}

// Close enough for smoothed stroke pixels: each channel within a tolerance.
bool near(QRgb a, QRgb b, int tol) {
    return std::abs(qRed(a) - qRed(b)) <= tol && std::abs(qGreen(a) - qGreen(b)) <= tol &&
           std::abs(qBlue(a) - qBlue(b)) <= tol;
}

int brightness(QRgb c) {
    return qRed(c) + qGreen(c) + qBlue(c);
}

TEST(CheckSkins, EveryPictureIsAnOpaque13PixelSquareWithAHandleOfItsOwn) {
    for (const auto& list :
         {std::vector<rt::PicturePtr>(checkPictures().begin(), checkPictures().end()),
          std::vector<rt::PicturePtr>(optionPictures().begin(), optionPictures().end())}) {
        for (const auto& p : list) {
            ASSERT_EQ(p->widthPx(), 13);
            ASSERT_EQ(p->heightPx(), 13);
            EXPECT_EQ(p->image().depth(), 32);
            for (int y = 0; y < 13; ++y)
                for (int x = 0; x < 13; ++x)
                    ASSERT_EQ(qAlpha(p->image().pixel(x, y)), 255) << x << "," << y;
        }
    }
    // Made once; hover and pressed share their pixels but not their handle,
    // which the radio button compares.
    EXPECT_EQ(&checkPictures(), &checkPictures());
    QSet<quintptr> handles;
    for (const auto& p : checkPictures()) handles.insert(p->Handle());
    for (const auto& p : optionPictures()) handles.insert(p->Handle());
    EXPECT_EQ(handles.size(), 20);
    for (int v = 0; v < 3; ++v)
        EXPECT_EQ(checkPictures()[v * 4 + 1]->image(), checkPictures()[v * 4 + 2]->image());
    for (int v = 0; v < 2; ++v)
        EXPECT_EQ(optionPictures()[v * 4 + 1]->image(), optionPictures()[v * 4 + 2]->image());
}

TEST(CheckSkins, BorderFillAndMarkFollowTheTable) {
    struct Row {
        QRgb border, fill, mark;
    };
    const Row rows[12] = {
        {0xAAADB0, 0xF1F3F4, 0},        {0x1885D2, 0xF1F3F4, 0},
        {0x1885D2, 0xF1F3F4, 0},        {0xCFD3D7, 0xF2F5F9, 0},
        {0xAAADB0, 0xF1F3F4, 0x00AD41}, {0x1885D2, 0xF1F3F4, 0x00AD41},
        {0x1885D2, 0xF1F3F4, 0x00AD41}, {0xBDBFC2, 0xF8F9F9, 0xA4A5A6},
        {0xAAADB0, 0xF1F3F4, 0x00AD41}, {0x1885D2, 0xF1F3F4, 0x00AD41},
        {0x1885D2, 0xF1F3F4, 0x00AD41}, {0xCFD3D7, 0xF2F5F9, 0xA8ACB1},
    };
    for (int i = 0; i < 12; ++i) {
        SCOPED_TRACE(i);
        const auto& p = checkPictures()[i];
        const QRgb border = rows[i].border | 0xFF000000u, fill = rows[i].fill | 0xFF000000u;
        // The frame, corners included, is one crisp pixel wide.
        for (int k = 0; k < 13; ++k) {
            EXPECT_EQ(at(p, k, 0), border);
            EXPECT_EQ(at(p, k, 12), border);
            EXPECT_EQ(at(p, 0, k), border);
            EXPECT_EQ(at(p, 12, k), border);
        }
        EXPECT_EQ(at(p, 1, 1), fill);
        EXPECT_EQ(at(p, 11, 11), fill);
        EXPECT_EQ(at(p, 1, 11), fill);
        const int value = i / 4;
        if (value == 0) {
            for (int y = 1; y < 12; ++y)
                for (int x = 1; x < 12; ++x) ASSERT_EQ(at(p, x, y), fill) << x << "," << y;
        } else if (value == 2) {
            const QRgb mark = rows[i].mark | 0xFF000000u;
            EXPECT_EQ(at(p, 3, 3), mark);
            EXPECT_EQ(at(p, 9, 9), mark);
            EXPECT_EQ(at(p, 6, 6), mark);
            EXPECT_EQ(at(p, 2, 2), fill);
            EXPECT_EQ(at(p, 10, 6), fill);
            EXPECT_EQ(at(p, 6, 10), fill);
        } else {
            const QRgb mark = rows[i].mark | 0xFF000000u;
            // Solid pixels on the short stroke, at the bend and on the long one.
            EXPECT_TRUE(near(at(p, 3, 8), mark, 24));
            EXPECT_TRUE(near(at(p, 5, 9), mark, 24));
            EXPECT_TRUE(near(at(p, 9, 4), mark, 24));
            // Away from the tick the box stays light.
            EXPECT_EQ(at(p, 2, 3), fill);
            EXPECT_EQ(at(p, 9, 10), fill);
        }
    }
}

TEST(OptionSkins, RingFillOutsideAndDotFollowTheTable) {
    struct Row {
        QRgb ring, fill, outside, dot;
    };
    const Row rows[8] = {
        {0xAAADB0, 0xF1F3F4, 0xF4F8FD, 0},        {0x1885D2, 0xF1F3F4, 0xF4F8FD, 0},
        {0x1885D2, 0xF1F3F4, 0xF4F8FD, 0},        {0xBBBEC1, 0xF8F9F9, 0xF9FCFE, 0},
        {0xAAADB0, 0xF1F3F4, 0xF4F8FD, 0x00AD41}, {0x2871D5, 0xF1F3F4, 0xF4F8FD, 0x00AD41},
        {0x2871D5, 0xF1F3F4, 0xF4F8FD, 0x00AD41}, {0xBCBFC2, 0xF8F9F9, 0xF9FCFE, 0xA8ACB1},
    };
    for (int i = 0; i < 8; ++i) {
        SCOPED_TRACE(i);
        const auto& p = optionPictures()[i];
        const QRgb ring = rows[i].ring | 0xFF000000u;
        // The ring touches the middle of every edge with a full pixel...
        EXPECT_EQ(at(p, 6, 0), ring);
        EXPECT_EQ(at(p, 0, 6), ring);
        EXPECT_EQ(at(p, 12, 6), ring);
        EXPECT_EQ(at(p, 6, 12), ring);
        // ...and, dot aside, no pixel is darker than the table's ring colour.
        if (!rows[i].dot) {
            for (int y = 0; y < 13; ++y)
                for (int x = 0; x < 13; ++x)
                    ASSERT_GE(brightness(at(p, x, y)), brightness(ring)) << x << "," << y;
        }
        // Corners are the near-white outside, opaque.
        EXPECT_EQ(at(p, 0, 0), rows[i].outside | 0xFF000000u);
        EXPECT_EQ(at(p, 12, 12), rows[i].outside | 0xFF000000u);
        EXPECT_EQ(at(p, 2, 6), rows[i].fill | 0xFF000000u);
        if (rows[i].dot) {
            EXPECT_EQ(at(p, 6, 6), rows[i].dot | 0xFF000000u);
            EXPECT_EQ(at(p, 4, 6), rows[i].dot | 0xFF000000u);
        } else {
            EXPECT_EQ(at(p, 6, 6), rows[i].fill | 0xFF000000u);
        }
    }
}

// Not a check: renders all twenty looks at four times their size for a human
// to look at. Run with CONTROL_LOOKS_PNG=docs/control-looks.png.
TEST(CheckAndOptionLooks, PictureSheet) {
    const char* out = std::getenv("CONTROL_LOOKS_PNG");
    if (!out || !*out) GTEST_SKIP() << "set CONTROL_LOOKS_PNG to write the sheet";
    constexpr int zoom = 4, cell = 13 * zoom, gap = 12, top = 18, rowGap = 26;
    const int width = gap + 12 * (cell + gap);
    QImage sheet(width, top + cell + rowGap + top + cell + gap, QImage::Format_ARGB32);
    sheet.fill(QColor(240, 240, 240));
    QPainter painter(&sheet);
    QFont f;
    f.setPixelSize(11);
    painter.setFont(f);
    painter.setPen(Qt::black);
    auto draw = [&](int row, int i, const rt::PicturePtr& p) {
        const int x = gap + i * (cell + gap);
        const int y = row * (top + cell + rowGap) + top;
        painter.drawText(QRect(x, y - top, cell, top), Qt::AlignCenter, QString::number(i));
        painter.drawImage(QRect(x, y, cell, cell), p->image());
    };
    for (int i = 0; i < 12; ++i) draw(0, i, checkPictures()[i]);
    for (int i = 0; i < 8; ++i) draw(1, i, optionPictures()[i]);
    painter.end();
    ASSERT_TRUE(sheet.save(QString::fromLocal8Bit(out)));
}

}  // namespace
