#include "roster/registration.h"

#include "roster/roster_model.h"
#include "store/database.h"
#include "store/db_error.h"
#include "store/records/creation_unit.h"
#include "store/records/roster_row.h"
#include "store/records/shift_request.h"
#include "store/schema.h"
#include "store/statement.h"

#include <QCryptographicHash>
#include <QSet>
#include <optional>
#include <utility>
#include <vector>

using namespace Qt::Literals::StringLiterals;
using namespace RosterBounds;

namespace {

template <typename Fn> void forEachPerson(const RosterModel& m, Fn&& fn) {
    for (int g = 1; g <= 2; ++g)
        for (const Person& p : m.group(g))
            fn(g, p);
}

using Schema::quoted;

// "INSERT INTO table (k..., v...) VALUES (...) ON CONFLICT (k...) DO UPDATE SET v = ...": adds
// the row or edits the one stored under its key in one step. `values` pairs each further field
// with its SQL value (a parameter or a constant); `updated` are the fields an existing row takes.
QString upsertSql(const QString& table, const QStringList& keys, const QStringList& keyValues,
                  const std::vector<std::pair<QString, QString>>& values,
                  const QStringList& updated) {
    QStringList cols, vals, sets, keyCols;
    for (qsizetype i = 0; i < keys.size(); ++i) {
        cols << quoted(keys[i]);
        vals << keyValues[i];
        keyCols << quoted(keys[i]);
    }
    for (const auto& [field, value] : values) {
        cols << quoted(field);
        vals << value;
        if (updated.contains(field))
            sets << quoted(field) + u" = "_s + value;
    }
    return u"INSERT INTO "_s + quoted(table) + u" ("_s + cols.join(u", "_s) + u") VALUES ("_s +
           vals.join(u", "_s) + u") ON CONFLICT ("_s + keyCols.join(u", "_s) +
           u") DO UPDATE SET "_s + sets.join(u", "_s);
}

int plannedMark(const RosterModel& m, const QString& planned, int early) {
    const int s = m.cache.workShiftIndex(planned);
    return (s != 0 && m.cache.workShift(s).earlyKind != 0) ? early : 0;
}

} // namespace

void WriteRosterRows(Database& db, const RosterModel& m, Registering how) {
    // One prepared statement finds the row by its key and adds or edits it, so a month of a
    // large ward costs one statement step per row.
    using F = RosterRow::Field;
    const QStringList all = {F::planned, F::plannedEarly, F::actual, F::actualEarly,
                             F::backup,  F::team,         F::pattern};
    Statement row = db.prepare(upsertSql(RosterRow::table, {F::kind, F::staffNo, F::date},
                                         {u"1"_s, u"?1"_s, u"?2"_s},
                                         {{F::planned, u"?3"_s},
                                          {F::plannedEarly, u"?4"_s},
                                          {F::actual, u"?5"_s},
                                          {F::actualEarly, u"?6"_s},
                                          {F::backup, u"''"_s},
                                          {F::team, u"?7"_s},
                                          {F::pattern, u"?8"_s}},
                                         all),
                               u"勤務表の書き込み"_s);
    // A new roster replaces what an earlier registration of the period stored: a day this one
    // leaves out must not keep the old shift (prints and totals would count it). Corrections
    // of a registered roster leave such days alone.
    const bool replaces = how == Registering::NewRoster;
    std::optional<Statement> drop;
    if (replaces)
        drop.emplace(db.prepare(u"DELETE FROM "_s + quoted(RosterRow::table) + u" WHERE "_s +
                                    quoted(F::kind) + u" = 1 AND "_s + quoted(F::staffNo) +
                                    u" = ?1 AND "_s + quoted(F::date) + u" = ?2"_s,
                                u"勤務表の書き込み"_s));
    forEachPerson(m, [&](int g, const Person& p) {
        // Rows start on the joining date; leave days are marked unavailable and get none.
        const QString from = p.assignedFrom > m.periodStart ? p.assignedFrom : m.periodStart;
        const QByteArray no = p.no.toUtf8();
        const QByteArray team = m.teamName[static_cast<size_t>(g)].toUtf8();
        const QByteArray pattern = QByteArray::number(p.fixedPattern);
        const int last = m.lastDay();
        for (int d = 1; d <= last; ++d) {
            const QString& date = m.day(d).date;
            const Cell& c = p.cell(d);
            // A requested day keeps its request even where the passes left the shift empty.
            if (date < from || c.unavailable == 1 ||
                (c.shift.isEmpty() && c.requestShift.isEmpty())) {
                if (drop)
                    drop->bind(1, no).bind(2, date.toUtf8()).run();
                continue;
            }
            const QString planned = c.requestShift.isEmpty() ? c.shift : c.requestShift;
            const int early = plannedMark(m, planned, c.early);
            const bool actualDiffers =
                !c.actualShift.isEmpty() && (c.actualShift != planned || c.actualEarly != early);
            row.bind(1, no)
                .bind(2, date.toUtf8())
                .bind(3, planned.toUtf8())
                .bind(4, early)
                .bind(5, actualDiffers ? c.actualShift.toUtf8() : QByteArray())
                .bind(6, actualDiffers ? c.actualEarly : 0)
                .bind(7, team)
                .bind(8, pattern)
                .run();
        }
    });
}

