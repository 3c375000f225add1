#include "store/database.h"

#include "store/db_error.h"
#include "store/schema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QUrl>
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

QString Database::advice(int rc) {
    switch (rc & 0xff) {
    case SQLITE_FULL:
        return u"ディスクの空きが足りません。空きを作ってからやり直して下さい。"_s;
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        return u"ファイルが壊れています。控えのファイルから戻して下さい。"_s;
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_AUTH:
    case SQLITE_CANTOPEN:
        return u"ファイルかフォルダに書き込む権限がありません。権限を確認して下さい。"_s;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return u"他のプログラムが使用中です。しばらく待ってからやり直して下さい。"_s;
    case SQLITE_IOERR:
        return u"ファイルの読み書きに失敗しました。ディスクの状態を確認して下さい。"_s;
    default:
        return {};
    }
}

Database::Database(const QString& path, OpenMode mode) : path_(QFileInfo(path).absoluteFilePath()) {
    const QFileInfo info(path_);
    if (info.isDir())
        throw DbError(u"「%1」はフォルダです。データベースのファイルではありません。"
                      u"フォルダの名前を変えるか、別の場所に移して下さい。"_s.arg(path_));
    if (info.exists()) {
        openExisting(mode);
    } else if (mode == OpenMode::CreateIfMissing) {
        createNew();
    } else {
        throw DbError(u"データベース「%1」がありません。"_s.arg(path_));
    }
}

Database::~Database() {
    close();
}

