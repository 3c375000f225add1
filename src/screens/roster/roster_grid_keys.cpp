#include "screens/roster/roster_grid_keys.h"

#include "widgets/flex_grid.h"

#include <QKeyEvent>

RosterGridKeys::RosterGridKeys(FlexGrid& grid) : QObject(&grid), grid_(grid) {
    grid_.installEventFilter(this);
}

bool RosterGridKeys::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &grid_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const Qt::KeyboardModifiers mods =
            key->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier);
        const bool onCell = grid_.currentRow() >= 0 && grid_.currentColumn() >= 0;
        const int k = key->key();
        if ((k == Qt::Key_Return || k == Qt::Key_Enter || k == Qt::Key_Space) && onCell) {
            Q_EMIT cellActivated(grid_.currentRow(), grid_.currentColumn());
            return true;
        }
        if (k == Qt::Key_Z && mods == Qt::ControlModifier) {
            Q_EMIT undoPressed();
            return true;
        }
        if ((k == Qt::Key_Y && mods == Qt::ControlModifier) ||
            (k == Qt::Key_Z && mods == (Qt::ControlModifier | Qt::ShiftModifier))) {
            Q_EMIT redoPressed();
            return true;
        }
        if (k == Qt::Key_L && mods == Qt::ControlModifier && onCell) {
            Q_EMIT pinPressed(grid_.currentRow(), grid_.currentColumn());
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
