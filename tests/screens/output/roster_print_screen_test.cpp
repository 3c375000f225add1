#include "print/fonts.h"
#include "print/pdf_file_output.h"
#include "screens/output/roster_print_screen.h"
#include "store/demo_workplace.h"
#include "store/list_services.h"
#include "store/startup_settings.h"
#include "support/recording_output.h"
#include "support/screens/entry_screen_fixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QProcess>
#include <QTemporaryDir>

using namespace Qt::Literals::StringLiterals;

namespace {

class RosterPrintScreenTest : public EntryScreenFixture {
protected:
    RosterPrintScreenTest() {
        Fonts::installSubstitutions();
        LoadDemoWorkplace(tmp.db(), clock);
        LoadStartupSettings(tmp.db(), ctx.settings);
        ctx.settings.periodStart = u"2024/04/01"_s;
        ctx.settings.periodEnd = u"2024/04/30"_s;
        pdfPath = outDir.filePath(u"roster.pdf"_s);
        auto out = std::make_unique<PdfFileOutput>(pdfPath);
        output = out.get();
        screen = std::make_unique<RosterPrintScreen>(ctx, std::move(out));
        screen->show();
    }

    void choose(const QString& list, const QString& entry) {
        auto* l = child<QListWidget>(screen.get(), list);
        const auto items = l->findItems(entry, Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1) << entry.toStdString();
        l->setCurrentItem(items.front());
        Q_EMIT l->itemClicked(items.front());
    }

    // The registered day shift of everybody on the first days of April.
    void registerSomeDays() {
        for (const QString& no : {u"1002"_s, u"1003"_s})
            for (int d = 1; d <= 3; ++d)
                TableRows::putRosterDay(
                    tmp.db(), no, QStringLiteral("2024/04/%1").arg(d, 2, 10, QLatin1Char('0')),
                    u"日"_s, {{u"勤_予定早出"_s, d == 2 ? 2 : 0}});
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
    std::unique_ptr<RosterPrintScreen> screen;
};

} // namespace

TEST_F(RosterPrintScreenTest, OpensOnTheLastCreatedPeriodWithHiddenLists) {
    EXPECT_EQ(screen->windowTitle(), u"勤務表･累計表 出力"_s);
    EXPECT_EQ(child<QLineEdit>(screen.get(), u"表開始日"_s)->text(), u"2024/04/01"_s);
    EXPECT_EQ(child<QLineEdit>(screen.get(), u"表終了日"_s)->text(), u"2024/04/30"_s);
    EXPECT_FALSE(child<QWidget>(screen.get(), u"LST職員"_s)->isVisible());
    EXPECT_FALSE(child<QWidget>(screen.get(), u"チーム一覧"_s)->isVisible());
    EXPECT_EQ(child<QListWidget>(screen.get(), u"出力対象"_s)->count(), 2) << "not by team";
}

TEST_F(RosterPrintScreenTest, DateChecksAllowAtMostOneMonth) {
    choose(u"出力指示"_s, u"勤務表"_s);
    type(screen.get(), u"表開始日"_s, u"2024/3/1"_s);
    type(screen.get(), u"表終了日"_s, u"2024/04/01"_s);
    click(screen.get(), u"印刷"_s);
    EXPECT_EQ(prompter.lastText(), u"勤務表の出力はMAX1ｹ月です"_s);
    EXPECT_EQ(prompter.lastTitle(), u"勤務表出力"_s);
    EXPECT_TRUE(red(screen.get(), u"表終了日"_s));
    EXPECT_EQ(output->printed(), 0);

    type(screen.get(), u"表終了日"_s, u"2024/3/31"_s);
    prompter.clear();
    click(screen.get(), u"印刷"_s);
    EXPECT_EQ(child<QLineEdit>(screen.get(), u"表開始日"_s)->text(), u"2024/03/01"_s);
    EXPECT_EQ(output->printed(), 1);
    EXPECT_EQ(prompter.lastText(), u"勤務表の印刷を終了しました"_s);
    EXPECT_FALSE(red(screen.get(), u"表終了日"_s));

    type(screen.get(), u"表終了日"_s, u"2024/03/01"_s);
    click(screen.get(), u"印刷"_s);
    EXPECT_EQ(prompter.lastText(), u"日付の関係を正しく入力してください"_s);

    type(screen.get(), u"表開始日"_s, QString());
    type(screen.get(), u"表終了日"_s, u"2024/13/01"_s);
    click(screen.get(), u"印刷"_s);
    EXPECT_EQ(prompter.lastText(), u"開始日に入力してください"_s) << "first failure only";
    EXPECT_TRUE(red(screen.get(), u"表終了日"_s));
    EXPECT_EQ(output->printed(), 1);
}

TEST_F(RosterPrintScreenTest, MissingKindIsRefusedClearly) {
    click(screen.get(), u"印刷"_s);
    EXPECT_EQ(prompter.lastText(), u"出力指示を選択してください"_s);
    EXPECT_EQ(output->printed(), 0);
}

// Totals printed from this screen go to a recording, so their layout can be read back.
class RosterPrintTotalsTest : public RosterPrintScreenTest {
protected:
    RosterPrintTotalsTest() {
        tmp.db().exec(u"DELETE FROM \"勤務表\""_s); // only the days below count
        const std::pair<QString, QString> days[] = {{u"1003"_s, u"2024/01/05"_s},
                                                    {u"1003"_s, u"2024/05/05"_s},
                                                    {u"2001"_s, u"2024/02/05"_s},
                                                    {u"1003"_s, u"2023/03/31"_s}};
        for (const auto& [no, date] : days)
            TableRows::putRosterDay(tmp.db(), no, date, u"日"_s);
        auto out = std::make_unique<RecordingOutput>();
        recording = out.get();
        totals = std::make_unique<RosterPrintScreen>(ctx, std::move(out));
        totals->show();
    }
    void pick(const QString& list, const QString& entry) {
        auto* l = child<QListWidget>(totals.get(), list);
        const auto items = l->findItems(entry, Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1) << entry.toStdString();
        l->setCurrentItem(items.front());
        Q_EMIT l->itemClicked(items.front());
    }
    QStringList printedNames() const {
        QStringList names;
        for (const auto& op : recording->sheet.textsEqual(u"高橋 健一"_s))
            names << op.text;
        for (const auto& op : recording->sheet.textsEqual(u"松本 明美"_s))
            names << op.text;
        return names;
    }

