#pragma once

#include <QString>

// What the clerk chose to do with one roster cell in the shift change dialog.
enum class EditAction {
    Closed,    // nothing chosen (the dialog is still open): confirmed, but no change
    Cancelled, // 取消, Esc or the window's close button
    Replace,   // 置換: the cell takes the chosen shift
    Insert,    // 挿入: the chosen shift goes in and the later shifts move one day on
    Delete,    // 削除: the later shifts move one day back onto the cell
    Sequence,  // シフト: the working shifts in order, one a day from the cell on
};

// The change chosen for one roster cell in the shift change dialog.
struct EditResult {
    EditAction action = EditAction::Closed;
    QString shiftName{};   // of Replace and Insert
    QString shiftAbbrev{}; // of Replace and Insert
    int earlyMark = 0;     // as stored with the shift: 0 none, 2 early, 3 late

    bool cancelled() const { return action == EditAction::Cancelled; }
};
