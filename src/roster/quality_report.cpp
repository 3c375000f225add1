#include "roster/quality_report.h"

#include "roster/roster_model.h"
#include "roster/run_shape.h"

#include <algorithm>
#include <cmath>
#include <limits>

using namespace Qt::Literals::StringLiterals;
using namespace RosterBounds;

namespace {

constexpr qint64 DayMinutes = 24 * 60;

struct Context {
    const RosterModel& m;
    const NightSettings& night;
    RunShape run;
    int last = 0;       // last day of the period
    int shiftCount = 0; // working shifts in table order

    bool working(const QString& shift) const {
        return !shift.isEmpty() && shift != m.cache.restShift && m.cache.workShiftIndex(shift) != 0;
    }
};

QString levelName(int level) {
    return level == 3 ? u"全体"_s : u"グループ%1"_s.arg(level);
}

std::vector<int> levelsOf(const RosterModel& m) {
    if (m.groupingMode == Grouping::ByTeam)
        return {1, 2, 3};
    return {3};
}

void addStaffing(const Context& c, QualityReport& r) {
    const RosterModel& m = c.m;
    for (int level : levelsOf(m)) {
        for (int s = 1; s <= c.shiftCount; ++s) {
            const QString& abbrev = m.cache.workShift(s).abbrev;
            if (abbrev == m.cache.restShift)
                continue;
            QualityReport::ShiftStaffing row;
            row.level = level;
            row.levelName = levelName(level);
            row.shift = abbrev;
            for (int d = 1; d <= c.last; ++d) {
                QualityReport::DayStaffing day;
                day.day = d;
                day.date = m.day(d).date;
                day.closed = m.isClosed(d);
                day.required = m.requirement.at(level == 3 ? 3 : 1, d, s, 1);
                if (!day.closed) {
                    for (int g = 1; g <= 2; ++g) {
                        if (level != 3 && g != level)
                            continue;
                        for (int slot = 1; slot <= m.groupCount(g); ++slot)
                            if (ReportedShift(m, g, slot, d) == abbrev)
                                ++day.assigned;
                    }
                }
                row.shortage += day.shortage();
                row.surplus += day.surplus();
                row.days.push_back(day);
            }
            r.staffing.push_back(std::move(row));
        }
    }
}

// Night minutes of one person in the period. A shift that runs past midnight counts to its end;
// time another shift already covers (an after-night day inside a long night shift) counts once.
double nightHoursOf(const Context& c, int g, int slot) {
    const RosterModel& m = c.m;
    const Person& p = m.person(g, slot);
    qint64 covered = std::numeric_limits<qint64>::min();
    qint64 minutes = 0;
    for (int d = 0; d <= c.last; ++d) {
        const Cell& cell = p.cell(d);
        if (cell.unavailable == 1)
            continue;
        const int s = m.cache.workShiftIndex(ReportedShift(m, g, slot, d));
        if (s == 0)
            continue;
        const WorkShiftInfo& w = m.cache.workShift(s);
        const int mark =
            (cell.actualEarly == 2 || cell.actualEarly == 3) ? cell.actualEarly : cell.early;
        QString from = w.start, to = w.end;
        if (mark == 2 && !w.earlyStart.isEmpty() && !w.earlyEnd.isEmpty()) {
            from = w.earlyStart;
            to = w.earlyEnd;
        } else if (mark == 3 && !w.lateStart.isEmpty() && !w.lateEnd.isEmpty()) {
            from = w.lateStart;
            to = w.lateEnd;
        }
        const std::optional<int> start = NightSettings::parseTime(from);
        const std::optional<int> end = NightSettings::parseTime(to);
        if (!start || !end)
            continue;
        const qint64 a = d * DayMinutes + *start;
        const qint64 b = d * DayMinutes + (*end > *start ? *end : *end + DayMinutes);
        const qint64 begin = std::max(a, covered);
        if (d >= 1 && begin < b)
            minutes += c.night.minutesInsideSpan(begin, b, d - 1, d + 1);
        covered = std::max(covered, b);
    }
    return static_cast<double>(minutes) / 60.0;
}

QualityReport::PersonFigures personFigures(const Context& c, int g, int slot) {
    const RosterModel& m = c.m;
    const Person& p = m.person(g, slot);
    QualityReport::PersonFigures f;
    f.staffNo = p.no;
    f.name = p.name;
    f.group = g;
    f.shiftDays.assign(static_cast<size_t>(c.shiftCount), 0);
    const QString nightShift = c.run.run.empty() ? QString() : c.run.run.front();
    int run = 0, runFrom = 0;
    for (int d = FirstDay; d <= c.last; ++d) {
        const Cell& cell = p.cell(d);
        const QString& shift = ReportedShift(m, g, slot, d);
        const bool works = c.working(shift);
        if (works) {
            if (run++ == 0)
                runFrom = d;
            // A run is reported in the period: lead days only lengthen a run reaching day 1.
            if (d >= 1 && run > f.longestRun) {
                f.longestRun = run;
                f.longestRunFrom = m.day(runFrom).date;
            }
        } else {
            run = 0;
        }
        if (d < 1)
            continue;
        const int s = m.cache.workShiftIndex(shift);
        if (s != 0 && !m.isClosed(d))
            f.shiftDays[static_cast<size_t>(s - 1)] += 1;
        if (!nightShift.isEmpty() && shift == nightShift)
            ++f.nights;
        if (!works && cell.unavailable != 1) {
            ++f.restDays;
            const int weekday = m.day(d).weekday;
            f.saturdaysOff += weekday == 7 ? 1 : 0;
            f.sundaysOff += weekday == 1 ? 1 : 0;
            f.closedDaysOff += m.isClosed(d) ? 1 : 0;
        }
        if (!cell.requestShift.isEmpty()) {
            ++f.requested;
            if (shift == cell.requestShift)
                ++f.granted;
        }
        const int mark =
            (cell.actualEarly == 2 || cell.actualEarly == 3) ? cell.actualEarly : cell.early;
        f.earlyMarks += mark == 2 ? 1 : 0;
        f.lateMarks += mark == 3 ? 1 : 0;
    }
    f.nightHours = nightHoursOf(c, g, slot);
    return f;
}

void addSpread(const Context& c, QualityReport& r) {
    for (int s = 1; s <= c.shiftCount; ++s) {
        QualityReport::Spread spread;
        spread.shift = c.m.cache.workShift(s).abbrev;
        std::vector<int> values;
        size_t i = 0;
        for (int g = 1; g <= 2; ++g) {
            for (const Person& p : c.m.group(g)) {
                const int n = r.people[i++].shiftDays[static_cast<size_t>(s - 1)];
                // Pattern workers can be given any shift; others only what they already have.
                if (p.shiftType == 1 || p.shiftType == 3 || n > 0)
                    values.push_back(n);
            }
        }
        spread.people = static_cast<int>(values.size());
        if (!values.empty()) {
            const auto [lo, hi] = std::minmax_element(values.begin(), values.end());
            spread.min = *lo;
            spread.max = *hi;
            double sum = 0;
            for (int v : values)
                sum += v;
            spread.mean = sum / static_cast<double>(values.size());
            double squares = 0;
            for (int v : values)
                squares += (v - spread.mean) * (v - spread.mean);
            spread.stddev = std::sqrt(squares / static_cast<double>(values.size()));
        }
        r.spread.push_back(spread);
    }
}

// The day before `d` that counts as the predecessor: closed days left empty are stepped over.
int predecessorDay(const RosterModel& m, int g, int slot, int d) {
    int q = d - 1;
    while (q >= FirstDay && m.isClosed(q) && ReportedShift(m, g, slot, q).isEmpty())
        --q;
    return q;
}

void addRunFindings(const Context& c, QualityReport& r) {
    const RosterModel& m = c.m;
    const std::vector<QString>& run = c.run.run;
    const QString defaultShift =
        m.cache.replacementOrder.empty() ? QString() : m.cache.replacementOrder.front();
    for (size_t pos = 1; pos < run.size(); ++pos) {
        const QString& shift = run[pos];
        // Rest and default days stand on their own; only shifts that exist for the run are
        // checked.
        if (shift == m.cache.restShift || shift == defaultShift || shift == run.front() ||
            m.cache.workShiftIndex(shift) == 0)
            continue;
        for (int g = 1; g <= 2; ++g) {
            for (int slot = 1; slot <= m.groupCount(g); ++slot) {
                for (int d = 1; d <= c.last; ++d) {
                    if (ReportedShift(m, g, slot, d) != shift)
                        continue;
                    const int q = predecessorDay(m, g, slot, d);
                    if (q >= FirstDay && ReportedShift(m, g, slot, q) == run[pos - 1])
                        continue;
                    const Person& p = m.person(g, slot);
                    r.findings.push_back({QualityReport::FindingKind::RunWithoutPredecessor, d,
                                          m.day(d).date, p.no, p.name, shift, g, slot, 0,
                                          u"%1 %2：%3の前に%4がありません"_s.arg(
                                              m.day(d).date, p.name, shift, run[pos - 1])});
                }
            }
        }
    }
}

void addLeaderFindings(const Context& c, QualityReport& r) {
    const RosterModel& m = c.m;
    for (int level : levelsOf(m)) {
        for (int s = 1; s <= c.shiftCount; ++s) {
            const QString& abbrev = m.cache.workShift(s).abbrev;
            for (int d = 1; d <= c.last; ++d) {
                const int need = m.requirement.at(level == 3 ? 3 : 1, d, s, 2);
                if (need <= 0 || m.isClosed(d))
                    continue;
                int have = 0;
                for (int g = 1; g <= 2; ++g) {
                    if (level != 3 && g != level)
                        continue;
                    for (int slot = 1; slot <= m.groupCount(g); ++slot)
                        if (m.person(g, slot).leader == 1 && ReportedShift(m, g, slot, d) == abbrev)
                            ++have;
                }
                if (have >= need)
                    continue;
                r.findings.push_back({QualityReport::FindingKind::LeaderShort,
                                      d,
                                      m.day(d).date,
                                      {},
                                      {},
                                      abbrev,
                                      0,
                                      0,
                                      level,
                                      u"%1 %2 %3：責任者が不足しています（必要 %4、配置 %5）"_s.arg(
                                          m.day(d).date, levelName(level), abbrev,
                                          QString::number(need), QString::number(have))});
            }
        }
    }
}

void addMaxFindings(const Context& c, QualityReport& r) {
    size_t i = 0;
    for (int g = 1; g <= 2; ++g) {
        for (int slot = 1; slot <= c.m.groupCount(g); ++slot) {
            const QualityReport::PersonFigures& f = r.people[i++];
            for (int s = 1; s <= c.shiftCount; ++s) {
                const WorkShiftInfo& w = c.m.cache.workShift(s);
                const int n = f.shiftDays[static_cast<size_t>(s - 1)];
                if (w.max <= 0 || n <= w.max)
                    continue;
                r.findings.push_back(
                    {QualityReport::FindingKind::OverMax,
                     0,
                     {},
                     f.staffNo,
                     f.name,
                     w.abbrev,
                     g,
                     slot,
                     0,
                     u"%1：%2が%3回で上限%4回を超えています"_s.arg(
                         f.name, w.abbrev, QString::number(n), QString::number(w.max))});
            }
        }
    }
}

void addNightSummary(const Context& c, QualityReport& r) {
    r.night.window = c.night.windowText();
    r.night.minimumHours = c.night.minimumHours;
    double sum = 0;
    for (const auto& f : r.people) {
        if (f.nightHours >= c.night.minimumHours) {
            sum += f.nightHours;
            ++r.night.staffCounted;
        }
    }
    r.night.average = r.night.staffCounted > 0 ? sum / r.night.staffCounted : 0;
    r.night.overLimit = r.night.average > NightSettings::AverageLimit;
}

} // namespace

