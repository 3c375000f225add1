#include "roster/registration.h"

#include "roster/roster_model.h"
#include "store/database.h"
#include "store/table.h"

#include <sqlite3.h>

using namespace Qt::Literals::StringLiterals;
using namespace RosterBounds;

namespace {

template <typename Fn> void forEachPerson(const RosterModel& m, Fn&& fn) {
    for (int g = 1; g <= 2; ++g)
        for (const Person& p : m.group(g))
            fn(g, p);
}

// One prepared statement run once per row. Texts are bound without copying, so they must
// outlive the step.
class RowStatement final {
public:
    RowStatement(Database& db, const QString& sql, const QString& what)
        : db_(db), st_(db.prepare(sql)), what_(what) {}
    ~RowStatement() {
        sqlite3_finalize(st_);
        db_.noteWrite();
    }
    RowStatement(const RowStatement&) = delete;
    RowStatement& operator=(const RowStatement&) = delete;

    void bind(int pos, const QByteArray& v) {
        sqlite3_bind_text(st_, pos, v.constData(), static_cast<int>(v.size()), SQLITE_STATIC);
    }
    void bind(int pos, int v) { sqlite3_bind_int(st_, pos, v); }
    void run() {
        const int rc = sqlite3_step(st_);
        sqlite3_reset(st_);
        if (rc != SQLITE_DONE)
            db_.fail(what_);
    }

private:
    Database& db_;
    sqlite3_stmt* st_;
    QString what_;
};

int plannedMark(const RosterModel& m, const QString& planned, int early) {
    const int s = m.cache.workShiftIndex(planned);
    return (s != 0 && m.cache.workShift(s).earlyKind != 0) ? early : 0;
}

} // namespace

void WriteRosterRows(Database& db, const RosterModel& m) {
    // One prepared statement finds the row by its key and adds or edits it, so a month of a
    // large ward costs one statement step per row.
    RowStatement row(
        db,
        u"INSERT INTO \"勤務表\" (\"勤_区分\", \"勤_職員番号\", \"勤_勤務日\", \"勤_予定\", "
        "\"勤_予定早出\", \"勤_実績\", \"勤_実績早出\", \"勤_BKUP者\", \"勤_チーム\", "
        "\"勤_バタン\") "
        "VALUES (1, ?1, ?2, ?3, ?4, ?5, ?6, '', ?7, ?8) ON CONFLICT (\"勤_区分\", \"勤_職員番号\", "
        "\"勤_勤務日\") DO UPDATE SET \"勤_予定\" = ?3, \"勤_予定早出\" = ?4, \"勤_実績\" = ?5, "
        "\"勤_実績早出\" = ?6, \"勤_BKUP者\" = '', \"勤_チーム\" = ?7, \"勤_バタン\" = ?8"_s,
        u"勤務表の書き込み"_s);
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
                (c.shift.isEmpty() && c.requestShift.isEmpty()))
                continue;
            const QString planned = c.requestShift.isEmpty() ? c.shift : c.requestShift;
            const int early = plannedMark(m, planned, c.early);
            const bool actualDiffers =
                !c.actualShift.isEmpty() && (c.actualShift != planned || c.actualEarly != early);
            const QByteArray dateText = date.toUtf8(), plannedText = planned.toUtf8();
            const QByteArray actualText = actualDiffers ? c.actualShift.toUtf8() : QByteArray();
            row.bind(1, no);
            row.bind(2, dateText);
            row.bind(3, plannedText);
            row.bind(4, early);
            row.bind(5, actualText);
            row.bind(6, actualDiffers ? c.actualEarly : 0);
            row.bind(7, team);
            row.bind(8, pattern);
            row.run();
        }
    });
}

void WriteRequestRows(Database& db, const RosterModel& m) {
    // A new request row gets empty extras and the period start as its application date; an
    // existing one keeps them.
    RowStatement row(
        db,
        u"INSERT INTO \"休暇希望\" (\"希_区分\", \"希_職員NO\", \"希_勤務日\", \"希_予定略称\", "
        "\"希_実績略称\", \"希_遅早\", \"希_休FLG\", \"希_FROM\", \"希_TO\", \"希_BACKUP\", "
        "\"希_申請日\", \"希_備考\", \"希_連続FLG\") VALUES (?1, ?2, ?3, ?4, '', 0, 0, '', '', '', "
        "?5, '', 0) ON CONFLICT (\"希_区分\", \"希_職員NO\", \"希_勤務日\") DO UPDATE SET "
        "\"希_予定略称\" = ?4, \"希_実績略称\" = ''"_s,
        u"休暇希望の書き込み"_s);
    const QByteArray applied = m.periodStart.toUtf8();
    forEachPerson(m, [&](int, const Person& p) {
        const QByteArray no = p.no.toUtf8();
        const int last = m.lastDay();
        for (int d = 1; d <= last; ++d) {
            const QString& date = m.day(d).date;
            const Cell& c = p.cell(d);
            if (c.requestShift.isEmpty())
                continue;
            const QByteArray dateText = date.toUtf8();
            const QByteArray shift =
                c.requestKind == 1 ? u"有"_s.toUtf8() : c.requestShift.toUtf8();
            row.bind(1, c.requestKind);
            row.bind(2, no);
            row.bind(3, dateText);
            row.bind(4, shift);
            row.bind(5, applied);
            row.run();
        }
    });
}

QStringList AdvanceCreatedPeriod(Database& db, const RosterModel& m) {
    Table unit(db, u"作成単位"_s);
    unit.setIndex(u"key_作成単位"_s);
    unit.seek(Seek::Equal, {2});
    if (unit.noMatch())
        return {u"作成単位･基本の登録を確認して下さい。"_s};
    unit.edit();
    unit.set(u"作_作成From"_s, m.periodStart);
    unit.set(u"作_作成To"_s, m.periodEnd);
    unit.update();
    return {};
}

QStringList RegisterRoster(Database& db, const RosterModel& m) {
    Database::Transaction tx(db);
    WriteRosterRows(db, m);
    WriteRequestRows(db, m);
    QStringList messages;
    if (m.loadRequests == RequestsMode::Load)
        messages = AdvanceCreatedPeriod(db, m);
    tx.commit();
    return messages;
}
