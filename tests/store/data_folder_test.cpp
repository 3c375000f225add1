#include "store/data_folder.h"
#include "store/database.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString UserData = u"/home/clerk/.local/share/roster"_s;

struct Case {
    const char* what;
    DataFolder::Facts facts;
    QString expected;
    bool inUserData;
};

TEST(DataFolderTest, ChoosesPortableRequestedOrTheUsersFolder) {
    const Case cases[] = {
        {"portable copy, first start",
         {u"/home/clerk/roster"_s, true, false, {}, UserData},
         u"/home/clerk/roster"_s,
         false},
        {"portable copy with its data",
         {u"/home/clerk/roster"_s, true, true, {}, UserData},
         u"/home/clerk/roster"_s,
         false},
        {"a copy in /opt that already holds its data",
         {u"/opt/roster"_s, true, true, {}, UserData},
         u"/opt/roster"_s,
         false},
        {"installed in /usr/bin, run by root",
         {u"/usr/bin"_s, true, false, {}, UserData},
         UserData,
         true},
        {"installed in /usr/local/bin",
         {u"/usr/local/bin"_s, false, false, {}, UserData},
         UserData,
         true},
        {"installed in /opt/roster/bin",
         {u"/opt/roster/bin"_s, true, false, {}, UserData},
         UserData,
         true},
        {"a folder the user cannot write",
         {u"/srv/roster"_s, false, true, {}, UserData},
         UserData,
         true},
        {"--data-dir wins over a portable copy",
         {u"/home/clerk/roster"_s, true, true, u"/data/ward"_s, UserData},
         u"/data/ward"_s,
         false},
        {"--data-dir wins over an installed program",
         {u"/usr/bin"_s, false, false, u"/data/ward"_s, UserData},
         u"/data/ward"_s,
         false},
        {"installed, but no home folder",
         {u"/usr/bin"_s, false, false, {}, {}},
         u"/usr/bin"_s,
         false},
        {"a folder whose name only begins like a system one",
         {u"/usr2/roster"_s, true, false, {}, UserData},
         u"/usr2/roster"_s,
         false},
    };
    for (const Case& c : cases) {
        const DataFolder chosen = DataFolder::choose(c.facts);
        EXPECT_EQ(chosen.path, c.expected) << c.what;
        EXPECT_EQ(chosen.inUserData, c.inUserData) << c.what;
    }
}

// The test program's own folder is a writable build folder: a portable copy.
TEST(DataFolderTest, FindUsesTheRequestedFolderOrThisProgramsOwn) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString relative = QDir::current().relativeFilePath(dir.path());
    const DataFolder requested = DataFolder::find(relative);
    EXPECT_EQ(requested.path, QDir(dir.path()).absolutePath());
    EXPECT_FALSE(requested.inUserData);
    EXPECT_FALSE(requested.createdNow);

    const DataFolder own = DataFolder::find({});
    EXPECT_EQ(own.path, QCoreApplication::applicationDirPath());
    EXPECT_FALSE(own.inUserData);
}

} // namespace