int QualityReport::unitShortage(const QString& shift) const {
    for (const auto& s : staffing)
        if (s.level == 3 && s.shift == shift)
            return s.shortage;
    return 0;
}

int QualityReport::unitSurplus(const QString& shift) const {
    for (const auto& s : staffing)
        if (s.level == 3 && s.shift == shift)
            return s.surplus;
    return 0;
}

QualityReport BuildQualityReport(const RosterModel& m, const NightSettings& night) {
    Context c{m, night, RunShape::from(m.cache), std::min(m.lastDay(), MaxPeriodDay),
              m.cache.workShiftCount()};
    QualityReport r;
    r.periodStart = m.periodStart;
    r.periodEnd = m.periodEnd;
    r.dayCount = c.last;
    for (int s = 1; s <= c.shiftCount; ++s)
        r.shifts.push_back(m.cache.workShift(s).abbrev);
    addStaffing(c, r);
    for (int g = 1; g <= 2; ++g)
        for (int slot = 1; slot <= m.groupCount(g); ++slot)
            r.people.push_back(personFigures(c, g, slot));
    addSpread(c, r);
    addRunFindings(c, r);
    addLeaderFindings(c, r);
    addMaxFindings(c, r);
    std::stable_sort(r.findings.begin(), r.findings.end(),
                     [](const QualityReport::Finding& a, const QualityReport::Finding& b) {
                         return a.date < b.date;
                     });
    addNightSummary(c, r);
    for (const auto& row : r.staffing)
        for (const auto& day : row.days)
            if (day.shortage() > 0)
                r.shortDays.push_back(
                    ExplainShortDay(m, day.day, m.cache.workShiftIndex(row.shift), row.level));
    return r;
}
