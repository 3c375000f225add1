#pragma once

#include "print/print_output.h"
#include "roster/roster_model.h"
#include "screens/masters/backup_registration_dialog.h"
#include "screens/roster/shift_change_dialog.h"
#include "screens/screen_base.h"

#include <memory>

class FlexGrid;
class QLineEdit;
class RosterChangePainter;
class UndoControls;

// "勤務表変更" / "ﾁｰﾑ別勤務表変更": shows a registered period with each person's plan and
// corrections one above the other, takes corrections of single days as actual shifts (the
// plan never changes), and writes them back with the leave days' backups on 確定.
class RosterChangeScreen final : public EntryScreen {
    Q_OBJECT
public:
    enum class Kind { Individual, ByTeam };

    RosterChangeScreen(AppContext& ctx, Kind kind, std::unique_ptr<PrintOutput> output = nullptr,
                       QWidget* parent = nullptr);
    ~RosterChangeScreen() override;

    const RosterModel& model() const { return model_; }
    RosterModel& model() { return model_; }
    FlexGrid* grid() const { return grid_; }
    const RosterChangePainter& painter() const { return *painter_; }

    // Where a cell's change comes from (the shift change dialog unless a test says otherwise).
    void setEditChooser(EditChooser chooser) { chooser_ = std::move(chooser); }
    // Where a leave day's backup comes from (the backup registration dialog unless a test says
    // otherwise).
    void setBackupChooser(BackupChooser chooser) { backupChooser_ = std::move(chooser); }

private:
    void buildUi();
    bool checkStart();
    bool checkEnd();
    void onShowClicked();
    void onUpdateClicked();
    void onPrintClicked();
    void onGridClicked(int row, int col);

    Kind kind_;
    std::unique_ptr<PrintOutput> output_;
    RosterModel model_;
    std::unique_ptr<RosterChangePainter> painter_;
    EditChooser chooser_;
    BackupChooser backupChooser_;

    bool loaded_ = false;  // a period is on screen
    bool unsaved_ = false; // a confirmed change is not written back yet

    QLineEdit* startEdit_;
    QLineEdit* endEdit_;
    FlexGrid* grid_;
    UndoControls* undo_; // 元に戻す and やり直し
};
