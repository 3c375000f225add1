#include "roster/quality_report.h"

#include "roster/roster_model.h"
#include "roster/run_shape.h"
#include "roster/short_day_explainer.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

using namespace Qt::Literals::StringLiterals;
using namespace RosterBounds;

namespace {

constexpr qint64 DayMinutes = 24 * 60;

// Start and end of a shift in minutes, when both are times.
struct Span {
    int start = -1, end = -1;
    bool valid() const { return start >= 0 && end >= 0; }
    static Span of(const QString& from, const QString& to) {
        const std::optional<int> a = NightSettings::parseTime(from);
        const std::optional<int> b = NightSettings::parseTime(to);
        return a && b ? Span{*a, *b} : Span{};
    }
};

struct ShiftTimes {
    Span plain, early, late;
};

// What the report reads again and again, worked out once: every person's working-shift index
// per day (0 for anything else), each shift's times, and the day counts per level.
struct Context {
    const RosterModel& m;
    const NightSettings& night;
    RunShape run;
    int last = 0;       // last day of the period
    int shiftCount = 0; // working shifts in table order
    int restIndex = 0;
    struct Member {
        int group = 0, slot = 0;
        const Person* p = nullptr;
        std::array<int, DayCount> shift{};
        int at(int d) const { return shift[static_cast<size_t>(d - FirstDay)]; }
    };
    std::vector<Member> members;
    std::vector<ShiftTimes> times; // index s - 1
    // Everybody and the leaders per level, day and shift (closed days stay 0).
    StaffingMatrix<2> counted; // staff and leaders

    Context(const RosterModel& model, const NightSettings& n)
        : m(model), night(n), run(RunShape::from(model.cache)),
          last(std::min(model.lastDay(), MaxPeriodDay)), shiftCount(model.cache.workShiftCount()),
          restIndex(model.cache.workShiftIndex(model.cache.restShift)) {
        for (int s = 1; s <= shiftCount; ++s) {
            const WorkShiftInfo& w = m.cache.workShift(s);
            times.push_back({Span::of(w.start, w.end), Span::of(w.earlyStart, w.earlyEnd),
                             Span::of(w.lateStart, w.lateEnd)});
        }
        for (int g = 1; g <= 2; ++g) {
            for (int slot = 1; slot <= m.groupCount(g); ++slot) {
                Member member{g, slot, &m.person(g, slot), {}};
                for (int d = FirstDay; d <= last; ++d)
                    member.shift[static_cast<size_t>(d - FirstDay)] =
                        m.cache.workShiftIndex(ReportedShift(m, g, slot, d));
                for (int d = 1; d <= last; ++d) {
                    const int s = member.at(d);
                    if (s == 0 || m.isClosed(d))
                        continue;
                    for (int level : {g, 3}) {
                        counted.at(level, d, s, Figure::Staff) += 1;
                        if (member.p->leader == 1)
                            counted.at(level, d, s, Figure::Leaders) += 1;
                    }
                }
                members.push_back(member);
            }
        }
    }

