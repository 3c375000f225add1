#pragma once

#include <QDate>
#include <QString>
#include <vector>

struct Holiday {
    QDate date;
    QString name;
    bool operator==(const Holiday&) const = default;
};

// Japan's national holidays (祝日, 振替休日 and 国民の休日) from `from` to `to` inclusive, in
// date order, computed by rule. The rules are those in force from 2020 on, with the earlier
// fixed dates of the 2000s and 2010s, the one-off days of 2019 and the moved sports days of
// 2020 and 2021; the equinoxes follow the usual astronomical approximations (1900-2150).
std::vector<Holiday> NationalHolidays(const QDate& from, const QDate& to);

// The holiday's name on a day, or an empty string.
QString NationalHolidayName(const QDate& day);
