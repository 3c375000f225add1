#include "screens/roster/roster_grid_keys.h"

#include "widgets/flex_grid.h"

#include <QKeyEvent>

RosterGridKeys::RosterGridKeys(FlexGrid& grid) : QObject(&grid), grid_(grid) {
    grid_.installEventFilter(this);
}

bool RosterGridKeys::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &grid_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) &&
            grid_.currentRow() >= 0 && grid_.currentColumn() >= 0) {
            Q_EMIT cellActivated(grid_.currentRow(), grid_.currentColumn());
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
