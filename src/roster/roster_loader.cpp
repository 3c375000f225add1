#include "roster/roster_loader.h"

#include "roster/registration.h"
#include "roster/roster_model.h"
#include "roster/roster_rows.h"
#include "roster/staff_availability.h"
#include "store/code_kind.h"
#include "store/database.h"
#include "store/records/calendar_day.h"
#include "store/records/code_entry.h"
#include "store/records/creation_unit.h"
#include "store/records/shift_request.h"
#include "store/records/staff_member.h"
#include "store/table.h"
#include "store/text_values.h"

#include <QDate>
#include <QHash>

using namespace Qt::Literals::StringLiterals;
using namespace RosterBounds;

namespace {

void loadDays(Database& db, RosterModel& m, const std::array<QString, 7>& names) {
    static const std::array<QString, 7> fallback = {u"日"_s, u"月"_s, u"火"_s, u"水"_s,
                                                    u"木"_s, u"金"_s, u"土"_s};
    const QDate start = TextValues::parseDateText(m.periodStart);
    if (!start.isValid())
        return;
    QHash<QString, CalendarDay> calendar;
    // One read for the whole window, the lead days before the period included.
    for (CalendarDay& c :
         CalendarDay::loadRange(db, TextValues::dateText(start.addDays(FirstDay - 1)),
                                TextValues::dateText(start.addDays(LastDay - 1))))
        calendar.insert(c.date, std::move(c));
    for (int d = FirstDay; d <= LastDay; ++d) {
        const QDate date = start.addDays(d - 1);
        DayInfo& day = m.day(d);
        day.date = TextValues::dateText(date);
        day.dayOfMonth = QString::number(date.day());
        day.weekday = date.dayOfWeek() % 7 + 1; // Qt: Monday 1 .. Sunday 7
        const QString& name = names[static_cast<size_t>(day.weekday - 1)];
        day.weekdayName = name.isEmpty() ? fallback[static_cast<size_t>(day.weekday - 1)] : name;
        if (const auto c = calendar.constFind(day.date); c != calendar.cend()) {
            day.holidayFlag = c->holidayFlag;
            day.note = c->remark;
        }
    }
}

void loadTeamNames(Database& db, RosterModel& m) {
    const std::vector<CodeEntry> teams = CodeEntry::loadKind(db, CodeKind::Team);
    for (size_t n = 1; n <= 3 && n <= teams.size(); ++n)
        m.teamName[n] = teams[n - 1].name;
}

// Whether a person takes part in the period. Someone who joins after it ends is left out, and
// so is someone whose leave of absence covers every day of it (an empty leave side is open
// ended). Anyone else is loaded, a leave that starts or ends inside the period, or lies wholly
// before or after it, included: markUnavailable keeps them off their leave days.
bool admitted(const RosterModel& m, const Person& p) {
    if (!p.assignedFrom.isEmpty() && p.assignedFrom > m.periodEnd)
        return false;
    const bool onLeave = !p.leaveFrom.isEmpty() || !p.leaveTo.isEmpty();
    const bool leaveCoversPeriod = onLeave &&
                                   (p.leaveFrom.isEmpty() || p.leaveFrom <= m.periodStart) &&
                                   (p.leaveTo.isEmpty() || p.leaveTo >= m.periodEnd);
    return !leaveCoversPeriod;
}

bool passesFilters(const RosterModel& m, const Person& p) {
    if (!m.loaded.filter.staffNo.isEmpty() && p.no != m.loaded.filter.staffNo)
        return false;
    if (!m.loaded.filter.team.isEmpty() && p.team != m.loaded.filter.team)
        return false;
    if (m.loaded.leaders == LeaderFilter::LeadersOnly && p.leader != 1)
        return false;
    if (m.loaded.leaders == LeaderFilter::NonLeaders && p.leader == 1)
        return false;
    return true;
}

// A person cannot work before joining nor during a leave of absence or after retirement (a
// leave with no end date); those days are marked unavailable.
void markUnavailable(RosterModel& m, Person& p) {
    for (int d = FirstDay; d <= LastDay; ++d) {
        const QString& date = m.day(d).date;
        if (date.isEmpty())
            continue;
        p.cell(d).unavailable = AvailableOn(p.assignedFrom, p.leaveFrom, p.leaveTo, date) ? 0 : 1;
    }
}

void loadStaff(Database& db, RosterModel& m) {
    Table staff(db, StaffMember::table);
    staff.setIndex(StaffMember::Index::byDisplayOrder);
    staff.seek(Seek::GreaterEqual, {QString(), QString()});
    for (; !staff.eof(); staff.moveNext()) {
        const StaffMember s = StaffMember::fromRow(staff);
        if (s.no.isEmpty())
            continue;
        Person p;
        p.no = s.no;
        p.name = s.name;
        p.assignedFrom = s.assignedFrom;
        p.leaveFrom = s.leaveFrom;
        p.leaveTo = s.leaveTo;
        p.employFlag = s.employFlag;
        p.shiftType = s.shiftType;
        p.fixedPattern = s.fixedPattern;
        p.leader = s.leader;
        p.earlyAllowed = s.earlyAllowed;
        p.team = s.team;
        if (!admitted(m, p) || !passesFilters(m, p))
            continue;
        markUnavailable(m, p);
        const int g = (m.loaded.grouping == Grouping::ByTeam && p.team != m.teamName[1]) ? 2 : 1;
        m.group(g).push_back(std::move(p));
    }
}

void loadRequests(Database& db, RosterModel& m) {
    const QDate start = TextValues::parseDateText(m.periodStart);
    // One cursor for everybody: a person's requests are a run of the staff-number index.
    Table req(db, ShiftRequest::table);
    req.setIndex(ShiftRequest::Index::byStaff);
    for (auto& group : m.groups) {
        for (Person& p : group) {
            req.seek(Seek::GreaterEqual, {p.no, m.periodStart});
            for (; req.keyMatches({p.no}); req.moveNext()) {
                const ShiftRequest r = ShiftRequest::fromRow(req);
                if (r.date > m.periodEnd)
                    break;
                const int d = TextValues::diffDays(start, TextValues::parseDateText(r.date)) + 1;
                if (d < 1 || d > LastDay)
                    continue;
                Cell& c = p.cell(d);
                c.requestShift = r.planned.isEmpty() ? r.actual : r.planned;
                c.requestKind = r.kind;
            }
        }
    }
}

void setPeriodDayCount(RosterModel& m) {
    const QDate from = TextValues::parseDateText(m.periodStart);
    const QDate to = TextValues::parseDateText(m.periodEnd);
    int n = (from.isValid() && to.isValid()) ? TextValues::diffDays(from, to) + 1 + 4 : -1;
    if (n > 38 || n < 0)
        n = 40;
    m.periodDayCount = n;
}

} // namespace

