#pragma once

#include "output/personal_sheet_print.h"
#include "print/print_output.h"
#include "roster/roster_load.h"
#include "screens/screen_base.h"

#include <memory>

class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;

// "個人勤務表出力": prints a personal duty sheet for everybody or for one chosen person over a
// period of up to one month, under a title the clerk may change.
class PersonalPrintScreen final : public EntryScreen {
    Q_OBJECT
public:
    // `output` decides where printouts go; by default Qt's print preview and print dialog.
    explicit PersonalPrintScreen(AppContext& ctx, std::unique_ptr<PrintOutput> output = nullptr,
                                 QWidget* parent = nullptr);

    const RosterModel& model() const { return model_; }
    // What the next printout loads: the people chosen and the dates last printed.
    const RosterQuery& query() const { return query_; }

private:
    void buildUi();
    void onTargetChosen();
    void onStaffClicked(QListWidgetItem* item);
    void checkStart();
    void checkEnd();
    void onPrintClicked();
    Grouping everybodyGrouping() const;

    std::unique_ptr<PrintOutput> output_;
    RosterQuery query_;
    RosterModel model_;
    ShiftNames shiftNames_;

    QLineEdit* titleEdit_;
    QListWidget* targetList_;
    QLabel* staffLabel_;
    QListWidget* staffList_;
    QLineEdit* startEdit_;
    QLineEdit* endEdit_;
};
