#pragma once

#include <QColor>
#include <QTableWidget>

class QTableView;

// A grid whose row and column numbers mean what the screen descriptions say: fixed rows and
// columns are ordinary cells painted as headings (row 0 is the first fixed row), merges are
// spans, widths are given in twips. Cells are never edited in place; screens react to clicks.
//
// The fixed rows and columns stay in view while the rest scrolls: three views over the same
// cells (the fixed rows, the fixed columns and their corner) lie on top of the grid's own
// viewport, follow its scrolling along their free direction and pass their clicks on.
class FlexGrid final : public QTableWidget {
    Q_OBJECT
public:
    explicit FlexGrid(QWidget* parent = nullptr);

    void setRows(int rows);
    int rows() const { return rowCount(); }
    void setCols(int cols);
    int cols() const { return columnCount(); }
    void setFixedRows(int n);
    int fixedRows() const { return fixedRows_; }
    void setFixedCols(int n);
    int fixedCols() const { return fixedCols_; }

    QString text(int row, int col) const;
    void setText(int row, int col, const QString& text);
    QColor cellBackColor(int row, int col) const;
    void setCellBackColor(int row, int col, const QColor& colour);
    QColor cellForeColor(int row, int col) const;
    void setCellForeColor(int row, int col, const QColor& colour);
    void setCellFontSize(int row, int col, double points);
    void setCellAlignment(int row, int col, Qt::Alignment alignment);
    void setCellToolTip(int row, int col, const QString& text);
    void setColWidthTwips(int col, int twips);
    void setRowHeightTwips(int row, int twips);
    void merge(int row, int col, int rowSpan, int colSpan);

    // Empties every cell's text and colours, keeping rows, columns and widths (Clear).
    void clearGrid();
    // Appends a row whose cells are the tab-separated parts of `line`.
    void addItem(const QString& line);
    // Paints a whole row or a block of cells, e.g. for the click highlight.
    void paintRow(int row, const QColor& colour);

Q_SIGNALS:
    void cellClickedAt(int row, int col);

protected:
    void updateGeometries() override;
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;

private:
    QTableView* makeFrozenView();
    void placeFrozenViews();
    QTableWidgetItem* itemAt(int row, int col);
    void paintFixed();
    bool isFixed(int row, int col) const { return row < fixedRows_ || col < fixedCols_; }

    int fixedRows_ = 0;
    int fixedCols_ = 0;
    QTableView* frozenRows_ = nullptr;   // the fixed rows, scrolling sideways with the grid
    QTableView* frozenCols_ = nullptr;   // the fixed columns, scrolling up and down with the grid
    QTableView* frozenCorner_ = nullptr; // where both meet, never scrolling
};
