#pragma once

#include "print/print_output.h"
#include "screens/roster/shift_change_dialog.h"
#include "screens/screen_base.h"

#include <memory>

struct RosterModel;
class FlexGrid;
class RosterGridPainter;
class UndoControls;

// "勤務表早番･遅番 作成" / "ﾁｰﾑ別勤務表早番･遅番 作成": marks the early and late duties of the
// roster the creation screen has just registered, lets the clerk correct single cells and
// registers the marks. Works on the creation screen's model.
class EarlyLateScreen final : public EntryDialog {
    Q_OBJECT
public:
    enum class Kind { Individual, ByTeam };

    EarlyLateScreen(AppContext& ctx, RosterModel& model, Kind kind, QWidget* parent = nullptr,
                    std::unique_ptr<PrintOutput> output = nullptr);
    ~EarlyLateScreen() override;

    FlexGrid* grid() const { return grid_; }
    const RosterGridPainter& painter() const { return *painter_; }
    void setEditChooser(EditChooser chooser) { chooser_ = std::move(chooser); }

    // Esc and the window's close button ask as 終了 does.
    void reject() override;

private:
    void buildUi();
    void onGridClicked(int row, int col);
    void onConfirmClicked();
    void onPrintClicked();
    void onCloseClicked();

    RosterModel& model_;
    std::unique_ptr<PrintOutput> output_;
    std::unique_ptr<RosterGridPainter> painter_;
    EditChooser chooser_;
    FlexGrid* grid_;
    UndoControls* undo_; // 元に戻す and やり直し
};
