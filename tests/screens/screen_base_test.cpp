#include "screens/screen_base.h"
#include "store/db_error.h"
#include "support/screens/entry_screen_fixture.h"
#include "support/screens/second_connection.h"
#include "widgets/busy_cursor.h"
#include "widgets/form_parts.h"

#include <QGuiApplication>
#include <QVBoxLayout>
#include <functional>
#include <stdexcept>

using namespace Qt::Literals::StringLiterals;

namespace {

// A screen with a checked box and a box to move on to. The check counts its runs in a member of
// the derived screen, so running it on a screen half torn down is a use after free, not only a
// stray message.
template <typename Base> class TestScreen final : public Base {
public:
    explicit TestScreen(AppContext& ctx) : Base(ctx, u"試験"_s, u"試験画面"_s, u"試験"_s) {
        auto* layout = new QVBoxLayout(this);
        box = FormParts::box(u"欄"_s, this);
        next = FormParts::box(u"次"_s, this);
        layout->addWidget(box);
        layout->addWidget(next);
        this->checks().onFocusLost(box, [this] {
            ++*checksRun;
            this->checks().reset();
            this->checks().check(box, !box->text().isEmpty(), u"欄に入力してください"_s);
            this->checks().reportIfFailed();
        });
    }

    using Base::act;
    using Base::actBusy;
    using Base::ask;
    using Base::inform;

    QLineEdit* box;
    QLineEdit* next;
    std::unique_ptr<int> checksRun = std::make_unique<int>(0);
};

using TestWindow = TestScreen<EntryScreen>;
using TestDialog = TestScreen<EntryDialog>;

class ScreenBaseTest : public EntryScreenFixture {
protected:
    // Shows the screen active with the focus in the empty box: leaving it would fail its check.
    template <typename Screen> void focusPendingCheck(Screen* screen) {
        showActive(screen);
        screen->box->setFocus();
        ASSERT_TRUE(screen->box->hasFocus());
        prompter.clear();
    }
};

TEST_F(ScreenBaseTest, TakesItsNamesAndRunsItsChecksWhileShown) {
    TestWindow screen(ctx);
    EXPECT_EQ(screen.objectName(), u"試験"_s);
    EXPECT_EQ(screen.windowTitle(), u"試験画面"_s);
    focusPendingCheck(&screen);
    screen.next->setFocus();
    EXPECT_EQ(prompter.texts(), std::vector<QString>{u"欄に入力してください"_s});
    EXPECT_EQ(prompter.lastTitle(), u"試験"_s);
}

// Each way a screen goes away while the clerk's focus is in a box whose check would fail.
TEST_F(ScreenBaseTest, GoingAwayWithACheckPendingRunsNothing) {
    const std::vector<std::pair<const char*, std::function<void()>>> ways{
        {"window closed",
         [this] {
             auto* s = new TestWindow(ctx);
             s->setAttribute(Qt::WA_DeleteOnClose);
             focusPendingCheck(s);
             s->close();
             QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
         }},
        {"window destroyed while shown",
         [this] {
             auto s = std::make_unique<TestWindow>(ctx);
             focusPendingCheck(s.get());
             s.reset();
         }},
        {"dialog rejected and destroyed",
         [this] {
             auto s = std::make_unique<TestDialog>(ctx);
             focusPendingCheck(s.get());
             s->reject();
             s.reset();
         }},
        {"dialog destroyed while shown",
         [this] {
             auto s = std::make_unique<TestDialog>(ctx);
             focusPendingCheck(s.get());
             s.reset();
         }},
    };
    for (const auto& [name, way] : ways) {
        way();
        QCoreApplication::processEvents();
        EXPECT_TRUE(prompter.shown().empty()) << name << ": " << prompter.lastText().toStdString();
    }
}

TEST_F(ScreenBaseTest, AClosedScreenShownAgainChecksAgain) {
    TestWindow screen(ctx);
    focusPendingCheck(&screen);
    screen.close();
    QCoreApplication::processEvents();
    EXPECT_EQ(*screen.checksRun, 0);

    focusPendingCheck(&screen);
    screen.next->setFocus();
    EXPECT_EQ(*screen.checksRun, 1);
    EXPECT_EQ(prompter.lastText(), u"欄に入力してください"_s);
}

// What a user action shows, and when.
TEST_F(ScreenBaseTest, AFailedActionIsReportedWithNoBusyCursorLeft) {
    TestWindow screen(ctx);
    std::vector<bool> busyWhenShown;
    prompter.onShown = [&](const ScriptedPrompter::Shown&) {
        busyWhenShown.push_back(QGuiApplication::overrideCursor() != nullptr);
    };

    EXPECT_FALSE(screen.actBusy([] { throw DbError(u"データベースに書き込めません。"_s); }));
    EXPECT_FALSE(screen.actBusy([] {
        BusyCursor nested;
        throw std::runtime_error("failed");
    }));
    EXPECT_TRUE(screen.act([] {}));

    EXPECT_EQ(prompter.texts(),
              (std::vector<QString>{u"データベースに書き込めません。"_s, u"failed"_s}));
    EXPECT_EQ(prompter.lastTitle(), u"試験"_s);
    EXPECT_EQ(busyWhenShown, (std::vector<bool>{false, false}));
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(ScreenBaseTest, MessagesOfAnActionWaitUntilItsTransactionIsOver) {
    TestWindow screen(ctx);
    std::vector<std::optional<QVariant>> seen;
    prompter.onShown = [&](const ScriptedPrompter::Shown& shown) {
        if (shown.text == u"登録しました"_s)
            seen.push_back(
                committedValue(tmp.path(), u"個マスタ"_s, u"key_個ﾏｽﾀｰ"_s, {1, 1}, u"個_名称"_s));
    };
    auto write = [&](const QString& name, bool fail) {
        return screen.actBusy([&] {
            Database::Transaction tx(tmp.db());
            TableRows::putCode(tmp.db(), 1, 1, name, u"正"_s);
            screen.inform(u"登録しました"_s);
            if (fail)
                throw DbError(u"書き込みに失敗しました。"_s);
            tx.commit();
        });
    };

    EXPECT_TRUE(write(u"正職員"_s, false));
    EXPECT_FALSE(write(u"パート"_s, true));
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0], QVariant(u"正職員"_s)) << "committed before it is reported";
    EXPECT_EQ(seen[1], QVariant(u"正職員"_s)) << "rolled back before it is reported";
    EXPECT_EQ(prompter.texts(), (std::vector<QString>{u"登録しました"_s, u"登録しました"_s,
                                                      u"書き込みに失敗しました。"_s}));
}

TEST_F(ScreenBaseTest, AQuestionFollowsTheMessagesBeforeIt) {
    TestWindow screen(ctx);
    prompter.answerYes();
    bool answer = false;
    screen.act([&] {
        screen.act([&] { screen.inform(u"一"_s); });
        answer = screen.ask(u"二"_s);
        screen.inform(u"三"_s);
    });
    EXPECT_TRUE(answer);
    EXPECT_EQ(prompter.texts(), (std::vector<QString>{u"一"_s, u"二"_s, u"三"_s}));
}

} // namespace
