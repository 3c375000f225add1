#pragma once

// Rows written, read back and removed straight in the tables, so that a test sets up and
// checks its data without going through the screen under test.
#include "store/database.h"
#include "store/table.h"

#include <QString>
#include <QVariant>
#include <QVariantList>
#include <optional>
#include <utility>
#include <vector>

namespace TableRows {

using Fields = std::vector<std::pair<QString, QVariant>>;

inline void setAll(Table& t, const Fields& fields) {
    for (const auto& [name, value] : fields)
        t.set(name, value);
}

// Adds a row holding `fields`.
inline void add(Database& db, const QString& table, const Fields& fields) {
    Table t(db, table);
    t.addNew();
    setAll(t, fields);
    t.update();
}

// Adds a row, or overwrites `fields` of the row already stored under `key` on `index`.
inline void put(Database& db, const QString& table, const QString& index, const QVariantList& key,
                const Fields& fields) {
    Table t(db, table);
    t.setIndex(index);
    t.seek(Seek::Equal, key);
    if (t.noMatch())
        t.addNew();
    else
        t.edit();
    setAll(t, fields);
    t.update();
}

// Deletes the row stored under `key` on `index` (a DbError when there is none).
inline void remove(Database& db, const QString& table, const QString& index,
                   const QVariantList& key) {
    Table t(db, table);
    t.setIndex(index);
    t.seek(Seek::Equal, key);
    t.remove();
}

// One field of the row stored under `key` on `index`; nothing when there is no such row.
inline std::optional<QVariant> value(Database& db, const QString& table, const QString& index,
                                     const QVariantList& key, const QString& field) {
    Table t(db, table);
    t.setIndex(index);
    t.seek(Seek::Equal, key);
    if (t.noMatch())
        return std::nullopt;
    return t.value(field);
}

inline int count(Database& db, const QString& table) {
    Table t(db, table);
    int n = 0;
    for (t.moveFirst(); !t.eof(); t.moveNext())
        ++n;
    return n;
}

// One code of the code master: `kind` is the code list, `no` the code within it.
inline void putCode(Database& db, int kind, int no, const QString& name, const QString& abbrev) {
    put(db, QStringLiteral("個マスタ"), QStringLiteral("key_個ﾏｽﾀｰ"), {kind, no},
        {{QStringLiteral("個_区分"), kind},
         {QStringLiteral("個_NO"), no},
         {QStringLiteral("個_名称"), name},
         {QStringLiteral("個_略称"), abbrev}});
}

// Only the abbreviation of a code, leaving the name of a stored code as it is: the setting
// codes keep their value there.
inline void putCodeAbbrev(Database& db, int kind, int no, const QString& abbrev) {
    put(db, QStringLiteral("個マスタ"), QStringLiteral("key_個ﾏｽﾀｰ"), {kind, no},
        {{QStringLiteral("個_区分"), kind},
         {QStringLiteral("個_NO"), no},
         {QStringLiteral("個_略称"), abbrev}});
}

// A shift with its working flag and order; `more` are further fields of the shift row.
inline void putShift(Database& db, const QString& abbrev, const QString& name, int working,
                     int order, Fields more = {}) {
    more.insert(more.begin(), {{QStringLiteral("基本_略称"), abbrev},
                               {QStringLiteral("基本_名称"), name},
                               {QStringLiteral("基本_対象FLG"), working},
                               {QStringLiteral("基本_優先順"), order}});
    put(db, QStringLiteral("シフト基本"), QStringLiteral("key_基本"), {abbrev}, more);
}

// One row of pattern `no` of list `kind`: position 0 is the pattern's own row, positions from 1
// its shifts in order.
inline void putPatternRow(Database& db, int kind, int no, int pos, Fields more) {
    more.insert(more.begin(), {{QStringLiteral("パタ_区分"), kind},
                               {QStringLiteral("パタ_NO"), no},
                               {QStringLiteral("パタ_連番"), pos}});
    put(db, QStringLiteral("ｼﾌﾄﾊﾟﾀｰﾝ"), QStringLiteral("key_ﾊﾟﾀﾝ"), {kind, no, pos}, more);
}

// The planned shift of one person on one day of the registered roster (kind 1); `more` are
// further fields of the row.
inline void putRosterDay(Database& db, const QString& no, const QString& date,
                         const QString& planned, Fields more = {}) {
    more.insert(more.begin(), {{QStringLiteral("勤_区分"), 1},
                               {QStringLiteral("勤_職員番号"), no},
                               {QStringLiteral("勤_勤務日"), date},
                               {QStringLiteral("勤_予定"), planned}});
    put(db, QStringLiteral("勤務表"), QStringLiteral("key_勤務表"), {1, no, date}, more);
}

// One row of the creation unit: kind 1 holds the unit itself, kind 2 the last period created.
struct CreationUnitRow {
    int unit = 0, count = 0;
    QString startDay;
    int team = 0;
    QString from, to, remark;
};

inline void putCreationUnit(Database& db, int kind, const CreationUnitRow& r) {
    put(db, QStringLiteral("作成単位"), QStringLiteral("key_作成単位"), {kind},
        {{QStringLiteral("作_区分"), kind},
         {QStringLiteral("作_単位"), r.unit},
         {QStringLiteral("作_単位数"), r.count},
         {QStringLiteral("作_開始日"), r.startDay},
         {QStringLiteral("作_チームF"), r.team},
         {QStringLiteral("作_作成From"), r.from},
         {QStringLiteral("作_作成To"), r.to},
         {QStringLiteral("作_備考"), r.remark}});
}

} // namespace TableRows