void LoadRosterPeriod(Database& db, RosterModel& m, const std::array<QString, 7>& weekdayNames) {
    m.days = {};
    m.teamName = {};
    m.groups = {};
    m.requirement.clear();
    m.assigned.clear();
    m.recountLimit = MaxPeriodDay;
    Database::Transaction read(db, Database::Transaction::Kind::Read);
    loadDays(db, m, weekdayNames);
    // Team names are read whenever the staff are split by team, even where the workplace's
    // by-team setting is off: the grouping compares each person's team with the first name.
    if (m.byTeam == 1 || m.loaded.grouping == Grouping::ByTeam)
        loadTeamNames(db, m);
    loadStaff(db, m);
    m.createdSeen.reset();
    m.requestsSeen.reset();
    if (m.loaded.requests == RequestsMode::Load) {
        loadRequests(db, m);
        m.requestsSeen = StoredRequestsDigest(db, m);
        // Read in the same transaction as the staff and requests the roster is built from.
        if (const std::optional<CreationUnit> created = CreationUnit::load(db, 2))
            m.createdSeen = CreatedPeriod{created->createdFrom, created->createdTo};
    }
    setPeriodDayCount(m);
    read.commit();
}

void LoadStoredRoster(Database& db, RosterModel& m) {
    const bool generation = m.loaded.mode == LoadMode::Generation;
    const QDate start = TextValues::parseDateText(m.periodStart);
    if (!start.isValid())
        return;
    const QString windowStart = generation ? TextValues::addDays(m.periodStart, -5) : m.periodStart;
    QHash<QString, Person*> byNo;
    for (auto& group : m.groups)
        for (Person& p : group)
            byNo.insert(p.no, &p);
    ForEachRosterRow(db, windowStart, m.periodEnd, [&](const RosterRow& row) {
        Person* p = byNo.value(row.staffNo);
        if (p == nullptr)
            return;
        const int d = TextValues::diffDays(start, TextValues::parseDateText(row.date)) + 1;
        if (d < FirstDay || d > LastDay)
            return;
        Cell& c = p->cell(d);
        if (generation) {
            const bool hasActual = !row.actual.isEmpty();
            c.shift = hasActual ? row.actual : row.planned;
            c.early = hasActual ? row.actualEarly : row.plannedEarly;
        } else {
            c.shift = row.planned;
            c.early = row.plannedEarly;
            if (!row.actual.isEmpty()) {
                c.actualShift = row.actual;
                c.actualEarly = row.actualEarly;
            }
        }
    });
}
