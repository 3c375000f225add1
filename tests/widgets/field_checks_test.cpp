#include "support/screens/scripted_prompter.h"
#include "widgets/field_checks.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

// A window of three boxes in tab order a, b, c, plus an editable combo box.
class FieldChecksTest : public ::testing::Test {
protected:
    FieldChecksTest() {
        auto* layout = new QVBoxLayout(&window);
        for (QLineEdit** box : {&a, &b, &c}) {
            *box = new QLineEdit(&window);
            layout->addWidget(*box);
        }
        combo = new QComboBox(&window);
        combo->setEditable(true);
        layout->addWidget(combo);
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    // The first widget the Tab key reaches from the window.
    QWidget* firstTabStop() {
        QWidget* w = window.nextInFocusChain();
        while (w != &window && !(w->focusPolicy() & Qt::TabFocus))
            w = w->nextInFocusChain();
        return w;
    }

    ScriptedPrompter prompter;
    FieldChecks checks{prompter, u"シフト基本情報"_s};
    QWidget window;
    QLineEdit *a = nullptr, *b = nullptr, *c = nullptr;
    QComboBox* combo = nullptr;
};

TEST_F(FieldChecksTest, FirstFailureIsPendingAndFocusedWhileEveryFailureIsRed) {
    EXPECT_TRUE(checks.check(a, true, u"A"_s));
    EXPECT_FALSE(checks.hasError());
    EXPECT_FALSE(checks.check(b, false, u"Bが不正です。"_s));
    EXPECT_FALSE(checks.check(c, false, u"Cが不正です。"_s));

    EXPECT_TRUE(checks.hasError());
    EXPECT_TRUE(checks.messageSet());
    EXPECT_EQ(checks.pendingMessage(), u"Bが不正です。"_s);
    EXPECT_FALSE(FieldChecks::isRed(a));
    EXPECT_TRUE(FieldChecks::isRed(b));
    EXPECT_TRUE(FieldChecks::isRed(c));
    EXPECT_EQ(QApplication::focusWidget(), b);
    EXPECT_EQ(firstTabStop(), b);
    EXPECT_EQ(b->nextInFocusChain(), a); // the rest keep their order behind it
    EXPECT_EQ(a->nextInFocusChain(), c);
}

TEST_F(FieldChecksTest, PassingTurnsBlackAgainButKeepsTheErrorUntilReset) {
    checks.check(b, false, u"B"_s);
    checks.check(combo, false, u"C"_s);
    EXPECT_TRUE(FieldChecks::isRed(combo));
    EXPECT_EQ(combo->lineEdit()->palette().color(QPalette::Text), QColor(255, 0, 0));
    checks.check(b, true, u"B"_s);
    checks.check(combo, true, u"C"_s);
    EXPECT_FALSE(FieldChecks::isRed(b));
    EXPECT_EQ(b->palette().color(QPalette::Text), QColor(0, 0, 0));
    EXPECT_EQ(combo->lineEdit()->palette().color(QPalette::Text), QColor(0, 0, 0));
    EXPECT_TRUE(checks.hasError());

    checks.reset();
    EXPECT_FALSE(checks.hasError());
    EXPECT_FALSE(checks.messageSet());
    EXPECT_TRUE(checks.pendingMessage().isEmpty());
    // After a reset the next failure becomes the pending message.
    checks.check(c, false, u"C2"_s);
    EXPECT_EQ(checks.pendingMessage(), u"C2"_s);
    EXPECT_EQ(firstTabStop(), c);
}

TEST(FieldChecksTabOrder, AnyFailingFieldBecomesTheFirstStopAndTheRestKeepTheirOrder) {
    for (int failing = 0; failing < 5; ++failing) {
        QWidget window;
        auto* layout = new QVBoxLayout(&window);
        std::vector<QWidget*> stops;
        for (int i = 0; i < 5; ++i) {
            QWidget* w;
            if (i == 1 || i == 4) { // a combo box's line edit is not a stop of its own
                auto* combo = new QComboBox(&window);
                combo->setEditable(true);
                w = combo;
            } else {
                w = new QLineEdit(&window);
            }
            layout->addWidget(w);
            stops.push_back(w);
        }
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        ScriptedPrompter prompter;
        FieldChecks checks(prompter, u"t"_s);
        checks.check(stops[failing], false, u"x"_s);

        std::vector<QWidget*> expected{stops[failing]};
        for (int i = 0; i < 5; ++i)
            if (i != failing)
                expected.push_back(stops[i]);
        // Walk the window with the Tab key from the focused field.
        std::vector<QWidget*> order{QApplication::focusWidget()};
        for (int i = 1; i < 5; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            order.push_back(QApplication::focusWidget());
        }
        EXPECT_EQ(order, expected) << "failing " << failing;
    }
}

TEST_F(FieldChecksTest, ReportShowsOnlyThePendingMessageUnderTheTitle) {
    EXPECT_FALSE(checks.reportIfFailed());
    EXPECT_TRUE(prompter.shown().empty());

    checks.check(a, false, u"最初"_s);
    checks.check(b, false, u"二番目"_s);
    EXPECT_TRUE(checks.reportIfFailed());
    ASSERT_EQ(prompter.shown().size(), 1u);
    EXPECT_EQ(prompter.lastTitle(), u"シフト基本情報"_s);
    EXPECT_EQ(prompter.lastText(), u"最初"_s);
    EXPECT_EQ(prompter.shown().back().kind, ScriptedPrompter::Shown::Kind::Inform);
}

TEST_F(FieldChecksTest, FocusLossRunsTheFieldsCheck) {
    int runs = 0;
    checks.onFocusLost(a, [&] {
        ++runs;
        checks.check(a, a->text() == u"ok"_s, u"A"_s);
    });
    a->setFocus();
    a->setText(u"ng"_s);
    b->setFocus();
    EXPECT_EQ(runs, 1);
    EXPECT_TRUE(FieldChecks::isRed(a));
    EXPECT_EQ(QApplication::focusWidget(), a); // a failing check takes the focus back
    a->setText(u"ok"_s);
    c->setFocus();
    EXPECT_EQ(runs, 2);
    EXPECT_FALSE(FieldChecks::isRed(a));
    b->setFocus(); // another field losing the focus runs nothing
    EXPECT_EQ(runs, 2);
}

} // namespace
