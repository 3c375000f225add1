#pragma once

#include "print/print_output.h"
#include "roster/marked_cells.h"
#include "roster/roster_model.h"
#include "roster/short_day.h"
#include "screens/roster/shift_change_dialog.h"
#include "screens/screen_base.h"

#include <QPointer>
#include <functional>
#include <memory>
#include <optional>
#include <utility>

class FlexGrid;
class ImprovementControls;
class QLineEdit;
class QPushButton;
class QualityWindow;
class RosterGridPainter;
class UndoControls;

// "個別勤務表作成" / "ﾁｰﾑ別勤務表作成": generates the roster of the proposed period into the
// screen's own model, shows it with the day counts against the requirements, lets the clerk
// change single cells, registers it and offers the early and late duties.
class RosterCreationScreen final : public EntryScreen {
    Q_OBJECT
public:
    enum class Kind { Individual, ByTeam };

    RosterCreationScreen(AppContext& ctx, Kind kind, std::unique_ptr<PrintOutput> output = nullptr,
                         QWidget* parent = nullptr);
    ~RosterCreationScreen() override;

    const RosterModel& model() const { return model_; }
    RosterModel& model() { return model_; }
    FlexGrid* grid() const { return grid_; }
    const RosterGridPainter& painter() const { return *painter_; }

    // Where the cell change comes from (the shift change dialog unless a test says otherwise).
    void setEditChooser(EditChooser chooser) { chooser_ = std::move(chooser); }
    // Opens the early/late screen on the registered model (modal unless a test says otherwise).
    void setEarlyLateOpener(std::function<void(RosterModel&)> opener) {
        openEarlyLate_ = std::move(opener);
    }
    // Who takes a short shift, asked when a red count is clicked (the short-day dialog unless a
    // test says otherwise); (group, slot) of the person chosen, or nothing.
    using ShortDayChooser =
        std::function<std::optional<std::pair<int, int>>(QWidget*, const ShortDayExplanation&)>;
    void setShortDayChooser(ShortDayChooser chooser) { shortDayChooser_ = std::move(chooser); }
    // The quality window opened last by 品質, while it is open.
    QualityWindow* qualityWindow() const;
    // Milliseconds from the press of 展開 to the drawn grid, for the last expansion.
    qint64 lastExpandMs() const { return lastExpandMs_; }

private:
    void buildUi();
    void proposePeriod();
    bool checkStart();
    bool checkEnd();
    void onExpandClicked();
    void onConfirmClicked();
    void onPrintClicked();
    void onAllClicked();
    void onLeadersClicked();
    void onGridClicked(int row, int col);
    // The confirmed change of one cell, asked of `chooser`.
    void editCell(int row, int col, const EditChooser& chooser);
    void onShortCountClicked(int level, int shift, int col);
    void onQualityClicked();
    void selectCell(int group, int slot, int day);
    void applyEdit(const EditResult& edit, int row, int day);
    void onPinRequested(int row, int col);
    void onGridMenu(const QPoint& pos);
    void onStepRestored(const MarkedCells& framed, const std::vector<std::pair<int, int>>& people);
    void redrawAfterPersonChange(int row, int day);

    Kind kind_;
    std::unique_ptr<PrintOutput> output_;
    RosterModel model_;
    std::unique_ptr<RosterGridPainter> painter_;
    EditChooser chooser_;
    std::function<void(RosterModel&)> openEarlyLate_;
    ShortDayChooser shortDayChooser_;
    QPointer<QualityWindow> qualityWindow_;

    bool expanded_ = false; // a generated roster is in the model
    bool changed_ = false;  // a cell was changed after expansion (the "expanded flag")
    bool unsaved_ = false;  // the model holds what is not registered as it stands
    qint64 lastExpandMs_ = 0;
    ImprovementControls* improvement_; // 改善
    UndoControls* undo_;               // 元に戻す and やり直し

    QLineEdit* startEdit_;
    QLineEdit* endEdit_;
    FlexGrid* grid_;
    QPushButton* quality_;
};
