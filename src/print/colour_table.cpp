#include "print/colour_table.h"

#include <array>

namespace ColourTable {

QColor colour(int number) {
    static const std::array<QColor, 16> table{
        QColor(0, 0, 0),       QColor(0, 0, 128),   QColor(0, 128, 0),   QColor(0, 128, 128),
        QColor(128, 0, 0),     QColor(128, 0, 128), QColor(128, 128, 0), QColor(192, 192, 192),
        QColor(128, 128, 128), QColor(0, 0, 255),   QColor(0, 255, 0),   QColor(0, 255, 255),
        QColor(255, 0, 0),     QColor(255, 0, 255), QColor(255, 255, 0), QColor(255, 255, 255)};
    return table[static_cast<size_t>(number & 15)];
}

std::uint32_t rgb(int number) {
    return static_cast<std::uint32_t>(colour(number).rgb() & 0xFFFFFF);
}

} // namespace ColourTable
