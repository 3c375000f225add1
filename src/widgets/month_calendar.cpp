#include "widgets/month_calendar.h"

#include "store/records/calendar_day.h"
#include "store/records/shift_request.h"
#include "store/text_values.h"
#include "widgets/flex_grid.h"
#include "widgets/palette.h"

#include <QListWidget>

using namespace Qt::Literals::StringLiterals;

namespace MonthCalendar {

void SetupCalendarGrid(FlexGrid& grid, const std::array<QString, 7>& weekdayNames) {
    static const std::array<QString, 7> fallback{u"日"_s, u"月"_s, u"火"_s, u"水"_s,
                                                 u"木"_s, u"金"_s, u"土"_s};
    grid.clearGrid();
    grid.setRows(kRows);
    grid.setCols(kCols);
    grid.setFixedRows(1);
    grid.setFixedCols(0);
    for (int c = 0; c < kCols; ++c) {
        const auto i = static_cast<size_t>(c);
        grid.setColWidthTwips(c, kColTwips);
        grid.setText(0, c, weekdayNames[i].isEmpty() ? fallback[i] : weekdayNames[i]);
        grid.setCellBackColor(0, c, Palette::colour(Palette::Yellow));
        const int colour = c == 0 ? Palette::Red : c == 6 ? Palette::Blue : Palette::Black;
        grid.setCellForeColor(0, c, Palette::colour(colour));
        grid.setCellAlignment(0, c, Qt::AlignHCenter | Qt::AlignBottom);
    }
    for (int r = 1; r < kRows; ++r)
        for (int c = 0; c < kCols; ++c) {
            grid.setCellBackColor(r, c, Palette::colour(Palette::White));
            grid.setCellAlignment(r, c, Qt::AlignCenter);
        }
}

DayStatus ReadCalendarDay(Database& db, const QDate& day, QListWidget* holidays) {
    const auto row = CalendarDay::load(db, TextValues::dateText(day));
    if (!row)
        return DayStatus::Ordinary;
    if (holidays)
        holidays->addItem(QString::number(day.day()).rightJustified(2, u' ') + u' ' + row->remark);
    return row->holidayFlag == 1 ? DayStatus::Holiday : DayStatus::WorkingDay;
}

bool HasRequestOnDay(Database& db, const QString& staffNo, const QDate& day) {
    const QString date = TextValues::dateText(day);
    return !ShiftRequest::loadForStaff(db, staffNo, date, date).empty();
}

void DrawMonthCalendar(Database& db, FlexGrid& grid, const QDate& firstDay,
                       const std::array<QString, 7>& weekdayNames, QListWidget* holidays,
                       const QString& staffNo) {
    SetupCalendarGrid(grid, weekdayNames);
    if (holidays)
        holidays->clear();
    int row = 1;
    for (QDate d = firstDay; d.month() == firstDay.month(); d = d.addDays(1)) {
        const int col = d.dayOfWeek() % 7; // Qt counts Monday 1 … Sunday 7
        grid.setText(row, col, QString::number(d.day()));
        const DayStatus status = ReadCalendarDay(db, d, holidays);
        int colour = status == DayStatus::Holiday      ? Palette::Red
                     : status == DayStatus::WorkingDay ? Palette::Blue
                                                       : Palette::Black;
        if (!staffNo.isEmpty() && HasRequestOnDay(db, staffNo, d))
            colour = Palette::Magenta;
        grid.setCellForeColor(row, col, Palette::colour(colour));
        if (col == 6)
            ++row;
    }
}

int dayInCell(const FlexGrid& grid, int row, int col) {
    if (row < 1 || row >= grid.rows() || col < 0 || col >= grid.cols())
        return 0;
    bool ok = false;
    const int day = grid.text(row, col).toInt(&ok);
    return ok && day >= 1 && day <= 31 ? day : 0;
}

std::optional<std::pair<int, int>> cellOfDay(const FlexGrid& grid, int day) {
    for (int r = 1; r < grid.rows(); ++r)
        for (int c = 0; c < grid.cols(); ++c)
            if (day != 0 && dayInCell(grid, r, c) == day)
                return std::pair{r, c};
    return std::nullopt;
}

int dayOfListLine(const QString& line) {
    bool ok = false;
    const int day = line.left(2).trimmed().toInt(&ok);
    return ok && day >= 1 && day <= 31 ? day : 0;
}

} // namespace MonthCalendar
