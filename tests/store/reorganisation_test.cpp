#include "store/database.h"
#include "store/db_error.h"
#include "store/reorganisation.h"
#include "store/schema.h"
#include "store/statement.h"
#include "support/sql_values.h"
#include "support/temp_database.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <chrono>
#include <csignal>
#include <deque>
#include <gtest/gtest.h>
#include <memory>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace {

const QDateTime kNow(QDate(2024, 4, 1), QTime(9, 30, 0));
const QString kQuestion = Reorganisation::question();

// One row in each of the nine tables, every one carrying `tag` in a text field.
void fill(Database& db, const QString& tag) {
    const QString sql =
        u"INSERT INTO カレンダー (カレ_年月日, カレ_休日FLG, カレ_備考) VALUES ('2024/05/05', 1, "
        u"'%1');"
        u"INSERT INTO 個マスタ (個_区分, 個_NO, 個_名称) VALUES (5, 1, '%1');"
        u"INSERT INTO シフト基本 (基本_略称, 基本_名称) VALUES ('日', '%1');"
        u"INSERT INTO ｼﾌﾄﾊﾟﾀｰﾝ (パタ_区分, パタ_NO, パタ_連番, パタ_名称) VALUES (1, 1, 0, '%1');"
        u"INSERT INTO 作成単位 (作_区分, 作_備考) VALUES (1, '%1');"
        u"INSERT INTO 日別要員 (日_区分, 日_特定日, 日_優先順, 日_備考) VALUES (1, 1, 1, '%1');"
        u"INSERT INTO 職員 (職員_no, 職員_名漢字) VALUES ('0001', '%1');"
        u"INSERT INTO 休暇希望 (希_区分, 希_職員NO, 希_勤務日, 希_備考) "
        u"VALUES (1, '0001', '2024/05/05', '%1');"
        u"INSERT INTO 勤務表 (勤_区分, 勤_職員番号, 勤_勤務日, 勤_予定) "
        u"VALUES (1, '0001', '2024/05/05', '%1');"_s;
    db.exec(sql.arg(tag));
}

// Every row of a table in stored order, each as its fields joined; Null shows as "∅".
QStringList dump(Database& db, const QString& table) {
    QStringList rows;
    Statement st = db.prepare(u"SELECT * FROM "_s + Schema::quoted(table) + u" ORDER BY rowid"_s);
    while (st.step()) {
        QStringList fields;
        for (int c = 0; c < st.columnCount(); ++c)
            fields << (st.isNull(c) ? u"∅"_s : st.text(c));
        rows << fields.join(u"|"_s);
    }
    return rows;
}

std::map<QString, QStringList> dumpAll(Database& db) {
    std::map<QString, QStringList> all;
    for (const TableDef& t : Schema::tables())
        all[t.name] = dump(db, t.name);
    return all;
}

QByteArray bytesOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Records what the run says and answers its questions from a list; an unscripted question is
// a test failure answered No.
struct Talk {
    std::deque<bool> answers;
    QStringList asked, told;

    Reorganisation::Dialogue dialogue() {
        return {[this](const QString& q) {
                    asked << q;
                    if (answers.empty()) {
                        ADD_FAILURE() << "unexpected question " << q.toStdString();
                        return false;
                    }
                    const bool yes = answers.front();
                    answers.pop_front();
                    return yes;
                },
                [this](const QString& m) { told << m; }};
    }
};

std::deque<bool> yesTimes(int n) {
    return std::deque<bool>(static_cast<size_t>(n), true);
}

class ReorganisationTest : public ::testing::Test {
protected:
    ReorganisationTest() : backupPath(Reorganisation::backupPathIn(tmp.dir())) {
        fill(tmp.db(), u"main"_s);
        backup = std::make_unique<Database>(backupPath, Database::OpenMode::CreateIfMissing);
        fill(*backup, u"backup"_s);
    }

    // The backup as the clerk leaves it: closed, a single file.
    void closeBackup() { backup.reset(); }

