#pragma once

#include "screens/screen_base.h"
#include "store/fiscal_year.h"

#include <QDate>
#include <QString>
#include <array>
#include <optional>
#include <vector>

class FlexGrid;
class QCheckBox;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QRadioButton;

// The workplace calendar one month at a time: registers and removes holidays and working days
// singly, by weekday, for the displayed month or for the whole fiscal year.
class CalendarScreen final : public EntryScreen {
    Q_OBJECT
public:
    explicit CalendarScreen(AppContext& ctx, QWidget* parent = nullptr);

    const QDate& firstDay() const { return first_; }
    int selectedDay() const { return selectedDay_; }

private:
    // What the entry check found: nothing, a refusal already shown, or a question to ask.
    enum class Entry { Ok, Refused, Question };

    void buildUi();
    bool checkYear();
    bool checkMonth();
    void showTyped();
    void moveMonth(int months);
    void draw(const QDate& first);
    void selectCell(int row, int col);
    void selectListLine(const QListWidgetItem* item);
    Entry checkEntry();
    std::optional<FiscalYear> fiscalYear();
    std::vector<int> tickedWeekdays() const;
    void confirm();
    void remove();

    QDate first_;
    int selectedDay_ = 0; // 0 when no day is selected
    bool deleting_ = false;

    QLineEdit* year_;
    QLineEdit* month_;
    FlexGrid* grid_;
    QListWidget* holidays_;
    QLineEdit* name_;
    QRadioButton* thisMonth_;
    QRadioButton* wholeYear_;
    QRadioButton* byWeekday_;
    QRadioButton* byDate_;
    std::array<QCheckBox*, 7> weekdays_{}; // 0 Sunday
    QRadioButton* holiday_;
    QRadioButton* workingDay_;
};
