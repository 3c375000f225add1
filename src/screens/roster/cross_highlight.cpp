#include "screens/roster/cross_highlight.h"

#include "widgets/flex_grid.h"

void CrossHighlight::show(int row, int col, const QColor& colour) {
    restore();
    for (int r = 2; r < grid_.rows(); ++r)
        grid_.setCellBackColor(r, col, colour);
    for (int c = 2; c < grid_.cols(); ++c)
        grid_.setCellBackColor(row, c, colour);
    row_ = row;
    col_ = col;
}

void CrossHighlight::restore() {
    if (row_ == 0)
        return;
    for (int r = 2; r < grid_.rows(); ++r)
        grid_.setCellBackColor(r, col_, base_(r, col_));
    for (int c = 2; c < grid_.cols(); ++c)
        grid_.setCellBackColor(row_, c, base_(row_, c));
    forget();
}