// Reading a WAL database makes its log and shared-memory files, and a read-only connection
// cannot take them away when it closes. The last read-write connection to close does: a brief
// one that only reads sweeps away what this open left, and leaves them alone while another
// program still has the file open.
void Database::close() {
    if (!db_)
        return;
    sqlite3_close_v2(db_);
    db_ = nullptr;
    if (!madeLogFiles_ || !QFileInfo::exists(path_ + u"-wal"_s))
        return;
    sqlite3* sweeper = nullptr;
    if (sqlite3_open_v2(path_.toUtf8().constData(), &sweeper, SQLITE_OPEN_READWRITE, nullptr) ==
        SQLITE_OK)
        sqlite3_exec(sweeper, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
    sqlite3_close_v2(sweeper);
}

void Database::closeAndThrow(const QString& message) {
    close();
    throw DbError(message);
}

void Database::openFile(const QByteArray& name, int flags) {
    const int rc = sqlite3_open_v2(name.constData(), &db_, flags, nullptr);
    if (rc != SQLITE_OK)
        closeAndThrow(u"データベース「%1」を開けません。%2（%3）"_s.arg(path_, advice(rc),
                                                                        sqliteMessage(db_)));
    sqlite3_extended_result_codes(db_, 1);
    sqlite3_busy_timeout(db_, busyTimeoutMs);
    // A double-quoted name that matches no column must fail, not be read as a text literal:
    // a missing column would otherwise show its own name as data.
    sqlite3_db_config(db_, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
    sqlite3_db_config(db_, SQLITE_DBCONFIG_DQS_DDL, 0, nullptr);
}

// Reads the schema once: the first read is where a damaged, locked or unreadable file shows.
int Database::probe() {
    return sqlite3_exec(db_, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
}

void Database::openExisting(OpenMode mode) {
    const bool readOnly = mode == OpenMode::ReadOnly || mode == OpenMode::Snapshot;
    // With no log beside it, a file this user may not write is read as it stands: a read-only
    // connection could make the log files beside it but never take them away again.
    const bool noLog = !QFileInfo::exists(path_ + u"-wal"_s);
    const bool immutable =
        noLog && (mode == OpenMode::Snapshot ||
                  (mode == OpenMode::ReadOnly && !QFileInfo(path_).isWritable()));
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
    readOnly_ = readOnly;
    madeLogFiles_ = readOnly && !immutable && noLog;
    if (immutable)
        openFile(QUrl::fromLocalFile(path_).toEncoded() + "?mode=ro&immutable=1",
                 SQLITE_OPEN_READONLY | SQLITE_OPEN_URI);
    else
        openFile(path_.toUtf8(), readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE);
    int rc = probe();
    // Reading a WAL file needs its shared-memory file; in a folder nobody may write to it
    // cannot be made, and the file is then read as it stands on disk (nobody can be writing
    // it either).
    if (readOnly && !immutable && rc != SQLITE_OK &&
        !QFileInfo(QFileInfo(path_).absolutePath()).isWritable()) {
        sqlite3_close_v2(db_);
        db_ = nullptr;
        madeLogFiles_ = false;
        openFile(QUrl::fromLocalFile(path_).toEncoded() + "?mode=ro&immutable=1",
                 SQLITE_OPEN_READONLY | SQLITE_OPEN_URI);
        rc = probe();
    }
    if (rc != SQLITE_OK) {
        if (isBusy(rc))
            closeAndThrow(u"データベース「%1」は他のプログラムが使用中です。"
                          u"しばらく待ってからやり直して下さい。"_s.arg(path_));
        closeAndThrow(u"データベース「%1」を開けません。%2（%3）"_s.arg(path_, advice(rc),
                                                                        sqliteMessage(db_)));
    }
    checkIsOurs();
    if (readOnly)
        return;
    if (sqlite3_db_readonly(db_, "main") == 1)
        closeAndThrow(
            u"データベース「%1」に書き込めません。ファイルとフォルダの権限を確認して下さい。"_s.arg(
                path_));
    configure();
}

void Database::checkIsOurs() {
    QString missing;
    try {
        missing = Schema::mismatch(*this);
    } catch (const DbError& e) {
        closeAndThrow(e.message());
    }
    if (!missing.isEmpty())
        closeAndThrow(u"「%1」は勤務表のデータベースではありません（%2）。"
                      u"ファイルはそのまま残してあります。"_s.arg(path_, missing));
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
    sqlite3_db_config(db_, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
    sqlite3_db_config(db_, SQLITE_DBCONFIG_DQS_DDL, 0, nullptr);
    try {
        configure();
        Transaction tx(*this);
        Schema::create(*this);
        tx.commit();
    } catch (const DbError& e) {
        if (db_)
            sqlite3_close_v2(db_);
        db_ = nullptr;
        QFile::remove(path_);
        QFile::remove(path_ + u"-wal"_s);
        QFile::remove(path_ + u"-shm"_s);
        throw DbError(u"データベース「%1」を作成できません。フォルダの権限と空きを確認して下さい。"
                      u"（%2）"_s.arg(path_, e.message()));
    }
    created_ = true;
}

void Database::configure() {
    sqlite3_busy_timeout(db_, busyTimeoutMs);
    sqlite3_extended_result_codes(db_, 1);
    char* err = nullptr;
    const int rc = sqlite3_exec(db_,
                                "PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL; "
                                "PRAGMA foreign_keys=OFF; BEGIN IMMEDIATE; ROLLBACK;",
                                nullptr, nullptr, &err);
    sqlite3_free(err);
    if (rc != SQLITE_OK) {
        const QString msg = isBusy(rc) ? u"データベース「%1」は他のプログラムが使用中です。"
                                         u"しばらく待ってからやり直して下さい。"_s.arg(path_)
                                       : u"データベース「%1」を開けません。%2（%3）"_s.arg(
                                             path_, advice(rc), sqliteMessage(db_));
        closeAndThrow(msg);
    }
}

QString Database::failureMessage(const QString& what) const {
    const int rc = db_ ? sqlite3_extended_errcode(db_) : SQLITE_ERROR;
    return u"データベース「%1」の%2に失敗しました。%3（%4）"_s.arg(path_, what, advice(rc),
                                                                   sqliteMessage(db_));
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
        throw DbError(
            u"データベース「%1」の処理に失敗しました。%2（%3）"_s.arg(path_, advice(rc), detail));
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
                throw DbError(u"データベース「%1」は他のプログラムが使用中です。"
                              u"しばらく待ってからやり直して下さい。"_s.arg(db_.path_));
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
