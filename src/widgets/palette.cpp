#include "widgets/palette.h"

#include "print/colour_table.h"

namespace Palette {

QColor colour(int number) {
    return ColourTable::colour(number);
}

} // namespace Palette
