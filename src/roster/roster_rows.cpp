#include "roster/roster_rows.h"

#include "store/database.h"

using namespace Qt::Literals::StringLiterals;

void ForEachRosterRow(Database& db, const QString& from, const QString& to,
                      const std::function<void(const RosterRow&)>& visit) {
    Statement st = db.prepare(
        u"SELECT \"勤_職員番号\", \"勤_勤務日\", \"勤_予定\", \"勤_予定早出\", \"勤_実績\", "
        "\"勤_実績早出\" FROM \"勤務表\" WHERE \"勤_区分\" = 1 AND \"勤_勤務日\" >= :from AND "
        "\"勤_勤務日\" <= :to ORDER BY \"勤_職員番号\", \"勤_勤務日\""_s,
        u"勤務表の読み込み"_s);
    st.bind(u":from"_s, from).bind(u":to"_s, to);
    RosterRow row;
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