void WriteRequestRows(Database& db, const RosterModel& m) {
    // A new request row gets empty extras and the period start as its application date; an
    // existing one keeps them.
    using F = ShiftRequest::Field;
    Statement row = db.prepare(upsertSql(ShiftRequest::table, {F::kind, F::staffNo, F::date},
                                         {u"?1"_s, u"?2"_s, u"?3"_s},
                                         {{F::planned, u"?4"_s},
                                          {F::actual, u"''"_s},
                                          {F::lateEarly, u"0"_s},
                                          {F::dayOffFlag, u"0"_s},
                                          {F::from, u"''"_s},
                                          {F::to, u"''"_s},
                                          {F::backup, u"''"_s},
                                          {F::appliedOn, u"?5"_s},
                                          {F::remark, u"''"_s},
                                          {F::consecutiveFlag, u"0"_s}},
                                         {F::planned, F::actual}),
                               u"休暇希望の書き込み"_s);
    const QByteArray applied = m.periodStart.toUtf8();
    const QByteArray paidLeave = u"有"_s.toUtf8();
    forEachPerson(m, [&](int, const Person& p) {
        const QByteArray no = p.no.toUtf8();
        const int last = m.lastDay();
        for (int d = 1; d <= last; ++d) {
            const QString& date = m.day(d).date;
            const Cell& c = p.cell(d);
            if (c.requestShift.isEmpty())
                continue;
            row.bind(1, c.requestKind)
                .bind(2, no)
                .bind(3, date.toUtf8())
                .bind(4, c.requestKind == 1 ? paidLeave : c.requestShift.toUtf8())
                .bind(5, applied)
                .run();
        }
    });
}

void CheckCreatedPeriodUnchanged(Database& db, const RosterModel& m) {
    const std::optional<CreationUnit> created = CreationUnit::load(db, 2);
    if (!created)
        return;
    if (m.createdSeen != CreatedPeriod{created->createdFrom, created->createdTo})
        throw DbError(RegisteredElsewhereMessage);
}

QByteArray StoredRequestsDigest(Database& db, const RosterModel& m) {
    using F = ShiftRequest::Field;
    QSet<QString> people;
    forEachPerson(m, [&](int, const Person& p) { people.insert(p.no); });
    Statement st =
        db.prepare(u"SELECT %1, %2, %3, %4, %5 FROM %6 WHERE %3 >= ?1 AND %3 <= ?2 "
                   u"ORDER BY %2, %3, %1"_s.arg(quoted(F::kind), quoted(F::staffNo),
                                                quoted(F::date), quoted(F::planned),
                                                quoted(F::actual), quoted(ShiftRequest::table)),
                   u"休暇希望の読み込み"_s);
    st.bind(1, m.periodStart.toUtf8()).bind(2, m.periodEnd.toUtf8());
    QCryptographicHash hash(QCryptographicHash::Sha256);
    while (st.step()) {
        if (!people.contains(st.text(1)))
            continue;
        // Each field ends in a character no field holds, so no two rows run together.
        QByteArray row = QByteArray::number(st.integer(0)) + '\x1f';
        for (int i = 1; i < 5; ++i)
            row += st.text(i).toUtf8() + '\x1f';
        hash.addData(row);
    }
    return hash.result();
}

void CheckRequestsUnchanged(Database& db, const RosterModel& m) {
    if (m.requestsSeen && StoredRequestsDigest(db, m) != *m.requestsSeen)
        throw DbError(RequestsChangedElsewhereMessage);
}

QStringList AdvanceCreatedPeriod(Database& db, const RosterModel& m) {
    std::optional<CreationUnit> created = CreationUnit::load(db, 2);
    if (!created)
        return {u"作成単位･基本の登録を確認して下さい。"_s};
    created->createdFrom = m.periodStart;
    created->createdTo = m.periodEnd;
    created->save(db);
    return {};
}

QStringList RegisterRoster(Database& db, RosterModel& m, Registering how) {
    // Begun immediately: between the check and the commit nobody else can register.
    Database::Transaction tx(db);
    const bool advances = how == Registering::NewRoster;
    if (advances) {
        CheckCreatedPeriodUnchanged(db, m);
        CheckRequestsUnchanged(db, m);
    }
    WriteRosterRows(db, m, how);
    WriteRequestRows(db, m);
    QStringList messages;
    std::optional<QByteArray> written;
    if (advances) {
        messages = AdvanceCreatedPeriod(db, m);
        written = StoredRequestsDigest(db, m);
    }
    tx.commit();
    if (advances && messages.isEmpty())
        m.createdSeen = CreatedPeriod{m.periodStart, m.periodEnd};
    if (written)
        m.requestsSeen = written;
    return messages;
}
