#include "store/statement.h"

#include "store/database.h"
#include "store/db_error.h"

#include <sqlite3.h>
#include <utility>

using namespace Qt::Literals::StringLiterals;

Statement::Statement(Database& db, sqlite3_stmt* st, const QString& what)
    : db_(&db), st_(st), what_(what), readOnly_(sqlite3_stmt_readonly(st) != 0),
      texts_(static_cast<size_t>(sqlite3_bind_parameter_count(st))) {}

Statement::~Statement() {
    release();
}

Statement::Statement(Statement&& other) noexcept
    : db_(other.db_), st_(std::exchange(other.st_, nullptr)), what_(std::move(other.what_)),
      conflictMessage_(std::move(other.conflictMessage_)), readOnly_(other.readOnly_),
      texts_(std::move(other.texts_)) {}

Statement& Statement::operator=(Statement&& other) noexcept {
    if (this != &other) {
        release();
        db_ = other.db_;
        st_ = std::exchange(other.st_, nullptr);
        what_ = std::move(other.what_);
        conflictMessage_ = std::move(other.conflictMessage_);
        readOnly_ = other.readOnly_;
        texts_ = std::move(other.texts_);
    }
    return *this;
}

void Statement::release() {
    if (st_)
        sqlite3_finalize(st_);
    st_ = nullptr;
}

void Statement::check(int rc, int pos) const {
    if (rc == SQLITE_OK)
        return;
    if ((rc & 0xff) == SQLITE_RANGE)
        throw DbError(u"データベース「%1」の%2に失敗しました。（%3番目の値はありません）"_s.arg(
            db_->path(), what_, QString::number(pos)));
    db_->fail(what_);
}

Statement& Statement::bind(int pos, int v) {
    check(sqlite3_bind_int(st_, pos, v), pos);
    return *this;
}

Statement& Statement::bind(int pos, qint64 v) {
    check(sqlite3_bind_int64(st_, pos, v), pos);
    return *this;
}

Statement& Statement::bind(int pos, double v) {
    check(sqlite3_bind_double(st_, pos, v), pos);
    return *this;
}

Statement& Statement::bind(int pos, const QString& v) {
    bindText(pos, v.toUtf8());
    return *this;
}

Statement& Statement::bind(int pos, const QByteArray& v) {
    bindText(pos, v);
    return *this;
}

void Statement::bindText(int pos, QByteArray utf8) {
    if (pos < 1 || pos > static_cast<int>(texts_.size()))
        check(SQLITE_RANGE, pos);
    // The statement keeps its own reference, so SQLite may use the bytes without copying them
    // until the parameter is bound again or the statement ends.
    QByteArray& kept = texts_[static_cast<size_t>(pos - 1)];
    kept = std::move(utf8);
    // A null array has no bytes at all; it still binds empty text, not NULL.
    const char* bytes = kept.isNull() ? "" : kept.constData();
    check(sqlite3_bind_text(st_, pos, bytes, static_cast<int>(kept.size()), SQLITE_STATIC), pos);
}

Statement& Statement::bind(int pos, const QVariant& v) {
    if (v.isNull())
        return bindNull(pos);
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::Short:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
    case QMetaType::UShort:
    case QMetaType::Bool:
        return bind(pos, v.toInt());
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::ULongLong:
        return bind(pos, qint64(v.toLongLong()));
    case QMetaType::Double:
    case QMetaType::Float:
        return bind(pos, v.toDouble());
    case QMetaType::QByteArray:
        return bind(pos, v.toByteArray());
    default:
        return bind(pos, v.toString());
    }
}

Statement& Statement::bindNull(int pos) {
    check(sqlite3_bind_null(st_, pos), pos);
    return *this;
}

int Statement::parameterIndex(const QString& name) const {
    const int pos = sqlite3_bind_parameter_index(st_, name.toUtf8().constData());
    if (pos == 0)
        throw DbError(u"データベース「%1」の%2に失敗しました。（値の名前「%3」はありません）"_s.arg(
            db_->path(), what_, name));
    return pos;
}

bool Statement::step() {
    const int rc = sqlite3_step(st_);
    if (!readOnly_)
        db_->noteWrite();
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    failStep(rc);
}

void Statement::failStep(int rc) {
    const bool conflict = (rc & 0xff) == SQLITE_CONSTRAINT && !conflictMessage_.isEmpty();
    const QString message = conflict ? conflictMessage_ : db_->failureMessage(what_);
    sqlite3_reset(st_);
    throw DbError(message);
}

void Statement::run() {
    while (step()) {
    }
    sqlite3_reset(st_);
}

void Statement::reset(Reset how) {
    sqlite3_reset(st_);
    if (how == Reset::ClearBindings) {
        sqlite3_clear_bindings(st_);
        for (QByteArray& t : texts_)
            t.clear();
    }
}

int Statement::columnCount() const {
    return sqlite3_column_count(st_);
}

Statement::ColumnType Statement::type(int col) const {
    switch (sqlite3_column_type(st_, col)) {
    case SQLITE_NULL:
        return ColumnType::Null;
    case SQLITE_INTEGER:
        return ColumnType::Integer;
    case SQLITE_FLOAT:
        return ColumnType::Real;
    case SQLITE_BLOB:
        return ColumnType::Blob;
    default:
        return ColumnType::Text;
    }
}

bool Statement::isNull(int col) const {
    return sqlite3_column_type(st_, col) == SQLITE_NULL;
}

QString Statement::text(int col) const {
    const auto* t = reinterpret_cast<const char*>(sqlite3_column_text(st_, col));
    return t ? QString::fromUtf8(t, sqlite3_column_bytes(st_, col)) : QString();
}

int Statement::integer(int col) const {
    return sqlite3_column_int(st_, col);
}

qint64 Statement::int64(int col) const {
    return sqlite3_column_int64(st_, col);
}

double Statement::real(int col) const {
    return sqlite3_column_double(st_, col);
}

QVariant Statement::value(int col) const {
    switch (type(col)) {
    case ColumnType::Null:
        return QVariant();
    case ColumnType::Integer:
        return QVariant(int64(col));
    case ColumnType::Real:
        return QVariant(real(col));
    case ColumnType::Blob: {
        const auto* b = static_cast<const char*>(sqlite3_column_blob(st_, col));
        return QVariant(QByteArray(b, sqlite3_column_bytes(st_, col)));
    }
    case ColumnType::Text:
        break;
    }
    return QVariant(text(col));
}
