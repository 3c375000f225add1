#pragma once

#include "screens/roster/shift_change_dialog.h"

#include <optional>

class Prompter;
class QString;
class QWidget;
class RosterGridPainter;

// The change the clerk confirms for a clicked roster cell: a click outside the people's period
// days is refused with the reason; otherwise the cell's row and column are highlighted, the
// change is asked of `chooser` and confirmed with "ｼﾌﾄを再設定しますか？…". Empty when there is
// nothing to apply.
std::optional<EditResult> ConfirmedCellEdit(RosterGridPainter& painter, Prompter& prompter,
                                            const QString& title, const EditChooser& chooser,
                                            QWidget* parent, int row, int col);
