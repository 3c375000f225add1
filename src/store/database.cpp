#include "store/database.h"

#include "store/db_error.h"
#include "store/schema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QUrl>
#include <cerrno>
#include <sqlite3.h>

using namespace Qt::Literals::StringLiterals;

namespace {

QString sqliteMessage(sqlite3* db) {
    return db ? QString::fromUtf8(sqlite3_errmsg(db)) : u"不明なエラー"_s;
}

bool isBusy(int rc) {
    return (rc & 0xff) == SQLITE_BUSY || (rc & 0xff) == SQLITE_LOCKED;
}

// Bytes 18 and 19 of the header are 2 in a file that keeps a write-ahead log.
bool keepsWriteAheadLog(const QByteArray& header) {
    return header.size() >= 20 && (header[18] == 2 || header[19] == 2);
}

// The log files a failed open made (a full disk can stop SQLite half way through making
// them) are removed; never what was there before, nor a log that holds anything.
void removeLogFilesMade(const QString& path, bool hadWal, bool hadShm) {
    const QString wal = path + u"-wal"_s;
    if (!hadWal && QFileInfo::exists(wal) && QFileInfo(wal).size() == 0)
        QFile::remove(wal);
    if (!hadShm && !QFileInfo::exists(wal))
        QFile::remove(path + u"-shm"_s);
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

QString Database::adviceFor(int rc) const {
    // A full disk shows as a failure to grow the log index or to write, with the system's
    // reason behind it; the clerk must hear that space is missing, not that the disk is faulty.
    const int primary = rc & 0xff;
    const int sys = db_ && (primary == SQLITE_IOERR || primary == SQLITE_CANTOPEN)
                        ? sqlite3_system_errno(db_)
                        : 0;
    if (sys == ENOSPC || sys == EDQUOT)
        return advice(SQLITE_FULL);
    return advice(rc);
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
        closeAndThrow(u"データベース「%1」を開けません。%2（%3）"_s.arg(path_, adviceFor(rc),
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
    QFile f(path_);
    if (!f.open(QIODevice::ReadOnly))
        throw DbError(
            u"データベース「%1」を読めません。ファイルの権限を確認して下さい。"_s.arg(path_));
    const QByteArray header = f.read(20);
    f.close();
    // Checked before SQLite sees the file: SQLite would happily turn an empty or foreign file
    // into a new database, and the user's old file must never be overwritten.
    if (!header.startsWith(QByteArray("SQLite format 3\0", 16)))
        throw DbError(
            u"「%1」は勤務表のデータベースではありません（古い形式のファイルか、壊れています）。"
            u"ファイルはそのまま残してあります。"_s.arg(path_));
    const bool hadWal = QFileInfo::exists(path_ + u"-wal"_s);
    const bool hadShm = QFileInfo::exists(path_ + u"-shm"_s);
    try {
        openChecked(mode, keepsWriteAheadLog(header), hadWal, hadShm);
    } catch (const DbError&) {
        removeLogFilesMade(path_, hadWal, hadShm);
        throw;
    }
}

void Database::openChecked(OpenMode mode, bool walFile, bool hadWal, bool hadShm) {
    const bool readOnly = mode == OpenMode::ReadOnly || mode == OpenMode::Snapshot;
    const QString wal = path_ + u"-wal"_s;
    const bool pendingLog = hadWal && QFileInfo(wal).size() > 0;
    const bool folderWritable = QFileInfo(QFileInfo(path_).absolutePath()).isWritable();
    // Committed work that still sits in the log can only be read through the log's index,
    // which SQLite must be able to make beside the file. Reading the file without its log
    // would show old data as if it were current.
    if (readOnly && pendingLog && !hadShm && !folderWritable)
        throw DbError(u"データベース「%1」の変更記録（%2）は、フォルダに書き込む権限がないと"
                      u"読めません。フォルダへの書き込みを許可するか、二つのファイルを一緒に"
                      u"書き込めるフォルダへ写してから開いて下さい。"_s.arg(
                          path_, QFileInfo(wal).fileName()));
    // A file with a rollback journal is read without making anything beside it. One that keeps
    // a write-ahead log but has none beside it, and that this user may not write, is read as
    // it stands: a read-only connection could make the log files but never take them away.
    const bool immutable = walFile && !hadWal &&
                           (mode == OpenMode::Snapshot ||
                            (mode == OpenMode::ReadOnly && !QFileInfo(path_).isWritable()));
    readOnly_ = readOnly;
    madeLogFiles_ = readOnly && walFile && !immutable && !hadWal;
    if (immutable)
        openFile(QUrl::fromLocalFile(path_).toEncoded() + "?mode=ro&immutable=1",
                 SQLITE_OPEN_READONLY | SQLITE_OPEN_URI);
    else
        openFile(path_.toUtf8(), readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE);
    int rc = probe();
    // Reading a WAL file needs its shared-memory file; in a folder nobody may write to it
    // cannot be made, and a file with no log beside it is then read as it stands (nobody can
    // be writing it either).
    if (readOnly && walFile && !immutable && !pendingLog && rc != SQLITE_OK && !folderWritable) {
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
        closeAndThrow(u"データベース「%1」を開けません。%2（%3）"_s.arg(path_, adviceFor(rc),
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
        for (const char* side : {"-journal", "-wal", "-shm"})
            QFile::remove(path_ + QLatin1StringView(side));
        throw DbError(u"データベース「%1」を作成できません。フォルダの権限と空きを確認して下さい。"
                      u"（%2）"_s.arg(path_, e.message()));
    }
    created_ = true;
}

// A rollback journal, synced at every commit and with the folder synced after the journal is
// removed: when a commit returns, the file itself holds everything committed, so a copy of the
// file alone (to a USB stick, or as the backup the reorganisation reads) is complete, and a
// power cut right after the commit cannot bring the journal back and undo it. A file that kept
// a write-ahead log is folded back into itself here.
void Database::configure() {
    sqlite3_busy_timeout(db_, busyTimeoutMs);
    sqlite3_extended_result_codes(db_, 1);
    QString mode;
    sqlite3_stmt* st = nullptr;
    int rc = sqlite3_prepare_v2(db_, "PRAGMA journal_mode=DELETE", -1, &st, nullptr);
    if (rc == SQLITE_OK) {
        rc = sqlite3_step(st);
        if (rc == SQLITE_ROW) {
            mode = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
            rc = SQLITE_OK;
        }
    }
    sqlite3_finalize(st);
    // The log cannot be folded back while another program reads through it; SQLite then keeps
    // the old mode without an error.
    if (rc == SQLITE_OK && mode.compare(u"delete"_s, Qt::CaseInsensitive) != 0)
        rc = SQLITE_BUSY;
    if (rc == SQLITE_OK)
        rc = sqlite3_exec(db_,
                          "PRAGMA synchronous=EXTRA; PRAGMA foreign_keys=OFF; "
                          "BEGIN IMMEDIATE; ROLLBACK;",
                          nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) {
        const QString msg = isBusy(rc) ? u"データベース「%1」は他のプログラムが使用中です。"
                                         u"しばらく待ってからやり直して下さい。"_s.arg(path_)
                                       : u"データベース「%1」を開けません。%2（%3）"_s.arg(
                                             path_, adviceFor(rc), sqliteMessage(db_));
        closeAndThrow(msg);
    }
}

QString Database::failureMessage(const QString& what) const {
    const int rc = db_ ? sqlite3_extended_errcode(db_) : SQLITE_ERROR;
    return u"データベース「%1」の%2に失敗しました。%3（%4）"_s.arg(path_, what, adviceFor(rc),
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
        throw DbError(u"データベース「%1」の処理に失敗しました。%2（%3）"_s.arg(
            path_, adviceFor(rc), detail));
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

void Database::copyInto(const QString& file) {
    sqlite3* dest = nullptr;
    int rc = sqlite3_open_v2(file.toUtf8().constData(), &dest, SQLITE_OPEN_READWRITE, nullptr);
    if (rc == SQLITE_OK) {
        sqlite3_extended_result_codes(dest, 1);
        sqlite3_backup* backup = sqlite3_backup_init(dest, "main", db_, "main");
        if (!backup) {
            rc = sqlite3_errcode(dest);
        } else {
            // All pages in one step, so the copy is of one moment; a write in progress elsewhere
            // is waited for as long as a statement would wait.
            int waited = 0;
            while (isBusy(rc = sqlite3_backup_step(backup, -1)) && waited < busyTimeoutMs) {
                sqlite3_sleep(50);
                waited += 50;
            }
            const int finished = sqlite3_backup_finish(backup);
            if (rc == SQLITE_DONE)
                rc = finished;
        }
        // A source that kept a write-ahead log gives a copy marked for one; folded back, the
        // copy needs no side file to be read.
        if (rc == SQLITE_OK)
            rc = sqlite3_exec(dest, "PRAGMA journal_mode=DELETE", nullptr, nullptr, nullptr);
    }
    if (rc != SQLITE_OK) {
        const int sys = sqlite3_system_errno(dest);
        const QString hint =
            isBusy(rc) ? u"他のプログラムが使用中です。しばらく待ってからやり直して下さい。"_s
                       : advice(sys == ENOSPC || sys == EDQUOT ? SQLITE_FULL : rc);
        const QString reason = u"%1（%2）"_s.arg(hint, sqliteMessage(dest));
        sqlite3_close_v2(dest);
        throw DbError(u"データベース「%1」を写せません。"_s.arg(path_) + reason);
    }
    if (sqlite3_close(dest) != SQLITE_OK) {
        sqlite3_close_v2(dest);
        throw DbError(u"データベース「%1」を写せません。"_s.arg(path_));
    }
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
