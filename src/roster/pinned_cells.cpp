#include "roster/pinned_cells.h"

#include "roster/roster_model.h"

#include <QHash>
#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

bool listed(const RosterModel& m, int group, int slot) {
    return group >= 1 && group <= 2 && slot >= 1 && slot <= m.groupCount(group);
}

bool inPeriod(const RosterModel& m, int day) {
    return day >= 1 && day <= std::min(m.lastDay(), int(RosterBounds::MaxPeriodDay));
}

} // namespace

QString PinProblem(const RosterModel& m, int group, int slot, int day) {
    if (!listed(m, group, slot) || !inPeriod(m, day))
        return u"固定できるのは職員の期間内の勤務だけです。"_s;
    const Cell& c = m.person(group, slot).cell(day);
    if (m.isClosed(day))
        return u"休業日は固定出来ません。"_s;
    if (!c.requestShift.isEmpty())
        return u"希望が登録された日は固定出来ません。"_s;
    if (c.unavailable == 1)
        return u"勤務できない日は固定出来ません。"_s;
    if (c.shift.isEmpty())
        return u"勤務が入っていない日は固定出来ません。"_s;
    return {};
}

bool TogglePin(RosterModel& m, int group, int slot, int day) {
    Cell& c = m.person(group, slot).cell(day);
    c.pinned = !c.pinned;
    return c.pinned;
}

bool IsPinned(const RosterModel& m, int group, int slot, int day) {
    return listed(m, group, slot) && day >= RosterBounds::FirstDay &&
           day <= RosterBounds::LastDay && m.person(group, slot).cell(day).pinned;
}

std::vector<PinnedShift> PinnedShifts(const RosterModel& m) {
    std::vector<PinnedShift> out;
    for (const auto& group : m.groups)
        for (const Person& p : group)
            for (int d = 1; d <= RosterBounds::LastDay; ++d)
                if (const Cell& c = p.cell(d); c.pinned)
                    out.push_back({p.no, d, c.shift, c.early});
    return out;
}

void HoldPinsAsRequests(RosterModel& m, const std::vector<PinnedShift>& pins) {
    QHash<QString, Person*> byNo;
    for (auto& group : m.groups)
        for (Person& p : group)
            byNo.insert(p.no, &p);
    for (const PinnedShift& pin : pins) {
        Person* p = byNo.value(pin.staffNo);
        if (p == nullptr || !inPeriod(m, pin.day) || m.isClosed(pin.day))
            continue;
        Cell& c = p->cell(pin.day);
        // A request or an absence entered since wins over the hand.
        if (!c.requestShift.isEmpty() || c.unavailable == 1)
            continue;
        c.requestShift = pin.shift;
        c.requestKind = 0;
        c.shift.clear();
        c.early = pin.early;
        c.pinned = true;
    }
}

void ReleasePinRequests(RosterModel& m) {
    for (auto& group : m.groups)
        for (Person& p : group)
            for (Cell& c : p.cells)
                if (c.pinned) {
                    c.shift = c.requestShift;
                    c.requestShift.clear();
                }
}
