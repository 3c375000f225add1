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

// Adds or edits one kind-1 row of 勤務表 by its key (staff number, date).
class RosterRowWriter final {
public:
    explicit RosterRowWriter(Database& db)
        : db_(db), st_(db.prepare(
                       u"INSERT INTO \"勤務表\" (\"勤_区分\", \"勤_職員番号\", \"勤_勤務日\", "
                       "\"勤_予定\", \"勤_予定早出\", \"勤_実績\", \"勤_実績早出\", \"勤_BKUP者\", "
                       "\"勤_チーム\", \"勤_バタン\") VALUES (1, ?, ?, ?, ?, ?, ?, '', ?, ?) "
                       "ON CONFLICT (\"勤_区分\", \"勤_職員番号\", \"勤_勤務日\") DO UPDATE SET "
                       "\"勤_予定\" = excluded.\"勤_予定\", \"勤_予定早出\" = "
                       "excluded.\"勤_予定早出\", \"勤_実績\" = excluded.\"勤_実績\", "
                       "\"勤_実績早出\" = excluded.\"勤_実績早出\", \"勤_BKUP者\" = '', "
                       "\"勤_チーム\" = excluded.\"勤_チーム\", \"勤_バタン\" = "
                       "excluded.\"勤_バタン\""_s)) {}
    ~RosterRowWriter() {
        sqlite3_finalize(st_);
        db_.noteWrite();
    }
    RosterRowWriter(const RosterRowWriter&) = delete;
    RosterRowWriter& operator=(const RosterRowWriter&) = delete;

    void write(const QByteArray& no, const QByteArray& date, const QByteArray& planned,
               int plannedEarly, const QByteArray& actual, int actualEarly, const QByteArray& team,
               const QByteArray& pattern) {
        bindText(1, no);
        bindText(2, date);
        bindText(3, planned);
        sqlite3_bind_int(st_, 4, plannedEarly);
        bindText(5, actual);
        sqlite3_bind_int(st_, 6, actualEarly);
        bindText(7, team);
        bindText(8, pattern);
        const int rc = sqlite3_step(st_);
        sqlite3_reset(st_);
        if (rc != SQLITE_DONE)
            db_.fail(u"勤務表の書き込み"_s);
    }

private:
    void bindText(int pos, const QByteArray& v) {
        sqlite3_bind_text(st_, pos, v.constData(), static_cast<int>(v.size()), SQLITE_TRANSIENT);
    }

    Database& db_;
    sqlite3_stmt* st_;
};

int plannedMark(const RosterModel& m, const QString& planned, int early) {
    const int s = m.cache.workShiftIndex(planned);
    return (s != 0 && m.cache.workShift(s).earlyKind != 0) ? early : 0;
}

} // namespace

void WriteRosterRows(Database& db, const RosterModel& m) {
    // One prepared statement finds the row by its key and adds or edits it, so a month of a
    // large ward costs one statement step per row.
    RosterRowWriter writer(db);
    forEachPerson(m, [&](int g, const Person& p) {
        // Rows start on the joining date; leave days are marked unavailable and get none.
        const QString from = p.assignedFrom > m.periodStart ? p.assignedFrom : m.periodStart;
        const QByteArray no = p.no.toUtf8();
        const QByteArray team = m.teamName[static_cast<size_t>(g)].toUtf8();
        const QByteArray pattern = QByteArray::number(p.fixedPattern);
        for (int d = 1; d <= LastDay; ++d) {
            const QString& date = m.day(d).date;
            if (date.isEmpty() || date > m.periodEnd)
                break;
            const Cell& c = p.cell(d);
            // A requested day keeps its request even where the passes left the shift empty.
            if (date < from || c.unavailable == 1 ||
                (c.shift.isEmpty() && c.requestShift.isEmpty()))
                continue;
            const QString planned = c.requestShift.isEmpty() ? c.shift : c.requestShift;
            const int early = plannedMark(m, planned, c.early);
            const bool actualDiffers =
                !c.actualShift.isEmpty() && (c.actualShift != planned || c.actualEarly != early);
            writer.write(no, date.toUtf8(), planned.toUtf8(), early,
                         actualDiffers ? c.actualShift.toUtf8() : QByteArray(),
                         actualDiffers ? c.actualEarly : 0, team, pattern);
        }
    });
}

void WriteRequestRows(Database& db, const RosterModel& m) {
    Table req(db, u"休暇希望"_s);
    req.setIndex(u"key_希望"_s);
    forEachPerson(m, [&](int, const Person& p) {
        for (int d = 1; d <= LastDay; ++d) {
            const QString& date = m.day(d).date;
            if (date.isEmpty() || date > m.periodEnd)
                break;
            const Cell& c = p.cell(d);
            if (c.requestShift.isEmpty())
                continue;
            req.seek(Seek::Equal, {c.requestKind, p.no, date});
            if (req.noMatch()) {
                req.addNew();
                req.set(u"希_遅早"_s, 0);
                req.set(u"希_休FLG"_s, 0);
                req.set(u"希_連続FLG"_s, 0);
                req.set(u"希_FROM"_s, QString());
                req.set(u"希_TO"_s, QString());
                req.set(u"希_BACKUP"_s, QString());
                req.set(u"希_備考"_s, QString());
                req.set(u"希_申請日"_s, m.periodStart);
            } else {
                req.edit();
            }
            req.set(u"希_区分"_s, c.requestKind);
            req.set(u"希_職員NO"_s, p.no);
            req.set(u"希_勤務日"_s, date);
            req.set(u"希_予定略称"_s, c.requestKind == 1 ? u"有"_s : c.requestShift);
            req.set(u"希_実績略称"_s, QString());
            req.update();
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
    if (m.loadRequests == 1)
        messages = AdvanceCreatedPeriod(db, m);
    tx.commit();
    return messages;
}
