#include "store/table.h"

#include "store/database.h"
#include "store/db_error.h"
#include <QStringList>

#include <sqlite3.h>

using namespace Qt::Literals::StringLiterals;

namespace {

QString quoted(const QString& name) {
    return u"\""_s + name + u"\""_s;
}

} // namespace

Table::Table(Database& db, const QString& name) : db_(db), def_(&Schema::table(name)) {}

Table::~Table() {
    for (auto& [sql, st] : statements_)
        sqlite3_finalize(st);
}

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

sqlite3_stmt* Table::cached(const QString& sql) {
    auto it = statements_.find(sql);
    if (it == statements_.end())
        it = statements_.emplace(sql, db_.prepare(sql)).first;
    sqlite3_reset(it->second);
    sqlite3_clear_bindings(it->second);
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

void Table::bindValue(sqlite3_stmt* st, int pos, const QString& field, const QVariant& v) const {
    const QVariant n = normalised(field, v);
    if (n.typeId() == QMetaType::LongLong) {
        sqlite3_bind_int64(st, pos, n.toLongLong());
    } else {
        const QByteArray utf8 = n.toString().toUtf8();
        sqlite3_bind_text(st, pos, utf8.constData(), utf8.size(), SQLITE_TRANSIENT);
    }
}

void Table::loadRow() {
    rowid_ = sqlite3_column_int64(stepping_, 0);
    row_.resize(def_->fields.size());
    for (size_t i = 0; i < def_->fields.size(); ++i) {
        const int c = static_cast<int>(i) + 1;
        switch (sqlite3_column_type(stepping_, c)) {
        case SQLITE_NULL:
            row_[i] = QVariant();
            break;
        case SQLITE_INTEGER:
            row_[i] = QVariant(qint64(sqlite3_column_int64(stepping_, c)));
            break;
        default:
            row_[i] =
                QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stepping_, c)),
                                  sqlite3_column_bytes(stepping_, c));
        }
    }
}

bool Table::stepRow() {
    const int rc = sqlite3_step(stepping_);
    if (rc == SQLITE_ROW) {
        loadRow();
        hasCurrent_ = positioned_ = true;
        return true;
    }
    if (rc != SQLITE_DONE)
        db_.fail(u"「%1」の読み込み"_s.arg(def_->name));
    hasCurrent_ = false;
    stepping_ = nullptr;
    return false;
}

void Table::startStepping(sqlite3_stmt* st) {
    stepping_ = st;
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
    sqlite3_stmt* st = cached(selectSql(where));
    for (qsizetype i = 0; i < key.size(); ++i)
        bindValue(st, static_cast<int>(i) + 1, index_->parts[i], key[i]);
    startStepping(st);
    positioned_ = false;
    if (!stepRow()) {
        noMatch_ = true;
        return;
    }
    noMatch_ = false;
    if (op == Seek::Equal) {
        for (qsizetype i = 0; i < key.size(); ++i) {
            const QString& part = index_->parts[i];
            if (normalised(part, row_[fieldIndexOrThrow(part)]) != normalised(part, key[i])) {
                noMatch_ = true;
                hasCurrent_ = positioned_ = false;
                stepping_ = nullptr;
                return;
            }
        }
    }
}

void Table::moveFirst() {
    editMode_ = EditMode::None;
    startStepping(cached(selectSql(QString())));
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
    sqlite3_stmt* st = cached(selectSql(where));
    int pos = 1;
    if (index_)
        for (const auto& p : index_->parts)
            bindValue(st, pos++, p, row_[fieldIndexOrThrow(p)]);
    sqlite3_bind_int64(st, pos, rowid_);
    startStepping(st);
    stepRow();
}

void Table::requireCurrent() const {
    if (!hasCurrent_)
        throw DbError(u"テーブル「%1」にカレントレコードがありません。"_s.arg(def_->name));
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
    sqlite3_stmt* st = cached(sql);
    for (size_t i = 0; i < def_->fields.size(); ++i)
        bindValue(st, static_cast<int>(i) + 1, def_->fields[i].name, pending_[i]);
    if (editMode_ == EditMode::Edit)
        sqlite3_bind_int64(st, static_cast<int>(def_->fields.size()) + 1, rowid_);
    const int rc = sqlite3_step(st);
    sqlite3_reset(st);
    db_.noteWrite();
    const EditMode mode = editMode_;
    editMode_ = EditMode::None;
    if (rc != SQLITE_DONE) {
        if ((rc & 0xff) == SQLITE_CONSTRAINT)
            throw DbError(u"「%1」に同じキーの行がすでにあります。"_s.arg(def_->name));
        db_.fail(u"「%1」への書き込み"_s.arg(def_->name));
    }
    // After an edit the edited row stays current; after an add the previous row does.
    if (mode == EditMode::Edit)
        row_ = pending_;
}

void Table::remove() {
    requireCurrent();
    editMode_ = EditMode::None;
    sqlite3_stmt* st = cached(u"DELETE FROM "_s + quoted(def_->name) + u" WHERE rowid=?"_s);
    sqlite3_bind_int64(st, 1, rowid_);
    const int rc = sqlite3_step(st);
    sqlite3_reset(st);
    db_.noteWrite();
    if (rc != SQLITE_DONE)
        db_.fail(u"「%1」の削除"_s.arg(def_->name));
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
