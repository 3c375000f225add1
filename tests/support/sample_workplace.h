#pragma once

// A small shift workplace written straight into a roster database, for engine tests and the
// benchmark: day, night, after-night and rest shifts, paid leave, the night run pattern, and as
// many staff as asked for.
#include "store/database.h"

#include <QString>
#include <QStringList>

namespace SampleWorkplace {

inline QString quote(const QString& s) {
    QString q = s;
    q.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') + q + QLatin1Char('\'');
}

struct ShiftDef {
    QString abbrev, name;
    int working = 1, priority = 0;
    int minStaff = 0, leaders = 0, teamStaff = 0, teamLeaders = 0, max = 31;
    int earlyKind = 0, early = 0, late = 0, paid = 0;
    int counted = 1; // counted in the shortage check
};

inline void addShift(Database& db, const ShiftDef& s) {
    db.exec(
        QStringLiteral(
            "INSERT INTO \"シフト基本\" (\"基本_略称\", \"基本_名称\", \"基本_対象FLG\", "
            "\"基本_不足対象\", \"基本_優先順\", \"基本_開始時間\", \"基本_終了時間\", "
            "\"基本_休出区分\", \"基本_早出区分\", \"基本_有給区分\", \"基本_早出要員\", "
            "\"基本_遅出要員\", \"基本_最小要員\", \"基本_責任者\", \"基本_MAX\", "
            "\"基本_チーム要員数\", \"基本_チーム責任者\") VALUES (%1, %2, %3, %14, %4, "
            "'08:30', '17:00', 0, %5, %6, %7, %8, %9, %10, %11, %12, %13)")
            .arg(quote(s.abbrev), quote(s.name), QString::number(s.working),
                 QString::number(s.priority), QString::number(s.earlyKind), QString::number(s.paid),
                 QString::number(s.early), QString::number(s.late), QString::number(s.minStaff))
            .arg(QString::number(s.leaders), QString::number(s.max), QString::number(s.teamStaff),
                 QString::number(s.teamLeaders), QString::number(s.counted)));
}

inline void addCode(Database& db, int kind, int no, const QString& name, const QString& abbrev) {
    db.exec(QStringLiteral("INSERT INTO \"個マスタ\" VALUES (%1, %2, %3, %4)")
                .arg(kind)
                .arg(no)
                .arg(quote(name), quote(abbrev)));
}

inline void addPattern(Database& db, int kind, int no, const QStringList& shifts) {
    db.exec(QStringLiteral("INSERT INTO \"ｼﾌﾄﾊﾟﾀｰﾝ\" (\"パタ_区分\", \"パタ_NO\", \"パタ_名称\", "
                           "\"パタ_連番\", \"パタ_シフト略称\") VALUES (%1, %2, %3, 0, '')")
                .arg(kind)
                .arg(no)
                .arg(quote(QStringLiteral("パターン%1-%2").arg(kind).arg(no))));
    for (int i = 0; i < shifts.size(); ++i)
        db.exec(
            QStringLiteral("INSERT INTO \"ｼﾌﾄﾊﾟﾀｰﾝ\" (\"パタ_区分\", \"パタ_NO\", \"パタ_名称\", "
                           "\"パタ_連番\", \"パタ_シフト略称\") VALUES (%1, %2, '', %3, %4)")
                .arg(kind)
                .arg(no)
                .arg(i + 1)
                .arg(quote(shifts[i])));
}

struct StaffDef {
    QString no, name;
    int shiftType = 1, leader = 0, fixedPattern = 1, earlyAllowed = 1;
    QString team, assigned = QStringLiteral("2020/04/01"), leaveFrom, leaveTo;
    int order = 0;
};

inline StaffDef staff(const QString& no, const QString& name, int shiftType = 1, int leader = 0,
                      int fixedPattern = 1, int earlyAllowed = 1, const QString& team = {},
                      const QString& assigned = QStringLiteral("2020/04/01"),
                      const QString& leaveFrom = {}, const QString& leaveTo = {}) {
    StaffDef s;
    s.no = no;
    s.name = name;
    s.shiftType = shiftType;
    s.leader = leader;
    s.fixedPattern = fixedPattern;
    s.earlyAllowed = earlyAllowed;
    s.team = team;
    s.assigned = assigned;
    s.leaveFrom = leaveFrom;
    s.leaveTo = leaveTo;
    return s;
}

inline void addStaff(Database& db, const StaffDef& s) {
    db.exec(
        QStringLiteral("INSERT INTO \"職員\" (\"職員_no\", \"職員_表示順\", \"職員_名漢字\", "
                       "\"職員_配属日\", \"職員_シフト有無\", \"職員_早出有無\", "
                       "\"職員_特定シフトNO\", \"職員_チーム\", \"職員_責任者\", \"職員_就業FLG\", "
                       "\"職員_休職from\", \"職員_休職To\") VALUES (%1, %2, %3, %4, %5, %6, %7, "
                       "%8, %9, 0, %10, %11)")
            .arg(quote(s.no), quote(QStringLiteral("%1").arg(s.order, 5, 10, QLatin1Char('0'))),
                 quote(s.name), quote(s.assigned), QString::number(s.shiftType),
                 QString::number(s.earlyAllowed), QString::number(s.fixedPattern), quote(s.team),
                 QString::number(s.leader))
            .arg(quote(s.leaveFrom), quote(s.leaveTo)));
}

