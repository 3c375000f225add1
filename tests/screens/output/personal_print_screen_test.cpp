#include "print/fonts.h"
#include "print/pdf_file_output.h"
#include "screens/output/personal_print_screen.h"
#include "store/demo_workplace.h"
#include "store/list_services.h"
#include "store/startup_settings.h"
#include "support/screens/entry_screen_fixture.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>

using namespace Qt::Literals::StringLiterals;

namespace {

class PersonalPrintScreenTest : public EntryScreenFixture {
protected:
    PersonalPrintScreenTest() {
        Fonts::installSubstitutions();
        LoadDemoWorkplace(tmp.db(), clock);
        LoadStartupSettings(tmp.db(), ctx.settings);
        ctx.settings.periodStart = u"2024/04/01"_s;
        ctx.settings.periodEnd = u"2024/04/30"_s;
        pdfPath = outDir.filePath(u"personal.pdf"_s);
        auto out = std::make_unique<PdfFileOutput>(pdfPath);
        output = out.get();
        screen = std::make_unique<PersonalPrintScreen>(ctx, std::move(out));
        screen->show();
    }

    void choose(const QString& list, const QString& entry) {
        auto* l = child<QListWidget>(screen.get(), list);
        const auto items = l->findItems(entry, Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1) << entry.toStdString();
        l->setCurrentItem(items.front());
        Q_EMIT l->itemClicked(items.front());
    }

    QString pdfText() {
        QProcess p;
        p.start(u"pdftotext"_s, {u"-layout"_s, pdfPath, u"-"_s});
        p.waitForFinished();
        return QString::fromUtf8(p.readAllStandardOutput());
    }

    int pdfPages() {
        QProcess p;
        p.start(u"pdfinfo"_s, {pdfPath});
        p.waitForFinished();
        for (const QString& line : QString::fromUtf8(p.readAllStandardOutput()).split(u'\n'))
            if (line.startsWith(u"Pages:"_s))
                return line.mid(6).trimmed().toInt();
        return -1;
    }

    QTemporaryDir outDir;
    QString pdfPath;
    PdfFileOutput* output = nullptr;
    std::unique_ptr<PersonalPrintScreen> screen;
};

} // namespace

TEST_F(PersonalPrintScreenTest, PeriodChecksReportTheFirstFailure) {
    struct Case {
        QString start, end, message;
    };
    for (const Case& c :
         {Case{u"2024/3/1"_s, u"2024/04/01"_s, u"勤務表の出力はMAX1ｹ月です"_s},
          Case{u"2024/04/10"_s, u"2024/04/10"_s, u"日付の関係を正しく入力してください"_s},
          Case{QString(), u"2024/13/01"_s, u"開始日に入力してください"_s},
          Case{u"2024/04/01"_s, u"4月末"_s, u"表終了日に正しく入力してください"_s}}) {
        prompter.clear();
        type(screen.get(), u"表開始日"_s, c.start);
        type(screen.get(), u"表終了日"_s, c.end);
        click(screen.get(), u"印刷"_s);
        EXPECT_EQ(prompter.lastText(), c.message) << c.message.toStdString();
        EXPECT_EQ(prompter.lastTitle(), u"個別勤務表出力"_s);
    }
    EXPECT_EQ(output->printed(), 0);
}

