#include "roster/short_day.h"

#include "roster/roster_model.h"
#include "roster/run_shape.h"

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString& shiftOfCell(const RosterModel& m, const Cell& c) {
    if (!c.actualShift.isEmpty())
        return c.actualShift;
    if (m.loadMode == LoadMode::Generation)
        return c.requestShift.isEmpty() ? c.shift : c.requestShift;
    return c.shift.isEmpty() ? c.requestShift : c.shift;
}

int daysOnShift(const RosterModel& m, const Person& p, const QString& abbrev) {
    int n = 0;
    const int last = std::min(m.lastDay(), RosterBounds::MaxPeriodDay);
    for (int d = 1; d <= last; ++d)
        if (!m.isClosed(d) && shiftOfCell(m, p.cell(d)) == abbrev)
            ++n;
    return n;
}

// Leaders counted on a shift that day at a level, and the leaders it needs there.
std::pair<int, int> leadersOn(const RosterModel& m, int day, int s, int level) {
    int have = 0;
    for (int g = 1; g <= 2; ++g) {
        if (level != 3 && g != level)
            continue;
        for (const Person& p : m.group(g))
            if (p.leader == 1 && m.cache.workShiftIndex(shiftOfCell(m, p.cell(day))) == s)
                ++have;
    }
    return {have, m.requirement.at(level == 3 ? 3 : 1, day, s, 2)};
}

bool inRun(const RunShape& run, const QString& shift, const QString& rest) {
    return !shift.isEmpty() && shift != rest &&
           std::find(run.run.begin(), run.run.end(), shift) != run.run.end();
}

// Whether the days after `day` leave room for the rest of the mandatory run.
bool runFits(const Person& p, int day, const RunShape& run) {
    for (int d = day + 1; d < day + run.mandatoryLength && d <= RosterBounds::LastDay; ++d) {
        const Cell& c = p.cell(d);
        if (!c.requestShift.isEmpty() || c.unavailable == 1)
            return false;
    }
    return true;
}

void blockFor(const RosterModel& m, const Person& p, int group, int day, int s, const RunShape& run,
              ShortDayPerson& out) {
    const Cell& c = p.cell(day);
    const QString& abbrev = m.cache.workShift(s).abbrev;
    const auto block = [&](ShortDayBlocker b, const QString& reason) {
        out.blocker = b;
        out.reason = reason;
    };
    if (c.unavailable == 1)
        return block(ShortDayBlocker::Unavailable, u"勤務できない期間（配属前・休職中）"_s);
    if (m.isClosed(day))
        return block(ShortDayBlocker::ClosedDay, u"休日"_s);
    if (out.shift == abbrev)
        return block(ShortDayBlocker::OnThisShift, u"%1に配置済み"_s.arg(abbrev));
    if (!c.requestShift.isEmpty())
        return block(ShortDayBlocker::Request, u"希望勤務（%1）"_s.arg(c.requestShift));
    if (p.shiftType == 2 || p.shiftType == 5)
        return block(ShortDayBlocker::FixedSchedule, u"固定の勤務形態"_s);
    if (inRun(run, out.shift, m.cache.restShift))
        return block(ShortDayBlocker::MandatoryRun, u"必須パターンの途中（%1）"_s.arg(out.shift));
    if (s == run.mandatoryShift && run.mandatoryLength > 1 && !runFits(p, day, run))
        return block(ShortDayBlocker::MandatoryRun, u"必須パターンが続けて入らない"_s);
    const int max = m.cache.workShift(s).max;
    if (max > 0 && out.shiftCount >= max)
        return block(ShortDayBlocker::MaxReached, u"%1の上限%2回に到達"_s.arg(abbrev).arg(max));
    const int own = m.cache.workShiftIndex(out.shift);
    if (p.leader == 1 && own != 0 && out.shift != m.cache.restShift) {
        for (int level : {group, 3}) {
            if (level != 3 && m.groupingMode != Grouping::ByTeam)
                continue;
            const auto [have, need] = leadersOn(m, day, own, level);
            if (need > 0 && have <= need)
                return block(ShortDayBlocker::LeaderRule, u"%1の責任者が不足する"_s.arg(out.shift));
        }
    }
}

} // namespace

const QString& ReportedShift(const RosterModel& m, int group, int slot, int day) {
    return shiftOfCell(m, m.person(group, slot).cell(day));
}

ShortDayExplanation ExplainShortDay(const RosterModel& m, int day, int shift, int level) {
    ShortDayExplanation e;
    e.day = day;
    e.date = m.day(day).date;
    e.level = level;
    e.shift = shift;
    if (shift < 1 || shift > m.cache.workShiftCount())
        return e;
    e.shiftAbbrev = m.cache.workShift(shift).abbrev;
    e.required = m.requirement.at(level == 3 ? 3 : 1, day, shift, 1);
    const RunShape run = RunShape::from(m.cache);
    for (int g = 1; g <= 2; ++g) {
        if (level != 3 && g != level)
            continue;
        for (int slot = 1; slot <= m.groupCount(g); ++slot) {
            const Person& p = m.person(g, slot);
            ShortDayPerson row;
            row.group = g;
            row.slot = slot;
            row.staffNo = p.no;
            row.name = p.name;
            row.shift = shiftOfCell(m, p.cell(day));
            row.shiftCount = daysOnShift(m, p, e.shiftAbbrev);
            blockFor(m, p, g, day, shift, run, row);
            if (row.blocker == ShortDayBlocker::OnThisShift)
                ++e.assigned;
            if (row.blocker == ShortDayBlocker::None)
                e.candidates.push_back(row);
            e.people.push_back(std::move(row));
        }
    }
    std::stable_sort(e.candidates.begin(), e.candidates.end(),
                     [](const ShortDayPerson& a, const ShortDayPerson& b) {
                         return a.shiftCount < b.shiftCount;
                     });
    return e;
}
