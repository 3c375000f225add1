#include "store/database.h"
#include "support/cli_run.h"
#include "support/ordinary_user.h"
#include "support/sample_workplace.h"
#include "support/sql_values.h"
#include "support/temp_database.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString kRows =
    u"SELECT count(*) || ':' || group_concat(勤_職員番号 || 勤_勤務日 || 勤_予定) "
    "FROM 勤務表"_s;

class CliBackupTest : public ::testing::Test {
protected:
    void SetUp() override {
        SampleWorkplace::build(tmp.db(), 6, 1, 3, 1);
        tmp.close();
        ASSERT_EQ(cli(tmp.dir(), {u"generate"_s, u"--register"_s}).status, 0);
    }
    QString rowsOf(const QString& path) {
        Database db(path, Database::OpenMode::ReadOnly);
        return sqlText(db, kRows);
    }
    TempDatabase tmp;
};

// The copy holds what the data file holds, by default as Rotavellbkup.mdb beside it; the data
// file itself (by any name), an existing file without --overwrite and what is not a plain
// file are refused with the file named and nothing written.
TEST_F(CliBackupTest, WritesAWholeCopyAndRefusesWhatItMustNotReplace) {
    const QString data = tmp.path();
    const QString dir = tmp.dir();
    const QString defaultCopy = dir + u"/Rotavellbkup.mdb"_s;
    const QString sameByAnotherName = dir + u"/../"_s + QDir(dir).dirName() + u"/Rotavell.mdb"_s;
    ASSERT_TRUE(QFile::link(data, dir + u"/link.mdb"_s));
    ASSERT_EQ(::link(QFile::encodeName(data).constData(),
                     QFile::encodeName(dir + u"/hard.mdb"_s).constData()),
              0);
    struct Case {
        QStringList args;
        int status;
        QString written; // the copy that must hold the data file's rows afterwards
        QString named;   // in the message
    };
    const std::vector<Case> cases{
        {{}, 0, defaultCopy, defaultCopy},
        {{}, 1, {}, u"--overwrite"_s},
        {{u"--overwrite"_s}, 0, defaultCopy, defaultCopy},
        {{u"--to"_s, dir + u"/usb.mdb"_s}, 0, dir + u"/usb.mdb"_s, dir + u"/usb.mdb"_s},
        {{u"--to"_s, dir + u"/link.mdb"_s, u"--overwrite"_s}, 2, {}, u"link.mdb"_s},
        {{u"--to"_s, dir + u"/hard.mdb"_s, u"--overwrite"_s}, 2, {}, u"hard.mdb"_s},
        {{u"--to"_s, sameByAnotherName, u"--overwrite"_s}, 2, {}, data},
        {{u"--to"_s, dir, u"--overwrite"_s}, 2, {}, dir},
        {{u"--to"_s, u"/dev/null"_s, u"--overwrite"_s}, 2, {}, u"/dev/null"_s},
    };
    const QString original = rowsOf(data);
    ASSERT_TRUE(original.startsWith(u"180:"_s)) << original.toStdString();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.join(u' ').toStdString());
        const QStringList before = QDir(dir).entryList(QDir::AllEntries | QDir::Hidden);
        const CliRun r = cli(dir, QStringList{u"backup"_s} + c.args);
        EXPECT_EQ(r.status, c.status) << r.err.toStdString();
        const QString said = r.out + r.err;
        EXPECT_TRUE(said.contains(c.named)) << said.toStdString();
        if (!c.written.isEmpty())
            EXPECT_EQ(rowsOf(c.written), original);
        else
            EXPECT_EQ(QDir(dir).entryList(QDir::AllEntries | QDir::Hidden), before);
        EXPECT_EQ(rowsOf(data), original);
    }
}

// Work still in the log of a copy that sits in a folder nobody may write cannot be read: the
// copy is refused rather than read as it was before that work.
TEST_F(CliBackupTest, AFileWhoseLogCannotBeReadIsRefusedNotReadOld) {
    const OrdinaryUser user;
    SKIP_UNLESS_REACHABLE(user);
    QTemporaryDir top;
    makeOpen(top.path());
    const QString copyDir = top.path() + u"/copy"_s;
    QDir().mkpath(copyDir);
    const QString copy = Database::pathIn(copyDir);
    // Another program's write that is still in the log, copied along without the log's index.
    sqlite3* writer = nullptr;
    ASSERT_EQ(sqlite3_open(tmp.path().toUtf8().constData(), &writer), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(writer,
                           "PRAGMA journal_mode=WAL; PRAGMA wal_autocheckpoint=0; "
                           "UPDATE 勤務表 SET 勤_予定 = '休'",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    ASSERT_TRUE(QFile::copy(tmp.path(), copy));
    ASSERT_TRUE(QFile::copy(tmp.path() + u"-wal"_s, copy + u"-wal"_s));
    sqlite3_close(writer);
    QFile::setPermissions(copyDir, QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                                       QFileDevice::ReadOther | QFileDevice::ExeOther);
    const CliRun r = user.cli({u"--data-dir"_s, copyDir, u"totals"_s, u"--month-from"_s,
                               u"2024/04/01"_s, u"--months"_s, u"1"_s});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains(u"変更記録"_s)) << r.err.toStdString();
    EXPECT_TRUE(r.out.isEmpty()) << r.out.toStdString();
    makeOpen(copyDir, QFileDevice::WriteOther); // lets the temporary folder go
}

} // namespace