    Reorganisation::Result run(Talk& talk) {
        closeBackup();
        return Reorganisation::run(tmp.db(), backupPath, talk.dialogue(), kNow);
    }

    QStringList filesInFolder() const { return QDir(tmp.dir()).entryList(QDir::Files, QDir::Name); }

    TempDatabase tmp;
    QString backupPath;
    std::unique_ptr<Database> backup;
};

TEST_F(ReorganisationTest, EveryTableIsRebuiltWithItsOwnQuestionsAndTheClosingMessage) {
    const auto before = dumpAll(tmp.db());
    Talk talk;
    talk.answers = yesTimes(10);
    const auto result = run(talk);

    EXPECT_EQ(result.outcome, Reorganisation::Outcome::Finished);
    const QStringList expected{
        kQuestion,
        u"カレンダーは正常終了しました。残りを続けますか"_s,
        u"個マスタ正常終了しました。残りを続けますか"_s,
        u"シフト基本は正常終了しました。残りを続けますか"_s,
        u"ｼﾌﾄﾊﾟﾀｰﾝは正常終了しました。残りを続けますか"_s,
        u"作成単位は正常終了しました。残りを続けますか"_s,
        u"日別要員は正常終了しました。残りを続けますか"_s,
        u"職員は正常終了しました。残りを続けますか"_s,
        u"休暇希望は正常終了しました。残りを続けますか"_s,
        u"勤務表は正常終了しました。残りを続けますか"_s,
    };
    EXPECT_EQ(talk.asked, expected);
    EXPECT_EQ(talk.told, QStringList{u"ﾃﾞｰﾀ･ﾍﾞｽの再編成は完了しました。"_s});
    EXPECT_TRUE(result.failed.isEmpty());
    for (const TableDef& t : Schema::tables()) {
        SCOPED_TRACE(t.name.toStdString());
        const QStringList rows = dump(tmp.db(), t.name);
        ASSERT_EQ(rows.size(), 1);
        EXPECT_TRUE(rows[0].contains(u"backup"_s)) << rows[0].toStdString();
    }

    // The data file as it was, beside it under the date and time; the backup as it was, alone.
    ASSERT_EQ(result.safetyCopy, QDir(tmp.dir()).filePath(u"Rotavell_20240401_093000.mdb"_s));
    Database copy(result.safetyCopy, Database::OpenMode::Snapshot);
    EXPECT_EQ(dumpAll(copy), before);
    EXPECT_EQ(filesInFolder(), (QStringList{u"Rotavell.mdb"_s, u"Rotavell_20240401_093000.mdb"_s,
                                            u"Rotavellbkup.mdb"_s}));
}

// Answering No stops at once: the tables already rebuilt stay rebuilt, the others untouched.
TEST(Reorganisation, NoStopsWhereItIsAnswered) {
    struct Case {
        const char* what;
        int rebuiltTables; // answered Yes to the opening question and this many tables
        Reorganisation::Outcome outcome;
    };
    const std::vector<Case> cases{
        {"no at the opening question", -1, Reorganisation::Outcome::Declined},
        {"no after the third table", 3, Reorganisation::Outcome::Stopped},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempDatabase main;
        fill(main.db(), u"main"_s);
        const QString bkup = Reorganisation::backupPathIn(main.dir());
        {
            Database b(bkup, Database::OpenMode::CreateIfMissing);
            fill(b, u"backup"_s);
        }
        Talk talk;
        // Yes to the opening question and to every table before the last one rebuilt.
        if (c.rebuiltTables >= 0)
            talk.answers = yesTimes(c.rebuiltTables);
        talk.answers.push_back(false);
        const auto result = Reorganisation::run(main.db(), bkup, talk.dialogue(), kNow);

        EXPECT_EQ(result.outcome, c.outcome);
        EXPECT_TRUE(talk.told.isEmpty()); // no closing message
        EXPECT_EQ(talk.asked.size(), c.rebuiltTables >= 0 ? c.rebuiltTables + 1 : 1);
        const auto& steps = Reorganisation::steps();
        for (int i = 0; i < static_cast<int>(steps.size()); ++i) {
            const QStringList rows = dump(main.db(), steps[static_cast<size_t>(i)].table);
            ASSERT_EQ(rows.size(), 1);
            EXPECT_TRUE(rows[0].contains(i < c.rebuiltTables ? u"backup"_s : u"main"_s))
                << steps[static_cast<size_t>(i)].table.toStdString();
        }
        // Nothing is copied until the run is under way.
        EXPECT_EQ(QDir(main.dir()).entryList({u"Rotavell_*"_s}, QDir::Files).size(),
                  c.rebuiltTables >= 0 ? 1 : 0);
    }
}

