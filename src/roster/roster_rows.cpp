#include "roster/roster_rows.h"

#include "store/database.h"
#include "store/schema.h"

using namespace Qt::Literals::StringLiterals;

void ForEachRosterRow(Database& db, const QString& from, const QString& to,
                      const std::function<void(const RosterRow&)>& visit) {
    using F = RosterRow::Field;
    const auto q = &Schema::quoted;
    Statement st = db.prepare(u"SELECT %1, %2, %3, %4, %5, %6 FROM %7 WHERE %8 = 1 AND %2 >= :from "
                              u"AND %2 <= :to ORDER BY %1, %2"_s.arg(
                                  q(F::staffNo), q(F::date), q(F::planned), q(F::plannedEarly),
                                  q(F::actual), q(F::actualEarly), q(RosterRow::table), q(F::kind)),
                              u"勤務表の読み込み"_s);
    st.bind(u":from"_s, from).bind(u":to"_s, to);
    RosterRow row;
    row.kind = 1;
    while (st.step()) {
        row.staffNo = st.text(0);
        row.date = st.text(1);
        row.planned = st.text(2);
        row.plannedEarly = st.integer(3);
        row.actual = st.text(4);
        row.actualEarly = st.integer(5);
        visit(row);
    }
}
