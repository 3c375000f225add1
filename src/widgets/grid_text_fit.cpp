#include "widgets/grid_text_fit.h"

#include "widgets/flex_grid.h"

#include <QFontMetricsF>
#include <QStyle>
#include <algorithm>
#include <cmath>

namespace GridTextFit {

int neededWidth(const FlexGrid& grid, const QTableWidgetItem& item) {
    // An item without a font of its own is drawn in the grid's.
    const QFont font = item.data(Qt::FontRole).isValid() ? item.font() : grid.font();
    // Item views keep this margin on either side of a cell's text and draw the grid line
    // inside the cell; glyphs from a fallback font (kana and kanji beside Latin letters) lay
    // out a few pixels wider than measured, hence the slack.
    const int margin = grid.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &grid) + 1;
    constexpr int slack = 4;
    const auto text =
        static_cast<int>(std::ceil(QFontMetricsF(font).horizontalAdvance(item.text())));
    return text + 2 * margin + 1 + slack;
}

void widenColumns(FlexGrid& grid, int firstCol, int lastCol) {
    for (int c = std::max(firstCol, 0); c <= lastCol && c < grid.cols(); ++c) {
        int needed = grid.columnWidth(c);
        for (int r = 0; r < grid.rows(); ++r) {
            const QTableWidgetItem* item = grid.item(r, c);
            if (item && !item->text().isEmpty() && grid.columnSpan(r, c) == 1)
                needed = std::max(needed, neededWidth(grid, *item));
        }
        if (needed > grid.columnWidth(c))
            grid.setColumnWidth(c, needed);
    }
}

} // namespace GridTextFit
