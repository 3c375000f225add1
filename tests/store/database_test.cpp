#include "store/database.h"
#include "store/db_error.h"
#include "store/schema.h"
#include "store/table.h"
#include "support/sql_values.h"
#include "support/temp_database.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <atomic>
#include <chrono>
#include <functional>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/mount.h>
#include <thread>

using namespace Qt::Literals::StringLiterals;

namespace {

void addCalendar(Table& t, const QString& day, int flag) {
    t.seek(Seek::Equal, {day});
    if (t.noMatch())
        t.addNew();
    else
        t.edit();
    t.set(u"カレ_年月日"_s, day);
    t.set(u"カレ_休日FLG"_s, flag);
    t.update();
}

QStringList scanFrom(Table& t, const QString& from, const QString& field) {
    QStringList out;
    t.seek(Seek::GreaterEqual, {from});
    while (!t.eof()) {
        out << t.text(field);
        t.moveNext();
    }
    return out;
}

} // namespace

TEST(Table, DateTextOrdersAndRangeScansSkipEmptyDates) {
    TempDatabase tmp;
    Table t(tmp.db(), u"カレンダー"_s);
    t.setIndex(u"key_カレンダー"_s);
    for (const auto& d : {u"2024/01/10"_s, u"2023/12/31"_s, u""_s, u"2024/01/05"_s})
        addCalendar(t, d, 1);
    EXPECT_EQ(scanFrom(t, u"1990/01/01"_s, u"カレ_年月日"_s),
              (QStringList{u"2023/12/31"_s, u"2024/01/05"_s, u"2024/01/10"_s}));
    t.moveFirst();
    EXPECT_EQ(t.text(u"カレ_年月日"_s), u""_s); // empty sorts first
    EXPECT_EQ(scanFrom(t, u"2024/01/06"_s, u"カレ_年月日"_s), (QStringList{u"2024/01/10"_s}));
    t.seek(Seek::GreaterEqual, {u"2025/01/01"_s});
    EXPECT_TRUE(t.noMatch());
    EXPECT_TRUE(t.eof());
}

TEST(Table, SeekEqualThenAddNeverDuplicatesAndUniqueIndexRefuses) {
    TempDatabase tmp;
    Table t(tmp.db(), u"カレンダー"_s);
    t.setIndex(u"key_カレンダー"_s);
    addCalendar(t, u"2024/01/01"_s, 1);
    addCalendar(t, u"2024/01/01"_s, 0);
    t.seek(Seek::Equal, {u"2024/01/01"_s});
    ASSERT_FALSE(t.noMatch());
    EXPECT_EQ(t.integer(u"カレ_休日FLG"_s), 0);
    t.moveNext();
    EXPECT_TRUE(t.eof());

    t.addNew();
    t.set(u"カレ_年月日"_s, u"2024/01/01"_s);
    try {
        t.update();
        FAIL() << "duplicate key accepted";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.message().contains(u"カレンダー"_s));
    }
}

TEST(Table, SeekOnLeadingKeyPartsAndIntegerOrder) {
    TempDatabase tmp;
    Table t(tmp.db(), u"個マスタ"_s);
    t.setIndex(u"key_個ﾏｽﾀｰ"_s);
    for (int no : {10, 2, 1}) {
        t.addNew();
        t.set(u"個_区分"_s, 7);
        t.set(u"個_NO"_s, no);
        t.set(u"個_略称"_s, QString::number(no));
        t.update();
    }
    t.addNew();
    t.set(u"個_区分"_s, 8);
    t.set(u"個_NO"_s, 1);
    t.update();
    t.seek(Seek::GreaterEqual, {7, 0});
    QList<int> nos;
    while (!t.eof() && t.integer(u"個_区分"_s) == 7) {
        nos << t.integer(u"個_NO"_s);
        t.moveNext();
    }
    EXPECT_EQ(nos, (QList<int>{1, 2, 10}));
    t.seek(Seek::Equal, {7});
    ASSERT_FALSE(t.noMatch());
    EXPECT_EQ(t.integer(u"個_NO"_s), 1);
    t.seek(Seek::Equal, {7, 3});
    EXPECT_TRUE(t.noMatch());
}

