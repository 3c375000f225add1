#include "store/clock.h"
#include "store/database.h"
#include "store/demo_workplace.h"
#include "support/cli_run.h"
#include "support/ordinary_user.h"
#include "support/table_rows.h"
#include "support/temp_database.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <csignal>
#include <functional>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace {

class CliPrintTest : public ::testing::Test {
protected:
    CliPrintTest() {
        LoadDemoWorkplace(tmp.db(), FixedClock(QDate(2024, 4, 1)));
        for (int d = 1; d <= 30; ++d)
            TableRows::putRosterDay(tmp.db(), u"1003"_s,
                                    QStringLiteral("2024/04/%1").arg(d, 2, 10, QLatin1Char('0')),
                                    u"日"_s);
        tmp.close();
    }
    QString pdf() const { return tmp.dir() + u"/out.pdf"_s; }

    TempDatabase tmp;
};

} // namespace

TEST_F(CliPrintTest, PrintsOnePersonToPdf) {
    const CliRun r = cli(tmp.dir(), {u"print"_s, u"--from"_s, u"2024/4/1"_s, u"--to"_s,
                                     u"2024/04/30"_s, u"--pdf"_s, pdf(), u"--staff"_s, u"1003"_s});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains(u"勤務表の印刷を終了しました"_s));
    EXPECT_TRUE(QFile::exists(pdf()));
}

TEST_F(CliPrintTest, PrintsOneTeamByName) {
    const CliRun r =
        cli(tmp.dir(), {u"print"_s, u"--from"_s, u"2024/04/01"_s, u"--to"_s, u"2024/04/30"_s,
                        u"--pdf"_s, pdf(), u"--team"_s, u"Bチーム"_s});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    QProcess text;
    text.start(u"pdftotext"_s, {pdf(), u"-"_s});
    text.waitForFinished();
    const QString out = QString::fromUtf8(text.readAllStandardOutput());
    EXPECT_TRUE(out.contains(u"Bチーム"_s));
    EXPECT_FALSE(out.contains(u"Aチーム"_s));
}

TEST_F(CliPrintTest, BadInputExitsWithStatusTwoAndTheScreensMessage) {
    CliRun r = cli(tmp.dir(), {u"print"_s, u"--from"_s, u"2024/03/01"_s, u"--to"_s, u"2024/04/01"_s,
                               u"--pdf"_s, pdf()});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.err.contains(u"勤務表の出力はMAX1ｹ月です"_s));

    r = cli(tmp.dir(), {u"print"_s, u"--from"_s, u"2024/04/01"_s, u"--to"_s, u"2024/04/30"_s,
                        u"--pdf"_s, pdf(), u"--staff"_s, u"9999"_s});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.err.contains(u"指定された職員は登録されていません。"_s));

    r = cli(tmp.dir(), {u"print"_s, u"--from"_s, u"2024/04/01"_s, u"--to"_s, u"2024/04/30"_s,
                        u"--pdf"_s, pdf(), u"--team"_s, u"Zチーム"_s});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.err.contains(u"指定されたチームは登録されていません。"_s));

    r = cli(tmp.dir(), {u"print"_s, u"--to"_s, u"2024/04/30"_s, u"--pdf"_s, pdf()});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.err.contains(u"開始日に入力してください"_s));
    EXPECT_FALSE(QFile::exists(pdf()));
}

namespace {

QStringList aprilFor(const QString& dataDir, const QString& pdf) {
    return {u"--data-dir"_s, dataDir,         u"print"_s, u"--from"_s, u"2024/04/01"_s,
            u"--to"_s,       u"2024/04/30"_s, u"--pdf"_s, pdf};
}

QStringList filesIn(const QString& dir) {
    return QDir(dir).entryList(QDir::Files | QDir::Hidden);
}

} // namespace

// A PDF that cannot be written whole is not left behind, and the run says so.
TEST_F(CliPrintTest, AFullDiskLeavesNoPdfAndFails) {
    QTemporaryDir outDir;
    const QString target = outDir.path() + u"/april.pdf"_s;
    // An open connection keeps the database's shared-memory file in place, so the size limit
    // meets the PDF only.
    Database keepOpen(tmp.path(), Database::OpenMode::OpenExisting);
    const CliRun r = cliWith(aprilFor(tmp.dir(), target), [] {
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{8192, 8192};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    });
    EXPECT_EQ(r.status, 1) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(u"PDFファイル"_s)) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(QDir::toNativeSeparators(target))) << r.err.toStdString();
    EXPECT_FALSE(r.out.contains(u"勤務表の印刷を終了しました"_s));
    EXPECT_EQ(filesIn(outDir.path()), QStringList());

    // Without the limit the same run writes the file.
    EXPECT_EQ(cli(aprilFor(tmp.dir(), target)).status, 0);
    EXPECT_GT(QFileInfo(target).size(), 8192);
}