TEST_F(ReorganisationTest, WhatTheClerkEnteredIsKeptAndTheCalendarStartsIn1990) {
    backup->exec(u"UPDATE 職員 SET 職員_表示順 = '5';"
                 u"UPDATE 勤務表 SET 勤_予定早出 = 2, 勤_実績早出 = 3;"
                 u"UPDATE 休暇希望 SET 希_連続FLG = NULL;"
                 u"INSERT INTO 休暇希望 (希_区分, 希_職員NO, 希_勤務日, 希_連続FLG) "
                 u"VALUES (2, '0001', '2024/05/06', 1);"
                 u"INSERT INTO カレンダー (カレ_年月日, カレ_休日FLG) VALUES ('1989/12/31', 1);"
                 u"INSERT INTO カレンダー (カレ_年月日, カレ_休日FLG) VALUES ('1990/01/01', 1);"
                 u"INSERT INTO 勤務表 (勤_区分, 勤_職員番号, 勤_勤務日, 勤_予定) "
                 u"VALUES (2, '0002', '1989/12/31', '日');"_s);
    Talk talk;
    talk.answers = yesTimes(10);
    run(talk);

    Database& db = tmp.db();
    EXPECT_EQ(sqlText(db, u"SELECT 職員_表示順 FROM 職員"_s), u"5"_s);
    EXPECT_EQ(
        sqlText(db, u"SELECT 勤_予定早出 || '/' || 勤_実績早出 FROM 勤務表 WHERE 勤_区分 = 1"_s),
        u"2/3"_s);
    EXPECT_EQ(sqlText(db, u"SELECT group_concat(希_連続FLG, ',') FROM 休暇希望"_s), u"0,1"_s);
    EXPECT_EQ(sqlText(db, u"SELECT group_concat(カレ_年月日, ',') FROM カレンダー"_s),
              u"1990/01/01,2024/05/05"_s);
    // The roster starts from kind 0, so every row of the kinds in use comes across.
    EXPECT_EQ(sqlInt(db, u"SELECT count(*) FROM 勤務表 WHERE 勤_勤務日 = '1989/12/31'"_s), 1);
}

TEST_F(ReorganisationTest, RowsComeBackInKeyOrder) {
    backup->exec(u"DELETE FROM 個マスタ; DELETE FROM 勤務表;"
                 u"INSERT INTO 個マスタ (個_区分, 個_NO) VALUES (10, 1), (2, 2), (2, 1), (1, 9);"
                 u"INSERT INTO 勤務表 (勤_区分, 勤_職員番号, 勤_勤務日) VALUES "
                 u"(2, '0001', '2024/05/01'), (1, '0002', '2024/05/01'), "
                 u"(1, '0001', '2024/05/02'), (1, '0001', '2024/05/01');"_s);
    Talk talk;
    talk.answers = yesTimes(10);
    run(talk);

    const auto keys = [&](const QString& sql) {
        QStringList out;
        Statement st = tmp.db().prepare(sql);
        while (st.step())
            out << st.text(0);
        return out;
    };
    EXPECT_EQ(keys(u"SELECT 個_区分 || '-' || 個_NO FROM 個マスタ ORDER BY rowid"_s),
              (QStringList{u"1-9"_s, u"2-1"_s, u"2-2"_s, u"10-1"_s}));
    EXPECT_EQ(keys(u"SELECT 勤_区分 || 勤_職員番号 || 勤_勤務日 FROM 勤務表 ORDER BY rowid"_s),
              (QStringList{u"100012024/05/01"_s, u"100012024/05/02"_s, u"100022024/05/01"_s,
                           u"200012024/05/01"_s}));
}

