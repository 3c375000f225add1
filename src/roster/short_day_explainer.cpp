#include "roster/short_day_explainer.h"

#include "roster/roster_model.h"

#include <algorithm>

using namespace Qt::Literals::StringLiterals;
using namespace RosterBounds;

namespace {

constexpr size_t slotOf(int day) {
    return static_cast<size_t>(day - FirstDay);
}

} // namespace

ShortDayExplainer::ShortDayExplainer(const RosterModel& m) : m_(m), run_(RunShape::from(m.cache)) {
    const int last = std::min(m.lastDay(), MaxPeriodDay);
    for (int g = 1; g <= 2; ++g) {
        for (int slot = 1; slot <= m.groupCount(g); ++slot) {
            Member member{g, slot, &m.person(g, slot), {}, {}};
            for (int d = FirstDay; d <= LastDay; ++d)
                member.shiftOn[slotOf(d)] = m.cache.workShiftIndex(ReportedShift(m, g, slot, d));
            for (int d = 1; d <= last; ++d)
                if (!m.isClosed(d))
                    member.days[static_cast<size_t>(member.shiftOn[slotOf(d)])] += 1;
            members_.push_back(member);
        }
    }
}

int ShortDayExplainer::leadersOn(int day, int s, int level) const {
    int have = 0;
    for (const Member& other : members_)
        if ((level == 3 || other.group == level) && other.p->leader == 1 &&
            other.shiftOn[slotOf(day)] == s)
            ++have;
    return have;
}

void ShortDayExplainer::block(const Member& who, int day, int s, ShortDayPerson& out) const {
    const Person& p = *who.p;
    const Cell& c = p.cell(day);
    const QString& abbrev = m_.cache.workShift(s).abbrev;
    const auto set = [&](ShortDayBlocker b, const QString& reason) {
        out.blocker = b;
        out.reason = reason;
    };
    if (c.unavailable == 1)
        return set(ShortDayBlocker::Unavailable, u"勤務できない期間（配属前・休職中）"_s);
    if (m_.isClosed(day))
        return set(ShortDayBlocker::ClosedDay, u"休日"_s);
    const int own = who.shiftOn[slotOf(day)];
    if (own == s)
        return set(ShortDayBlocker::OnThisShift, u"%1に配置済み"_s.arg(abbrev));
    if (!c.requestShift.isEmpty())
        return set(ShortDayBlocker::Request, u"希望勤務（%1）"_s.arg(c.requestShift));
    if (p.shiftType == 2 || p.shiftType == 5)
        return set(ShortDayBlocker::FixedSchedule, u"固定の勤務形態"_s);
    const bool inRun = own != 0 && out.shift != m_.cache.restShift &&
                       std::find(run_.run.begin(), run_.run.end(), out.shift) != run_.run.end();
    if (inRun)
        return set(ShortDayBlocker::MandatoryRun, u"必須パターンの途中（%1）"_s.arg(out.shift));
    if (s == run_.mandatoryShift) {
        // The rest of the run needs the following days free of requests and leave.
        for (int d = day + 1; d < day + run_.mandatoryLength && d <= LastDay; ++d) {
            const Cell& next = p.cell(d);
            if (!next.requestShift.isEmpty() || next.unavailable == 1)
                return set(ShortDayBlocker::MandatoryRun, u"必須パターンが続けて入らない"_s);
        }
    }
    const int max = m_.cache.workShift(s).max;
    if (max > 0 && out.shiftCount >= max)
        return set(ShortDayBlocker::MaxReached, u"%1の上限%2回に到達"_s.arg(abbrev).arg(max));
    if (p.leader == 1 && own != 0 && out.shift != m_.cache.restShift) {
        for (int level : {who.group, 3}) {
            if (level != 3 && m_.loaded.grouping != Grouping::ByTeam)
                continue;
            const int need = m_.requirement.at(
                level == Level::Unit ? Level::Unit : Level::FirstGroup, day, own, Figure::Leaders);
            if (need > 0 && leadersOn(day, own, level) <= need)
                return set(ShortDayBlocker::LeaderRule, u"%1の責任者が不足する"_s.arg(out.shift));
        }
    }
}

ShortDayExplanation ShortDayExplainer::explain(int day, int shift, int level) const {
    ShortDayExplanation e;
    e.day = day;
    e.level = level;
    e.shift = shift;
    if (shift < 1 || shift > m_.cache.workShiftCount() || day < 1 || day > LastDay || level < 1 ||
        level > Levels)
        return e;
    e.date = m_.day(day).date;
    e.shiftAbbrev = m_.cache.workShift(shift).abbrev;
    e.required = m_.requirement.at(level == Level::Unit ? Level::Unit : Level::FirstGroup, day,
                                   shift, Figure::Staff);
    for (const Member& who : members_) {
        if (level != 3 && who.group != level)
            continue;
        ShortDayPerson row;
        row.group = who.group;
        row.slot = who.slot;
        row.staffNo = who.p->no;
        row.name = who.p->name;
        row.shift = ReportedShift(m_, who.group, who.slot, day);
        row.shiftCount = who.days[static_cast<size_t>(shift)];
        block(who, day, shift, row);
        if (row.blocker == ShortDayBlocker::OnThisShift)
            ++e.assigned;
        if (row.blocker == ShortDayBlocker::None)
            e.candidates.push_back(row);
        e.people.push_back(std::move(row));
    }
    std::stable_sort(e.candidates.begin(), e.candidates.end(),
                     [](const ShortDayPerson& a, const ShortDayPerson& b) {
                         return a.shiftCount < b.shiftCount;
                     });
    return e;
}

ShortDayExplanation ExplainShortDay(const RosterModel& m, int day, int shift, int level) {
    return ShortDayExplainer(m).explain(day, shift, level);
}