TEST(Table, SharedIndexNamesWorkOnTheirOwnTables) {
    TempDatabase tmp;
    Table roster(tmp.db(), u"勤務表"_s);
    roster.setIndex(u"key_勤務表"_s);
    for (const auto& d : {u"2024/04/02"_s, u"2024/04/01"_s}) {
        roster.addNew();
        roster.set(u"勤_区分"_s, 1);
        roster.set(u"勤_職員番号"_s, u"001"_s);
        roster.set(u"勤_勤務日"_s, d);
        roster.update();
    }
    Table requests(tmp.db(), u"休暇希望"_s);
    requests.setIndex(u"key_希望"_s);
    requests.addNew();
    requests.set(u"希_区分"_s, 1);
    requests.set(u"希_職員NO"_s, u"001"_s);
    requests.set(u"希_勤務日"_s, u"2024/04/03"_s);
    requests.update();

    roster.setIndex(u"idx_勤務日"_s);
    EXPECT_EQ(scanFrom(roster, u"2024/04/01"_s, u"勤_勤務日"_s),
              (QStringList{u"2024/04/01"_s, u"2024/04/02"_s}));
    requests.setIndex(u"idx_勤務日"_s);
    EXPECT_EQ(scanFrom(requests, u"2024/04/01"_s, u"希_勤務日"_s), (QStringList{u"2024/04/03"_s}));

    Table codes(tmp.db(), u"個マスタ"_s);
    codes.setIndex(u"key_個ﾏｽﾀｰ"_s);
    codes.addNew();
    codes.set(u"個_区分"_s, 5);
    codes.set(u"個_NO"_s, 1);
    codes.set(u"個_名称"_s, u"Aチーム"_s);
    codes.update();
    Table shifts(tmp.db(), u"シフト基本"_s);
    shifts.setIndex(u"key_基本"_s);
    shifts.addNew();
    shifts.set(u"基本_略称"_s, u"日"_s);
    shifts.set(u"基本_名称"_s, u"日勤"_s);
    shifts.update();
    codes.setIndex(u"idx_名称"_s);
    codes.seek(Seek::Equal, {u"Aチーム"_s});
    EXPECT_FALSE(codes.noMatch());
    codes.seek(Seek::Equal, {u"日勤"_s});
    EXPECT_TRUE(codes.noMatch());
    shifts.setIndex(u"idx_名称"_s);
    shifts.seek(Seek::Equal, {u"日勤"_s});
    ASSERT_FALSE(shifts.noMatch());
    EXPECT_EQ(shifts.text(u"基本_略称"_s), u"日"_s);
}

TEST(Table, DeleteAndEditWhileScanningVisitEveryRemainingRowOnce) {
    TempDatabase tmp;
    Table t(tmp.db(), u"カレンダー"_s);
    t.setIndex(u"key_カレンダー"_s);
    for (int d = 1; d <= 9; ++d)
        addCalendar(t, u"2024/05/0%1"_s.arg(d), 0);
    QStringList seen;
    t.seek(Seek::GreaterEqual, {u"2024/05/01"_s});
    while (!t.eof()) {
        const QString day = t.text(u"カレ_年月日"_s);
        seen << day;
        if (day.endsWith(u'2') || day.endsWith(u'5')) {
            t.remove();
        } else {
            t.edit();
            t.set(u"カレ_休日FLG"_s, 1);
            t.update();
        }
        t.moveNext();
    }
    EXPECT_EQ(seen.size(), 9);
    EXPECT_EQ(seen.removeDuplicates(), 0);
    QStringList left;
    t.moveFirst();
    while (!t.eof()) {
        EXPECT_EQ(t.integer(u"カレ_休日FLG"_s), 1);
        left << t.text(u"カレ_年月日"_s);
        t.moveNext();
    }
    EXPECT_EQ(left.size(), 7);
}

