#include "color.h"

#include <QApplication>
#include <QPalette>

namespace rt {

QColor toQColor(Long colour) {
    const auto u = static_cast<std::uint32_t>(colour);
    if (u & 0x80000000u) {
        // The few system colours the windows use, taken from the light
        // classic scheme so that the look does not depend on the desktop theme.
        switch (u & 0xFF) {
            case 0x05:
                return QColor(255, 255, 255);  // window background
            case 0x08:
                return QColor(0, 0, 0);  // window text
            case 0x0D:
                return QColor(0, 120, 215);  // highlight
            case 0x0E:
                return QColor(255, 255, 255);  // highlight text
            case 0x0F:
                return QColor(240, 240, 240);  // button face
            case 0x10:
                return QColor(160, 160, 160);  // button shadow
            case 0x11:
                return QColor(109, 109, 109);  // grey text
            case 0x12:
                return QColor(0, 0, 0);  // button text
            default:
                return QColor(240, 240, 240);
        }
    }
    return QColor(u & 0xFF, (u >> 8) & 0xFF, (u >> 16) & 0xFF);
}

Long fromQColor(const QColor& c) {
    return rgb(c.red(), c.green(), c.blue());
}

}  // namespace rt
