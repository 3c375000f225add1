#pragma once

#include "screens/screen_base.h"

#include <QString>

class FlexGrid;
class QLineEdit;
struct DailyChart;

// Who works when on one day: a 24-hour chart from 08:00 in half-hour columns, one row per
// person, each covered half hour holding the abbreviation of the shift worked then (the night
// shift of the day before and the early start of the day after included).
class DailyStaffingInquiryScreen final : public EntryScreen {
    Q_OBJECT
public:
    explicit DailyStaffingInquiryScreen(AppContext& ctx, QWidget* parent = nullptr);

    static constexpr int kFixedCols = 2;
    static constexpr int kHeadingRows = 2; // "時間" over the hours, then the hours
    static constexpr int kMinRows = 50;    // the chart is never smaller; more staff grow it

private:
    void buildUi();
    void readLimit();
    bool checkDate();
    void inquire();
    void setUpGrid(int people);
    void fillGrid(const DailyChart& chart);
    void finish();

    QLineEdit* date_;
    FlexGrid* grid_;
    // The end of the last created roster, as the start-up settings held it when the screen
    // opened; nothing after it can be inquired.
    QString limit_;
};
