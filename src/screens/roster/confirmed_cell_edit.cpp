#include "screens/roster/confirmed_cell_edit.h"

#include "roster/roster_model.h"
#include "screens/roster/roster_grid_painter.h"
#include "widgets/prompter.h"

using namespace Qt::Literals::StringLiterals;

std::optional<EditResult> ConfirmedCellEdit(RosterGridPainter& painter, Prompter& prompter,
                                            const QString& title, const EditChooser& chooser,
                                            QWidget* parent, int row, int col, Edits edits) {
    if (const QString problem = painter.clickProblem(row, col); !problem.isEmpty()) {
        prompter.inform(title, problem);
        return std::nullopt;
    }
    painter.highlight(row, col);
    const Cell& cell = painter.cellAt(row, col);
    const EditResult edit = chooser(parent, cell.shift, cell.early);
    if (edit.cancelled())
        return std::nullopt;
    // A change the screen cannot make is refused before the clerk is asked to confirm it.
    if (edits == Edits::ReplaceOnly && edit.action != EditAction::Replace) {
        prompter.inform(title, u"置換え以外は選択出来ません"_s);
        return std::nullopt;
    }
    if (!prompter.ask(title, u"ｼﾌﾄを再設定しますか？内容を確認してください"_s))
        return std::nullopt;
    return edit;
}