TEST(Table, NullReadsAsEmptyAndUnknownNamesThrow) {
    TempDatabase tmp;
    tmp.db().exec(
        u"INSERT INTO \"シフト基本\" (\"基本_略称\", \"基本_名称\", \"基本_備考\", \"基本_MAX\") "
        u"VALUES ('夜', NULL, NULL, NULL)"_s);
    Table t(tmp.db(), u"シフト基本"_s);
    t.setIndex(u"idx_名称"_s);
    t.seek(Seek::Equal, {u""_s});
    ASSERT_FALSE(t.noMatch());
    EXPECT_EQ(t.text(u"基本_備考"_s), u""_s);
    EXPECT_EQ(t.integer(u"基本_MAX"_s), 0);
    EXPECT_THROW(t.text(u"基本_ない"_s), DbError);
    EXPECT_THROW(t.setIndex(u"idx_ない"_s), DbError);
    EXPECT_THROW(Table(tmp.db(), u"ないテーブル"_s), DbError);
}

TEST(Table, ExecuteEmptiesTableWithJetDeleteForm) {
    TempDatabase tmp;
    Table t(tmp.db(), u"カレンダー"_s);
    t.setIndex(u"key_カレンダー"_s);
    addCalendar(t, u"2024/01/01"_s, 1);
    tmp.db().execute(u"DELETE * FROM カレンダー ;"_s);
    t.moveFirst();
    EXPECT_TRUE(t.eof());
    EXPECT_THROW(tmp.db().execute(u"DROP TABLE カレンダー"_s), DbError);
}

TEST(Database, TransactionRollsBackWholeOnFailure) {
    TempDatabase tmp;
    Table t(tmp.db(), u"カレンダー"_s);
    t.setIndex(u"key_カレンダー"_s);
    try {
        Database::Transaction tx(tmp.db());
        addCalendar(t, u"2024/01/01"_s, 1);
        t.addNew();
        t.set(u"カレ_年月日"_s, u"2024/01/01"_s);
        t.update(); // duplicate: throws
        tx.commit();
    } catch (const DbError&) {
    }
    t.moveFirst();
    EXPECT_TRUE(t.eof());
}

TEST(Database, SchemaMatchesTablesFieldsAndIndexes) {
    TempDatabase tmp;
    Statement st = tmp.db().prepare(u"SELECT il.name, ii.name FROM pragma_index_list('勤務表') "
                                    u"il, pragma_index_info(il.name) ii "
                                    u"ORDER BY il.name, ii.seqno"_s);
    QStringList parts;
    while (st.step())
        parts << st.text(0) + u":"_s + st.text(1);
    EXPECT_EQ(parts, (QStringList{u"idx_勤務日:勤_勤務日"_s, u"key_勤務表:勤_区分"_s,
                                  u"key_勤務表:勤_職員番号"_s, u"key_勤務表:勤_勤務日"_s}));
    EXPECT_EQ(Schema::tables().size(), 9u);
    EXPECT_EQ(Schema::table(u"職員"_s).fields.size(), 22u);
}

TEST(Database, ForeignFilesAreReportedAndLeftUntouched) {
    TempDatabase tmp;
    const QString dir = tmp.dir() + u"/other"_s;
    QDir().mkpath(dir);
    const QString path = Database::pathIn(dir);
    const QList<QByteArray> contents{
        QByteArray("\x00\x01\x00\x00Standard Jet DB\x00", 20) + QByteArray(2000, 'j'),
        QByteArray::fromHex("8f3a9c11d2e0ff00") + QByteArray(4000, '\x5a'), QByteArray()};
    for (const QByteArray& bytes : contents) {
        {
            QFile f(path);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write(bytes);
        }
        try {
            Database db(path, Database::OpenMode::CreateIfMissing);
            FAIL() << "foreign file opened";
        } catch (const DbError& e) {
            EXPECT_TRUE(e.message().contains(path));
        }
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(f.readAll(), bytes);
    }
}

TEST(Database, MissingFileIsReportedWhenNotCreating) {
    TempDatabase tmp;
    EXPECT_THROW(Database(tmp.dir() + u"/none/Rotavell.mdb"_s, Database::OpenMode::OpenExisting),
                 DbError);
    EXPECT_THROW(Database(tmp.dir() + u"/none/Rotavell.mdb"_s, Database::OpenMode::CreateIfMissing),
                 DbError);
}

