#include "store/database.h"

#include "store/db_error.h"
#include "store/schema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <sqlite3.h>

using namespace Qt::Literals::StringLiterals;

namespace {

QString sqliteMessage(sqlite3* db) {
    return db ? QString::fromUtf8(sqlite3_errmsg(db)) : u"不明なエラー"_s;
}

bool isBusy(int rc) {
    return (rc & 0xff) == SQLITE_BUSY || (rc & 0xff) == SQLITE_LOCKED;
}

} // namespace

QString Database::fileName() {
    return u"Rotavell.mdb"_s;
}

QString Database::pathIn(const QString& dataDir) {
    return QDir(dataDir).filePath(fileName());
}

Database::Database(const QString& path, OpenMode mode) : path_(QFileInfo(path).absoluteFilePath()) {
    if (QFileInfo::exists(path_)) {
        openExisting();
    } else if (mode == OpenMode::CreateIfMissing) {
        createNew();
    } else {
        throw DbError(u"データベース「%1」がありません。"_s.arg(path_));
    }
}

Database::~Database() {
    if (db_)
        sqlite3_close_v2(db_);
}

void Database::openExisting() {
    QFile f(path_);
    if (!f.open(QIODevice::ReadOnly))
        throw DbError(
            u"データベース「%1」を読めません。ファイルの権限を確認して下さい。"_s.arg(path_));
    const QByteArray header = f.read(16);
    f.close();
    // Checked before SQLite sees the file: SQLite would happily turn an empty or foreign file
    // into a new database, and the user's old file must never be overwritten.
    if (header != QByteArray("SQLite format 3\0", 16))
        throw DbError(
            u"「%1」は勤務表のデータベースではありません（古い形式のファイルか、壊れています）。"
            u"ファイルはそのまま残してあります。"_s.arg(path_));
    const int rc =
        sqlite3_open_v2(path_.toUtf8().constData(), &db_, SQLITE_OPEN_READWRITE, nullptr);
    if (rc != SQLITE_OK)
        throw DbError(u"データベース「%1」を開けません。（%2）"_s.arg(path_, sqliteMessage(db_)));
    if (sqlite3_db_readonly(db_, "main") == 1)
        throw DbError(
            u"データベース「%1」に書き込めません。ファイルとフォルダの権限を確認して下さい。"_s.arg(
                path_));
    configure();
    if (!Schema::matches(*this))
        throw DbError(u"「%1」は勤務表のデータベースではありません（必要なテーブルがありません）。"
                      u"ファイルはそのまま残してあります。"_s.arg(path_));
}

void Database::createNew() {
    const QFileInfo info(path_);
    if (!info.dir().exists())
        throw DbError(u"データフォルダ「%1」がありません。"_s.arg(info.absolutePath()));
    const int rc = sqlite3_open_v2(path_.toUtf8().constData(), &db_,
                                   SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_close_v2(db_);
        db_ = nullptr;
        QFile::remove(path_);
        throw DbError(
            u"データベース「%1」を作成できません。フォルダの権限を確認して下さい。"_s.arg(path_));
    }
    try {
        configure();
        Transaction tx(*this);
        Schema::create(*this);
        tx.commit();
    } catch (const DbError&) {
        sqlite3_close_v2(db_);
        db_ = nullptr;
        QFile::remove(path_);
        throw DbError(
            u"データベース「%1」を作成できません。フォルダの権限を確認して下さい。"_s.arg(path_));
    }
    created_ = true;
}

void Database::configure() {
    sqlite3_busy_timeout(db_, 200);
    sqlite3_extended_result_codes(db_, 1);
    char* err = nullptr;
    const int rc = sqlite3_exec(db_,
                                "PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL; "
                                "PRAGMA foreign_keys=OFF; BEGIN IMMEDIATE; ROLLBACK;",
                                nullptr, nullptr, &err);
    sqlite3_free(err);
    if (rc != SQLITE_OK) {
        const QString msg =
            isBusy(rc) ? u"データベース「%1」は他のプログラムが使用中です。"_s.arg(path_)
                       : u"データベース「%1」を開けません。（%2）"_s.arg(path_, sqliteMessage(db_));
        sqlite3_close_v2(db_);
        db_ = nullptr;
        throw DbError(msg);
    }
}

