#pragma once

#include "screens/screen_base.h"
#include "widgets/palette.h"

#include <QString>
#include <array>
#include <vector>

struct DailyRequirement;
class FlexGrid;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;

// Maintains the staffing figures that override a working shift's defaults on a weekday or a
// day of the month, shown as a grid of days against shifts.
class DailyStaffingScreen final : public EntryScreen {
    Q_OBJECT
public:
    explicit DailyStaffingScreen(AppContext& ctx, QWidget* parent = nullptr);

    static constexpr int kEntriesPerShift = 6;
    // The stored kinds of row (日_区分): figures for a weekday, or for a day of the month.
    static constexpr int kWeekdayKind = 1;
    static constexpr int kDateKind = 2;

private:
    // A working shift with the defaults the grid compares each day's figures with.
    struct WorkShift {
        QString abbrev;
        int order = 0;
        std::array<int, 6> defaults{}; // staff, leaders, team staff, team leaders, early, late
    };

    void buildUi();
    void loadWorkShifts();
    void switchKind(int kind);
    static int gridRow(int block, int entry);
    int dayCount() const;
    void layoutGrid();
    void fillGrid();
    int blockOfOrder(int order) const;
    void onGridClicked(int row, int col);
    void paintBlock(int block, int col, Palette::Number colour);
    void loadRow(int day, int order);
    void showRecord(const DailyRequirement& row);
    DailyRequirement toRecord(int day, int order) const;
    void onShiftChosen();

    bool checkDay();
    bool checkCount(QLineEdit* box, const QString& message);
    bool checkAll();
    void save();
    void remove();

    int kind_ = kWeekdayKind;
    std::vector<WorkShift> shifts_;
    int highlightBlock_ = -1;
    int highlightCol_ = -1;

    QRadioButton* weekdayOption_;
    QRadioButton* dateOption_;
    FlexGrid* grid_;
    QLineEdit* day_;
    QLabel* weekdayName_;
    QLineEdit* order_;
    QComboBox* abbrev_;
    QLineEdit* name_;
    std::array<QLineEdit*, 6> counts_{};
    QLineEdit* remark_;
};
