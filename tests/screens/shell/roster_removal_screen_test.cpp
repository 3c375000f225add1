#include "screens/masters/master_fixture.h"
#include "screens/shell/roster_removal_screen.h"
#include "store/records/code_entry.h"
#include "store/records/roster_row.h"
#include "store/records/shift_request.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRadioButton>
#include <QTemporaryDir>

using namespace Qt::Literals::StringLiterals;

namespace {

using Kind = RosterRemovalScreen::Kind;

// Whether the last message came without an icon.
bool lastPlain(const ScriptedPrompter& p) {
    return p.shown().back().kind == ScriptedPrompter::Shown::Kind::Plain;
}

class RosterRemovalScreenTest : public MasterFixture {
protected:
    RosterRemovalScreenTest() {
        clock.set(QDate(2024, 6, 15));
        addCode(4, 1, u"3"_s);
        addCode(9, 1, u"04/01"_s);
        for (const QString& d :
             {u"2021/03/31"_s, u"2021/04/01"_s, u"2022/03/31"_s, u"2022/04/01"_s})
            TableRows::putRosterDay(db(), u"1001"_s, d, u"日"_s);
        TableRows::put(db(), ShiftRequest::table, ShiftRequest::Index::key,
                       {1, u"1001"_s, u"2021/05/01"_s}, {});
    }
    std::unique_ptr<RosterRemovalScreen> open(Kind kind) {
        auto s = std::make_unique<RosterRemovalScreen>(ctx, kind);
        s->setFolderChooser([this](QWidget*, const QString&) { return out.path(); });
        click(s.get(), u"参照"_s);
        return s;
    }
    std::vector<QString> run(RosterRemovalScreen& s) {
        prompter.clear();
        prompter.answerYes();
        click(&s, u"確定"_s);
        return prompter.texts();
    }
    int rosterRows() { return countRows(RosterRow::table); }
    QStringList files() { return QDir(out.path()).entryList(QDir::Files | QDir::Hidden); }