    bool working(int s) const { return s != 0 && s != restIndex; }
};

QString levelName(int level) {
    return level == 3 ? u"全体"_s : u"グループ%1"_s.arg(level);
}

std::vector<int> levelsOf(const RosterModel& m) {
    if (m.loaded.grouping == Grouping::ByTeam)
        return {1, 2, 3};
    return {3};
}

void addStaffing(const Context& c, QualityReport& r) {
    const RosterModel& m = c.m;
    for (int level : levelsOf(m)) {
        for (int s = 1; s <= c.shiftCount; ++s) {
            if (s == c.restIndex)
                continue;
            QualityReport::ShiftStaffing row;
            row.level = level;
            row.levelName = levelName(level);
            row.shift = m.cache.workShift(s).abbrev;
            for (int d = 1; d <= c.last; ++d) {
                QualityReport::DayStaffing day;
                day.day = d;
                day.date = m.day(d).date;
                day.closed = m.isClosed(d);
                day.required = m.requirement.at(
                    level == Level::Unit ? Level::Unit : Level::FirstGroup, d, s, Figure::Staff);
                day.assigned = c.counted.at(level, d, s, Figure::Staff);
                row.shortage += day.shortage();
                row.surplus += day.surplus();
                row.days.push_back(day);
            }
            r.staffing.push_back(std::move(row));
        }
    }
}

int markOf(const Cell& cell) {
    return (cell.actualEarly == 2 || cell.actualEarly == 3) ? cell.actualEarly : cell.early;
}

// Night minutes of one person in the period. A shift that runs past midnight counts to its end;
// time another shift already covers (an after-night day inside a long night shift) counts once.
double nightHoursOf(const Context& c, const Context::Member& member) {
    qint64 covered = std::numeric_limits<qint64>::min();
    qint64 minutes = 0;
    for (int d = 0; d <= c.last; ++d) {
        const int s = member.at(d);
        const Cell& cell = member.p->cell(d);
        if (s == 0 || cell.unavailable == 1)
            continue;
        const ShiftTimes& t = c.times[static_cast<size_t>(s - 1)];
        const int mark = markOf(cell);
        const Span span = mark == 2 && t.early.valid()  ? t.early
                          : mark == 3 && t.late.valid() ? t.late
                                                        : t.plain;
        if (!span.valid())
            continue;
        const qint64 a = d * DayMinutes + span.start;
        const qint64 b =
            d * DayMinutes + (span.end > span.start ? span.end : span.end + DayMinutes);
        const qint64 begin = std::max(a, covered);
        if (d >= 1 && begin < b)
            minutes += c.night.minutesInsideSpan(begin, b, d - 1, d + 1);
        covered = std::max(covered, b);
    }
    return static_cast<double>(minutes) / 60.0;
}

QualityReport::PersonFigures personFigures(const Context& c, const Context::Member& member) {
    const RosterModel& m = c.m;
    const Person& p = *member.p;
    QualityReport::PersonFigures f;
    f.staffNo = p.no;
    f.name = p.name;
    f.group = member.group;
    f.shiftDays.assign(static_cast<size_t>(c.shiftCount), 0);
    int run = 0, runFrom = 0;
    for (int d = FirstDay; d <= c.last; ++d) {
        const Cell& cell = p.cell(d);
        const int s = member.at(d);
        const bool works = c.working(s);
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
        if (s != 0 && !m.isClosed(d))
            f.shiftDays[static_cast<size_t>(s - 1)] += 1;
        if (s != 0 && s == c.run.mandatoryShift)
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
            if (ReportedShift(m, member.group, member.slot, d) == cell.requestShift)
                ++f.granted;
        }
        const int mark = markOf(cell);
        f.earlyMarks += mark == 2 ? 1 : 0;
        f.lateMarks += mark == 3 ? 1 : 0;
    }
    f.nightHours = nightHoursOf(c, member);
    return f;
}

