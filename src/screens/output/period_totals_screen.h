#pragma once

#include "print/print_output.h"
#include "roster/roster_model.h"
#include "screens/screen_base.h"

#include <memory>

class FlexGrid;
class QLineEdit;

// "期間累計": every person's count of each working shift over one free period, and its
// printout "シフト勤務累計表".
class PeriodTotalsScreen final : public EntryScreen {
    Q_OBJECT
public:
    explicit PeriodTotalsScreen(AppContext& ctx, std::unique_ptr<PrintOutput> output = nullptr,
                                QWidget* parent = nullptr);

    const RosterModel& model() const { return model_; }

private:
    void buildUi();
    bool checkStart();
    bool checkEnd();
    bool inquire();
    void fillGrid();
    void print();
    void finish();

    std::unique_ptr<PrintOutput> output_;
    RosterModel model_;
    bool shown_ = false;

    QLineEdit* start_;
    QLineEdit* end_;
    FlexGrid* grid_;
};
