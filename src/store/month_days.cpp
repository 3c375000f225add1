#include "store/month_days.h"

#include "store/database.h"
#include "store/records/calendar_day.h"
#include "store/records/shift_request.h"
#include "store/text_values.h"

std::vector<MonthDay> ReadMonthDays(Database& db, const QDate& firstDay, const QString& staffNo) {
    Database::Transaction read(db, Database::Transaction::Kind::Read);
    std::vector<MonthDay> days;
    for (QDate d = firstDay; d.month() == firstDay.month(); d = d.addDays(1)) {
        MonthDay day;
        day.date = d;
        if (const auto row = CalendarDay::load(db, TextValues::dateText(d))) {
            day.mark = row->holidayFlag == 1 ? CalendarMark::Holiday : CalendarMark::WorkingDay;
            day.remark = row->remark;
        }
        day.requested = !staffNo.isEmpty() && HasRequestOnDay(db, staffNo, d);
        days.push_back(day);
    }
    return days;
}

bool HasRequestOnDay(Database& db, const QString& staffNo, const QDate& day) {
    const QString date = TextValues::dateText(day);
    return !ShiftRequest::loadForStaff(db, staffNo, date, date).empty();
}
