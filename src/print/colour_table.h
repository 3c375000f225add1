#pragma once

#include <QColor>
#include <cstdint>

// The 16 numbered colours that screens and printouts name colours by. Printing needs them
// without the widgets, so the table lives here and the screens' palette reads it.
namespace ColourTable {

QColor colour(int number); // 0 black … 9 light blue, 10 light green, 12 light red … 15 white
std::uint32_t rgb(int number); // the same as 0xRRGGBB, for files that spell colours so

} // namespace ColourTable