    RecordingOutput* recording = nullptr;
    std::unique_ptr<RosterPrintScreen> totals;
};

TEST_F(RosterPrintTotalsTest, MonthlyTotalsOverJanuaryToMayPrintJanuaryToAprilOnly) {
    pick(u"出力指示"_s, u"月別勤務累計表"_s);
    type(totals.get(), u"表開始日"_s, u"2024/01/01"_s);
    type(totals.get(), u"表終了日"_s, u"2024/05/31"_s);
    click(totals.get(), u"印刷"_s);
    EXPECT_EQ(prompter.lastText(), u"勤務表の印刷を終了しました"_s);
    EXPECT_EQ(prompter.lastTitle(), u"勤務表出力"_s);
    ASSERT_EQ(recording->names, std::vector<QString>{u"月別勤務累計表"_s});
    const RecordingSheet& sheet = recording->sheet;
    for (const QString& label : {u"1月"_s, u"2月"_s, u"3月"_s, u"4月"_s, u"合計"_s})
        EXPECT_FALSE(sheet.textsEqual(label).empty()) << label.toStdString();
    EXPECT_TRUE(sheet.textsEqual(u"5月"_s).empty());
    EXPECT_FALSE(sheet.textsEqual(u"2024年1月1日～2024年4月30日"_s).empty());
    EXPECT_EQ(text(totals.get(), u"表終了日"_s), u"2024/04/30"_s);
    EXPECT_EQ(totals->model().periodEnd, u"2024/04/30"_s);
    // 1003: the January day counts, the May day is past the window.
    const size_t day = 1;
    for (int g = 1; g <= 2; ++g) {
        for (const Person& p : totals->model().group(g)) {
            if (p.no == u"1003"_s) {
                EXPECT_EQ(p.cumulative[1][7][day], 1);
            }
        }
    }
    EXPECT_EQ(printedNames().size(), 2);
}

TEST_F(RosterPrintTotalsTest, ATeamChosenCountsAndPrintsOnlyThatTeam) {
    ctx.settings.byTeam = 1;
    auto fresh = std::make_unique<RecordingOutput>();
    recording = fresh.get();
    totals = std::make_unique<RosterPrintScreen>(ctx, std::move(fresh));
    totals->show();
    pick(u"出力対象"_s, u"チーム指定"_s);
    pick(u"チーム一覧"_s, u"Bチーム"_s);
    pick(u"出力指示"_s, u"月別勤務累計表"_s);
    type(totals.get(), u"表開始日"_s, u"2024/01/01"_s);
    type(totals.get(), u"表終了日"_s, u"2024/03/31"_s);
    click(totals.get(), u"印刷"_s);
    ASSERT_EQ(recording->names.size(), 1u);
    EXPECT_EQ(printedNames(), QStringList{u"松本 明美"_s});
}

TEST_F(RosterPrintTotalsTest, YearTotalsUseWholeFiscalYearsOrAskForTheirStart) {
    pick(u"出力指示"_s, u"年度勤務累計表"_s);
    type(totals.get(), u"表開始日"_s, u"2023/03/01"_s);
    type(totals.get(), u"表終了日"_s, u"2024/05/31"_s);
    click(totals.get(), u"印刷"_s);
    EXPECT_EQ(prompter.lastText(), u"勤務表の印刷を終了しました"_s);
    const RecordingSheet& sheet = recording->sheet;
    EXPECT_FALSE(sheet.textsEqual(u"年度別勤務累計表"_s).empty());
    for (const QString& label : {u"2022年度"_s, u"2023年度"_s, u"2024年度"_s})
        EXPECT_FALSE(sheet.textsEqual(label).empty()) << label.toStdString();
    EXPECT_EQ(text(totals.get(), u"表開始日"_s), u"2022/04/01"_s);
    EXPECT_EQ(text(totals.get(), u"表終了日"_s), u"2025/03/31"_s);

    TableRows::remove(tmp.db(), u"個マスタ"_s, u"key_個ﾏｽﾀｰ"_s, {9, 1});
    prompter.clear();
    click(totals.get(), u"印刷"_s);
    EXPECT_EQ(prompter.texts(), std::vector<QString>{u"年度開始日を登録して下さい。"_s});
    EXPECT_EQ(recording->names.size(), 1u) << "nothing more printed";
}

TEST_F(RosterPrintScreenTest, PrintsTheRegisteredRosterToPdf) {
    registerSomeDays();
    // A kanji the main font lacks comes from the fallback font, not as an empty box.
    TableRows::put(tmp.db(), u"職員"_s, u"key_職員"_s, {u"1003"_s},
                   {{u"職員_名漢字"_s, u"𠮷田 健一"_s}});
    choose(u"出力指示"_s, u"勤務表"_s);
    click(screen.get(), u"印刷"_s);
    ASSERT_EQ(output->printed(), 1);
    ASSERT_TRUE(QFile::exists(pdfPath));
    // 22 staff and 4 count lines: the count lines overflow onto a second page.
    EXPECT_EQ(pdfPages(), 2);
    const QString text = pdfText();
    EXPECT_TRUE(text.contains(u"勤務シフト表"_s));
    EXPECT_TRUE(text.contains(u"鈴木 裕子"_s));
    QProcess pdffonts;
    pdffonts.start(u"pdffonts"_s, {pdfPath});
    pdffonts.waitForFinished();
    const QString fonts = QString::fromUtf8(pdffonts.readAllStandardOutput());
    EXPECT_TRUE(fonts.contains(u"IPAGothic"_s) && fonts.contains(u"VL-Gothic"_s))
        << fonts.toStdString();
}

TEST_F(RosterPrintScreenTest, OnePersonChosenFromTheStaffList) {
    registerSomeDays();
    choose(u"出力対象"_s, u"個別指定"_s);
    EXPECT_TRUE(child<QWidget>(screen.get(), u"LST職員"_s)->isVisible());
    EXPECT_EQ(child<QLabel>(screen.get(), u"登録職員一覧"_s)->text(), u"登録職員一覧"_s);
    choose(u"LST職員"_s, u"高橋 健一"_s);
    EXPECT_EQ(screen->query().filter.staffNo, u"1003"_s);

    choose(u"出力指示"_s, u"勤務表"_s);
    click(screen.get(), u"印刷"_s);
    ASSERT_EQ(output->printed(), 1);
    EXPECT_EQ(pdfPages(), 1);
    const QString text = pdfText();
    EXPECT_TRUE(text.contains(u"高橋 健一"_s));
    EXPECT_FALSE(text.contains(u"鈴木 裕子"_s));
    EXPECT_FALSE(text.contains(u"勤者数"_s));

    // The name reached with the arrow keys is the chosen one, as the highlight shows.
    auto* list = child<QListWidget>(screen.get(), u"LST職員"_s);
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Down);
    ASSERT_EQ(list->selectedItems().size(), 1);
    EXPECT_EQ(
        screen->query().filter.staffNo,
        StaffListService::FindStaffByName(tmp.db(), list->selectedItems().front()->text()).no);
    EXPECT_NE(screen->query().filter.staffNo, u"1003"_s);

