#include "store/schema.h"

#include "store/database.h"
#include "store/db_error.h"

#include <QStringList>

using namespace Qt::Literals::StringLiterals;

namespace {

FieldDef I(const QString& n) {
    return {n, FieldKind::Integer};
}
FieldDef T(const QString& n) {
    return {n, FieldKind::Text};
}

std::vector<TableDef> buildTables() {
    std::vector<TableDef> t;
    t.push_back({u"個マスタ"_s,
                 {I(u"個_区分"_s), I(u"個_NO"_s), T(u"個_名称"_s), T(u"個_略称"_s)},
                 {{u"key_個ﾏｽﾀｰ"_s, u"key_個ﾏｽﾀｰ"_s, {u"個_区分"_s, u"個_NO"_s}, true},
                  {u"idx_名称"_s, u"idx_名称"_s, {u"個_名称"_s}, false}}});
    t.push_back({u"職員"_s,
                 {T(u"職員_no"_s),           T(u"職員_表示順"_s),     T(u"職員_名漢字"_s),
                  T(u"職員_名カナ"_s),       T(u"職員_住所"_s),       T(u"職員_電話"_s),
                  T(u"職員_携帯"_s),         T(u"職員_FAX"_s),        T(u"職員_email"_s),
                  T(u"職員_誕生日"_s),       T(u"職員_配属日"_s),     I(u"職員_区分"_s),
                  I(u"職員_性別"_s),         I(u"職員_シフト有無"_s), I(u"職員_早出有無"_s),
                  I(u"職員_特定シフトNO"_s), T(u"職員_チーム"_s),     I(u"職員_責任者"_s),
                  I(u"職員_就業FLG"_s),      T(u"職員_休職from"_s),   T(u"職員_休職To"_s),
                  T(u"職員_備考"_s)},
                 {{u"key_職員"_s, u"key_職員"_s, {u"職員_no"_s}, true},
                  {u"idx_名漢字"_s, u"idx_名漢字"_s, {u"職員_名漢字"_s}, false},
                  {u"idx_ｶﾅ"_s, u"idx_ｶﾅ"_s, {u"職員_名カナ"_s}, false},
                  {u"idx_表示順"_s, u"idx_表示順"_s, {u"職員_表示順"_s, u"職員_no"_s}, false}}});
    t.push_back(
        {u"シフト基本"_s,
         {T(u"基本_略称"_s),     T(u"基本_名称"_s),         I(u"基本_対象FLG"_s),
          I(u"基本_不足対象"_s), I(u"基本_優先順"_s),       T(u"基本_開始時間"_s),
          T(u"基本_終了時間"_s), I(u"基本_休出区分"_s),     I(u"基本_早出区分"_s),
          I(u"基本_有給区分"_s), I(u"基本_早出要員"_s),     T(u"基本_早出開始"_s),
          T(u"基本_早出終了"_s), I(u"基本_遅出要員"_s),     T(u"基本_遅出開始"_s),
          T(u"基本_遅出終了"_s), I(u"基本_最小要員"_s),     I(u"基本_責任者"_s),
          I(u"基本_MAX"_s),      I(u"基本_チーム要員数"_s), I(u"基本_チーム責任者"_s),
          T(u"基本_備考"_s)},
         {{u"key_基本"_s, u"key_基本"_s, {u"基本_略称"_s}, true},
          {u"idx_名称"_s, u"idx_名称_シフト基本"_s, {u"基本_名称"_s}, false},
          {u"idx_対象"_s,
           u"idx_対象"_s,
           {u"基本_対象FLG"_s, u"基本_優先順"_s, u"基本_略称"_s},
           false},
          {u"idx_FLG名称"_s, u"idx_FLG名称"_s, {u"基本_対象FLG"_s, u"基本_名称"_s}, false}}});
    t.push_back(
        {u"ｼﾌﾄﾊﾟﾀｰﾝ"_s,
         {I(u"パタ_区分"_s), I(u"パタ_NO"_s), T(u"パタ_名称"_s), I(u"パタ_連番"_s),
          T(u"パタ_シフト略称"_s), T(u"パタ_シフト名称"_s), T(u"パタ_備考"_s)},
         {{u"key_ﾊﾟﾀﾝ"_s, u"key_ﾊﾟﾀﾝ"_s, {u"パタ_区分"_s, u"パタ_NO"_s, u"パタ_連番"_s}, true},
          {u"idx_パタ名称"_s, u"idx_パタ名称"_s, {u"パタ_名称"_s, u"パタ_連番"_s}, false}}});
    t.push_back({u"作成単位"_s,
                 {I(u"作_区分"_s), I(u"作_単位"_s), I(u"作_単位数"_s), T(u"作_開始日"_s),
                  I(u"作_チームF"_s), T(u"作_作成From"_s), T(u"作_作成To"_s), T(u"作_備考"_s)},
                 {{u"key_作成単位"_s, u"key_作成単位"_s, {u"作_区分"_s}, true}}});
    t.push_back(
        {u"日別要員"_s,
         {I(u"日_区分"_s), I(u"日_特定日"_s), I(u"日_優先順"_s), T(u"日_略称"_s),
          T(u"日_シフト名"_s), I(u"日_最小要員"_s), I(u"日_責任者"_s), I(u"日_チ要員数"_s),
          I(u"日_チ責任者"_s), I(u"日_早出要員数"_s), I(u"日_遅出要員数"_s), T(u"日_備考"_s)},
         {{u"key_日別"_s, u"key_日別"_s, {u"日_区分"_s, u"日_特定日"_s, u"日_優先順"_s}, true}}});
    t.push_back(
        {u"休暇希望"_s,
         {I(u"希_区分"_s), T(u"希_職員NO"_s), T(u"希_勤務日"_s), T(u"希_予定略称"_s),
          T(u"希_実績略称"_s), I(u"希_遅早"_s), I(u"希_休FLG"_s), T(u"希_FROM"_s), T(u"希_TO"_s),
          T(u"希_BACKUP"_s), T(u"希_申請日"_s), T(u"希_備考"_s), I(u"希_連続FLG"_s)},
         {{u"key_希望"_s, u"key_希望"_s, {u"希_区分"_s, u"希_職員NO"_s, u"希_勤務日"_s}, true},
          {u"idx_職員NO"_s, u"idx_職員NO"_s, {u"希_職員NO"_s, u"希_勤務日"_s}, false},
          {u"idx_勤務日"_s, u"idx_勤務日_休暇希望"_s, {u"希_勤務日"_s}, false}}});
    t.push_back({u"勤務表"_s,
                 {I(u"勤_区分"_s), T(u"勤_職員番号"_s), T(u"勤_勤務日"_s), T(u"勤_予定"_s),
                  I(u"勤_予定早出"_s), T(u"勤_実績"_s), I(u"勤_実績早出"_s), T(u"勤_BKUP者"_s),
                  T(u"勤_チーム"_s), T(u"勤_バタン"_s)},
                 {{u"key_勤務表"_s,
                   u"key_勤務表"_s,
                   {u"勤_区分"_s, u"勤_職員番号"_s, u"勤_勤務日"_s},
                   true},
                  {u"idx_勤務日"_s, u"idx_勤務日"_s, {u"勤_勤務日"_s}, false}}});
    t.push_back({u"カレンダー"_s,
                 {T(u"カレ_年月日"_s), I(u"カレ_休日FLG"_s), T(u"カレ_備考"_s)},
                 {{u"key_カレンダー"_s, u"key_カレンダー"_s, {u"カレ_年月日"_s}, true}}});
    return t;
}

QString quoted(const QString& name) {
    return u"\""_s + name + u"\""_s;
}

} // namespace

