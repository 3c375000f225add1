#include "widgets/flex_grid.h"

#include "widgets/palette.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QTableView>

namespace {

void shapeLikeGrid(QTableView* view) {
    view->horizontalHeader()->hide();
    view->verticalHeader()->hide();
    view->verticalHeader()->setMinimumSectionSize(12);
    view->verticalHeader()->setDefaultSectionSize(20);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionMode(QAbstractItemView::NoSelection);
    view->setWordWrap(false);
}

// Keeps two scroll bars at the same value whichever of them moves.
void couple(QScrollBar* a, QScrollBar* b) {
    QObject::connect(a, &QScrollBar::valueChanged, b, &QScrollBar::setValue);
    QObject::connect(b, &QScrollBar::valueChanged, a, &QScrollBar::setValue);
}

} // namespace

FlexGrid::FlexGrid(QWidget* parent) : QTableWidget(parent) {
    shapeLikeGrid(this);
    setFocusPolicy(Qt::StrongFocus);
    connect(this, &QTableWidget::cellClicked, this, &FlexGrid::cellClickedAt);

    frozenRows_ = makeFrozenView();
    frozenCols_ = makeFrozenView();
    frozenCorner_ = makeFrozenView();
    couple(horizontalScrollBar(), frozenRows_->horizontalScrollBar());
    couple(verticalScrollBar(), frozenCols_->verticalScrollBar());
    connect(horizontalHeader(), &QHeaderView::sectionResized, this,
            [this](int col, int, int width) {
                for (QTableView* v : {frozenRows_, frozenCols_, frozenCorner_})
                    v->setColumnWidth(col, width);
                placeFrozenViews();
            });
    connect(verticalHeader(), &QHeaderView::sectionResized, this, [this](int row, int, int height) {
        for (QTableView* v : {frozenRows_, frozenCols_, frozenCorner_})
            v->setRowHeight(row, height);
        placeFrozenViews();
    });
    placeFrozenViews();
}

QTableView* FlexGrid::makeFrozenView() {
    auto* view = new QTableView(this);
    view->setModel(model());
    shapeLikeGrid(view);
    view->setFocusPolicy(Qt::NoFocus);
    view->setFrameShape(QFrame::NoFrame);
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view->setTextElideMode(textElideMode());
    connect(view, &QTableView::clicked, this, [this](const QModelIndex& index) {
        Q_EMIT cellClickedAt(index.row(), index.column());
    });
    return view;
}

void FlexGrid::placeFrozenViews() {
    if (!frozenCorner_) // still being built
        return;
    int height = 0;
    for (int r = 0; r < std::min(fixedRows_, rowCount()); ++r)
        height += rowHeight(r);
    int width = 0;
    for (int c = 0; c < std::min(fixedCols_, columnCount()); ++c)
        width += columnWidth(c);
    const QRect port = viewport()->geometry();
    height = std::min(height, port.height());
    width = std::min(width, port.width());
    frozenRows_->setGeometry(port.x(), port.y(), port.width(), height);
    frozenCols_->setGeometry(port.x(), port.y(), width, port.height());
    frozenCorner_->setGeometry(port.x(), port.y(), width, height);
    frozenRows_->setVisible(height > 0);
    frozenCols_->setVisible(width > 0);
    frozenCorner_->setVisible(height > 0 && width > 0);
    for (QTableView* v : {frozenRows_, frozenCols_, frozenCorner_})
        v->setTextElideMode(textElideMode());
    frozenCorner_->raise();
    frozenRows_->horizontalScrollBar()->setValue(horizontalScrollBar()->value());
    frozenCols_->verticalScrollBar()->setValue(verticalScrollBar()->value());
}

void FlexGrid::updateGeometries() {
    QTableWidget::updateGeometries();
    placeFrozenViews();
}

void FlexGrid::scrollTo(const QModelIndex& index, ScrollHint hint) {
    QTableWidget::scrollTo(index, hint);
    if (!index.isValid() || !frozenCorner_)
        return;
    // A cell brought into view must not end up under the fixed rows or columns: the first
    // scrolled row (column) then is the one that makes it the first free one.
    const int row = index.row();
    if (row >= fixedRows_ && rowViewportPosition(row) < frozenRows_->height() &&
        frozenRows_->isVisible())
        verticalScrollBar()->setValue(row - fixedRows_);
    const int col = index.column();
    if (col >= fixedCols_ && columnViewportPosition(col) < frozenCols_->width() &&
        frozenCols_->isVisible())
        horizontalScrollBar()->setValue(col - fixedCols_);
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
    placeFrozenViews();
}

void FlexGrid::setFixedCols(int n) {
    fixedCols_ = n;
    paintFixed();
    placeFrozenViews();
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

void FlexGrid::setCellToolTip(int row, int col, const QString& text) {
    itemAt(row, col)->setToolTip(text);
}

void FlexGrid::setColWidthTwips(int col, int twips) {
    setColumnWidth(col, Units::twipsToPixels(twips));
}

void FlexGrid::setRowHeightTwips(int row, int twips) {
    setRowHeight(row, Units::twipsToPixels(twips));
}

void FlexGrid::merge(int row, int col, int rowSpan, int colSpan) {
    if (rowSpan > 1 || colSpan > 1)
        for (QTableView* v :
             {static_cast<QTableView*>(this), frozenRows_, frozenCols_, frozenCorner_})
            v->setSpan(row, col, rowSpan, colSpan);
}

void FlexGrid::clearGrid() {
    for (QTableView* v : {static_cast<QTableView*>(this), frozenRows_, frozenCols_, frozenCorner_})
        v->clearSpans();
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
