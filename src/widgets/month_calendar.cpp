#include "widgets/month_calendar.h"

#include "widgets/flex_grid.h"
#include "widgets/grid_text_fit.h"
#include "widgets/palette.h"

#include <QListWidget>
#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace MonthCalendar {

void SetupCalendarGrid(FlexGrid& grid, const StartupSettings& settings) {
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
        const QString& name = settings.weekdayName[i];
        grid.setText(0, c, name.isEmpty() ? fallback[i] : name);
        grid.setCellBackColor(0, c, Palette::colour(Palette::Yellow));
        grid.setCellForeColor(0, c, Palette::colour(settings.weekdayColour[i]));
        grid.setCellAlignment(0, c, Qt::AlignHCenter | Qt::AlignBottom);
    }
    for (int r = 1; r < kRows; ++r)
        for (int c = 0; c < kCols; ++c) {
            grid.setCellBackColor(r, c, Palette::colour(Palette::White));
            grid.setCellAlignment(r, c, Qt::AlignCenter);
        }
}

void DrawMonthCalendar(FlexGrid& grid, const std::vector<MonthDay>& days,
                       const StartupSettings& settings, QListWidget* holidays) {
    SetupCalendarGrid(grid, settings);
    if (holidays)
        holidays->clear();
    int row = 1;
    for (const MonthDay& day : days) {
        const int col = day.date.dayOfWeek() % 7; // Qt counts Monday 1 … Sunday 7
        grid.setText(row, col, QString::number(day.date.day()));
        if (holidays && day.mark != CalendarMark::Ordinary)
            holidays->addItem(QString::number(day.date.day()).rightJustified(2, u' ') + u' ' +
                              day.remark);
        int colour = day.mark == CalendarMark::Holiday      ? Palette::Red
                     : day.mark == CalendarMark::WorkingDay ? Palette::Blue
                                                            : Palette::Black;
        if (day.requested)
            colour = Palette::Magenta;
        grid.setCellForeColor(row, col, Palette::colour(colour));
        if (col == 6)
            ++row;
    }
    GridTextFit::widenColumns(grid, 0, kCols - 1);
    // The whole week in view: a grid laid out for 400-twip columns grows with them.
    int width = 2 * grid.frameWidth();
    for (int c = 0; c < kCols; ++c)
        width += grid.columnWidth(c);
    grid.setMinimumWidth(std::max(grid.minimumWidth(), width));
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