// A target that can never take the file is bad input, named, with no warnings of the
// printing library on the way.
TEST_F(CliPrintTest, UnwritableTargetsAreBadInputNamedAlone) {
    const OrdinaryUser user;
    SKIP_UNLESS_REACHABLE(user);
    QTemporaryDir outDir;
    makeOpen(outDir.path());
    makeOpen(tmp.dir());
    makeOpen(tmp.path());
    const QString locked = outDir.path() + u"/locked"_s;
    QDir().mkpath(locked);
    makeOpen(locked); // readable, not writable by others
    const QString folder = outDir.path() + u"/folder.pdf"_s;
    QDir().mkpath(folder);
    for (const QString& target :
         QStringList{folder, outDir.path() + u"/missing/april.pdf"_s, locked + u"/april.pdf"_s}) {
        const CliRun r = user.cli(aprilFor(tmp.dir(), target));
        EXPECT_EQ(r.status, 2) << target.toStdString() << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(QDir::toNativeSeparators(target))) << r.err.toStdString();
        EXPECT_EQ(r.err.trimmed().count(u'\n'), 0) << r.err.toStdString();
        EXPECT_FALSE(QFileInfo(target).isFile());
    }
    EXPECT_EQ(filesIn(locked), QStringList());
}

// A period nobody registered is said to be so, as report says it, instead of an empty sheet.
TEST_F(CliPrintTest, APeriodNotRegisteredIsSaidAndPrintsNothing) {
    const CliRun r = cli(tmp.dir(), {u"print"_s, u"--from"_s, u"2024/05/01"_s, u"--to"_s,
                                     u"2024/05/31"_s, u"--pdf"_s, pdf()});
    EXPECT_EQ(r.status, 1) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(u"2024/05/01 ～ 2024/05/31 の勤務表は登録されていません。"_s))
        << r.err.toStdString();
    EXPECT_FALSE(QFile::exists(pdf()));
}

// Someone not in the period has nothing to print: no file, and the run fails.
TEST_F(CliPrintTest, APersonOutsideThePeriodPrintsNothing) {
    // 2012 joins on 2024/05/15, after April.
    const CliRun r = cli(aprilFor(tmp.dir(), pdf()) << u"--staff"_s << u"2012"_s);
    EXPECT_EQ(r.status, 1) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(u"印刷する勤務表がありません"_s)) << r.err.toStdString();
    EXPECT_FALSE(r.out.contains(u"勤務表の印刷を終了しました"_s));
    EXPECT_FALSE(QFile::exists(pdf()));
}

// Printing and generating without registering only read: a read-only copy in a read-only
// folder serves both and stays as it was.
TEST_F(CliPrintTest, PrintsAndGeneratesFromAReadOnlyCopyInAReadOnlyFolder) {
    const OrdinaryUser user;
    SKIP_UNLESS_REACHABLE(user);
    QTemporaryDir top;
    makeOpen(top.path());
    const QString copyDir = top.path() + u"/copy"_s;
    QDir().mkpath(copyDir);
    const QString copy = Database::pathIn(copyDir);
    ASSERT_TRUE(QFile::copy(tmp.path(), copy));
    const QString outDir = top.path() + u"/out"_s;
    QDir().mkpath(outDir);
    makeOpen(outDir, QFileDevice::WriteOther);
    QFile::setPermissions(copy, QFileDevice::ReadOwner | QFileDevice::ReadOther);
    QFile::setPermissions(copyDir, QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                                       QFileDevice::ReadOther | QFileDevice::ExeOther);
    const QByteArray before = [&] {
        QFile f(copy);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();

    const QString target = outDir + u"/april.pdf"_s;
    const CliRun r = user.cli(aprilFor(copyDir, target));
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains(u"勤務表の印刷を終了しました"_s));
    EXPECT_TRUE(QFileInfo(target).size() > 0);
    const CliRun generated = user.cli({u"--data-dir"_s, copyDir, u"generate"_s, u"--from"_s,
                                       u"2024/05/01"_s, u"--to"_s, u"2024/05/31"_s});
    EXPECT_EQ(generated.status, 0) << generated.err.toStdString();
    EXPECT_TRUE(generated.out.contains(u"2024/05/01"_s)) << generated.out.toStdString();
    EXPECT_EQ(QDir(copyDir).entryList(QDir::Files), QStringList{Database::fileName()});
    QFile f(copy);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), before);
    makeOpen(copyDir, QFileDevice::WriteOther); // lets the temporary folder go
}
