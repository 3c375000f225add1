#include "store/records/calendar_day.h"
#include "store/records/shift_request.h"
#include "support/temp_database.h"
#include "widgets/flex_grid.h"
#include "widgets/month_calendar.h"
#include "widgets/palette.h"

#include <QListWidget>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using namespace MonthCalendar;

namespace {

class MonthCalendarTest : public ::testing::Test {
protected:
    void draw(const QDate& first, QListWidget* list = nullptr, const QString& staffNo = {}) {
        DrawMonthCalendar(grid, ReadMonthDays(tmp.db(), first, staffNo), settings, list);
    }
    QColor fore(int day) {
        const auto cell = cellOfDay(grid, day);
        EXPECT_TRUE(cell) << day;
        return cell ? grid.cellForeColor(cell->first, cell->second) : QColor();
    }
    static QColor palette(int n) { return Palette::colour(n); }

    TempDatabase tmp;
    FlexGrid grid;
    StartupSettings settings;
};

TEST_F(MonthCalendarTest, DaysFallUnderTheirWeekdayFromRowOne) {
    struct Case {
        QDate first;
        int day, row, col;
    };
    const std::vector<Case> cases{
        {QDate(2024, 6, 1), 1, 1, 6},  // June 2024 begins on a Saturday
        {QDate(2024, 6, 1), 2, 2, 0},  //
        {QDate(2024, 6, 1), 30, 6, 0}, // and needs the sixth week row
        {QDate(2024, 3, 1), 1, 1, 5},  // March 2024 begins on a Friday
        {QDate(2024, 3, 1), 31, 6, 0}, //
        {QDate(2026, 2, 1), 28, 4, 6}, // February 2026 fills exactly four rows
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.first.toString(Qt::ISODate).toStdString() + " day " + std::to_string(c.day));
        draw(c.first);
        EXPECT_EQ(dayInCell(grid, c.row, c.col), c.day);
        const auto cell = cellOfDay(grid, c.day);
        ASSERT_TRUE(cell);
        EXPECT_EQ(*cell, std::make_pair(c.row, c.col));
    }
    // The month before leaves nothing behind.
    draw(QDate(2026, 2, 1));
    EXPECT_FALSE(cellOfDay(grid, 29));
    EXPECT_EQ(grid.text(5, 0), QString());
}

TEST_F(MonthCalendarTest, GridIsSevenBySevenUnderColouredHeadings) {
    settings.weekdayName = {u"日"_s, QString(), u"火"_s, u"水"_s, u"木"_s, u"金"_s, u"土"_s};
    settings.weekdayColour = {12, 0, 0, 0, 0, 13, 9}; // as the settings say, Friday included
    draw(QDate(2024, 4, 1));
    EXPECT_EQ(grid.rows(), 7);
    EXPECT_EQ(grid.cols(), 7);
    EXPECT_EQ(grid.text(0, 1), u"月"_s) << "an unnamed weekday keeps its usual name";
    for (int c = 0; c < 7; ++c) {
        EXPECT_EQ(grid.cellBackColor(0, c), palette(Palette::Yellow));
        EXPECT_EQ(grid.cellForeColor(0, c), palette(settings.weekdayColour[size_t(c)])) << c;
        EXPECT_EQ(dayInCell(grid, 0, c), 0) << "a heading is no day";
    }
}

TEST_F(MonthCalendarTest, DayColoursFollowTheCalendarAndTheMembersRequests) {
    CalendarDay{u"2024/04/03"_s, 1, u"創立記念日"_s}.save(tmp.db());
    CalendarDay{u"2024/04/10"_s, 0, u"振替出勤"_s}.save(tmp.db());
    CalendarDay{u"2024/04/12"_s, 2, u"出勤日"_s}.save(tmp.db());
    CalendarDay{u"2024/05/01"_s, 1, u"翌月"_s}.save(tmp.db());
    ShiftRequest r;
    r.kind = 2;
    r.staffNo = u"1001"_s;
    r.date = u"2024/04/03"_s;
    r.save(tmp.db());
    r.staffNo = u"1002"_s;
    r.date = u"2024/04/20"_s;
    r.save(tmp.db());

    QListWidget list;
    list.addItem(u"前の月の行"_s);
    draw(QDate(2024, 4, 1), &list);
    EXPECT_EQ(fore(3), palette(Palette::Red));
    EXPECT_EQ(fore(10), palette(Palette::Blue));
    EXPECT_EQ(fore(12), palette(Palette::Blue));
    EXPECT_EQ(fore(20), palette(Palette::Black));
    ASSERT_EQ(list.count(), 3);
    EXPECT_EQ(list.item(0)->text(), u" 3 創立記念日"_s);
    EXPECT_EQ(list.item(1)->text(), u"10 振替出勤"_s);
    EXPECT_EQ(dayOfListLine(list.item(0)->text()), 3);
    EXPECT_EQ(dayOfListLine(list.item(1)->text()), 10);

    // For one member, that member's request days stand out, a holiday included.
    draw(QDate(2024, 4, 1), nullptr, u"1001"_s);
    EXPECT_EQ(fore(3), palette(Palette::Magenta));
    EXPECT_EQ(fore(20), palette(Palette::Black));
    EXPECT_TRUE(HasRequestOnDay(tmp.db(), u"1002"_s, QDate(2024, 4, 20)));
    EXPECT_FALSE(HasRequestOnDay(tmp.db(), u"1001"_s, QDate(2024, 4, 20)));
}

} // namespace
