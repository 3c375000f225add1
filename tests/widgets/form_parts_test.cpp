#include "support/screens/scripted_prompter.h"
#include "widgets/field_checks.h"
#include "widgets/form_parts.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>

using namespace Qt::Literals::StringLiterals;

TEST(FormParts, ParseCountTakesWholeNumbersFromZeroOnly) {
    EXPECT_EQ(FormParts::parseCount(u"0"_s), 0);
    EXPECT_EQ(FormParts::parseCount(u"12"_s), 12);
    EXPECT_FALSE(FormParts::parseCount(u"-1"_s));
    EXPECT_FALSE(FormParts::parseCount(QString()));
    EXPECT_FALSE(FormParts::parseCount(u"1a"_s));
}

TEST(FormParts, PickComboKeepsTypedTextOutOfItsListAndClearsToNoChoice) {
    QComboBox* combo = FormParts::pickCombo(u"選択"_s);
    std::unique_ptr<QComboBox> owner(combo);
    combo->addItems({u"日勤"_s, u"夜勤"_s});
    combo->setCurrentIndex(1);
    combo->setEditText(u"準夜"_s);
    FormParts::clearChoice(combo);
    EXPECT_EQ(combo->currentIndex(), -1);
    EXPECT_TRUE(combo->currentText().isEmpty());
    EXPECT_EQ(combo->count(), 2);
}

TEST(FormParts, ChainTabOrderFollowsTheGivenOrder) {
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    QLineEdit* a = FormParts::box(u"a"_s);
    QLineEdit* b = FormParts::box(u"b"_s);
    QPushButton* c = FormParts::button(u"c"_s, u"C"_s);
    for (QWidget* w :
         {static_cast<QWidget*>(a), static_cast<QWidget*>(b), static_cast<QWidget*>(c)})
        layout->addWidget(w);
    FormParts::chainTabOrder({a, c, b});
    EXPECT_EQ(a->nextInFocusChain(), c);
    EXPECT_EQ(c->nextInFocusChain(), b);
}

TEST(FormParts, DisconnectedChildrenNoLongerReachTheScreen) {
    QWidget screen;
    QPushButton* button = FormParts::button(u"確定"_s, u"確定"_s, &screen);
    QPushButton* other = FormParts::button(u"外"_s, u"外"_s);
    std::unique_ptr<QPushButton> otherOwner(other);
    int toScreen = 0, toOther = 0;
    QObject::connect(button, &QPushButton::clicked, &screen, [&] { ++toScreen; });
    QObject::connect(button, &QPushButton::clicked, other, [&] { ++toOther; });
    ScriptedPrompter prompter;
    auto* checks = new FieldChecks(prompter, u"画面"_s, &screen);
    QLineEdit* box = FormParts::box(u"欄"_s, &screen);
    QLineEdit* next = FormParts::box(u"次"_s, &screen);
    int focusChecks = 0;
    checks->onFocusLost(box, [&] { ++focusChecks; });
    screen.show();
    QApplication::setActiveWindow(&screen);
    box->setFocus();
    next->setFocus();
    ASSERT_EQ(focusChecks, 1) << "the check runs while the screen lives";

    FormParts::silenceScreen(&screen);
    button->click();
    EXPECT_EQ(toScreen, 0);
    // Only connections to the screen go; the child still reaches other receivers.
    EXPECT_EQ(toOther, 1);
    // The field checks end too: the focus moving on (as it does while the window is torn
    // down) runs no check on a screen being destroyed.
    box->setFocus();
    next->setFocus();
    EXPECT_EQ(focusChecks, 1);
}

TEST(FormParts, OptionalDatePassesEmptyRewritesADateAndFailsAnythingElse) {
    ScriptedPrompter prompter;
    FieldChecks checks(prompter, u"画面"_s);
    QWidget window;
    QLineEdit* box = FormParts::box(u"日付"_s, &window);

    EXPECT_TRUE(FormParts::checkOptionalDate(checks, box, u"日付に正しく入力してください"_s));
    EXPECT_TRUE(box->text().isEmpty());

    box->setText(u"2006-7-1"_s);
    EXPECT_TRUE(FormParts::checkOptionalDate(checks, box, u"日付に正しく入力してください"_s));
    EXPECT_EQ(box->text(), u"2006/07/01"_s);
    EXPECT_FALSE(checks.hasError());

    box->setText(u"2006/13/1"_s);
    EXPECT_FALSE(FormParts::checkOptionalDate(checks, box, u"日付に正しく入力してください"_s));
    EXPECT_EQ(box->text(), u"2006/13/1"_s);
    EXPECT_TRUE(FieldChecks::isRed(box));
    EXPECT_EQ(checks.pendingMessage(), u"日付に正しく入力してください"_s);
}
