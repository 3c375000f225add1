#include "widgets/flex_grid.h"

#include "widgets/palette.h"

#include <QHeaderView>

FlexGrid::FlexGrid(QWidget* parent) : QTableWidget(parent) {
    horizontalHeader()->hide();
    verticalHeader()->hide();
    verticalHeader()->setMinimumSectionSize(12);
    verticalHeader()->setDefaultSectionSize(20);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::NoSelection);
    setFocusPolicy(Qt::StrongFocus);
    setWordWrap(false);
    connect(this, &QTableWidget::cellClicked, this, &FlexGrid::cellClickedAt);
}

void FlexGrid::setRows(int rows) {
    setRowCount(rows);
    paintFixed();
}

void FlexGrid::setCols(int cols) {
    setColumnCount(cols);
    paintFixed();
}

void FlexGrid::setFixedRows(int n) {
    fixedRows_ = n;
    paintFixed();
}

void FlexGrid::setFixedCols(int n) {
    fixedCols_ = n;
    paintFixed();
}

void FlexGrid::paintFixed() {
    for (int r = 0; r < rowCount(); ++r)
        for (int c = 0; c < columnCount(); ++c)
            if (isFixed(r, c) && !item(r, c))
                itemAt(r, c);
}

QTableWidgetItem* FlexGrid::itemAt(int row, int col) {
    QTableWidgetItem* it = item(row, col);
    if (!it) {
        it = new QTableWidgetItem;
        it->setFlags(Qt::ItemIsEnabled);
        if (isFixed(row, col)) {
            it->setBackground(Palette::fixedCellBackground());
            it->setTextAlignment(Qt::AlignCenter);
        }
        setItem(row, col, it);
    }
    return it;
}

QString FlexGrid::text(int row, int col) const {
    const QTableWidgetItem* it = item(row, col);
    return it ? it->text() : QString();
}

void FlexGrid::setText(int row, int col, const QString& text) {
    itemAt(row, col)->setText(text);
}

QColor FlexGrid::cellBackColor(int row, int col) const {
    const QTableWidgetItem* it = item(row, col);
    if (!it || it->background().style() == Qt::NoBrush)
        return isFixed(row, col) ? Palette::fixedCellBackground() : Palette::colour(Palette::White);
    return it->background().color();
}

void FlexGrid::setCellBackColor(int row, int col, const QColor& colour) {
    itemAt(row, col)->setBackground(colour);
}

QColor FlexGrid::cellForeColor(int row, int col) const {
    const QTableWidgetItem* it = item(row, col);
    if (!it || it->foreground().style() == Qt::NoBrush)
        return Palette::colour(Palette::Black);
    return it->foreground().color();
}

void FlexGrid::setCellForeColor(int row, int col, const QColor& colour) {
    itemAt(row, col)->setForeground(colour);
}

void FlexGrid::setCellFontSize(int row, int col, double points) {
    QTableWidgetItem* it = itemAt(row, col);
    QFont f = it->font();
    f.setPointSizeF(points);
    it->setFont(f);
}

void FlexGrid::setCellAlignment(int row, int col, Qt::Alignment alignment) {
    itemAt(row, col)->setTextAlignment(alignment);
}

void FlexGrid::setColWidthTwips(int col, int twips) {
    setColumnWidth(col, Units::twipsToPixels(twips));
}

void FlexGrid::setRowHeightTwips(int row, int twips) {
    setRowHeight(row, Units::twipsToPixels(twips));
}

void FlexGrid::merge(int row, int col, int rowSpan, int colSpan) {
    if (rowSpan > 1 || colSpan > 1)
        setSpan(row, col, rowSpan, colSpan);
}

void FlexGrid::clearGrid() {
    clearSpans();
    for (int r = 0; r < rowCount(); ++r)
        for (int c = 0; c < columnCount(); ++c)
            delete takeItem(r, c);
    paintFixed();
}

void FlexGrid::addItem(const QString& line) {
    const int r = rowCount();
    setRowCount(r + 1);
    const QStringList parts = line.split(QLatin1Char('\t'));
    for (int c = 0; c < parts.size() && c < columnCount(); ++c)
        setText(r, c, parts[c]);
    paintFixed();
}

void FlexGrid::paintRow(int row, const QColor& colour) {
    for (int c = fixedCols_; c < columnCount(); ++c)
        setCellBackColor(row, c, colour);
}
