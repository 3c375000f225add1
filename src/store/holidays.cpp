#include "store/holidays.h"

#include <algorithm>
#include <cmath>
#include <map>

using namespace Qt::Literals::StringLiterals;

namespace {

// The n-th Monday of a month.
QDate nthMonday(int year, int month, int n) {
    const QDate first(year, month, 1);
    const int toMonday = (Qt::Monday - first.dayOfWeek() + 7) % 7;
    return first.addDays(toMonday + 7 * (n - 1));
}

// Day of March / September on which the equinox falls (0 outside the formula's range).
int equinoxDay(int year, bool spring) {
    double base = 0;
    if (year >= 1900 && year <= 1979)
        base = spring ? 20.8357 : 23.2588;
    else if (year >= 1980 && year <= 2099)
        base = spring ? 20.8431 : 23.2488;
    else if (year >= 2100 && year <= 2150)
        base = spring ? 21.8510 : 24.2488;
    else
        return 0;
    const int y = year - 1980;
    // Integer division must round toward minus infinity for the years before 1980.
    const int leapShift = static_cast<int>(std::floor(y / 4.0));
    return static_cast<int>(std::floor(base + 0.242194 * y - leapShift));
}

// The holidays named by the holiday law itself (no substitute or sandwiched days).
std::map<QDate, QString> namedHolidays(int year) {
    std::map<QDate, QString> h;
    auto add = [&](const QDate& d, const QString& name) { h.emplace(d, name); };

    add(QDate(year, 1, 1), u"元日"_s);
    add(year >= 2000 ? nthMonday(year, 1, 2) : QDate(year, 1, 15), u"成人の日"_s);
    add(QDate(year, 2, 11), u"建国記念の日"_s);
    if (year >= 2020)
        add(QDate(year, 2, 23), u"天皇誕生日"_s);
    if (const int d = equinoxDay(year, true))
        add(QDate(year, 3, d), u"春分の日"_s);
    add(QDate(year, 4, 29), year >= 2007 ? u"昭和の日"_s : u"みどりの日"_s);
    if (year == 2019)
        add(QDate(year, 5, 1), u"即位の日"_s);
    add(QDate(year, 5, 3), u"憲法記念日"_s);
    if (year >= 2007)
        add(QDate(year, 5, 4), u"みどりの日"_s);
    add(QDate(year, 5, 5), u"こどもの日"_s);

    if (year == 2020)
        add(QDate(year, 7, 23), u"海の日"_s);
    else if (year == 2021)
        add(QDate(year, 7, 22), u"海の日"_s);
    else if (year >= 2003)
        add(nthMonday(year, 7, 3), u"海の日"_s);
    else if (year >= 1996)
        add(QDate(year, 7, 20), u"海の日"_s);

    if (year == 2020)
        add(QDate(year, 8, 10), u"山の日"_s);
    else if (year == 2021)
        add(QDate(year, 8, 8), u"山の日"_s);
    else if (year >= 2016)
        add(QDate(year, 8, 11), u"山の日"_s);

    add(year >= 2003 ? nthMonday(year, 9, 3) : QDate(year, 9, 15), u"敬老の日"_s);
    if (const int d = equinoxDay(year, false))
        add(QDate(year, 9, d), u"秋分の日"_s);

    if (year == 2020)
        add(QDate(year, 7, 24), u"スポーツの日"_s);
    else if (year == 2021)
        add(QDate(year, 7, 23), u"スポーツの日"_s);
    else if (year >= 2020)
        add(nthMonday(year, 10, 2), u"スポーツの日"_s);
    else
        add(year >= 2000 ? nthMonday(year, 10, 2) : QDate(year, 10, 10), u"体育の日"_s);

    if (year == 2019)
        add(QDate(year, 10, 22), u"即位礼正殿の儀"_s);
    add(QDate(year, 11, 3), u"文化の日"_s);
    add(QDate(year, 11, 23), u"勤労感謝の日"_s);
    if (year >= 1989 && year <= 2018)
        add(QDate(year, 12, 23), u"天皇誕生日"_s);
    return h;
}

// Every holiday of one year, the substitute and sandwiched days included.
std::map<QDate, QString> yearHolidays(int year) {
    const std::map<QDate, QString> named = namedHolidays(year);
    std::map<QDate, QString> all = named;
    // A named holiday on a Sunday passes to the next day that is no holiday. Until 2006 only
    // the Monday could take it.
    for (const auto& [day, name] : named) {
        if (day.dayOfWeek() != Qt::Sunday)
            continue;
        QDate next = day.addDays(1);
        if (year >= 2007) {
            while (all.contains(next))
                next = next.addDays(1);
        } else if (all.contains(next)) {
            continue;
        }
        if (next.year() == year)
            all.emplace(next, u"振替休日"_s);
    }
    // A day between two named holidays that is none itself is a holiday too; a Sunday is a
    // day off anyway and is left as it is.
    for (const auto& [day, name] : named) {
        const QDate between = day.addDays(1);
        if (between.dayOfWeek() != Qt::Sunday && !all.contains(between) &&
            named.contains(between.addDays(1)))
            all.emplace(between, u"国民の休日"_s);
    }
    return all;
}

} // namespace

std::vector<Holiday> NationalHolidays(const QDate& from, const QDate& to) {
    std::vector<Holiday> out;
    if (!from.isValid() || !to.isValid() || to < from)
        return out;
    for (int year = from.year(); year <= to.year(); ++year)
        for (const auto& [day, name] : yearHolidays(year))
            if (day >= from && day <= to)
                out.push_back({day, name});
    return out;
}

QString NationalHolidayName(const QDate& day) {
    const auto found = NationalHolidays(day, day);
    return found.empty() ? QString() : found.front().name;
}
