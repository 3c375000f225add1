#include "store/masters/calendar_store.h"

#include "store/database.h"
#include "store/records/calendar_day.h"
#include "store/text_values.h"

#include <algorithm>

namespace CalendarStore {

std::vector<QDate> weekdaysOfMonth(const QDate& first, const std::vector<int>& weekdays) {
    std::vector<QDate> days;
    for (QDate d = first; d.month() == first.month(); d = d.addDays(1))
        if (std::find(weekdays.begin(), weekdays.end(), d.dayOfWeek() % 7) != weekdays.end())
            days.push_back(d);
    return days;
}

std::vector<QDate> weekdaysOfYear(const FiscalYear& year, const std::vector<int>& weekdays) {
    std::vector<QDate> days;
    for (const int weekday : weekdays) {
        QDate d = year.start.addDays((weekday - year.start.dayOfWeek() % 7 + 7) % 7);
        for (; d <= year.end; d = d.addDays(7))
            days.push_back(d);
    }
    return days;
}

std::vector<QDate> dayInEveryMonth(const FiscalYear& year, int day) {
    // Each month is counted from the first month on its own, so a day a short month cuts
    // back does not stay cut back in the months after it.
    const QDate firstMonth(year.start.year(), year.start.month(), 1);
    std::vector<QDate> days;
    for (int i = 0; i < 12; ++i) {
        const QDate month = firstMonth.addMonths(i);
        days.push_back(month.addDays(std::min(day, month.daysInMonth()) - 1));
    }
    return days;
}

void saveDays(Database& db, const std::vector<QDate>& days, int holidayFlag, const QString& name) {
    Database::Transaction tx(db);
    for (const QDate& d : days)
        CalendarDay{TextValues::dateText(d), holidayFlag, name}.save(db);
    tx.commit();
}

int removeDays(Database& db, const std::vector<QDate>& days) {
    Database::Transaction tx(db);
    int missing = 0;
    for (const QDate& d : days)
        if (!CalendarDay::remove(db, TextValues::dateText(d)))
            ++missing;
    tx.commit();
    return missing;
}

} // namespace CalendarStore
