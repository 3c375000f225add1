#pragma once

#include <QColor>
#include <functional>
#include <utility>

class FlexGrid;

// The light cross over a clicked roster cell: the day's column and the person's row, past the
// two heading rows and columns. It remembers what it painted so that restore() gives those
// cells their own backgrounds back.
class CrossHighlight final {
public:
    using Background = std::function<QColor(int row, int col)>;

    CrossHighlight(FlexGrid& grid, Background base) : grid_(grid), base_(std::move(base)) {}
    // `base` usually reads its owner: a copy would paint from the wrong one.
    CrossHighlight(const CrossHighlight&) = delete;
    CrossHighlight& operator=(const CrossHighlight&) = delete;

    // Paints `row` and `col` in `colour`, restoring the previous cross first.
    void show(int row, int col, const QColor& colour);
    void restore();
    // The grid was drawn afresh: nothing is painted any more.
    void forget() { row_ = col_ = 0; }

private:
    FlexGrid& grid_;
    Background base_;
    int row_ = 0; // 0: nothing painted
    int col_ = 0;
};
