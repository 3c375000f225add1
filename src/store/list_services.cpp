#include "store/list_services.h"

#include "store/table.h"

using namespace Qt::Literals::StringLiterals;

namespace ShiftListService {

QStringList FillShiftList(Database& db, int filter) {
    QStringList names;
    Table t(db, u"シフト基本"_s);
    t.setIndex(u"idx_対象"_s);
    t.seek(Seek::GreaterEqual, {0, 0, QString()});
    while (!t.eof()) {
        const int flag = t.integer(u"基本_対象FLG"_s);
        if (filter == 2 || (filter == 0 && flag == 0) || (filter == 1 && flag == 1))
            names << t.text(u"基本_名称"_s);
        t.moveNext();
    }
    return names;
}

namespace {
ShiftLookup readShift(Table& t) {
    if (t.noMatch())
        return {};
    return {true, t.integer(u"基本_休出区分"_s), t.text(u"基本_略称"_s), t.text(u"基本_名称"_s),
            t.text(u"基本_備考"_s)};
}
} // namespace

ShiftLookup FindShiftByName(Database& db, const QString& name) {
    Table t(db, u"シフト基本"_s);
    t.setIndex(u"idx_名称"_s);
    t.seek(Seek::Equal, {name});
    return readShift(t);
}

ShiftLookup FindShiftByAbbrev(Database& db, const QString& abbrev) {
    Table t(db, u"シフト基本"_s);
    t.setIndex(u"key_基本"_s);
    t.seek(Seek::Equal, {abbrev});
    return readShift(t);
}

} // namespace ShiftListService

namespace PatternListService {

QStringList FillPatternList(Database& db, int mode, int kind) {
    QStringList names;
    Table t(db, u"ｼﾌﾄﾊﾟﾀｰﾝ"_s);
    t.setIndex(u"key_ﾊﾟﾀﾝ"_s);
    t.seek(Seek::GreaterEqual, {kind, 0, 0});
    while (!t.eof()) {
        if (t.integer(u"パタ_連番"_s) == 0) {
            const int k = t.integer(u"パタ_区分"_s);
            if ((mode == 1 && k == kind) || (mode == 4 && k != 2 && k != 4))
                names << t.text(u"パタ_名称"_s);
        }
        t.moveNext();
    }
    return names;
}

QString FindPatternName(Database& db, int kind, int number) {
    Table t(db, u"ｼﾌﾄﾊﾟﾀｰﾝ"_s);
    t.setIndex(u"key_ﾊﾟﾀﾝ"_s);
    t.seek(Seek::Equal, {kind, number, 0});
    return t.noMatch() ? QString() : t.text(u"パタ_名称"_s);
}

} // namespace PatternListService

namespace CodeListService {

QStringList FillCodeList(Database& db, int kind) {
    QStringList names;
    Table t(db, u"個マスタ"_s);
    t.setIndex(u"key_個ﾏｽﾀｰ"_s);
    t.seek(Seek::GreaterEqual, {kind, 0});
    while (!t.eof() && t.integer(u"個_区分"_s) == kind) {
        names << t.text(u"個_名称"_s);
        t.moveNext();
    }
    return names;
}

QString FindCodeAbbrev(Database& db, int kind, int number) {
    Table t(db, u"個マスタ"_s);
    t.setIndex(u"key_個ﾏｽﾀｰ"_s);
    t.seek(Seek::Equal, {kind, number});
    return t.noMatch() ? QString() : t.text(u"個_略称"_s);
}

} // namespace CodeListService

namespace StaffListService {

QStringList FillStaffList(Database& db) {
    QStringList names;
    Table t(db, u"職員"_s);
    t.setIndex(u"idx_ｶﾅ"_s);
    t.moveFirst();
    while (!t.eof()) {
        names << t.text(u"職員_名漢字"_s);
        t.moveNext();
    }
    return names;
}

StaffLookup FindStaffByName(Database& db, const QString& name) {
    Table t(db, u"職員"_s);
    t.setIndex(u"idx_名漢字"_s);
    t.seek(Seek::Equal, {name});
    if (t.noMatch())
        return {};
    return {t.text(u"職員_no"_s), t.text(u"職員_名漢字"_s)};
}

} // namespace StaffListService
