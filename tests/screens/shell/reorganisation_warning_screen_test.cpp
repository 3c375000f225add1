#include "print/fonts.h"
#include "screens/shell/main_menu_screen.h"
#include "screens/shell/reorganisation_warning_screen.h"
#include "store/records/creation_unit.h"
#include "store/reorganisation.h"
#include "support/screens/entry_screen_fixture.h"
#include "support/sql_values.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString kTitle = u"DB再編成"_s;
const QString kQuestion = u"ﾃﾞｰﾀ･ﾍﾞｽの再編成を行います。ﾊﾞｯｸ･ｱｯﾌﾟの準備は完了していますか？"_s;
const QString kDone = u"ﾃﾞｰﾀ･ﾍﾞｽの再編成は完了しました。"_s;

class ReorganisationWarning : public EntryScreenFixture {
protected:
    ReorganisationWarning() {
        putUnits(tmp.db(), 0, u"main"_s);
        Database backup(Reorganisation::backupPathIn(tmp.dir()),
                        Database::OpenMode::CreateIfMissing);
        putUnits(backup, 1, u"backup"_s);
    }

    static void putUnits(Database& db, int byTeam, const QString& remark) {
        for (int kind : {1, 2})
            TableRows::putCreationUnit(
                db, kind, {1, 1, {}, byTeam, u"2024/04/01"_s, u"2024/04/30"_s, remark});
    }

    QString remark() {
        return sqlText(tmp.db(), u"SELECT 作_備考 FROM 作成単位 WHERE 作_区分 = 1"_s);
    }
};

TEST_F(ReorganisationWarning, ShowsTheFiveLinesAndTwoButtons) {
    ReorganisationWarningScreen screen(ctx);
    EXPECT_EQ(screen.objectName(), u"警告"_s);
    EXPECT_EQ(screen.windowTitle(), u"警告"_s);
    const QStringList lines{
        u"バックアップの準備は終了していますか？"_s,
        u"準備なしに実行すると今までのデータが失われます。"_s,
        u"処理を続行しますか？"_s,
        u"１．続行するのであれば確定ボタンを押して下さい"_s,
        u"２．準備が出来ていなけれぱ　　　　　　　　　　　　　　　　ＣＡＮＣＥＬボタンを押して下さい"_s,
    };
    for (int i = 0; i < lines.size(); ++i) {
        auto* label = child<QLabel>(&screen, u"Label"_s + QString::number(i + 1));
        EXPECT_EQ(label->text(), lines[i]);
        EXPECT_EQ(label->font().family(), Fonts::pGothic());
    }
    EXPECT_EQ(child<QPushButton>(&screen, u"CANCEL"_s)->text(), u"ＣＡＮＣＥＬ"_s);
    EXPECT_EQ(child<QPushButton>(&screen, u"確定"_s)->text(), u"確定"_s);
    EXPECT_EQ(screen.backupPath(), Reorganisation::backupPathIn(tmp.dir()));
}