TEST(Database, LockedDatabaseIsReported) {
    TempDatabase tmp;
    Database::Transaction hold(tmp.db());
    Table t(tmp.db(), u"カレンダー"_s);
    t.setIndex(u"key_カレンダー"_s);
    addCalendar(t, u"2024/01/01"_s, 1);
    try {
        Database second(tmp.path(), Database::OpenMode::OpenExisting);
        FAIL() << "locked file opened";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.message().contains(u"使用中"_s));
    }
}

namespace {

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Runs SQL on a file with SQLite alone, in its default (rollback journal) mode, the way
// another program would have made it.
void rawSql(const QString& path, const char* sql) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path.toUtf8().constData(), &db), SQLITE_OK);
    char* err = nullptr;
    const int rc = sqlite3_exec(db, sql, nullptr, nullptr, &err);
    EXPECT_EQ(rc, SQLITE_OK) << (err ? err : "");
    sqlite3_free(err);
    sqlite3_close(db);
}

// Another program (or an earlier build of this one) that has the file open with a
// write-ahead log and never folds it back while it runs.
class WalWriter {
public:
    explicit WalWriter(const QString& path) {
        EXPECT_EQ(sqlite3_open(path.toUtf8().constData(), &db_), SQLITE_OK);
        run("PRAGMA journal_mode=WAL; PRAGMA wal_autocheckpoint=0");
    }
    ~WalWriter() { sqlite3_close(db_); }
    WalWriter(const WalWriter&) = delete;
    WalWriter& operator=(const WalWriter&) = delete;
    void run(const char* sql) {
        char* err = nullptr;
        EXPECT_EQ(sqlite3_exec(db_, sql, nullptr, nullptr, &err), SQLITE_OK) << (err ? err : "");
        sqlite3_free(err);
    }

private:
    sqlite3* db_ = nullptr;
};

// A roster file turned back to a rollback journal, then changed by `sql`.
QString rosterFileWith(const QString& dir, const char* sql) {
    const QString path = Database::pathIn(dir);
    { Database db(path, Database::OpenMode::CreateIfMissing); }
    rawSql(path, "PRAGMA journal_mode=DELETE");
    rawSql(path, sql);
    return path;
}

} // namespace

// Another program's SQLite file, or ours with a table or column gone: refused by name before
// anything is changed (no switch to WAL, no side files), in every opening mode.
TEST(Database, SqliteFilesThatAreNotOursAreRefusedByNameAndLeftByteIdentical) {
    struct Case {
        bool fromRoster; // false: a file of another program
        const char* sql;
        QString named;
    };
    const std::vector<Case> cases{
        {false, "CREATE TABLE notes(id INTEGER, body TEXT); INSERT INTO notes VALUES(1, 'x')",
         u"個マスタ"_s},
        {true, "ALTER TABLE 勤務表 DROP COLUMN 勤_予定", u"勤_予定"_s},
        {true, "DROP TABLE カレンダー", u"カレンダー"_s},
    };
    for (const Case& c : cases) {
        for (const auto mode : {Database::OpenMode::CreateIfMissing,
                                Database::OpenMode::OpenExisting, Database::OpenMode::ReadOnly}) {
            QTemporaryDir dir;
            QString path;
            if (c.fromRoster) {
                path = rosterFileWith(dir.path(), c.sql);
            } else {
                path = Database::pathIn(dir.path());
                rawSql(path, c.sql);
            }
            const QByteArray before = fileBytes(path);
            try {
                Database db(path, mode);
                ADD_FAILURE() << "opened: " << c.sql;
            } catch (const DbError& e) {
                EXPECT_TRUE(e.message().contains(path)) << e.message().toStdString();
                EXPECT_TRUE(e.message().contains(c.named)) << e.message().toStdString();
                EXPECT_TRUE(e.message().contains(u"ではありません"_s));
            }
            EXPECT_EQ(fileBytes(path), before) << c.sql;
            EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{Database::fileName()})
                << c.sql;
        }
    }
}