inline void setCreationUnit(Database& db, int unit, int count, int byTeam, const QString& lastFrom,
                            const QString& lastTo) {
    db.exec(QStringLiteral("DELETE FROM \"作成単位\""));
    db.exec(QStringLiteral("INSERT INTO \"作成単位\" VALUES (1, %1, %2, '1', %3, '', '', '')")
                .arg(unit)
                .arg(count)
                .arg(byTeam));
    db.exec(QStringLiteral("INSERT INTO \"作成単位\" VALUES (2, %1, %2, '1', %3, %4, %5, '')")
                .arg(unit)
                .arg(count)
                .arg(byTeam)
                .arg(quote(lastFrom), quote(lastTo)));
}

inline void addRequest(Database& db, int kind, const QString& no, const QString& date,
                       const QString& shift) {
    db.exec(QStringLiteral("INSERT INTO \"休暇希望\" (\"希_区分\", \"希_職員NO\", \"希_勤務日\", "
                           "\"希_予定略称\", \"希_実績略称\") VALUES (%1, %2, %3, %4, '')")
                .arg(kind)
                .arg(quote(no), quote(date), quote(shift)));
}

inline void addRosterRow(Database& db, const QString& no, const QString& date,
                         const QString& planned, const QString& actual = QString()) {
    db.exec(QStringLiteral("INSERT INTO \"勤務表\" VALUES (1, %1, %2, %3, 0, %4, 0, '', '', '1')")
                .arg(quote(no), quote(date), quote(planned), quote(actual)));
}

inline void addCalendarDay(Database& db, const QString& date, int holiday) {
    db.exec(QStringLiteral("INSERT INTO \"カレンダー\" VALUES (%1, %2, '')")
                .arg(quote(date))
                .arg(holiday));
}

// The shifts, codes and patterns of the sample ward. Day shift 日 needs `dayStaff` people (at
// least one leader), night 夜 `nightStaff`; the night run is 夜 明 休 inside base 日 日 夜 明 休
// 休.
inline void addMasters(Database& db, int dayStaff = 4, int nightStaff = 2, int restMax = 10) {
    addShift(db, {QStringLiteral("日"), QStringLiteral("日勤"), 1, 1, dayStaff, 1, dayStaff / 2, 1,
                  31, 1, 1, 1});
    addShift(db, {QStringLiteral("夜"), QStringLiteral("夜勤"), 1, 2, nightStaff, 0,
                  (nightStaff + 1) / 2, 0, 10});
    addShift(db, {QStringLiteral("明"), QStringLiteral("明け"), 1, 3, 0, 0, 0, 0, 10});
    addShift(db, {QStringLiteral("休"), QStringLiteral("公休"), 1, 4, 0, 0, 0, 0, restMax});
    addShift(db,
             {QStringLiteral("有"), QStringLiteral("有給休暇"), 0, 5, 0, 0, 0, 0, 0, 0, 0, 0, 1});
    addCode(db, 3, 1, QStringLiteral("日勤"), QStringLiteral("日"));
    addCode(db, 3, 2, QStringLiteral("公休"), QStringLiteral("休"));
    addCode(db, 5, 1, QStringLiteral("Aチーム"), QStringLiteral("A"));
    addCode(db, 5, 2, QStringLiteral("Bチーム"), QStringLiteral("B"));
    addCode(db, 7, 1, QStringLiteral("日勤"), QStringLiteral("日"));
    addCode(db, 8, 1, QStringLiteral("日勤"), QStringLiteral("日"));
    addPattern(db, 1, 1,
               {QStringLiteral("日"), QStringLiteral("日"), QStringLiteral("夜"),
                QStringLiteral("明"), QStringLiteral("休"), QStringLiteral("休")});
    addPattern(db, 4, 1, {QStringLiteral("夜"), QStringLiteral("明"), QStringLiteral("休")});
    addPattern(db, 5, 1,
               {QStringLiteral("休"), QStringLiteral("日"), QStringLiteral("日"),
                QStringLiteral("日"), QStringLiteral("日"), QStringLiteral("日"),
                QStringLiteral("休")});
}

// `perGroup` shift workers in each of `teams` teams (every fifth a leader), month unit, last
// created period March 2024.
inline void build(Database& db, int perGroup, int teams = 1, int dayStaff = 4, int nightStaff = 2,
                  int restMax = 10) {
    Database::Transaction tx(db);
    addMasters(db, dayStaff, nightStaff, restMax);
    setCreationUnit(db, 1, 1, teams > 1 ? 1 : 0, QStringLiteral("2024/03/01"),
                    QStringLiteral("2024/03/31"));
    int order = 0;
    for (int t = 1; t <= teams; ++t) {
        for (int i = 1; i <= perGroup; ++i) {
            ++order;
            StaffDef s;
            s.no = QStringLiteral("%1").arg(order, 4, 10, QLatin1Char('0'));
            s.name = QStringLiteral("職員%1").arg(order);
            s.leader = i % 5 == 1 ? 1 : 0;
            s.team = t == 1 ? QStringLiteral("Aチーム") : QStringLiteral("Bチーム");
            s.order = order;
            addStaff(db, s);
        }
    }
    tx.commit();
}

} // namespace SampleWorkplace
