#include "screens/roster/changed_cell_frame.h"

#include <QPainter>
#include <QTableWidget>

namespace {
constexpr int FramedRole = Qt::UserRole + 1;
}

void ChangedCellFrame::setFramed(QTableWidget& grid, int row, int col, bool framed) {
    QTableWidgetItem* it = grid.item(row, col);
    if (!it) {
        if (!framed)
            return;
        it = new QTableWidgetItem;
        it->setFlags(Qt::ItemIsEnabled);
        grid.setItem(row, col, it);
    }
    if (framed)
        it->setData(FramedRole, true);
    else if (it->data(FramedRole).isValid())
        it->setData(FramedRole, QVariant());
}

bool ChangedCellFrame::framed(const QTableWidget& grid, int row, int col) {
    const QTableWidgetItem* it = grid.item(row, col);
    return it && it->data(FramedRole).toBool();
}

void ChangedCellFrame::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
    QStyledItemDelegate::paint(painter, option, index);
    if (!index.data(FramedRole).toBool())
        return;
    painter->save();
    painter->setPen(QPen(colour(), 2));
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(option.rect.adjusted(1, 1, -1, -1));
    painter->restore();
}
