#include "screens/roster/roster_window_size.h"

#include <QScreen>
#include <QWidget>

namespace {
// The grid's 55 columns (names, number, lead days, 31 days, tallies) and its frame, with the
// buttons above; room for about 40 rows of people and counts.
constexpr QSize Wanted(1540, 900);
// What the window frame and title bar take on top of the window's own size.
constexpr QSize Frame(16, 40);
} // namespace

std::optional<QSize> RosterWindowSize(QSize available) {
    if (available.width() < Wanted.width() + Frame.width() ||
        available.height() < Wanted.height() + Frame.height())
        return std::nullopt;
    return Wanted;
}

void FitRosterWindow(QWidget& window) {
    const QScreen* screen = window.screen();
    const QSize available = screen ? screen->availableSize() : Wanted + Frame;
    if (const auto size = RosterWindowSize(available)) {
        window.resize(*size);
    } else {
        window.resize(available - Frame);
        window.setWindowState(window.windowState() | Qt::WindowMaximized);
    }
}
