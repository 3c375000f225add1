#include "roster/registration.h"

#include "roster/roster_model.h"
#include "store/database.h"
#include "store/table.h"

using namespace Qt::Literals::StringLiterals;
using namespace RosterBounds;

namespace {

template <typename Fn> void forEachPerson(const RosterModel& m, Fn&& fn) {
    for (int g = 1; g <= 2; ++g)
        for (const Person& p : m.group(g))
            fn(g, p);
}

int plannedMark(const RosterModel& m, const QString& planned, int early) {
    const int s = m.cache.workShiftIndex(planned);
    return (s != 0 && m.cache.workShift(s).earlyKind != 0) ? early : 0;
}

} // namespace

void WriteRosterRows(Database& db, const RosterModel& m) {
    Table roster(db, u"勤務表"_s);
    roster.setIndex(u"key_勤務表"_s);
    forEachPerson(m, [&](int g, const Person& p) {
        // Rows start on the joining date; leave days are marked unavailable and get none.
        const QString from = p.assignedFrom > m.periodStart ? p.assignedFrom : m.periodStart;
        const QString team = m.teamName[static_cast<size_t>(g)];
        const QString pattern = QString::number(p.fixedPattern);
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
            roster.seek(Seek::Equal, {1, p.no, date});
            if (roster.noMatch()) {
                roster.addNew();
                roster.set(u"勤_区分"_s, 1);
                roster.set(u"勤_職員番号"_s, p.no);
                roster.set(u"勤_勤務日"_s, date);
            } else {
                roster.edit();
            }
            roster.set(u"勤_予定"_s, planned);
            roster.set(u"勤_予定早出"_s, early);
            roster.set(u"勤_実績"_s, actualDiffers ? c.actualShift : QString());
            roster.set(u"勤_実績早出"_s, actualDiffers ? c.actualEarly : 0);
            roster.set(u"勤_BKUP者"_s, QString());
            roster.set(u"勤_チーム"_s, team);
            roster.set(u"勤_バタン"_s, pattern);
            roster.update();
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