// 全員 on the last created period: a page for every loaded person, under the title typed.
TEST_F(PersonalPrintScreenTest, EverybodyGetsAPageEach) {
    EXPECT_EQ(text(screen.get(), u"タイトル"_s), u"シフト勤務表"_s);
    EXPECT_EQ(text(screen.get(), u"表開始日"_s), u"2024/04/01"_s);
    EXPECT_EQ(child<QPushButton>(screen.get(), u"印刷"_s)->text(), u"確定"_s);
    TableRows::putRosterDay(tmp.db(), u"1003"_s, u"2024/04/02"_s, u"日"_s, {{u"勤_予定早出"_s, 2}});
    type(screen.get(), u"表開始日"_s, u"2024/3/25"_s);
    type(screen.get(), u"表終了日"_s, u"2024/4/24"_s);
    type(screen.get(), u"タイトル"_s, u"個人別シフト"_s);
    click(screen.get(), u"印刷"_s);
    ASSERT_EQ(output->printed(), 1);
    EXPECT_EQ(prompter.lastText(), u"個別勤務表出力を終了しました"_s);
    EXPECT_EQ(prompter.lastTitle(), u"個別勤務表出力"_s);

    const int loaded = screen->model().groupCount(1) + screen->model().groupCount(2);
    EXPECT_GT(loaded, 1);
    EXPECT_EQ(pdfPages(), loaded);
    const QString pdf = pdfText();
    EXPECT_TRUE(pdf.contains(u"個人別シフト"_s));
    EXPECT_TRUE(pdf.contains(u"高橋 健一"_s));
    EXPECT_TRUE(pdf.contains(u"07:30"_s)) << "early start of the early day";
}

TEST_F(PersonalPrintScreenTest, OnePersonChosenFromTheStaffList) {
    choose(u"出力対象"_s, u"個別指定"_s);
    EXPECT_TRUE(child<QWidget>(screen.get(), u"LST職員"_s)->isVisible());
    EXPECT_EQ(child<QLabel>(screen.get(), u"登録職員一覧"_s)->text(), u"登録職員一覧"_s);
    choose(u"LST職員"_s, u"高橋 健一"_s);
    EXPECT_EQ(screen->query().filter.staffNo, u"1003"_s);

    click(screen.get(), u"印刷"_s);
    ASSERT_EQ(output->printed(), 1);
    EXPECT_EQ(pdfPages(), 1);
    const QString pdf = pdfText();
    EXPECT_TRUE(pdf.contains(u"高橋 健一"_s));
    EXPECT_FALSE(pdf.contains(u"鈴木 裕子"_s));

    choose(u"出力対象"_s, u"全員"_s);
    EXPECT_TRUE(screen->query().filter.staffNo.isEmpty());
    EXPECT_FALSE(child<QWidget>(screen.get(), u"LST職員"_s)->isVisible());
    EXPECT_TRUE(child<QLabel>(screen.get(), u"登録職員一覧"_s)->text().isEmpty());
}

// Moving through the list with the arrow keys prints the highlighted person, not the one
// clicked before.
TEST_F(PersonalPrintScreenTest, TheNameReachedWithTheArrowKeysIsPrinted) {
    choose(u"出力対象"_s, u"個別指定"_s);
    choose(u"LST職員"_s, u"高橋 健一"_s);
    auto* list = child<QListWidget>(screen.get(), u"LST職員"_s);
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Down);
    ASSERT_EQ(list->selectedItems().size(), 1);
    const QString highlighted = list->selectedItems().front()->text();
    ASSERT_NE(highlighted, u"高橋 健一"_s);
    EXPECT_EQ(screen->query().filter.staffNo,
              StaffListService::FindStaffByName(tmp.db(), highlighted).no);

    click(screen.get(), u"印刷"_s);
    EXPECT_EQ(pdfPages(), 1);
    const QString pdf = pdfText();
    EXPECT_TRUE(pdf.contains(highlighted));
    EXPECT_FALSE(pdf.contains(u"高橋 健一"_s));
}

// Tab goes from the choice 個別指定 to the staff list it shows, and past it while hidden.
TEST_F(PersonalPrintScreenTest, TabReachesTheStaffListRightAfterTheChoice) {
    showActive(screen.get());
    auto* target = child<QListWidget>(screen.get(), u"出力対象"_s);
    for (const auto& [choice, next] :
         {std::pair{u"個別指定"_s, u"LST職員"_s}, std::pair{u"全員"_s, u"表開始日"_s}}) {
        choose(u"出力対象"_s, choice);
        target->setFocus();
        QTest::keyClick(target, Qt::Key_Tab);
        ASSERT_NE(QApplication::focusWidget(), nullptr);
        EXPECT_EQ(QApplication::focusWidget()->objectName().toStdString(), next.toStdString())
            << choice.toStdString();
    }
}