// A table whose rebuilding fails is left as it was; the clerk may go on with the others, and
// the closing message names what failed.
TEST_F(ReorganisationTest, AFailingTableIsLeftAsItWasAndNamedAtTheEnd) {
    // The main file refuses one staffing row; the backup holds two staff rows of one key,
    // which a copy without its unique index can.
    tmp.db().exec(u"CREATE TRIGGER refuse BEFORE INSERT ON 日別要員 WHEN NEW.日_備考 = 'backup' "
                  u"BEGIN SELECT RAISE(ABORT, 'refused'); END"_s);
    backup->exec(u"DROP INDEX \"key_職員\";"
                 u"INSERT INTO 職員 (職員_no, 職員_名漢字) VALUES ('0001', 'twin');"_s);
    const auto before = dumpAll(tmp.db());
    Talk talk;
    talk.answers = yesTimes(10);
    const auto result = run(talk);

    EXPECT_EQ(result.outcome, Reorganisation::Outcome::Finished);
    EXPECT_EQ(result.failed, (QStringList{u"日別要員"_s, u"職員"_s}));
    EXPECT_EQ(talk.asked[6], u"日別要員は失敗しました。残りを続けますか"_s);
    EXPECT_EQ(talk.asked[7], u"職員は失敗しました。残りを続けますか"_s);
    EXPECT_EQ(talk.asked[8], u"休暇希望は正常終了しました。残りを続けますか"_s);
    EXPECT_EQ(dump(tmp.db(), u"日別要員"_s), before.at(u"日別要員"_s));
    EXPECT_EQ(dump(tmp.db(), u"職員"_s), before.at(u"職員"_s));
    EXPECT_TRUE(dump(tmp.db(), u"勤務表"_s)[0].contains(u"backup"_s));
    // Each failure is explained before its question; the last message names both tables.
    ASSERT_EQ(talk.told.size(), 3);
    EXPECT_TRUE(talk.told[0].contains(u"日別要員"_s)) << talk.told[0].toStdString();
    EXPECT_TRUE(talk.told[1].contains(u"同じキー"_s)) << talk.told[1].toStdString();
    EXPECT_EQ(talk.told[2], u"ﾃﾞｰﾀ･ﾍﾞｽの再編成は終了しましたが、日別要員、職員は失敗しました。"
                            u"失敗したﾃｰﾌﾞﾙは再編成前のままです。"_s);
}

// A backup that is missing, not SQLite or not a roster database fails the first table, which
// stays as it was, and is left byte for byte with no side file beside it.
TEST_F(ReorganisationTest, AnUnusableBackupFailsTheFirstTableCleanly) {
    struct Case {
        const char* what;
        std::function<void(const QString& path)> make;
        QString named;
    };
    const std::vector<Case> cases{
        {"missing", [](const QString& p) { QFile::remove(p); }, u"ありません"_s},
        {"not SQLite",
         [](const QString& p) {
             QFile f(p);
             ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
             f.write("Standard Jet DB\0\0\0\0", 19);
         },
         u"ではありません"_s},
        {"a table missing",
         [](const QString& p) {
             Database db(p, Database::OpenMode::OpenExisting);
             db.exec(u"DROP TABLE 勤務表"_s);
         },
         u"勤務表"_s},
    };
    closeBackup();
    const QByteArray original = bytesOf(backupPath);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        {
            QFile f(backupPath);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write(original);
        }
        c.make(backupPath);
        const QByteArray made = bytesOf(backupPath);
        const auto before = dumpAll(tmp.db());
        Talk talk;
        talk.answers = {true, false};
        const auto result = Reorganisation::run(tmp.db(), backupPath, talk.dialogue(), kNow);

        EXPECT_EQ(result.outcome, Reorganisation::Outcome::Stopped);
        EXPECT_EQ(talk.asked,
                  (QStringList{kQuestion, u"カレンダーは失敗しました。残りを続けますか"_s}));
        ASSERT_EQ(talk.told.size(), 1);
        EXPECT_TRUE(talk.told[0].contains(backupPath)) << talk.told[0].toStdString();
        EXPECT_TRUE(talk.told[0].contains(c.named)) << talk.told[0].toStdString();
        EXPECT_EQ(dumpAll(tmp.db()), before);
        EXPECT_EQ(bytesOf(backupPath), made);
        EXPECT_TRUE(QDir(tmp.dir()).entryList({u"Rotavellbkup*"_s}, QDir::Files).size() <= 1);
    }
}