QString Database::failureMessage(const QString& what) const {
    return u"データベース「%1」の%2に失敗しました。（%3）"_s.arg(path_, what, sqliteMessage(db_));
}

void Database::fail(const QString& what) const {
    throw DbError(failureMessage(what));
}

void Database::exec(const QString& sql) {
    char* err = nullptr;
    const int rc = sqlite3_exec(db_, sql.toUtf8().constData(), nullptr, nullptr, &err);
    const QString detail = err ? QString::fromUtf8(err) : QString();
    sqlite3_free(err);
    if (rc != SQLITE_OK)
        throw DbError(u"データベース「%1」の処理に失敗しました。（%2）"_s.arg(path_, detail));
    noteWrite();
}

void Database::execute(const QString& statement) {
    static const QRegularExpression deleteAll(u"^\\s*DELETE\\s+\\*\\s+FROM\\s+(\\S+?)\\s*;?\\s*$"_s,
                                              QRegularExpression::CaseInsensitiveOption);
    const auto m = deleteAll.match(statement);
    if (!m.hasMatch())
        throw DbError(u"実行できない命令です：%1"_s.arg(statement));
    const TableDef& t = Schema::table(m.captured(1));
    exec(u"DELETE FROM \""_s + t.name + u"\""_s);
}

bool Database::hasTable(const QString& name) {
    Statement st = prepare(u"SELECT 1 FROM sqlite_master WHERE type='table' AND name=?"_s);
    st.bind(1, name);
    return st.step();
}

Statement Database::prepare(const QString& sql, const QString& what) {
    sqlite3_stmt* st = nullptr;
    const QByteArray utf8 = sql.toUtf8();
    if (sqlite3_prepare_v3(db_, utf8.constData(), static_cast<int>(utf8.size()),
                           SQLITE_PREPARE_PERSISTENT, &st, nullptr) != SQLITE_OK)
        fail(what.isEmpty() ? u"読み込み準備"_s : what + u"の準備"_s);
    if (!what.isEmpty())
        return Statement(*this, st, what);
    return Statement(*this, st, sqlite3_stmt_readonly(st) ? u"読み込み"_s : u"書き込み"_s);
}

int Database::openStatementCount() const {
    int n = 0;
    for (sqlite3_stmt* st = sqlite3_next_stmt(db_, nullptr); st; st = sqlite3_next_stmt(db_, st))
        ++n;
    return n;
}

Database::Transaction::Transaction(Database& db, Kind kind)
    : db_(db), outermost_(db.transactionDepth_ == 0) {
    if (outermost_) {
        const char* sql = kind == Kind::Write ? "BEGIN IMMEDIATE" : "BEGIN";
        const int rc = sqlite3_exec(db_.db_, sql, nullptr, nullptr, nullptr);
        if (rc != SQLITE_OK) {
            if (isBusy(rc))
                throw DbError(u"データベース「%1」は他のプログラムが使用中です。"_s.arg(db_.path_));
            db_.fail(u"トランザクション開始"_s);
        }
    }
    ++db_.transactionDepth_;
}

Database::Transaction::~Transaction() {
    --db_.transactionDepth_;
    if (outermost_ && !done_) {
        sqlite3_exec(db_.db_, "ROLLBACK", nullptr, nullptr, nullptr);
        db_.noteWrite();
    }
}

void Database::Transaction::commit() {
    if (done_)
        return;
    if (outermost_ && sqlite3_exec(db_.db_, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK)
        db_.fail(u"書き込み"_s);
    done_ = true;
}
