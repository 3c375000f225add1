#pragma once

#include "screens/output/totals_inquiry_screen.h"

#include <memory>

class QLineEdit;

// "期間累計": every person's count of each working shift over one free period, and its
// printout "シフト勤務累計表".
class PeriodTotalsScreen final : public TotalsInquiryScreen {
    Q_OBJECT
public:
    explicit PeriodTotalsScreen(AppContext& ctx, std::unique_ptr<PrintOutput> output = nullptr,
                                QWidget* parent = nullptr);

private:
    bool checkStart();
    bool checkEnd();
    bool inquire() override;
    void fillGrid();

    QLineEdit* start_;
    QLineEdit* end_;
};
