#include "roster/personal_month.h"

#include "store/database.h"
#include "store/records/calendar_day.h"
#include "store/records/roster_row.h"
#include "store/records/shift_request.h"
#include "store/text_values.h"

#include <QHash>

namespace {

constexpr int kRosterRowKind = 1; // a person's own row, never a backup's

} // namespace

PersonalMonth PersonalMonth::load(Database& db, const QString& staffNo, const QDate& first,
                                  const QDate& today) {
    PersonalMonth month;
    const QDate start(first.year(), first.month(), 1);
    const QDate last = start.addMonths(1).addDays(-1);
    const QString from = TextValues::dateText(start);
    const QString to = TextValues::dateText(last);

    Database::Transaction read(db, Database::Transaction::Kind::Read);
    QHash<QString, CalendarDay> calendar;
    for (CalendarDay& c : CalendarDay::loadRange(db, from, to))
        calendar.insert(c.date, std::move(c));
    QHash<QString, RosterRow> roster;
    for (RosterRow& r : RosterRow::loadForStaff(db, kRosterRowKind, staffNo, from, to))
        roster.insert(r.date, std::move(r));
    QHash<QString, QString> requests;
    for (const ShiftRequest& r : ShiftRequest::loadForStaff(db, staffNo, from, to))
        if (!requests.contains(r.date)) // the first of a day's requests counts
            requests.insert(r.date, r.actual.isEmpty() ? r.planned : r.actual);
    read.commit();

    int band = 0;
    for (QDate d = start; d <= last; d = d.addDays(1)) {
        Day day;
        day.day = d.day();
        day.column = d.dayOfWeek() % 7; // Qt counts Monday 1 … Sunday 7
        if (d != start && day.column == 0)
            ++band;
        day.band = band;
        const QString date = TextValues::dateText(d);
        if (const auto c = calendar.constFind(date); c != calendar.cend())
            day.mark = c->holidayFlag == 1 ? CalendarMark::Holiday : CalendarMark::WorkingDay;
        if (const auto r = roster.constFind(date); r != roster.cend()) {
            day.upper = r->planned;
            day.lower = r->actual;
            if (day.lower.isEmpty() && d < today)
                day.lower = r->planned;
        }
        if (const auto q = requests.constFind(date); q != requests.cend() && !q->isEmpty()) {
            day.upper = *q;
            day.requested = true;
        }
        month.days.push_back(std::move(day));
    }
    return month;
}
