#include "store/cp932.h"
#include "store/db_error.h"
#include "store/purge_span.h"
#include "store/records/roster_row.h"
#include "store/records/shift_request.h"
#include "store/roster_csv.h"
#include "store/roster_removal.h"
#include "support/table_rows.h"
#include "support/temp_database.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace {

TEST(PurgeSpan, IsTheFiscalYearTheKeptYearsBackOrNamesTheMissingSetting) {
    struct Case {
        const char* what;
        QDate today;
        QString years, start; // empty: no such code row
        QString from, to, error;
    };
    const QString noYears = u"保持年数を登録して下さい。"_s;
    const QString noStart = u"年度開始日を登録して下さい。"_s;
    const std::vector<Case> cases{
        {"after the start month",
         {2024, 6, 15},
         u"3"_s,
         u"04/01"_s,
         u"2021/04/01"_s,
         u"2022/03/31"_s,
         {}},
        {"before the start month",
         {2024, 2, 10},
         u"3"_s,
         u"04/01"_s,
         u"2020/04/01"_s,
         u"2021/03/31"_s,
         {}},
        {"in the start month before its day",
         {2024, 4, 10},
         u"1"_s,
         u"4/15"_s,
         u"2022/04/15"_s,
         u"2023/04/14"_s,
         {}},
        // Both ends move back on their own: this year's last day 2025/02/28 moves back to
        // 2024/02/28, although that fiscal year ended on 02/29.
        {"a year ending in a leap February",
         {2024, 6, 15},
         u"1"_s,
         u"03/01"_s,
         u"2023/03/01"_s,
         u"2024/02/28"_s,
         {}},
        {"no retention row", {2024, 6, 15}, {}, u"04/01"_s, {}, {}, noYears},
        {"zero years", {2024, 6, 15}, u"0"_s, u"04/01"_s, {}, {}, noYears},
        {"not a whole number", {2024, 6, 15}, u"2.5"_s, u"04/01"_s, {}, {}, noYears},
        {"no start row", {2024, 6, 15}, u"3"_s, {}, {}, {}, noStart},
        {"malformed start", {2024, 6, 15}, u"3"_s, u"13/01"_s, {}, {}, noStart},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempDatabase tmp;
        if (!c.years.isEmpty())
            TableRows::putCode(tmp.db(), 4, 1, c.years, {});
        if (!c.start.isEmpty())
            TableRows::putCode(tmp.db(), 9, 1, c.start, {});
        const PurgeSpan span = PurgeSpan::propose(tmp.db(), c.today);
        EXPECT_EQ(span.from, c.from);
        EXPECT_EQ(span.to, c.to);
        EXPECT_EQ(span.error, c.error);
    }
}

TEST(RosterCsv, LinesAreExactBytesInTheWindowsCodePage) {
    using V = std::array<QVariant, RosterCsv::kFields>;
    const V plain{1, u"00012"_s, u"2023/04/01"_s, u"日"_s, 0, u"日"_s, 0, u""_s, u"A"_s, u"P1"_s};
    EXPECT_EQ(Cp932::encode(RosterCsv::line(plain)).bytes,
              QByteArray(" 1 ,00012,2023/04/01,\x93\xfa, 0 ,\x93\xfa, 0 ,,A,P1\r\n"));
    const V odd{2,  u"7"_s,     u"2023/04/02"_s, QVariant(),      -3,
                {}, QVariant(), u"a,b"_s,        u"say \"hi\""_s, u"x\ny"_s};
    EXPECT_EQ(RosterCsv::line(odd),
              u" 2 ,7,2023/04/02,Null,-3 ,Null,Null,\"a,b\",\"say \"\"hi\"\"\",\"x\ny\"\r\n"_s);
}

TEST(Cp932, TakesWindowsCodePointsAndNamesWhatItCannotHold) {
    EXPECT_EQ(Cp932::encode(u"〜−‖¢£¬"_s).bytes,
              QByteArray("\x81\x60\x81\x7c\x81\x61\x81\x91\x81\x92\x81\xca"));
    const Cp932::Encoded bad = Cp932::encode(u"日😀休"_s);
    ASSERT_TRUE(bad.unencodable);
    EXPECT_EQ(*bad.unencodable, char32_t(0x1F600));
}

