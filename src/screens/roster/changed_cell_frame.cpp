#include "screens/roster/changed_cell_frame.h"

#include <QPainter>
#include <QTableWidget>
#include <algorithm>

namespace {
constexpr int FramedRole = Qt::UserRole + 1;
constexpr int PinnedRole = Qt::UserRole + 2;

void setFlag(QTableWidget& grid, int row, int col, int role, bool on) {
    QTableWidgetItem* it = grid.item(row, col);
    if (!it) {
        if (!on)
            return;
        it = new QTableWidgetItem;
        it->setFlags(Qt::ItemIsEnabled);
        grid.setItem(row, col, it);
    }
    if (on)
        it->setData(role, true);
    else if (it->data(role).isValid())
        it->setData(role, QVariant());
}

bool flag(const QTableWidget& grid, int row, int col, int role) {
    const QTableWidgetItem* it = grid.item(row, col);
    return it && it->data(role).toBool();
}

} // namespace

void ChangedCellFrame::setFramed(QTableWidget& grid, int row, int col, bool framed) {
    setFlag(grid, row, col, FramedRole, framed);
}

bool ChangedCellFrame::framed(const QTableWidget& grid, int row, int col) {
    return flag(grid, row, col, FramedRole);
}

void ChangedCellFrame::setPinned(QTableWidget& grid, int row, int col, bool pinned) {
    setFlag(grid, row, col, PinnedRole, pinned);
}

bool ChangedCellFrame::pinned(const QTableWidget& grid, int row, int col) {
    return flag(grid, row, col, PinnedRole);
}

void ChangedCellFrame::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
    QStyledItemDelegate::paint(painter, option, index);
    if (index.data(PinnedRole).toBool()) {
        const QRect r = option.rect;
        const int side = std::max(4, std::min(r.width(), r.height()) / 3);
        const QPoint corner[] = {r.topLeft(), r.topLeft() + QPoint(side, 0),
                                 r.topLeft() + QPoint(0, side)};
        painter->save();
        painter->setPen(Qt::NoPen);
        painter->setBrush(QColor(0, 70, 160)); // dark blue, apart from every text colour
        painter->drawPolygon(corner, 3);
        painter->restore();
    }
    if (!index.data(FramedRole).toBool())
        return;
    painter->save();
    painter->setPen(QPen(colour(), 2));
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(option.rect.adjusted(1, 1, -1, -1));
    painter->restore();
}
