#include "store/table.h"

#include "store/database.h"
#include "store/db_error.h"
#include <QStringList>

using namespace Qt::Literals::StringLiterals;

namespace {

using Schema::quoted;

} // namespace

Table::Table(Database& db, const QString& name) : db_(db), def_(&Schema::table(name)) {}

Table::~Table() = default;

int Table::fieldIndexOrThrow(const QString& field) const {
    const int i = def_->fieldIndex(field);
    if (i < 0)
        throw DbError(u"テーブル「%1」にフィールド「%2」はありません。"_s.arg(def_->name, field));
    return i;
}

void Table::setIndex(const QString& indexName) {
    const IndexDef* ix = def_->index(indexName);
    if (!ix)
        throw DbError(
            u"テーブル「%1」にインデックス「%2」はありません。"_s.arg(def_->name, indexName));
    index_ = ix;
    stepping_ = nullptr;
    hasCurrent_ = positioned_ = false;
}

QString Table::partExpr(const QString& part) const {
    // Key columns are NOT NULL; other index parts may hold Null in foreign data, which must
    // order like the empty text it reads as.
    if (def_->isKeyPart(part))
        return quoted(part);
    const FieldDef* f = def_->field(part);
    return u"IFNULL("_s + quoted(part) + (f->kind == FieldKind::Integer ? u",0)"_s : u",'')"_s);
}

QString Table::orderColumns() const {
    QStringList cols;
    if (index_)
        for (const auto& p : index_->parts)
            cols << partExpr(p);
    cols << u"rowid"_s;
    return cols.join(u","_s);
}

QString Table::selectSql(const QString& where) const {
    QStringList cols{u"rowid"_s};
    for (const auto& f : def_->fields)
        cols << quoted(f.name);
    QString sql = u"SELECT "_s + cols.join(u","_s) + u" FROM "_s + quoted(def_->name);
    if (!where.isEmpty())
        sql += u" WHERE "_s + where;
    return sql + u" ORDER BY "_s + orderColumns();
}

Statement& Table::cached(const QString& sql, Work work) {
    auto it = statements_.find(sql);
    if (it == statements_.end()) {
        const QString& t = def_->name;
        const QString what = work == Work::Read    ? u"「%1」の読み込み"_s.arg(t)
                             : work == Work::Write ? u"「%1」への書き込み"_s.arg(t)
                                                   : u"「%1」の削除"_s.arg(t);
        Statement st = db_.prepare(sql, what);
        st.setConflictMessage(u"「%1」に同じキーの行がすでにあります。"_s.arg(t));
        it = statements_.emplace(sql, std::move(st)).first;
    }
    it->second.reset(Statement::Reset::ClearBindings);
    return it->second;
}

QVariant Table::normalised(const QString& field, const QVariant& v) const {
    const FieldDef* f = def_->field(field);
    if (f->kind == FieldKind::Integer) {
        if (v.isNull())
            return QVariant(qint64(0));
        bool ok = false;
        const qint64 n = v.toString().trimmed().toLongLong(&ok);
        return QVariant(ok ? n : qint64(v.toLongLong()));
    }
    return QVariant(v.isNull() ? QString() : v.toString());
}

void Table::bindValue(Statement& st, int pos, const QString& field, const QVariant& v) const {
    const QVariant n = normalised(field, v);
    if (n.typeId() == QMetaType::LongLong)
        st.bind(pos, n.toLongLong());
    else
        st.bind(pos, n.toString());
}

void Table::loadRow() {
    const Statement& st = *stepping_;
    rowid_ = st.int64(0);
    row_.resize(def_->fields.size());
    for (size_t i = 0; i < def_->fields.size(); ++i) {
        const int c = static_cast<int>(i) + 1;
        // Anything that is not an integer reads as text, as the field kinds know only these two.
        switch (st.type(c)) {
        case Statement::ColumnType::Null:
            row_[i] = QVariant();
            break;
        case Statement::ColumnType::Integer:
            row_[i] = QVariant(st.int64(c));
            break;
        default:
            row_[i] = st.text(c);
        }
    }
}

bool Table::stepRow() {
    if (stepping_->step()) {
        loadRow();
        hasCurrent_ = positioned_ = true;
        return true;
    }
    hasCurrent_ = false;
    stepping_ = nullptr;
    return false;
}

void Table::startStepping(Statement& st) {
    stepping_ = &st;
    steppingGeneration_ = db_.writeGeneration();
}

void Table::seek(Seek op, const QVariantList& key) {
    if (!index_)
        throw DbError(u"テーブル「%1」のインデックスが設定されていません。"_s.arg(def_->name));
    if (key.isEmpty() || key.size() > static_cast<qsizetype>(index_->parts.size()))
        throw DbError(u"インデックス「%1」のキーの数が違います。"_s.arg(index_->name));
    editMode_ = EditMode::None;
    QStringList lhs, rhs;
    for (qsizetype i = 0; i < key.size(); ++i) {
        lhs << partExpr(index_->parts[i]);
        rhs << u"?"_s;
    }
    const QString where = u"("_s + lhs.join(u","_s) + u") >= ("_s + rhs.join(u","_s) + u")"_s;
    Statement& st = cached(selectSql(where), Work::Read);
    for (qsizetype i = 0; i < key.size(); ++i)
        bindValue(st, static_cast<int>(i) + 1, index_->parts[i], key[i]);
    startStepping(st);
    positioned_ = false;
    if (!stepRow()) {
        noMatch_ = true;
        return;
    }
    noMatch_ = false;
    if (op == Seek::Equal && !keyMatches(key)) {
        noMatch_ = true;
        hasCurrent_ = positioned_ = false;
        stepping_ = nullptr;
    }
}