    QTemporaryDir out;
};

TEST_F(RosterRemovalScreenTest, PurgeProposesItsSpanAndRemovesRosterAndRequests) {
    auto s = open(Kind::Purge);
    EXPECT_EQ(s->windowTitle(), u"期末処理"_s);
    EXPECT_EQ(text(s.get(), u"開始日"_s), u"2021/04/01"_s);
    EXPECT_EQ(text(s.get(), u"終了日"_s), u"2022/03/31"_s);
    EXPECT_TRUE(child<QRadioButton>(s.get(), u"CSV有"_s)->isChecked());
    setText(s.get(), u"出力指定"_s, u"purge.csv"_s);
    EXPECT_EQ(run(*s),
              (std::vector<QString>{u"期末処理を実行します。"_s, u"期末削除処理は終了しました"_s}));
    EXPECT_TRUE(lastPlain(prompter));
    EXPECT_EQ(rosterRows(), 2);
    EXPECT_EQ(countRows(ShiftRequest::table), 0);
    EXPECT_EQ(files(), QStringList{u"purge.csv"_s});
}

TEST_F(RosterRemovalScreenTest, DeletionRefusesBadInputBeforeAskingAndKeepsRequests) {
    auto s = open(Kind::Deletion);
    EXPECT_EQ(text(s.get(), u"開始日"_s), QString());
    struct Case {
        QString from, to, file;
        QString message;
    };
    const std::vector<Case> cases{
        {{}, u"2022/03/31"_s, u"x.csv"_s, u"開始日に入力してください"_s},
        {u"2021/02/30"_s, u"2022/03/31"_s, u"x.csv"_s, u"開始日に正しく入力してください"_s},
        {u"2021/04/01"_s, u"x"_s, u"x.csv"_s, u"終了日に正しく入力してください"_s},
        {u"2021/04/01"_s, u"2021/04/01"_s, u"x.csv"_s, u"日付の関係を正しく入力してください"_s},
        {u"2021/04/01"_s, {}, u"x.csv"_s, u"日付の関係を正しく入力してください"_s},
        {u"2021/04/01"_s, u"2022/03/31"_s, {}, u"出力ファイルを指定して下さい。"_s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message.toStdString());
        setText(s.get(), u"開始日"_s, c.from);
        setText(s.get(), u"終了日"_s, c.to);
        setText(s.get(), u"出力指定"_s, c.file);
        EXPECT_EQ(run(*s), std::vector<QString>{c.message});
        EXPECT_EQ(prompter.lastTitle(), u"勤務表取消"_s);
        EXPECT_EQ(lastPlain(prompter), c.message == u"出力ファイルを指定して下さい。"_s);
        prompter.clear();
    }
    EXPECT_EQ(rosterRows(), 4);
    EXPECT_TRUE(files().isEmpty());

    // Without CSV no file is made even with a name typed.
    child<QRadioButton>(s.get(), u"CSV無"_s)->setChecked(true);
    setText(s.get(), u"出力指定"_s, u"x.csv"_s);
    setText(s.get(), u"開始日"_s, u"2021/4/1"_s);
    setText(s.get(), u"終了日"_s, u"2022/3/31"_s);
    EXPECT_EQ(run(*s), (std::vector<QString>{u"勤務表を削除します。"_s,
                                             u"勤務表のを削除を終了しました。"_s}));
    EXPECT_FALSE(lastPlain(prompter));
    EXPECT_EQ(rosterRows(), 2);
    EXPECT_EQ(countRows(ShiftRequest::table), 1);
    EXPECT_TRUE(files().isEmpty());
}

TEST_F(RosterRemovalScreenTest, MissingSettingsAndUnreadableFoldersAreSaid) {
    TableRows::remove(db(), CodeEntry::table, CodeEntry::Index::key, {4, 1});
    prompter.clear();
    RosterRemovalScreen s(ctx, Kind::Purge);
    EXPECT_EQ(prompter.texts(), std::vector<QString>{u"保持年数を登録して下さい。"_s});
    EXPECT_EQ(text(&s, u"開始日"_s), QString());
    const QString before = s.folder();
    s.setFolderChooser([this](QWidget*, const QString&) { return out.filePath(u"gone"_s); });
    click(&s, u"参照"_s);
    EXPECT_EQ(prompter.lastText(), u"無効なdriveを指定しています"_s);
    EXPECT_TRUE(lastPlain(prompter));
    EXPECT_EQ(s.folder(), before);
}

// The folder box starts where a file can go: the data folder, then the folder chosen last in
// this run, on either screen.
TEST_F(RosterRemovalScreenTest, TheFolderStartsInTheDataFolderThenInTheOneChosenLast) {
    RosterRemovalScreen first(ctx, Kind::Deletion);
    QString startedIn;
    first.setFolderChooser([&](QWidget*, const QString& start) {
        startedIn = start;
        return out.path();
    });
    click(&first, u"参照"_s);
    EXPECT_EQ(startedIn, QFileInfo(db().path()).absolutePath());
    EXPECT_EQ(RosterRemovalScreen(ctx, Kind::Purge).folder(),
              QFileInfo(out.path()).absoluteFilePath());
}

// A file of that name is replaced only after a question that defaults to いいえ; いいえ stops
// before anything is removed.
TEST_F(RosterRemovalScreenTest, AnExistingFileIsReplacedOnlyWhenTheClerkSaysSo) {
    auto s = open(Kind::Deletion);
    QFile csv(out.filePath(u"x.csv"_s));
    ASSERT_TRUE(csv.open(QIODevice::WriteOnly) && csv.write("old") == 3);
    csv.close();
    const auto kept = [&] { return csv.open(QIODevice::ReadOnly) ? csv.readAll() : QByteArray(); };
    setText(s.get(), u"開始日"_s, u"2021/04/01"_s);
    setText(s.get(), u"終了日"_s, u"2022/03/31"_s);
    setText(s.get(), u"出力指定"_s, u"x.csv"_s);
    const QString question =
        QDir::toNativeSeparators(csv.fileName()) + u" は既にあります。上書きしますか"_s;
    prompter.clear();
    prompter.answer(false);
    click(s.get(), u"確定"_s);
    EXPECT_EQ(prompter.texts(), std::vector<QString>{question});
    EXPECT_TRUE(prompter.shown().front().defaultNo);
    EXPECT_EQ(rosterRows(), 4);
    EXPECT_EQ(kept(), "old");
    csv.close();
    prompter.clear();
    prompter.answerYes(2);
    click(s.get(), u"確定"_s);
    EXPECT_EQ(prompter.texts(), (std::vector<QString>{question, u"勤務表を削除します。"_s,
                                                      u"勤務表のを削除を終了しました。"_s}));
    EXPECT_EQ(rosterRows(), 2);
    EXPECT_EQ(kept().count("\r\n"), 2);
}

} // namespace
