#include "store/records/roster_row.h"
#include "store/records/shift_request.h"
#include "support/cli_run.h"
#include "support/ordinary_user.h"
#include "support/table_rows.h"
#include "support/temp_database.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace {

class CliRemoveTest : public ::testing::Test {
protected:
    CliRemoveTest() {
        for (const QString& d : {u"2023/03/31"_s, u"2023/04/01"_s, u"2024/03/31"_s})
            TableRows::putRosterDay(tmp.db(), u"1001"_s, d, u"日"_s);
        TableRows::put(tmp.db(), ShiftRequest::table, ShiftRequest::Index::key,
                       {1, u"1001"_s, u"2023/05/01"_s}, {});
    }
    int rows(const QString& table) { return TableRows::count(tmp.db(), table); }
    TempDatabase tmp;
};

TEST_F(CliRemoveTest, PurgeAndDeletionReportTheSpanAndRowsPerTable) {
    const QString csv = tmp.dir() + u"/out.csv"_s;
    CliRun r = cli(tmp.dir(), {u"delete-roster"_s, u"--from"_s, u"2023/4/1"_s, u"--to"_s,
                               u"2024/03/31"_s, u"--csv"_s, csv});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains(u"2023/04/01 ～ 2024/03/31"_s));
    EXPECT_TRUE(r.out.contains(u"勤務表: 2 行削除"_s));
    EXPECT_FALSE(r.out.contains(u"休暇希望"_s));
    EXPECT_EQ(rows(RosterRow::table), 1);
    EXPECT_EQ(rows(ShiftRequest::table), 1);
    EXPECT_TRUE(QFile::exists(csv));

    r = cli(tmp.dir(), {u"purge"_s, u"--from"_s, u"2023/04/01"_s, u"--to"_s, u"2024/03/31"_s});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains(u"休暇希望: 1 行削除"_s));
    EXPECT_EQ(rows(ShiftRequest::table), 0);
}

TEST_F(CliRemoveTest, BadInputExitsTwoAndFailureOneWithNothingDeleted) {
    struct Case {
        QStringList args;
        int status;
    };
    const std::vector<Case> cases{
        {{u"purge"_s, u"--from"_s, u"2023/04/01"_s}, 2},
        {{u"purge"_s, u"--from"_s, u"2023/04/02"_s, u"--to"_s, u"2023/04/01"_s}, 2},
        {{u"delete-roster"_s, u"--from"_s, u"2023/04/01"_s, u"--to"_s, u"2024/03/31"_s, u"--csv"_s,
          tmp.dir() + u"/missing/out.csv"_s},
         1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.join(u' ').toStdString());
        const CliRun r = cli(tmp.dir(), c.args);
        EXPECT_EQ(r.status, c.status);
        EXPECT_FALSE(r.err.isEmpty());
        EXPECT_EQ(rows(RosterRow::table), 3);
    }
}

QByteArray contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Anything but a regular file the user may replace is bad input, named, and removes nothing:
// the thing in the way stays what it was.
TEST_F(CliRemoveTest, TargetsThatAreNoPlainFileOfTheUsersAreRefusedFirst) {
    const OrdinaryUser user;
    QTemporaryDir out;
    makeOpen(out.path());
    const auto at = [&](const char* name) { return out.filePath(QString::fromLatin1(name)); };
    const auto raw = [&](const char* name) { return QFile::encodeName(at(name)); };
    const bool root = ::geteuid() == 0;
    ASSERT_EQ(
        ::mkdir(raw("folder.csv").constData(), 0755) + ::mkfifo(raw("pipe.csv").constData(), 0644) +
            ::symlink("pipe.csv", raw("link.csv").constData()) +
            ::mkdir(raw("locked").constData(), 0755) + // only its owner may write
            ::mkdir(raw("shared").constData(), 0755) + ::chmod(raw("shared").constData(), 01777),
        0);
    sockaddr_un address{AF_UNIX, {}};
    qstrncpy(address.sun_path, raw("socket.csv").constData(), sizeof address.sun_path);
    const int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_EQ(::bind(sock, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    QStringList targets{at("folder.csv"), at("pipe.csv"), at("link.csv"),
                        at("socket.csv"), tmp.path(),     tmp.path() + u"-wal"_s};
    if (root) {
        ASSERT_TRUE(QFile(at("shared/theirs.csv")).open(QIODevice::WriteOnly));
        ASSERT_EQ(::mknod(raw("device.csv").constData(), S_IFCHR | 0666, makedev(1, 3)) +
                      ::chown(raw("shared/theirs.csv").constData(), OrdinaryUser::kNobody, 0),
                  0);
        targets << at("device.csv") << at("shared/theirs.csv");
        if (user.unreachable().isEmpty())
            targets << at("locked/a.csv");
    }
    for (const QString& target : targets) {
        SCOPED_TRACE(target.toStdString());
        struct stat before {};
        ::lstat(QFile::encodeName(target).constData(), &before);
        const QStringList args{u"--data-dir"_s, tmp.dir(),       u"purge"_s,
                               u"--from"_s,     u"2023/04/01"_s, u"--to"_s,
                               u"2024/03/31"_s, u"--csv"_s,      target};
        // Root may write anywhere: the folder only its owner may write is tried as nobody.
        const CliRun r = target.startsWith(at("locked")) ? user.cli(args) : cli(args);
        EXPECT_EQ(r.status, 2) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(QDir::toNativeSeparators(target))) << r.err.toStdString();
        struct stat after {};
        ::lstat(QFile::encodeName(target).constData(), &after);
        EXPECT_EQ(after.st_mode, before.st_mode);
        EXPECT_EQ(rows(RosterRow::table), 3);
        EXPECT_EQ(rows(ShiftRequest::table), 1);
    }
    ::close(sock);
}

// A file of that name is refused, named, unless the command says to overwrite it.
TEST_F(CliRemoveTest, AnExistingFileIsReplacedOnlyWithOverwrite) {
    const QString csv = tmp.dir() + u"/kept.csv"_s;
    QFile f(csv);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write("last year\r\n") > 0);
    f.close();
    const QStringList args{
        u"delete-roster"_s, u"--from"_s, u"2023/04/01"_s, u"--to"_s, u"2024/03/31"_s,
        u"--csv"_s,         csv};
    CliRun r = cli(tmp.dir(), args);
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains(csv) && r.err.contains(u"--overwrite"_s)) << r.err.toStdString();
    EXPECT_EQ(contents(csv), "last year\r\n");
    EXPECT_EQ(rows(RosterRow::table), 3);
    r = cli(tmp.dir(), args + QStringList{u"--overwrite"_s});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(contents(csv).count("\r\n"), 2);
    EXPECT_EQ(rows(RosterRow::table), 1);
}

} // namespace
