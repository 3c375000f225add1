#pragma once

#include <QSize>
#include <optional>

class QWidget;

// How large a roster screen opens on a screen with `available` room: big enough for the names,
// the lead days, 31 days and the tally columns side by side, and the count rows below; empty
// when the screen is smaller than that, so the window opens maximised instead.
std::optional<QSize> RosterWindowSize(QSize available);

// Sizes (or maximises) a roster screen for the screen it will open on.
void FitRosterWindow(QWidget& window);