TEST(Database, DoubleQuotedUnknownNamesFailInsteadOfReadingAsText) {
    TempDatabase tmp;
    EXPECT_THROW(tmp.db().prepare(u"SELECT \"勤_ない\" FROM 勤務表"_s), DbError);
    EXPECT_THROW(tmp.db().exec(u"INSERT INTO カレンダー (カレ_年月日) VALUES (\"2024/01/01\")"_s),
                 DbError);
}

// Failures a clerk meets say in Japanese what happened and what to do; SQLite's words may
// follow in parentheses.
TEST(Database, FailuresSayWhatHappenedAndWhatToDo) {
    QTemporaryDir dir;
    const auto messageOf = [](const std::function<void()>& act) {
        try {
            act();
        } catch (const DbError& e) {
            return e.message();
        }
        return QString();
    };

    // A folder where the file should be.
    const QString folder = Database::pathIn(dir.path());
    QDir().mkpath(folder);
    for (const auto mode : {Database::OpenMode::OpenExisting, Database::OpenMode::CreateIfMissing,
                            Database::OpenMode::ReadOnly}) {
        const QString m = messageOf([&] { Database db(folder, mode); });
        EXPECT_TRUE(m.contains(u"フォルダです"_s)) << m.toStdString();
        EXPECT_TRUE(m.contains(folder));
    }
    EXPECT_TRUE(QFileInfo(folder).isDir());

    // A damaged file: the right header, then nothing SQLite can read.
    QTemporaryDir other;
    const QString damaged = Database::pathIn(other.path());
    {
        QFile f(damaged);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray("SQLite format 3\0", 16) + QByteArray(8000, '\x7f'));
    }
    const QString m = messageOf([&] { Database db(damaged, Database::OpenMode::OpenExisting); });
    EXPECT_TRUE(m.contains(u"壊れています"_s)) << m.toStdString();
    EXPECT_TRUE(m.contains(u"（"_s));

    // A disk that fills up: the file may not grow past its pages.
    TempDatabase tmp;
    tmp.db().exec(u"PRAGMA max_page_count = "_s +
                  QString::number(sqlInt(tmp.db(), u"PRAGMA page_count"_s) + 1));
    const QString full = messageOf([&] {
        Database::Transaction tx(tmp.db());
        Statement st = tmp.db().prepare(
            u"INSERT INTO カレンダー (カレ_年月日, カレ_備考) VALUES (?, ?)"_s, u"書き込み"_s);
        for (int i = 0; i < 2000; ++i) {
            st.bind(1, QString::number(i));
            st.bind(2, QString(200, u'x'));
            st.run();
        }
        tx.commit();
    });
    EXPECT_TRUE(full.contains(u"ディスクの空きが足りません"_s)) << full.toStdString();
    EXPECT_TRUE(full.contains(u"書き込みに失敗しました"_s));
}

// Reading never changes the file: it opens read-only and a write through it fails.
TEST(Database, ReadOnlyOpeningReadsAndNeverWrites) {
    TempDatabase tmp;
    Table t(tmp.db(), u"カレンダー"_s);
    t.setIndex(u"key_カレンダー"_s);
    addCalendar(t, u"2024/01/01"_s, 1);
    tmp.close();
    const QByteArray before = fileBytes(tmp.path());
    {
        Database db(tmp.path(), Database::OpenMode::ReadOnly);
        EXPECT_TRUE(db.readOnly());
        EXPECT_EQ(sqlInt(db, u"SELECT カレ_休日FLG FROM カレンダー"_s), 1);
        EXPECT_THROW(db.exec(u"DELETE FROM カレンダー"_s), DbError);
    }
    EXPECT_EQ(fileBytes(tmp.path()), before);
    EXPECT_THROW(Database(tmp.dir() + u"/none.mdb"_s, Database::OpenMode::ReadOnly), DbError);
}

