#include "roster/cumulative_totals.h"

#include "roster/roster_model.h"
#include "roster/roster_rows.h"
#include "store/database.h"
#include "store/records/roster_row.h"
#include "store/table.h"
#include "store/text_values.h"

#include <QHash>
#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

size_t at(int i) {
    return static_cast<size_t>(i);
}

void addHistory(Table& roster, RosterModel& m, Person& p, int column, const QString& from,
                const QString& to) {
    roster.seek(Seek::GreaterEqual, {1, p.no, from});
    for (; !roster.eof(); roster.moveNext()) {
        if (roster.integer(RosterRow::Field::kind) != 1 ||
            roster.text(RosterRow::Field::staffNo) != p.no ||
            roster.text(RosterRow::Field::date) > to)
            break;
        RosterRow row;
        row.planned = roster.text(RosterRow::Field::planned);
        row.plannedEarly = roster.integer(RosterRow::Field::plannedEarly);
        row.actual = roster.text(RosterRow::Field::actual);
        row.actualEarly = roster.integer(RosterRow::Field::actualEarly);
        AddTotalsRow(m.cache, p, column, row);
    }
}

} // namespace

void AddTotalsRow(const MasterCache& cache, Person& p, int column, const RosterRow& row) {
    const bool hasActual = !row.actual.isEmpty();
    const int s = cache.workShiftIndex(hasActual ? row.actual : row.planned);
    if (s == 0)
        return;
    const int mark = hasActual ? row.actualEarly : row.plannedEarly;
    for (int col : {column, CumulativeTotals::TotalColumn}) {
        p.cumulative[1][at(col)][at(s)] += 1;
        if (mark == 2)
            p.cumulative[2][at(col)][at(s)] += 1;
        else if (mark == 3)
            p.cumulative[3][at(col)][at(s)] += 1;
    }
}

int TotalsColumnOf(const RosterModel& m, const QString& date) {
    if (m.totalsBy == TotalsBy::Month) {
        const int month = QStringView(date).mid(5, 2).toInt();
        for (int i = 1; i <= CumulativeTotals::MaxColumns; ++i)
            if (m.totalsMonthList[at(i)] == month)
                return i;
        return 0;
    }
    for (int i = 1; i <= CumulativeTotals::MaxColumns; ++i) {
        const QString& from = m.totalsYearStart[at(i)];
        if (!from.isEmpty() && from <= date && date <= m.totalsYearEnd[at(i)])
            return i;
    }
    return 0;
}

void AccumulateStaffTotals(Table& roster, RosterModel& m, Person& p) {
    using F = RosterRow::Field;
    roster.seek(Seek::GreaterEqual, {1, p.no, m.totalsWindowStart});
    for (; !roster.eof(); roster.moveNext()) {
        // Backup rows (kind 2) sort after every ordinary row, so they end the walk too.
        if (roster.integer(F::kind) != 1 || roster.text(F::staffNo) != p.no)
            break;
        const QString date = roster.text(F::date);
        if (date > m.totalsWindowEnd)
            break;
        const int column = TotalsColumnOf(m, date);
        if (column == 0)
            continue;
        RosterRow row;
        row.planned = roster.text(F::planned);
        row.plannedEarly = roster.integer(F::plannedEarly);
        row.actual = roster.text(F::actual);
        row.actualEarly = roster.integer(F::actualEarly);
        AddTotalsRow(m.cache, p, column, row);
    }
}

void AccumulateStaffTotals(Database& db, RosterModel& m, Person& p) {
    Table roster(db, RosterRow::table);
    roster.setIndex(RosterRow::Index::key);
    AccumulateStaffTotals(roster, m, p);
}

std::vector<std::pair<int, int>> TotalsStaff(const RosterModel& m) {
    std::vector<std::pair<int, int>> chosen;
    auto block = [&](int g) {
        for (int slot = 1; slot <= m.groupCount(g); ++slot) {
            if (m.person(g, slot).name.isEmpty())
                break;
            chosen.emplace_back(g, slot);
        }
    };
    if (!m.loaded.filter.team.isEmpty()) {
        block(m.teamName[1] == m.loaded.filter.team ? 1 : 2);
    } else if (!m.loaded.filter.staffNo.isEmpty()) {
        for (int g = 1; g <= 2; ++g)
            for (int slot = 1; slot <= m.groupCount(g); ++slot)
                if (m.person(g, slot).no == m.loaded.filter.staffNo) {
                    chosen.emplace_back(g, slot);
                    break;
                }
    } else {
        block(1);
        block(2);
    }
    return chosen;
}

void CountCumulativeTotals(Database& db, RosterModel& m) {
    for (auto& g : m.groups)
        for (Person& p : g)
            p.cumulative = {};
    if (m.totalsBy == TotalsBy::Period) {
        m.totalsYearStart = {};
        m.totalsYearEnd = {};
        m.totalsYearStart[1] = m.periodStart;
        m.totalsYearEnd[1] = m.periodEnd;
    }
    Table roster(db, RosterRow::table);
    roster.setIndex(RosterRow::Index::key);
    for (const auto& [g, slot] : TotalsStaff(m))
        AccumulateStaffTotals(roster, m, m.person(g, slot));
}

