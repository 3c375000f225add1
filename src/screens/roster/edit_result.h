#pragma once

#include <QString>

// The change chosen for one roster cell in the shift change dialog.
struct EditResult {
    // "置" replace, "後" insert, "削" delete, "シ" shift sequence; empty when cancelled;
    // "0" when the dialog was closed without either button (matches no action).
    QString action = QStringLiteral("0"); // EditAction
    QString shiftName{};                  // EditShiftName
    QString shiftAbbrev{};                // EditShiftAbbrev
    int earlyMark = 0;                    // EditEarlyMark: 0 none, 2 early, 3 late

    bool cancelled() const { return action.isEmpty(); }
};
