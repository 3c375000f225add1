#include "roster/registered_period.h"

#include "store/database.h"
#include "store/records/roster_row.h"
#include "store/schema.h"

using namespace Qt::Literals::StringLiterals;

bool HoldsRegisteredRoster(Database& db, const QString& from, const QString& to) {
    using F = RosterRow::Field;
    const auto q = &Schema::quoted;
    Statement st = db.prepare(u"SELECT 1 FROM %1 WHERE %2 = 1 AND %3 >= :from AND %3 <= :to "
                              u"LIMIT 1"_s.arg(q(RosterRow::table), q(F::kind), q(F::date)),
                              u"勤務表の読み込み"_s);
    st.bind(u":from"_s, from).bind(u":to"_s, to);
    return st.step();
}
