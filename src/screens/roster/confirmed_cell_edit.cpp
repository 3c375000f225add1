#include "screens/roster/confirmed_cell_edit.h"

#include "screens/roster/roster_grid_painter.h"
#include "widgets/prompter.h"

using namespace Qt::Literals::StringLiterals;

std::optional<EditResult> ConfirmedCellEdit(RosterGridPainter& painter, Prompter& prompter,
                                            const QString& title, const EditChooser& chooser,
                                            QWidget* parent, int row, int col) {
    if (const QString problem = painter.clickProblem(row, col); !problem.isEmpty()) {
        prompter.inform(title, problem);
        return std::nullopt;
    }
    painter.highlight(row, col);
    const EditResult edit = chooser(parent);
    if (edit.cancelled())
        return std::nullopt;
    if (!prompter.ask(title, u"ｼﾌﾄを再設定しますか？内容を確認してください"_s))
        return std::nullopt;
    return edit;
}
