#pragma once

#include "screens/roster/shift_change_dialog.h"

#include <optional>

class Prompter;
class QString;
class QWidget;
class RosterGridPainter;

// Which changes a roster screen makes to a cell.
enum class Edits { Any, ReplaceOnly };

// The change the clerk confirms for a clicked roster cell: a click outside the people's period
// days, on a closed day or on a requested day is refused with the reason; otherwise the cell's
// row and column are highlighted, the change is asked of `chooser` (given the cell's shift and
// mark), a change the screen does not make is refused with "置換え以外は選択出来ません", and the
// rest is confirmed with "ｼﾌﾄを再設定しますか？…". Empty when there is nothing to apply.
std::optional<EditResult> ConfirmedCellEdit(RosterGridPainter& painter, Prompter& prompter,
                                            const QString& title, const EditChooser& chooser,
                                            QWidget* parent, int row, int col,
                                            Edits edits = Edits::Any);
