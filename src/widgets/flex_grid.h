#pragma once

#include <QColor>
#include <QTableWidget>

// A grid whose row and column numbers mean what the screen descriptions say: fixed rows and
// columns are ordinary cells painted as headings (row 0 is the first fixed row), merges are
// spans, widths are given in twips. Cells are never edited in place; screens react to clicks.
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
    void setColWidthTwips(int col, int twips);
    void setRowHeightTwips(int row, int twips);
    void merge(int row, int col, int rowSpan, int colSpan);

    // Empties every cell's text and colours, keeping rows, columns and widths (Clear).
    void clearGrid();
    // Appends a row whose cells are the tab-separated parts of `line` (AddItem).
    void addItem(const QString& line);
    // Paints a whole row or a block of cells, e.g. for the click highlight.
    void paintRow(int row, const QColor& colour);

Q_SIGNALS:
    void cellClickedAt(int row, int col);

private:
    QTableWidgetItem* itemAt(int row, int col);
    void paintFixed();
    bool isFixed(int row, int col) const { return row < fixedRows_ || col < fixedCols_; }

    int fixedRows_ = 0;
    int fixedCols_ = 0;
};
