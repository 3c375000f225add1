#pragma once

#include "screens/output/totals_inquiry_screen.h"

#include <memory>

class QComboBox;
class QLineEdit;

// "月別累計照会": every person's count of each working shift in each of 1, 2, 3 or 6
// calendar months from a chosen month, with the total over them, and its printout.
class MonthlyTotalsScreen final : public TotalsInquiryScreen {
    Q_OBJECT
public:
    explicit MonthlyTotalsScreen(AppContext& ctx, std::unique_ptr<PrintOutput> output = nullptr,
                                 QWidget* parent = nullptr);

private:
    bool checkStart();
    int chosenMonths() const; // 0 when the period is not one of the list's
    bool inquire() override;
    void fillGrid(int months);

    QLineEdit* start_;
    QComboBox* months_;
};