TEST_F(ReorganisationWarning, TheButtonsAndAnswersDecideWhatHappens) {
    struct Case {
        const char* what;
        QString button;
        std::vector<bool> answers;
        std::vector<QString> shown;
        bool staysOpen;
        QString remarkAfter;
    };
    const QString ok = u"作成単位は正常終了しました。残りを続けますか"_s;
    std::vector<bool> allYes(11, true);
    const std::vector<Case> cases{
        {"cancel", u"CANCEL"_s, {}, {}, false, u"main"_s},
        {"no on the screen", u"確定"_s, {false}, {kQuestion}, true, u"main"_s},
        {"no to the second question",
         u"確定"_s,
         {true, false},
         {kQuestion, kQuestion},
         false,
         u"main"_s},
        {"yes throughout", u"確定"_s, allYes, {}, false, u"backup"_s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        prompter.clear();
        for (bool yes : c.answers)
            prompter.answer(yes);
        // Step questions come under the normal cursor, laid over the busy one of the run.
        std::vector<int> cursors;
        prompter.onShown = [&](const auto&) {
            const QCursor* over = QGuiApplication::overrideCursor();
            cursors.push_back(over ? over->shape() : -1);
        };
        ReorganisationWarningScreen screen(ctx);
        showActive(&screen);
        click(&screen, c.button);

        prompter.onShown = nullptr;
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
        for (size_t i = 1; i + 1 < cursors.size(); ++i) // the first question comes before the run
            EXPECT_EQ(cursors[i], Qt::ArrowCursor) << i;
        EXPECT_EQ(screen.isVisible(), c.staysOpen);
        EXPECT_EQ(remark(), c.remarkAfter);
        EXPECT_EQ(prompter.pendingAnswers(), 0u);
        for (const auto& shown : prompter.shown())
            EXPECT_EQ(shown.title, kTitle);
        if (!c.shown.empty()) {
            EXPECT_EQ(prompter.texts(), c.shown);
        } else if (!c.answers.empty()) {
            EXPECT_EQ(prompter.lastText(), kDone);
        }
    }
}

// バックアップ作成 beside the first line writes Rotavellbkup.mdb from the data file; one that is
// there already is replaced only on a yes. The screen stays open for the reorganisation.
TEST_F(ReorganisationWarning, TheBackupButtonWritesTheCopyTheFirstLineAsksFor) {
    const QString path = Reorganisation::backupPathIn(tmp.dir());
    const QString shown = QDir::toNativeSeparators(path);
    const QString question = u"%1 は既にあります。上書きしますか"_s.arg(shown);
    const QString done = u"バックアップ「%1」を作成しました。"_s.arg(shown);
    struct Case {
        const char* what;
        bool removeFirst;
        std::vector<bool> answers;
        std::vector<QString> shown;
        QString remarkInCopy;
    };
    const std::vector<Case> cases{
        {"no keeps the old copy", false, {false}, {question}, u"backup"_s},
        {"yes replaces it", false, {true}, {question, done}, u"main"_s},
        {"none there: nothing asked", true, {}, {done}, u"main"_s},
    };
    ReorganisationWarningScreen screen(ctx);
    showActive(&screen);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.removeFirst) {
            ASSERT_TRUE(QFile::remove(path));
        }
        prompter.clear();
        for (bool yes : c.answers)
            prompter.answer(yes);
        click(&screen, u"バックアップ作成"_s);
        EXPECT_EQ(prompter.texts(), c.shown);
        EXPECT_TRUE(screen.isVisible());
        Database copy(path, Database::OpenMode::ReadOnly);
        EXPECT_EQ(sqlText(copy, u"SELECT 作_備考 FROM 作成単位 WHERE 作_区分 = 1"_s),
                  c.remarkInCopy);
    }
}

// Run from the menu, the reorganisation is followed by a reload of the settings: a backup
// kept by team shows the by-team roster buttons.
TEST_F(ReorganisationWarning, TheMenuReloadsItsSettingsAfterwards) {
    Fonts::installSubstitutions();
    MainMenuScreen menu(ctx);
    menu.show();
    auto* individual = menu.findChild<QPushButton*>(u"勤務表"_s);
    auto* team = menu.findChild<QPushButton*>(u"勤務作チーム"_s);
    ASSERT_TRUE(individual && team);
    EXPECT_FALSE(individual->isHidden());

    prompter.answerYes(11);
    QString opened;
    QTimer::singleShot(0, [&] {
        if (auto* w = QApplication::activeModalWidget()) {
            w->setProperty("expectedModal", true);
            opened = w->objectName();
            QTest::mouseClick(w->findChild<QPushButton*>(u"確定"_s), Qt::LeftButton);
        }
    });
    QTest::mouseClick(menu.findChild<QPushButton*>(u"再編成"_s), Qt::LeftButton);

    EXPECT_EQ(opened, u"警告"_s);
    EXPECT_EQ(prompter.lastText(), kDone);
    EXPECT_EQ(remark(), u"backup"_s);
    EXPECT_TRUE(individual->isHidden());
    EXPECT_FALSE(team->isHidden());
}

} // namespace