void addSpread(const Context& c, QualityReport& r) {
    for (int s = 1; s <= c.shiftCount; ++s) {
        QualityReport::Spread spread;
        spread.shift = c.m.cache.workShift(s).abbrev;
        std::vector<int> values;
        for (size_t i = 0; i < c.members.size(); ++i) {
            const int n = r.people[i].shiftDays[static_cast<size_t>(s - 1)];
            const int type = c.members[i].p->shiftType;
            // Pattern workers can be given any shift; others only what they already have.
            if (type == 1 || type == 3 || n > 0)
                values.push_back(n);
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
int predecessorDay(const Context& c, const Context::Member& member, int d) {
    int q = d - 1;
    while (q >= FirstDay && c.m.isClosed(q) &&
           ReportedShift(c.m, member.group, member.slot, q).isEmpty())
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
        const int s = m.cache.workShiftIndex(shift);
        const int before = m.cache.workShiftIndex(run[pos - 1]);
        // Rest and default days stand on their own; only shifts that exist for the run are
        // checked.
        if (s == 0 || s == c.restIndex || shift == defaultShift || shift == run.front())
            continue;
        for (const Context::Member& member : c.members) {
            for (int d = 1; d <= c.last; ++d) {
                if (member.at(d) != s)
                    continue;
                const int q = predecessorDay(c, member, d);
                if (q >= FirstDay && before != 0 && member.at(q) == before)
                    continue;
                const Person& p = *member.p;
                r.findings.push_back({QualityReport::FindingKind::RunWithoutPredecessor, d,
                                      m.day(d).date, p.no, p.name, shift, member.group, member.slot,
                                      0,
                                      u"%1 %2：%3の前に%4がありません"_s.arg(m.day(d).date, p.name,
                                                                             shift, run[pos - 1])});
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
                const int need = m.requirement.at(
                    level == Level::Unit ? Level::Unit : Level::FirstGroup, d, s, Figure::Leaders);
                const int have = c.counted.at(level, d, s, Figure::Leaders);
                if (need <= 0 || m.isClosed(d) || have >= need)
                    continue;
                r.findings.push_back({QualityReport::FindingKind::LeaderShort, d, m.day(d).date,
                                      QString(), QString(), abbrev, 0, 0, level,
                                      u"%1 %2 %3：責任者が不足しています（必要 %4、配置 %5）"_s.arg(
                                          m.day(d).date, levelName(level), abbrev,
                                          QString::number(need), QString::number(have))});
            }
        }
    }
}

void addMaxFindings(const Context& c, QualityReport& r) {
    for (size_t i = 0; i < c.members.size(); ++i) {
        const QualityReport::PersonFigures& f = r.people[i];
        for (int s = 1; s <= c.shiftCount; ++s) {
            const WorkShiftInfo& w = c.m.cache.workShift(s);
            const int n = f.shiftDays[static_cast<size_t>(s - 1)];
            if (w.max <= 0 || n <= w.max)
                continue;
            r.findings.push_back(
                {QualityReport::FindingKind::OverMax, 0, QString(), f.staffNo, f.name, w.abbrev,
                 c.members[i].group, c.members[i].slot, 0,
                 u"%1：%2が%3回で上限%4回を超えています"_s.arg(f.name, w.abbrev, QString::number(n),
                                                               QString::number(w.max))});
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
    const Context c(m, night);
    QualityReport r;
    r.periodStart = m.periodStart;
    r.periodEnd = m.periodEnd;
    r.dayCount = c.last;
    for (int s = 1; s <= c.shiftCount; ++s)
        r.shifts.push_back(m.cache.workShift(s).abbrev);
    addStaffing(c, r);
    for (const Context::Member& member : c.members)
        r.people.push_back(personFigures(c, member));
    addSpread(c, r);
    addRunFindings(c, r);
    addLeaderFindings(c, r);
    addMaxFindings(c, r);
    std::stable_sort(r.findings.begin(), r.findings.end(),
                     [](const QualityReport::Finding& a, const QualityReport::Finding& b) {
                         return a.date < b.date;
                     });
    addNightSummary(c, r);
    const ShortDayExplainer explainer(m);
    for (const auto& row : r.staffing)
        for (const auto& day : row.days)
            if (day.shortage() > 0)
                r.shortDays.push_back(
                    explainer.explain(day.day, m.cache.workShiftIndex(row.shift), row.level));
    return r;
}

std::vector<int> UnitShortageByDay(const QualityReport& r) {
    std::vector<int> shortage(static_cast<size_t>(std::max(r.dayCount, 0)), 0);
    for (const auto& s : r.staffing) {
        if (s.level != 3)
            continue;
        for (const auto& d : s.days)
            if (d.day >= 1 && d.day <= r.dayCount)
                shortage[static_cast<size_t>(d.day - 1)] += d.shortage();
    }
    return shortage;
}
