#pragma once

#include "store/startup_settings.h"

#include <QColor>

// The 16-colour palette the screens and printouts name colours by, and the settings' light
// background colours.
namespace Palette {

QColor colour(int number); // 0 black … 9 light blue, 10 light green, 12 light red … 15 white
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