bool Table::keyMatches(const QVariantList& prefix) const {
    if (!index_)
        throw DbError(u"テーブル「%1」のインデックスが設定されていません。"_s.arg(def_->name));
    if (prefix.size() > static_cast<qsizetype>(index_->parts.size()))
        throw DbError(u"インデックス「%1」のキーの数が違います。"_s.arg(index_->name));
    if (!hasCurrent_)
        return false;
    for (qsizetype i = 0; i < prefix.size(); ++i) {
        const QString& part = index_->parts[static_cast<size_t>(i)];
        if (normalised(part, row_[static_cast<size_t>(fieldIndexOrThrow(part))]) !=
            normalised(part, prefix[i]))
            return false;
    }
    return true;
}

void Table::moveFirst() {
    editMode_ = EditMode::None;
    startStepping(cached(selectSql(QString()), Work::Read));
    positioned_ = false;
    stepRow();
}

void Table::moveNext() {
    editMode_ = EditMode::None;
    if (!positioned_) {
        hasCurrent_ = false;
        return;
    }
    if (stepping_ && steppingGeneration_ == db_.writeGeneration()) {
        stepRow();
        return;
    }
    // The table changed under the open statement: continue after the remembered key.
    QStringList lhs, rhs;
    if (index_)
        for (const auto& p : index_->parts) {
            lhs << partExpr(p);
            rhs << u"?"_s;
        }
    lhs << u"rowid"_s;
    rhs << u"?"_s;
    const QString where = u"("_s + lhs.join(u","_s) + u") > ("_s + rhs.join(u","_s) + u")"_s;
    Statement& st = cached(selectSql(where), Work::Read);
    int pos = 1;
    if (index_)
        for (const auto& p : index_->parts)
            bindValue(st, pos++, p, row_[fieldIndexOrThrow(p)]);
    st.bind(pos, rowid_);
    startStepping(st);
    stepRow();
}

void Table::requireCurrent() const {
    if (!hasCurrent_)
        throw DbError(u"テーブル「%1」にカレントレコードがありません。"_s.arg(def_->name));
}

bool Table::seekOrAdd(const QVariantList& key) {
    const IndexDef& pk = def_->primaryKey();
    if (key.size() != static_cast<qsizetype>(pk.parts.size()))
        throw DbError(u"インデックス「%1」のキーの数が違います。"_s.arg(pk.name));
    if (index_ != &pk)
        setIndex(pk.name);
    seek(Seek::Equal, key);
    if (!noMatch_) {
        edit();
        return true;
    }
    addNew();
    for (size_t i = 0; i < pk.parts.size(); ++i)
        set(pk.parts[i], key[static_cast<qsizetype>(i)]);
    return false;
}

void Table::addNew() {
    pending_.clear();
    for (const auto& f : def_->fields)
        pending_.push_back(f.kind == FieldKind::Integer ? QVariant(qint64(0))
                                                        : QVariant(QString()));
    editMode_ = EditMode::Add;
}

void Table::edit() {
    requireCurrent();
    pending_ = row_;
    editMode_ = EditMode::Edit;
}

void Table::set(const QString& field, const QVariant& value) {
    const int i = fieldIndexOrThrow(field);
    if (editMode_ == EditMode::None)
        throw DbError(u"テーブル「%1」は編集中ではありません。"_s.arg(def_->name));
    pending_[i] = normalised(field, value);
}

void Table::update() {
    if (editMode_ == EditMode::None)
        throw DbError(u"テーブル「%1」は編集中ではありません。"_s.arg(def_->name));
    QStringList cols, marks;
    for (const auto& f : def_->fields) {
        cols << quoted(f.name);
        marks << u"?"_s;
    }
    QString sql;
    if (editMode_ == EditMode::Add) {
        sql = u"INSERT INTO "_s + quoted(def_->name) + u" ("_s + cols.join(u","_s) +
              u") VALUES ("_s + marks.join(u","_s) + u")"_s;
    } else {
        QStringList sets;
        for (const auto& c : cols)
            sets << c + u"=?"_s;
        sql = u"UPDATE "_s + quoted(def_->name) + u" SET "_s + sets.join(u","_s) +
              u" WHERE rowid=?"_s;
    }
    Statement& st = cached(sql, Work::Write);
    for (size_t i = 0; i < def_->fields.size(); ++i)
        bindValue(st, static_cast<int>(i) + 1, def_->fields[i].name, pending_[i]);
    if (editMode_ == EditMode::Edit)
        st.bind(static_cast<int>(def_->fields.size()) + 1, rowid_);
    const EditMode mode = editMode_;
    editMode_ = EditMode::None;
    st.run();
    // After an edit the edited row stays current; after an add the previous row does.
    if (mode == EditMode::Edit)
        row_ = pending_;
}

void Table::remove() {
    requireCurrent();
    editMode_ = EditMode::None;
    Statement& st =
        cached(u"DELETE FROM "_s + quoted(def_->name) + u" WHERE rowid=?"_s, Work::Remove);
    st.bind(1, rowid_);
    st.run();
    hasCurrent_ = false; // moveNext continues after the deleted row's key
}

QVariant Table::value(const QString& field) const {
    const int i = fieldIndexOrThrow(field);
    requireCurrent();
    return row_[i];
}

bool Table::isNull(const QString& field) const {
    return value(field).isNull();
}

QString Table::text(const QString& field) const {
    const QVariant v = value(field);
    return v.isNull() ? QString() : v.toString();
}

int Table::integer(const QString& field) const {
    const QVariant v = value(field);
    if (v.isNull())
        return 0;
    bool ok = false;
    const int n = v.toString().trimmed().toInt(&ok);
    return ok ? n : 0;
}
