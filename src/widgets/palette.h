#pragma once

#include "store/startup_settings.h"

#include <QColor>

// The 16-colour palette the screens and printouts name colours by, and the settings' light
// background colours.
namespace Palette {

// The palette's numbers by the colour they give. Settings keep colours as these numbers, so
// they stay plain numbers.
enum Number : int {
    Black = 0,
    Navy = 1,
    DarkGreen = 2,
    Teal = 3,
    Maroon = 4,
    Purple = 5,
    Olive = 6,
    Silver = 7,
    Grey = 8,
    Blue = 9,
    Green = 10,
    Cyan = 11,
    Red = 12,
    Magenta = 13,
    Yellow = 14,
    White = 15,
};

QColor colour(int number); // numbers outside 0…15 wrap round
inline QColor fromRgb(const Rgb& c) {
    return QColor(c.red, c.green, c.blue);
}

inline const QColor& fixedCellBackground() {
    static const QColor c(212, 208, 200);
    return c;
}

} // namespace Palette

namespace Units {
// Screen sizes are given in twips: 15 twips a pixel at 96 dpi.
constexpr int twipsToPixels(int twips) {
    return (twips + 7) / 15;
}
} // namespace Units