TEST_F(ReorganisationTest, TheDataFileItselfIsNoBackup) {
    closeBackup();
    const QString link = QDir(tmp.dir()).filePath(u"link.mdb"_s);
    ASSERT_TRUE(QFile::link(tmp.path(), link));
    for (const QString& path : {tmp.path(), link}) {
        SCOPED_TRACE(path.toStdString());
        const auto before = dumpAll(tmp.db());
        Talk talk;
        talk.answers = {true};
        const auto result = Reorganisation::run(tmp.db(), path, talk.dialogue(), kNow);
        EXPECT_EQ(result.outcome, Reorganisation::Outcome::Refused);
        ASSERT_EQ(talk.told.size(), 1);
        EXPECT_TRUE(talk.told[0].contains(u"データベースそのもの"_s));
        EXPECT_EQ(dumpAll(tmp.db()), before);
        EXPECT_TRUE(QDir(tmp.dir()).entryList({u"Rotavell_*"_s}, QDir::Files).isEmpty());
    }
}

// Without a safety copy nothing is touched: the run stops before the first table.
TEST_F(ReorganisationTest, NoSafetyCopyNoReorganisation) {
    const auto before = dumpAll(tmp.db());
    // A read still under way keeps the file from being copied.
    Statement reading = tmp.db().prepare(u"SELECT * FROM 勤務表"_s);
    ASSERT_TRUE(reading.step());
    Talk talk;
    talk.answers = {true};
    const auto result = run(talk);

    EXPECT_EQ(result.outcome, Reorganisation::Outcome::Refused);
    ASSERT_EQ(talk.told.size(), 1);
    EXPECT_TRUE(talk.told[0].contains(u"控え"_s)) << talk.told[0].toStdString();
    EXPECT_EQ(dumpAll(tmp.db()), before);
    EXPECT_TRUE(QDir(tmp.dir()).entryList({u"Rotavell_*"_s}, QDir::Files).isEmpty());
}

// A rebuild killed at any moment leaves the table as it was or as the copy has it, never half
// refilled, and the file opens afterwards.
TEST(Reorganisation, ARebuildKilledHalfwayLeavesTheTableWholeBeforeOrAfter) {
    constexpr int rows = 100000;
    TempDatabase data;
    fill(data.db(), u"old"_s);
    data.close();
    QTemporaryDir backupDir;
    const QString backupPath = Database::pathIn(backupDir.path());
    {
        Database backup(backupPath, Database::OpenMode::CreateIfMissing);
        backup.exec(u"WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < "_s +
                    QString::number(rows) +
                    u") INSERT INTO 勤務表 (勤_区分, 勤_職員番号, 勤_勤務日, 勤_予定) "
                    u"SELECT 1, printf('%06d', i), '2024/05/05', 'new' FROM n"_s);
    }
    const auto step = std::find_if(Reorganisation::steps().begin(), Reorganisation::steps().end(),
                                   [](const auto& s) { return s.table == u"勤務表"_s; });
    ASSERT_NE(step, Reorganisation::steps().end());
    for (const int ms : {30, 150, 400}) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            try {
                Database db(data.path(), Database::OpenMode::OpenExisting);
                Database backup(backupPath, Database::OpenMode::Snapshot);
                for (;;)
                    Reorganisation::rebuild(db, backup, *step);
            } catch (...) {
            }
            ::_exit(1);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the rebuild failed instead of being killed";
        Database db(data.path(), Database::OpenMode::OpenExisting);
        EXPECT_EQ(sqlText(db, u"PRAGMA integrity_check"_s), u"ok"_s);
        const int count = sqlInt(db, u"SELECT count(*) FROM 勤務表"_s);
        if (count == 1)
            EXPECT_EQ(sqlText(db, u"SELECT 勤_予定 FROM 勤務表"_s), u"old"_s) << ms;
        else
            EXPECT_EQ(count, rows) << ms;
    }
}

