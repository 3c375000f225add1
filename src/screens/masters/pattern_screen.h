#pragma once

#include "screens/screen_base.h"
#include "widgets/palette.h"

#include <QPointer>
#include <QString>
#include <array>

class FlexGrid;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class StaffingListScreen;
struct PatternRow;

// Maintains shift patterns: a header row per (kind, number) and its sequence of shifts, or
// for the weekday kind one shift per weekday.
class PatternScreen final : public EntryScreen {
    Q_OBJECT
public:
    explicit PatternScreen(AppContext& ctx, QWidget* parent = nullptr);

    static constexpr int kWeekdayKind = 5;

    // "1  日勤", "12 日勤": the position left-aligned in two characters, a space, the name.
    static QString sequenceLine(int position, const QString& shiftName);

private:
    void buildUi();
    void onKindChosen();
    void resetScreen();
    void layoutWeekdayGrid();
    void onPatternChosen();
    void showHeader(const PatternRow& header);
    void listSequence();
    void showFrames(bool weekday);
    void onSequenceRowChosen();
    void showSequenceRow(const PatternRow& row);
    void onShiftChosen();
    void onWeekdayClicked(int row, int col);
    void onWeekdayShiftChosen();
    void paintWeekdayCell(int col, Palette::Number colour);

    bool checkNumber();
    bool checkName();
    bool checkPosition();
    bool checkNameFree(int number);
    bool checkAll();
    void save();
    void saveHeader(int number);
    void saveSequenceRow(int number);
    void saveWeekdays(int number);
    void remove();
    void openStaffingList();

    int kind_ = 1;
    int selectedWeekday_ = 0;
    int highlightCol_ = 0; // the weekday column painted as chosen; 0 when none is
    std::array<QString, 7> weekdayShiftNames_;

    QComboBox* kindCombo_;
    QListWidget* patternList_;
    QLineEdit* number_;
    QLineEdit* name_;
    QLineEdit* remark_;
    QGroupBox* sequenceFrame_;
    QListWidget* sequenceList_;
    QLineEdit* position_;
    QLineEdit* shiftAbbrev_;
    QComboBox* shiftName_;
    QLineEdit* shiftRemark_;
    QGroupBox* weekdayFrame_;
    FlexGrid* weekdayGrid_;
    QLineEdit* weekdayAbbrev_;
    QComboBox* weekdayShiftName_;
    QLabel* weekdayRemark_;
    QPointer<StaffingListScreen> staffingList_;
};
