#pragma once
// Colours are Longs laid out 0x00BBGGRR, or system colours with the top bit
// set (0x8000000F, the button face).
#include <QColor>

#include "types.h"

namespace rt {

QColor toQColor(Long colour);
Long fromQColor(const QColor& c);
inline constexpr Long rgb(int r, int g, int b) {
    return r | (g << 8) | (b << 16);
}
inline constexpr Long sysColor(int index) {
    return static_cast<Long>(0x80000000u | static_cast<unsigned>(index));
}

}  // namespace rt
