#include "roster/daily_chart.h"

#include "roster/roster_model.h"
#include "store/text_values.h"

std::optional<int> DailyChart::minutesOf(const QString& time) {
    const std::optional<QString> normal = TextValues::normaliseTime(time);
    if (!normal)
        return std::nullopt;
    return normal->left(2).toInt() * 60 + normal->mid(3, 2).toInt();
}

void DailyChart::paint(std::array<QString, kHalfHours>& cells, const WorkShiftInfo& shift,
                       int dayOffset) {
    const std::optional<int> start = minutesOf(shift.start);
    const std::optional<int> end = minutesOf(shift.end);
    if (!start || !end)
        return;
    // Minutes counted from midnight of the chart's day.
    const int from = *start + dayOffset * kMinutesPerDay;
    const int to = (*end > *start ? *end : *end + kMinutesPerDay) + dayOffset * kMinutesPerDay;
    for (int c = 0; c < kHalfHours; ++c) {
        const int cellStart = kStartMinute + c * 30;
        if (from <= cellStart && cellStart < to)
            cells[static_cast<size_t>(c)] = shift.abbrev;
    }
}

std::vector<DailyChart::Band> DailyChart::Row::bands() const {
    std::vector<Band> out;
    for (int c = 0; c < kHalfHours; ++c) {
        const QString& text = cells[static_cast<size_t>(c)];
        if (text.isEmpty())
            continue;
        if (!out.empty() && out.back().text == text && out.back().first + out.back().count == c)
            ++out.back().count;
        else
            out.push_back({c, 1, text});
    }
    return out;
}

DailyChart DailyChart::build(const RosterModel& model) {
    DailyChart chart;
    for (int g = 1; g <= 2; ++g) {
        for (const Person& p : model.group(g)) {
            Row row;
            row.no = p.no;
            row.name = p.name;
            for (int day = 1; day <= 3; ++day) {
                const Cell& c = p.cell(day);
                const QString& abbrev = c.actualShift.isEmpty() ? c.shift : c.actualShift;
                if (abbrev.isEmpty())
                    continue;
                if (const int s = model.cache.workShiftIndex(abbrev); s > 0)
                    paint(row.cells, model.cache.workShift(s), day - 2);
            }
            chart.rows.push_back(std::move(row));
        }
    }
    return chart;
}
