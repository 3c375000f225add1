#pragma once

#include "print/print_output.h"
#include "roster/roster_model.h"
#include "screens/screen_base.h"

#include <memory>

class FlexGrid;
class QComboBox;
class QLineEdit;

// "月別累計照会": every person's count of each working shift in each of 1, 2, 3 or 6
// calendar months from a chosen month, with the total over them, and its printout.
class MonthlyTotalsScreen final : public EntryScreen {
    Q_OBJECT
public:
    explicit MonthlyTotalsScreen(AppContext& ctx, std::unique_ptr<PrintOutput> output = nullptr,
                                 QWidget* parent = nullptr);

    const RosterModel& model() const { return model_; }

private:
    void buildUi();
    bool checkStart();
    int chosenMonths() const; // 0 when the period is not one of the list's
    bool inquire();
    void fillGrid(int months);
    void print();
    void finish();

    std::unique_ptr<PrintOutput> output_;
    RosterModel model_;
    bool shown_ = false;

    QLineEdit* start_;
    QComboBox* months_;
    FlexGrid* grid_;
};