// A copy nobody writes (a backup) is read without a side file appearing beside it; a copy
// that still has its write-ahead log is read with what the log holds.
TEST(Database, SnapshotOpeningLeavesNoSideFileAndReadsAPendingLog) {
    TempDatabase tmp;
    tmp.close();
    {
        // Still open elsewhere: the row sits in the log beside the file.
        WalWriter writer(tmp.path());
        writer.run("INSERT INTO カレンダー (カレ_年月日, カレ_休日FLG) VALUES ('2024/01/01', 1)");
        ASSERT_GT(QFileInfo(tmp.path() + u"-wal"_s).size(), 0);
        Database db(tmp.path(), Database::OpenMode::Snapshot);
        EXPECT_TRUE(db.readOnly());
        EXPECT_EQ(sqlInt(db, u"SELECT カレ_休日FLG FROM カレンダー"_s), 1);
    }
    tmp.close();
    ASSERT_EQ(QDir(tmp.dir()).entryList(QDir::Files), QStringList{Database::fileName()});
    const QByteArray before = fileBytes(tmp.path());
    {
        Database db(tmp.path(), Database::OpenMode::Snapshot);
        EXPECT_EQ(sqlInt(db, u"SELECT カレ_休日FLG FROM カレンダー"_s), 1);
        EXPECT_THROW(db.exec(u"DELETE FROM カレンダー"_s), DbError);
        EXPECT_EQ(QDir(tmp.dir()).entryList(QDir::Files), QStringList{Database::fileName()});
    }
    EXPECT_EQ(fileBytes(tmp.path()), before);
}

// Reading leaves no log files behind, whether the file was read or refused as not ours; while
// another program has the file open, its log files stay where they are.
TEST(Database, AReadOnlyOpenLeavesNoSideFile) {
    TempDatabase tmp;
    {
        Table t(tmp.db(), u"カレンダー"_s);
        t.setIndex(u"key_カレンダー"_s);
        addCalendar(t, u"2024/01/01"_s, 1);
    }
    tmp.close();
    const QStringList alone{Database::fileName()};
    const auto files = [&] { return QDir(tmp.dir()).entryList(QDir::Files); };
    {
        Database db(tmp.path(), Database::OpenMode::ReadOnly);
        EXPECT_EQ(sqlInt(db, u"SELECT カレ_休日FLG FROM カレンダー"_s), 1);
    }
    EXPECT_EQ(files(), alone);
    {
        WalWriter writer(tmp.path());
        { Database reader(tmp.path(), Database::OpenMode::ReadOnly); }
        writer.run("DELETE FROM カレンダー");
        EXPECT_TRUE(QFileInfo::exists(tmp.path() + u"-wal"_s));
        writer.run("DROP TABLE 休暇希望");
    }
    ASSERT_EQ(files(), alone);
    const QByteArray before = fileBytes(tmp.path());
    EXPECT_THROW(Database(tmp.path(), Database::OpenMode::ReadOnly), DbError);
    EXPECT_EQ(files(), alone);
    EXPECT_EQ(fileBytes(tmp.path()), before);
}

// After every commit the file itself holds everything committed: a copy of the file alone,
// taken while this and another connection still have it open, reads as the original does.
TEST(Database, ACopyOfTheFileAloneTakenWhileOpenHoldsEveryCommit) {
    TempDatabase tmp;
    Database other(tmp.path(), Database::OpenMode::OpenExisting);
    const auto insertDays = [](Database& db, int first) {
        Database::Transaction tx(db);
        Statement st =
            db.prepare(u"INSERT INTO カレンダー (カレ_年月日, カレ_休日FLG) VALUES (?, 1)"_s);
        for (int i = first; i < first + 500; ++i)
            st.bind(1, QString::number(i)).run();
        tx.commit();
    };
    const std::vector<std::pair<const char*, std::function<void()>>> writes{
        {"a transaction", [&] { insertDays(tmp.db(), 0); }},
        {"a single statement", [&] { tmp.db().exec(u"UPDATE カレンダー SET カレ_休日FLG = 0"_s); }},
        {"the other connection", [&] { insertDays(other, 1000); }},
    };
    const QString dump = u"SELECT count(*) || ':' || total(カレ_休日FLG) || ':' || "
                         "group_concat(カレ_年月日) FROM カレンダー"_s;
    for (const auto& [what, write] : writes) {
        SCOPED_TRACE(what);
        write();
        EXPECT_EQ(QDir(tmp.dir()).entryList(QDir::Files), QStringList{Database::fileName()});
        QTemporaryDir copyDir;
        const QString copy = Database::pathIn(copyDir.path());
        ASSERT_TRUE(QFile::copy(tmp.path(), copy));
        Database copied(copy, Database::OpenMode::ReadOnly);
        EXPECT_EQ(sqlText(copied, dump), sqlText(tmp.db(), dump));
    }
}

