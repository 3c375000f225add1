#pragma once

#include "screens/screen_base.h"

#include <QDate>
#include <QString>
#include <optional>

class FlexGrid;
class QComboBox;
class QLabel;
class QLineEdit;
struct PersonalMonth;

// One person's shifts in a month and the month before, as two calendars: per day its number,
// the planned (or requested, in blue) shift and the actual shift.
class PersonalRosterScreen final : public EntryScreen {
    Q_OBJECT
public:
    explicit PersonalRosterScreen(AppContext& ctx, QWidget* parent = nullptr);

    static constexpr int kRows = 19; // the weekday headings, then six weeks of three rows
    static constexpr int kColTwips = 600;

    // Puts the person picked elsewhere (the staff list) into the staff choice; calendars
    // already shown for someone else are shown again for this person.
    void presetStaff(const QString& name);

private:
    void buildUi();
    void fillStaff();
    bool checkYear();
    bool checkMonth();
    std::optional<QDate> typedMonth() const;
    void display();
    void step(int months);
    void drawMonth(FlexGrid& grid, const PersonalMonth& month);
    void setUpGrid(FlexGrid& grid);

    QComboBox* staff_;
    QLineEdit* year_;
    QLineEdit* month_;
    FlexGrid* before_;
    FlexGrid* current_;
    QLabel* beforeYear_;
    QLabel* beforeMonth_;
    QLabel* currentYear_;
    QLabel* currentMonth_;
    // Whose calendars are shown; empty before the first 表示.
    QString shownName_;
};