// A disk that fills while a table is refilled fails that table with a message saying so, and
// leaves it as it was.
TEST(Reorganisation, AFullDiskFailsTheTableAndLeavesItAsItWas) {
    TempDatabase data;
    fill(data.db(), u"old"_s);
    QTemporaryDir backupDir;
    const QString backupPath = Database::pathIn(backupDir.path());
    {
        Database backup(backupPath, Database::OpenMode::CreateIfMissing);
        backup.exec(u"WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < "
                    u"20000) INSERT INTO 勤務表 (勤_区分, 勤_職員番号, 勤_勤務日, 勤_予定) "
                    u"SELECT 1, printf('%06d', i), '2024/05/05', 'new' FROM n"_s);
    }
    const auto before = dumpAll(data.db());
    const int pages = sqlInt(data.db(), u"PRAGMA page_count"_s);
    data.db().exec(u"PRAGMA max_page_count = "_s + QString::number(pages + 5));
    Database backup(backupPath, Database::OpenMode::Snapshot);
    const auto step = std::find_if(Reorganisation::steps().begin(), Reorganisation::steps().end(),
                                   [](const auto& s) { return s.table == u"勤務表"_s; });
    ASSERT_NE(step, Reorganisation::steps().end());
    try {
        Reorganisation::rebuild(data.db(), backup, *step);
        ADD_FAILURE() << "the rebuild went through on a full disk";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.message().contains(u"ディスクの空きが足りません"_s))
            << e.message().toStdString();
    }
    EXPECT_EQ(dumpAll(data.db()), before);
}

// A safety copy cut short by a kill is never left under a copy's name: every dated copy
// beside the data file is whole.
TEST(Reorganisation, ASafetyCopyKilledHalfwayLeavesNoCopyThatLooksWhole) {
    constexpr int rows = 100000;
    TempDatabase data;
    data.db().exec(u"WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < "_s +
                   QString::number(rows) +
                   u") INSERT INTO 勤務表 (勤_区分, 勤_職員番号, 勤_勤務日, 勤_予定) "
                   u"SELECT 1, printf('%06d', i), '2024/05/05', 'new' FROM n"_s);
    data.close();
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        try {
            Database db(data.path(), Database::OpenMode::OpenExisting);
            for (;;)
                Reorganisation::makeSafetyCopy(db, kNow);
        } catch (...) {
        }
        ::_exit(1);
    }
    // Killed as soon as the third copy has begun, while it is being written.
    for (int waited = 0; waited < 10000; ++waited) {
        if (!QDir(data.dir()).entryList({u"Rotavell_*_3.mdb*"_s}, QDir::Files).isEmpty())
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the copying failed instead of being killed";
    const QStringList copies =
        QDir(data.dir()).entryList({u"Rotavell_*.mdb"_s}, QDir::Files, QDir::Name);
    ASSERT_FALSE(copies.isEmpty());
    for (const QString& name : copies) {
        try {
            Database copy(QDir(data.dir()).filePath(name), Database::OpenMode::Snapshot);
            EXPECT_EQ(sqlInt(copy, u"SELECT count(*) FROM 勤務表"_s), rows) << name.toStdString();
        } catch (const DbError& e) {
            ADD_FAILURE() << name.toStdString() << ": " << e.message().toStdString();
        }
    }
}

} // namespace