TotalsColumns MonthColumns(const QDate& from, const QDate& to, int maxColumns) {
    TotalsColumns c;
    c.by = TotalsBy::Month;
    const QDate first(from.year(), from.month(), 1);
    int n = 0;
    for (QDate month = first; n < maxColumns && month <= to; month = month.addMonths(1))
        c.monthList[at(++n)] = month.month();
    const QDate lastOfColumns = first.addMonths(std::max(n, 1)).addDays(-1);
    c.windowStart = TextValues::dateText(from);
    c.windowEnd = TextValues::dateText(std::min(to, lastOfColumns));
    return c;
}

TotalsColumns WholeMonthColumns(const QDate& first, int months) {
    const QDate start(first.year(), first.month(), 1);
    return MonthColumns(start, start.addMonths(months).addDays(-1), months);
}

TotalsColumns YearColumns(const FiscalYear::Start& start, const QDate& from, const QDate& to,
                          int maxColumns) {
    TotalsColumns c;
    c.by = TotalsBy::Year;
    FiscalYear year = FiscalYear::containing(start, from);
    const QDate firstStart = year.start;
    QDate lastEnd = year.end;
    for (int n = 1; n <= maxColumns; ++n) {
        c.yearStart[at(n)] = year.startText();
        c.yearEnd[at(n)] = year.endText();
        lastEnd = year.end;
        year = FiscalYear::beginningIn(start, year.start.year() + 1);
        if (year.start > to)
            break;
    }
    c.windowStart = TextValues::dateText(firstStart);
    c.windowEnd = TextValues::dateText(lastEnd);
    return c;
}

TotalsColumns PeriodColumn(const QString& from, const QString& to) {
    TotalsColumns c;
    c.by = TotalsBy::Period;
    c.yearStart[1] = from;
    c.yearEnd[1] = to;
    c.windowStart = from;
    c.windowEnd = to;
    return c;
}

void SetTotalsColumns(RosterModel& m, const TotalsColumns& c) {
    m.totalsBy = c.by;
    m.totalsMonthList = c.monthList;
    m.totalsYearStart = c.yearStart;
    m.totalsYearEnd = c.yearEnd;
    m.totalsWindowStart = c.windowStart;
    m.totalsWindowEnd = c.windowEnd;
    m.periodStart = c.windowStart;
    m.periodEnd = c.windowEnd;
}

void SetMonthColumns(RosterModel& m, const QDate& from, const QDate& to, int maxColumns) {
    SetTotalsColumns(m, MonthColumns(from, to, maxColumns));
}

void SetWholeMonthColumns(RosterModel& m, const QDate& first, int months) {
    SetTotalsColumns(m, WholeMonthColumns(first, months));
}

void SetYearColumns(RosterModel& m, const FiscalYear::Start& start, const QDate& from,
                    const QDate& to, int maxColumns) {
    SetTotalsColumns(m, YearColumns(start, from, to, maxColumns));
}

void SetPeriodColumn(RosterModel& m, const QString& from, const QString& to) {
    SetTotalsColumns(m, PeriodColumn(from, to));
}

QStringList TotalsColumnLabels(const RosterModel& m) {
    QStringList labels;
    for (int i = 1; i <= CumulativeTotals::MaxColumns; ++i) {
        if (m.totalsBy == TotalsBy::Month && m.totalsMonthList[at(i)] != 0)
            labels << QString::number(m.totalsMonthList[at(i)]) + u"月"_s;
        else if (m.totalsBy == TotalsBy::Year && !m.totalsYearStart[at(i)].isEmpty())
            labels << m.totalsYearStart[at(i)].left(4) + u"年度"_s;
        else
            break;
    }
    return labels;
}

void AddRosterHistory(Database& db, RosterModel& m, int group, int slot, int column,
                      const QString& from, const QString& to) {
    Table roster(db, RosterRow::table);
    roster.setIndex(RosterRow::Index::key);
    addHistory(roster, m, m.person(group, slot), column, from, to);
}

void LoadCumulativeTotals(Database& db, RosterModel& m, TotalsLoad load) {
    if (load == TotalsLoad::Columns) {
        CountCumulativeTotals(db, m);
        return;
    }
    for (auto& g : m.groups)
        for (Person& p : g)
            p.cumulative = {};
    const QDate start = TextValues::parseDateText(m.periodStart);
    if (!start.isValid())
        return;
    const QDate end = start.addDays(-1);
    m.totalsWindowEnd = TextValues::dateText(end);
    m.totalsWindowStart = TextValues::dateText(end.addMonths(-3));
    QHash<QString, Person*> byNo;
    for (auto& group : m.groups)
        for (Person& p : group)
            byNo.insert(p.no, &p);
    ForEachRosterRow(db, m.totalsWindowStart, m.totalsWindowEnd, [&](const RosterRow& row) {
        if (Person* p = byNo.value(row.staffNo))
            AddTotalsRow(m.cache, *p, 1, row);
    });
}
