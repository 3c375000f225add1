#pragma once

#include "widgets/flex_grid.h"

#include <QFontMetrics>
#include <QStringList>

// The cells of `grid` whose text is wider than the cell (spans included) less its margins and
// a little slack, as "row,col:text": a grid shows these cut off with "…". The slack is what
// mixed Latin and kanji text was seen to need beyond its measured width.
inline QStringList cutOffCells(const FlexGrid& grid) {
    QStringList out;
    for (int r = 0; r < grid.rows(); ++r)
        for (int c = 0; c < grid.cols(); ++c) {
            const QTableWidgetItem* item = grid.item(r, c);
            if (!item || item->text().isEmpty())
                continue;
            int width = 0;
            for (int k = 0; k < grid.columnSpan(r, c); ++k)
                width += grid.columnWidth(c + k);
            const QFont font = item->data(Qt::FontRole).isValid() ? item->font() : grid.font();
            if (QFontMetrics(font).horizontalAdvance(item->text()) + 9 > width)
                out << QStringLiteral("%1,%2:%3").arg(r).arg(c).arg(item->text());
        }
    return out;
}