// On a disk with no room left, opening says the disk is full and leaves nothing beside the
// file: a file that still keeps a write-ahead log cannot make its index, one with a rollback
// journal opens and reads, and its first write says the same. Needs a small file system of
// its own, so it runs where the test may mount one.
TEST(Database, OpeningOnAFullDiskSaysSoAndLeavesNoLogFiles) {
    QTemporaryDir dir;
    if (::mount("tmpfs", dir.path().toLocal8Bit().constData(), "tmpfs", 0, "size=1m") != 0)
        GTEST_SKIP() << "no small file system can be mounted here";
    struct Unmount {
        QByteArray at;
        ~Unmount() { ::umount(at.constData()); }
    } unmount{dir.path().toLocal8Bit()};
    const QString path = Database::pathIn(dir.path());
    const auto fill = [&] {
        QFile filler(dir.path() + u"/filler"_s);
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly));
        const QByteArray block(4096, 'x');
        while (filler.write(block) == block.size() && filler.flush()) {
        }
    };
    const QString fullAdvice = Database::advice(SQLITE_FULL);
    for (const bool keepsLog : {true, false}) {
        SCOPED_TRACE(keepsLog ? "write-ahead log" : "rollback journal");
        QFile::remove(dir.path() + u"/filler"_s);
        QFile::remove(path);
        { Database db(path, Database::OpenMode::CreateIfMissing); }
        if (keepsLog)
            rawSql(path, "PRAGMA journal_mode=WAL");
        fill();
        const QStringList alone{u"filler"_s, Database::fileName()};
        for (const auto mode : {Database::OpenMode::OpenExisting, Database::OpenMode::ReadOnly}) {
            try {
                Database db(path, mode);
                EXPECT_FALSE(keepsLog) << "opened";
                EXPECT_EQ(sqlInt(db, u"SELECT count(*) FROM カレンダー"_s), 0);
                if (mode == Database::OpenMode::OpenExisting) {
                    db.exec(u"INSERT INTO カレンダー (カレ_年月日, カレ_備考) VALUES ('x', '"_s +
                            QString(20000, u'x') + u"')"_s);
                    ADD_FAILURE() << "wrote on a full disk";
                }
            } catch (const DbError& e) {
                EXPECT_TRUE(e.message().contains(fullAdvice)) << e.message().toStdString();
            }
            EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), alone);
        }
    }
}

// Another writer holding the file for well under the wait is waited for, not reported busy.
TEST(Database, AShortWriteElsewhereIsWaitedFor) {
    TempDatabase tmp;
    std::atomic<bool> holding = false;
    std::thread writer([&] {
        Database other(tmp.path(), Database::OpenMode::OpenExisting);
        Database::Transaction tx(other);
        other.exec(u"INSERT INTO カレンダー (カレ_年月日) VALUES ('2024/02/01')"_s);
        holding = true;
        std::this_thread::sleep_for(std::chrono::milliseconds(1000));
        tx.commit();
    });
    while (!holding)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_NO_THROW({
        Database second(tmp.path(), Database::OpenMode::OpenExisting);
        Database::Transaction tx(second);
        second.exec(u"INSERT INTO カレンダー (カレ_年月日) VALUES ('2024/02/02')"_s);
        tx.commit();
    });
    writer.join();
    EXPECT_EQ(sqlInt(tmp.db(), u"SELECT COUNT(*) FROM カレンダー"_s), 2);
}