const FieldDef* TableDef::field(const QString& fieldName) const {
    for (const auto& f : fields)
        if (f.name == fieldName)
            return &f;
    return nullptr;
}

int TableDef::fieldIndex(const QString& fieldName) const {
    for (size_t i = 0; i < fields.size(); ++i)
        if (fields[i].name == fieldName)
            return static_cast<int>(i);
    return -1;
}

const IndexDef* TableDef::index(const QString& indexName) const {
    for (const auto& ix : indexes)
        if (ix.name == indexName)
            return &ix;
    return nullptr;
}

const IndexDef& TableDef::primaryKey() const {
    for (const auto& ix : indexes)
        if (ix.unique)
            return ix;
    throw DbError(u"テーブル「%1」に主キーがありません。"_s.arg(name));
}

bool TableDef::isKeyPart(const QString& fieldName) const {
    for (const auto& ix : indexes)
        if (ix.unique)
            for (const auto& p : ix.parts)
                if (p == fieldName)
                    return true;
    return false;
}

namespace Schema {

const std::vector<TableDef>& tables() {
    static const std::vector<TableDef> all = buildTables();
    return all;
}

const TableDef& table(const QString& name) {
    for (const auto& t : tables())
        if (t.name == name)
            return t;
    throw DbError(u"テーブル「%1」はありません。"_s.arg(name));
}

void create(Database& db) {
    for (const auto& t : tables()) {
        QStringList cols;
        for (const auto& f : t.fields) {
            QString col = quoted(f.name);
            // Integers are INTEGER so that 10 sorts after 2; key parts may never be NULL.
            col += f.kind == FieldKind::Integer ? u" INTEGER"_s : u" TEXT"_s;
            if (t.isKeyPart(f.name))
                col += u" NOT NULL"_s;
            col += f.kind == FieldKind::Integer ? u" DEFAULT 0"_s : u" DEFAULT ''"_s;
            cols << col;
        }
        db.exec(u"CREATE TABLE "_s + quoted(t.name) + u" ("_s + cols.join(u", "_s) + u")"_s);
        for (const auto& ix : t.indexes) {
            QStringList parts;
            for (const auto& p : ix.parts)
                parts << quoted(p);
            db.exec(u"CREATE "_s + (ix.unique ? u"UNIQUE "_s : QString()) + u"INDEX "_s +
                    quoted(ix.physicalName) + u" ON "_s + quoted(t.name) + u" ("_s +
                    parts.join(u", "_s) + u")"_s);
        }
    }
}

bool matches(Database& db) {
    for (const auto& t : tables())
        if (!db.hasTable(t.name))
            return false;
    return true;
}

} // namespace Schema