    choose(u"出力対象"_s, u"全員"_s);
    EXPECT_TRUE(screen->query().filter.staffNo.isEmpty());
    EXPECT_FALSE(child<QWidget>(screen.get(), u"LST職員"_s)->isVisible());
}

// A workplace that groups by team: one person printed ungrouped must not leave everybody
// ungrouped after 全員.
TEST_F(RosterPrintScreenTest, EverybodyAfterOnePersonIsGroupedByTeamAgain) {
    ctx.settings.byTeam = 1;
    RosterPrintScreen byTeam(ctx, std::make_unique<PdfFileOutput>(pdfPath));
    byTeam.show();
    auto* targets = child<QListWidget>(&byTeam, u"出力対象"_s);
    targets->setCurrentRow(1); // 個別指定
    auto* staff = child<QListWidget>(&byTeam, u"LST職員"_s);
    const auto taro = staff->findItems(u"高橋 健一"_s, Qt::MatchExactly);
    ASSERT_EQ(taro.size(), 1);
    Q_EMIT staff->itemClicked(taro.front());
    ASSERT_EQ(byTeam.query().grouping, Grouping::Everybody);

    targets->setCurrentRow(0); // 全員
    EXPECT_EQ(byTeam.query().grouping, Grouping::ByTeam);
    EXPECT_TRUE(byTeam.query().filter.staffNo.isEmpty());
}

