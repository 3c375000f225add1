#pragma once

#include <QColor>
#include <QStyledItemDelegate>

class QTableWidget;

// Draws the cells of a grid as usual, a frame round those flagged as changed and a small
// triangle in the top left corner of those held by hand, so either stays recognisable whatever
// its text colour and background (requests, the second group's shading, the click highlight)
// say.
class ChangedCellFrame final : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // The frame's colour: orange, which no text colour or background of the roster grids uses.
    static QColor colour() { return {230, 110, 0}; }

    static void setFramed(QTableWidget& grid, int row, int col, bool framed);
    static bool framed(const QTableWidget& grid, int row, int col);
    static void setPinned(QTableWidget& grid, int row, int col, bool pinned);
    static bool pinned(const QTableWidget& grid, int row, int col);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};
