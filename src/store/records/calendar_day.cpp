#include "store/records/calendar_day.h"

#include "store/records/record_access.h"
#include "store/table.h"

std::optional<CalendarDay> CalendarDay::load(Database& db, const QString& date) {
    return RecordAccess::load<CalendarDay>(db, {date});
}

void CalendarDay::save(Database& db) const {
    RecordAccess::save(db, *this);
}

bool CalendarDay::remove(Database& db, const QString& date) {
    return RecordAccess::remove(db, table, {date});
}

std::vector<CalendarDay> CalendarDay::loadRange(Database& db, const QString& from,
                                                const QString& to) {
    std::vector<CalendarDay> days;
    Table t(db, table);
    t.setIndex(Index::key);
    for (t.seek(Seek::GreaterEqual, {from}); !t.eof() && t.text(Field::date) <= to; t.moveNext())
        days.push_back(fromRow(t));
    return days;
}

CalendarDay CalendarDay::fromRow(const Table& t) {
    CalendarDay r;
    r.date = t.text(Field::date);
    r.holidayFlag = t.integer(Field::holidayFlag);
    r.remark = t.text(Field::remark);
    return r;
}

void CalendarDay::writeTo(Table& t) const {
    t.set(Field::date, date);
    t.set(Field::holidayFlag, holidayFlag);
    t.set(Field::remark, remark);
}

QVariantList CalendarDay::key() const {
    return {date};
}