class RosterRemovalTest : public ::testing::Test {
protected:
    RosterRemovalTest() {
        for (const QString& d :
             {u"2024/03/31"_s, u"2024/04/01"_s, u"2024/04/15"_s, u"2024/04/30"_s, u"2024/05/01"_s})
            TableRows::putRosterDay(db(), u"1001"_s, d, u"日"_s);
        TableRows::putRosterDay(db(), u"0999"_s, u"2024/04/15"_s, u"休"_s);
        TableRows::put(db(), RosterRow::table, RosterRow::Index::key,
                       {2, u"0500"_s, u"2024/04/15"_s}, {{RosterRow::Field::backup, u"1001"_s}});
        for (const QString& d : {u"2024/03/31"_s, u"2024/04/10"_s})
            TableRows::put(db(), ShiftRequest::table, ShiftRequest::Index::key, {1, u"1001"_s, d},
                           {{ShiftRequest::Field::planned, u"有"_s}});
    }
    Database& db() { return tmp.db(); }
    std::vector<QString> rosterDates() {
        std::vector<QString> dates;
        for (const QString& no : {u"0500"_s, u"0999"_s, u"1001"_s})
            for (int kind : {1, 2})
                for (const RosterRow& r :
                     RosterRow::loadForStaff(db(), kind, no, u"2000/01/01"_s, u"2099/12/31"_s))
                    dates.push_back(r.date);
        std::sort(dates.begin(), dates.end());
        return dates;
    }
    QStringList csvLines(const QString& path) {
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        QStringList lines = QString::fromLatin1(f.readAll()).split(u"\r\n"_s);
        EXPECT_EQ(lines.takeLast(), QString());
        return lines;
    }

    TempDatabase tmp;
    QTemporaryDir out;
};

