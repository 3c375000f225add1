#pragma once

class FlexGrid;
class QTableWidgetItem;

// Column widths given in twips suit the fonts they were chosen for; with another font a count
// or heading may no longer fit and would show as "…". These helpers measure what a cell needs.
namespace GridTextFit {

// The width in pixels the item's text needs in `grid`, its cell margins included.
int neededWidth(const FlexGrid& grid, const QTableWidgetItem& item);

// Widens each column from `firstCol` to `lastCol` (never narrows it) until the text of every
// cell in it that spans one column fits.
void widenColumns(FlexGrid& grid, int firstCol, int lastCol);

} // namespace GridTextFit