// Excel出力: the workbook goes where the chooser says, proposed under its default name in the
// folder last written to (the data folder at first); an existing file is replaced only on はい; an
// unregistered period or a missing folder is reported and nothing is written.
TEST_F(RosterPrintScreenTest, ExcelOutputWritesTheWorkbookOnlyWhereAndWhenAsked) {
    registerSomeDays();
    struct Row {
        const char* what;
        QString start, end, file; // file: in the output folder; empty cancels the chooser
        bool existing, yes;
        QString message; // part of the last message, empty for none
        bool workbook;   // the file is a workbook afterwards
    };
    const QString april = u"勤務表_202404.xlsx"_s;
    const std::vector<Row> rows = {
        {"new file", u"2024/04/01"_s, u"2024/04/30"_s, april, false, false, u"に出力しました"_s,
         true},
        {"kept on いいえ", u"2024/04/01"_s, u"2024/04/30"_s, u"old.xlsx"_s, true, false, {}, false},
        {"replaced on はい", u"2024/04/01"_s, u"2024/04/30"_s, u"old.xlsx"_s, true, true,
         u"に出力しました"_s, true},
        {"unregistered", u"2024/05/01"_s, u"2024/05/31"_s, u"may.xlsx"_s, false, false,
         u"2024/05/01 ～ 2024/05/31 の勤務表は登録されていません。"_s, false},
        {"missing folder", u"2024/04/01"_s, u"2024/04/30"_s, u"none/x.xlsx"_s, false, false,
         u"のフォルダがありません"_s, false},
        {"cancelled", u"2024/04/01"_s, u"2024/04/30"_s, {}, false, false, {}, false},
    };
    QString proposed;
    for (size_t i = 0; i < rows.size(); ++i) {
        const Row& row = rows[i];
        SCOPED_TRACE(row.what);
        const QString path = row.file.isEmpty() ? QString() : outDir.filePath(row.file);
        if (!path.isEmpty())
            QFile::remove(path);
        if (row.existing) {
            QFile old(path);
            ASSERT_TRUE(old.open(QIODevice::WriteOnly));
            old.write("old");
        }
        screen->setSaveFileChooser([&](QWidget*, const QString& offered) {
            proposed = offered;
            return path;
        });
        child<QLineEdit>(screen.get(), u"表開始日"_s)->setText(row.start);
        child<QLineEdit>(screen.get(), u"表終了日"_s)->setText(row.end);
        prompter.clear();
        if (row.existing)
            prompter.answer(row.yes);
        click(screen.get(), u"Excel出力"_s);
        EXPECT_EQ(QFileInfo(proposed).fileName(),
                  row.start == u"2024/05/01"_s ? u"勤務表_202405.xlsx"_s : april);
        // The data folder at first, then where the first row wrote.
        EXPECT_EQ(QFileInfo(proposed).absolutePath(),
                  QDir(i > 0 ? outDir.path() : tmp.dir()).absolutePath());
        EXPECT_EQ(prompter.pendingAnswers(), 0u);
        const auto& shown = prompter.shown();
        const bool asked =
            !shown.empty() && shown.front().kind == ScriptedPrompter::Shown::Kind::Ask;
        EXPECT_EQ(asked, row.existing);
        const QString said = shown.size() > (asked ? 1u : 0u) ? prompter.lastText() : QString();
        EXPECT_EQ(said.isEmpty(), row.message.isEmpty()) << said.toStdString();
        EXPECT_TRUE(said.contains(row.message)) << said.toStdString();
        QFile written(path);
        const bool workbook = written.open(QIODevice::ReadOnly) && written.read(2) == "PK";
        EXPECT_EQ(workbook, row.workbook);
    }
    EXPECT_EQ(QDir(outDir.path()).entryList({u".*xlsx*"_s}, QDir::Files | QDir::Hidden),
              QStringList()); // no temporary file left
}