TEST_F(RosterRemovalTest, DeletesBothKindsFromTheFirstToTheLastDayAndKeepsThemInOrder) {
    const QString path = out.filePath(u"removed.csv"_s);
    const auto result = RosterRemoval::run(db(), RosterRemoval::Kind::Deletion, u"2024/04/01"_s,
                                           u"2024/04/30"_s, path);
    EXPECT_EQ(result.rosterRows, 5);
    EXPECT_EQ(result.requestRows, 0);
    EXPECT_EQ(rosterDates(), (std::vector<QString>{u"2024/03/31"_s, u"2024/05/01"_s}));
    EXPECT_EQ(TableRows::count(db(), ShiftRequest::table), 2);
    const QStringList lines = csvLines(path);
    ASSERT_EQ(lines.size(), 5);
    EXPECT_TRUE(lines[0].startsWith(u" 1 ,1001,2024/04/01,"_s));
    EXPECT_TRUE(lines[1].startsWith(u" 1 ,0999,2024/04/15,"_s));
    EXPECT_TRUE(lines[2].startsWith(u" 1 ,1001,2024/04/15,"_s));
    EXPECT_TRUE(lines[3].startsWith(u" 2 ,0500,2024/04/15,"_s));
    EXPECT_TRUE(lines[4].startsWith(u" 1 ,1001,2024/04/30,"_s));
    // Only the file itself is left in the folder.
    EXPECT_EQ(QDir(out.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{u"removed.csv"_s});

    // A second span gets its own complete file; the first stays as it was.
    const QString second = out.filePath(u"second.csv"_s);
    RosterRemoval::run(db(), RosterRemoval::Kind::Deletion, u"2024/03/01"_s, u"2024/03/31"_s,
                       second);
    EXPECT_EQ(csvLines(second).size(), 1);
    EXPECT_EQ(csvLines(path).size(), 5);
}

TEST_F(RosterRemovalTest, PurgeRemovesTheRequestsOfTheSpanToo) {
    const auto result =
        RosterRemoval::run(db(), RosterRemoval::Kind::Purge, u"2024/04/01"_s, u"2024/04/30"_s, {});
    EXPECT_EQ(result.requestRows, 1);
    EXPECT_TRUE(ShiftRequest::load(db(), 1, u"1001"_s, u"2024/03/31"_s));
    EXPECT_FALSE(ShiftRequest::load(db(), 1, u"1001"_s, u"2024/04/10"_s));
    EXPECT_EQ(rosterDates().size(), 2u);
}

TEST_F(RosterRemovalTest, AFailureDeletesNothingAndLeavesNoFile) {
    struct Case {
        const char* what;
        QString to;
        QString path;
        QString inMessage;
    };
    TableRows::putRosterDay(db(), u"1002"_s, u"2024/04/20"_s, u"日"_s,
                            {{RosterRow::Field::team, u"チーム😀"_s}});
    const std::vector<Case> cases{
        {"unencodable text", u"2024/04/30"_s, out.filePath(u"a.csv"_s), u"1002"_s},
        {"folder missing", u"2024/04/15"_s, out.filePath(u"none/a.csv"_s), u"none/a.csv"_s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        try {
            RosterRemoval::run(db(), RosterRemoval::Kind::Purge, u"2024/04/01"_s, c.to, c.path);
            ADD_FAILURE() << "no failure";
        } catch (const DbError& e) {
            EXPECT_TRUE(e.message().contains(c.inMessage)) << e.what();
        }
        EXPECT_EQ(rosterDates().size(), 7u);
        EXPECT_EQ(TableRows::count(db(), ShiftRequest::table), 2);
        EXPECT_TRUE(QDir(out.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
    }
}

QByteArray contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A run killed at any step, or failing at any step before its commit, loses nothing: every row
// stays, with the folder as it was or, once the file has its name, beside the complete file;
// killed after the commit, the rows are gone and the complete file holds them. A file that was
// replaced comes back when the run fails.
TEST_F(RosterRemovalTest, AKilledOrFailingRunKeepsEveryRowOrTheCompleteFile) {
    using Step = RosterRemoval::Step;
    using Kind = RosterRemoval::Kind;
    const QString model = out.filePath(u"model.mdb"_s);
    db().exec(u"VACUUM INTO '%1'"_s.arg(model));
    const auto run = [](const QString& dir, bool replacing, const RosterRemoval::StepHook& hook) {
        Database db(Database::pathIn(dir), Database::OpenMode::OpenExisting);
        RosterRemoval::run(
            db, replacing ? Kind::Deletion : Kind::Purge, u"2024/04/01"_s, u"2024/04/30"_s,
            dir + u"/a.csv"_s,
            replacing ? RosterRemoval::Existing::Replace : RosterRemoval::Existing::Refuse, hook);
    };
    QTemporaryDir whole;
    ASSERT_TRUE(QFile::copy(model, Database::pathIn(whole.path())));
    run(whole.path(), false, {});
    const QByteArray complete = contents(whole.filePath(u"a.csv"_s));
    ASSERT_EQ(complete.count("\r\n"), 5);
    for (int s = 0; s <= static_cast<int>(Step::Committed); ++s) {
        for (const bool kill : {true, false}) {
            for (const bool replacing : {false, true}) {
                const auto step = static_cast<Step>(s);
                if (!kill && step == Step::Committed)
                    continue; // nothing is left to fail
                SCOPED_TRACE(testing::Message() << "step " << s << (kill ? " killed" : " failed")
                                                << (replacing ? ", replacing" : ""));
                QTemporaryDir dir;
                ASSERT_TRUE(QFile::copy(model, Database::pathIn(dir.path())));
                const QString csv = dir.filePath(u"a.csv"_s);
                QFile older(csv);
                ASSERT_TRUE(!replacing || (older.open(QIODevice::WriteOnly) && older.write("old")));
                older.close();
                const auto stop = [&](Step at) {
                    if (at == step && kill)
                        ::raise(SIGKILL);
                    if (at == step)
                        throw DbError(u"書き込みに失敗しました。"_s);
                };
                if (kill) {
                    const pid_t child = ::fork();
                    ASSERT_GE(child, 0);
                    if (child == 0) {
                        try {
                            run(dir.path(), replacing, stop);
                        } catch (...) {
                        }
                        ::_exit(1);
                    }
                    int status = 0;
                    ::waitpid(child, &status, 0);
                    ASSERT_TRUE(WIFSIGNALED(status)) << "the run ended instead of being killed";
                } else {
                    try {
                        run(dir.path(), replacing, stop);
                        ADD_FAILURE() << "no failure";
                    } catch (const DbError& e) {
                        EXPECT_TRUE(e.message().endsWith(u"何も削除していません。"_s));
                    }
                    EXPECT_EQ(QDir(dir.path()).entryList({u".a.csv*"_s}, QDir::Hidden),
                              QStringList());
                }
                Database after(Database::pathIn(dir.path()), Database::OpenMode::OpenExisting);
                const bool removed = step == Step::Committed;
                EXPECT_EQ(TableRows::count(after, RosterRow::table), removed ? 2 : 7);
                EXPECT_EQ(TableRows::count(after, ShiftRequest::table),
                          removed && !replacing ? 1 : 2);
                const bool named = kill && step >= Step::FileNamed;
                EXPECT_EQ(QFile::exists(csv), named || replacing);
                EXPECT_EQ(contents(csv), named ? complete : replacing ? "old" : QByteArray());
            }
        }
    }
}

} // namespace
