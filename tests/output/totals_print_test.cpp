#include "output/totals_print.h"
#include "roster/cumulative_totals.h"
#include "roster/roster_model.h"
#include "support/recording_sheet.h"

#include <QDate>
#include <gtest/gtest.h>
#include <tuple>

using namespace Qt::Literals::StringLiterals;

namespace {

// Three working shifts; person i counts 10 * column + shift in every column, and 100 + shift
// in the total column.
RosterModel totalsModel(int people, int group2People = 0) {
    RosterModel m;
    for (const QString& s : {u"日"_s, u"夜"_s, u"明"_s}) {
        WorkShiftInfo w;
        w.abbrev = s;
        m.cache.workShifts.push_back(w);
    }
    m.teamName[1] = u"Aチーム"_s;
    auto add = [&](int g, int i) {
        Person p;
        p.no = QString::number(g * 1000 + i);
        p.name = u"長い名前の職員%1号"_s.arg(i);
        for (int c = 1; c <= 6; ++c)
            for (int s = 1; s <= 3; ++s)
                p.cumulative[1][static_cast<size_t>(c)][static_cast<size_t>(s)] = 10 * c + s;
        for (int s = 1; s <= 3; ++s)
            p.cumulative[1][7][static_cast<size_t>(s)] = 100 + s;
        m.group(g).push_back(p);
    };
    for (int i = 1; i <= people; ++i)
        add(1, i);
    for (int i = 1; i <= group2People; ++i)
        add(2, i);
    return m;
}

QString textAt(const RecordingSheet& sheet, double x, double y, int page = 1) {
    const RecordingSheet::Op* op = sheet.textAt(x, y, page);
    return op ? op->text : u"<none>"_s;
}

TEST(TotalsPrintTest, MonthBlocksHoldEachColumnThenTheTotalAt50MillimetreSteps) {
    RosterModel m = totalsModel(2);
    SetMonthColumns(m, QDate(2024, 1, 1), QDate(2024, 5, 31), 4);
    RecordingSheet sheet;
    PrintMonthYearTotals(m, sheet);
    EXPECT_EQ(sheet.pageCount(), 1);
    EXPECT_TRUE(sheet.ended());
    EXPECT_EQ(sheet.textsEqual(u"月別勤務累計表"_s).size(), 1u);
    EXPECT_EQ(sheet.textsEqual(u"2024年1月1日～2024年4月30日"_s).size(), 1u);
    const QString labels[] = {u"1月"_s, u"2月"_s, u"3月"_s, u"4月"_s, u"合計"_s};
    for (int b = 0; b < 5; ++b) {
        const auto found = sheet.textsEqual(labels[b]);
        ASSERT_EQ(found.size(), 1u) << b;
        EXPECT_DOUBLE_EQ(found[0].x1, 37 + 50 * b);
    }
    EXPECT_TRUE(sheet.textsEqual(u"5月"_s).empty());
    // Name cut to seven characters at x 12; second person on the second line (y 45).
    EXPECT_EQ(textAt(sheet, 12, 45), u"長い名前の職員"_s);
    EXPECT_EQ(textAt(sheet, 35, 38), u" 11"_s);                  // January, 日
    EXPECT_EQ(textAt(sheet, 35 + 50 * 3 + 5 * 2, 38), u" 43"_s); // April, 明
    EXPECT_EQ(textAt(sheet, 35 + 50 * 4 + 5, 38), u"102"_s);     // total, 夜
    const auto wide = sheet.textsEqual(u" 11"_s);
    ASSERT_FALSE(wide.empty());
    EXPECT_EQ(wide[0].orientation, Sheet::Orientation::Landscape);
    EXPECT_DOUBLE_EQ(wide[0].fontSize, 7);
}

TEST(TotalsPrintTest, TwentyTwoPeopleAPageEachPageWithItsHeading) {
    RosterModel m = totalsModel(20, 3);
    SetWholeMonthColumns(m, QDate(2024, 4, 1), 1);
    RecordingSheet sheet;
    PrintMonthYearTotals(m, sheet);
    EXPECT_EQ(sheet.pageCount(), 2);
    EXPECT_EQ(sheet.textsEqual(u"月別勤務累計表"_s).size(), 2u);
    EXPECT_EQ(textAt(sheet, 12, 38 + 7 * 21, 1), u"長い名前の職員"_s); // line 22
    EXPECT_EQ(sheet.textAt(12, 38 + 7 * 21, 2), nullptr);
    EXPECT_NE(sheet.textAt(12, 38, 2), nullptr); // the 23rd person opens page 2
}

TEST(TotalsPrintTest, YearModeIsLabelledByTheYearsSetAndOnlyTheChosenTeamPrints) {
    RosterModel m = totalsModel(2, 1);
    m.loaded.filter.team = u"Bチーム"_s;
    SetYearColumns(m, FiscalYear::Start{4, 1}, QDate(2022, 4, 1), QDate(2023, 6, 1), 4);
    RecordingSheet sheet;
    PrintMonthYearTotals(m, sheet);
    EXPECT_EQ(sheet.textsEqual(u"年度別勤務累計表"_s).size(), 1u);
    EXPECT_EQ(sheet.textsEqual(u"2022年度"_s).size(), 1u);
    EXPECT_EQ(sheet.textsEqual(u"2023年度"_s).size(), 1u);
    EXPECT_EQ(sheet.textsEqual(u"2024年1月1日～2024年4月30日"_s).size(), 0u);
    EXPECT_EQ(sheet.textsEqual(u"2022年4月1日～2024年3月31日"_s).size(), 1u);
    EXPECT_EQ(sheet.textsEqual(u"長い名前の職員"_s).size(), 1u) << "only the second block";
}

TEST(TotalsPrintTest, SixMonthsPrintSixNarrowerBlocksAndTheTotalInsideTheTable) {
    RosterModel m = totalsModel(1);
    SetWholeMonthColumns(m, QDate(2023, 11, 1), 6);
    RecordingSheet sheet;
    PrintMonthYearTotals(m, sheet);
    for (const QString& label :
         {u"11月"_s, u"12月"_s, u"1月"_s, u"2月"_s, u"3月"_s, u"4月"_s, u"合計"_s})
        EXPECT_EQ(sheet.textsEqual(label).size(), 1u) << label.toStdString();
    for (const auto& op : sheet.texts())
        EXPECT_LE(op.x1, 285) << op.text.toStdString();
    EXPECT_EQ(sheet.textsEqual(u"103"_s).size(), 1u); // the total of 明
    EXPECT_EQ(sheet.textsEqual(u" 63"_s).size(), 1u); // April of 明
}

// Ten working shifts keep the 5 mm steps and the 7 pt counts; a number of four digits ends
// where a three-digit one would, on both printouts.
TEST(TotalsPrintTest, TenShiftsKeepTheirStepsAndWideNumbersEndAtTheFieldEdge) {
    RosterModel m = totalsModel(1);
    for (int k = 4; k <= 10; ++k) {
        WorkShiftInfo w;
        w.abbrev = QString::number(k);
        m.cache.workShifts.push_back(w);
    }
    m.person(1, 1).cumulative[1][7][1] = 1234;
    SetMonthColumns(m, QDate(2024, 1, 1), QDate(2024, 5, 31), 4);
    RecordingSheet months, period;
    PrintMonthYearTotals(m, months);
    PrintPeriodTotals(m, period);
    const double digit = 25.4 / 72 / 2; // a digit's width per point
    for (const auto& [sheet, x, y, size, text] :
         {std::tuple{&months, 35 + 5 * 9.0, 38, 7.0, u"  0"_s},     // January, the tenth shift
          std::tuple{&months, 235 - 7 * digit, 38, 7.0, u"1234"_s}, // total, 日
          std::tuple{&period, 62 - 10 * digit, 45, 10.0, u"1234"_s}}) {
        const RecordingSheet::Op* op = sheet->textAt(x, y);
        ASSERT_NE(op, nullptr) << text.toStdString();
        EXPECT_EQ(op->text, text);
        EXPECT_DOUBLE_EQ(op->fontSize, size);
    }
}

TEST(TotalsPrintTest, PeriodTotalsPrintTheTotalColumnOnA4LinesEightMillimetresApart) {
    RosterModel m = totalsModel(23);
    SetPeriodColumn(m, u"2024/04/01"_s, u"2024/06/15"_s);
    RecordingSheet sheet;
    PrintPeriodTotals(m, sheet);
    EXPECT_EQ(sheet.pageCount(), 2);
    EXPECT_EQ(sheet.textsEqual(u"シフト勤務累計表"_s).size(), 2u);
    EXPECT_EQ(sheet.textsEqual(u"2024年4月1日～2024年6月15日"_s).size(), 2u);
    EXPECT_EQ(textAt(sheet, 32, 45), u"長い名前の職員"_s);
    EXPECT_EQ(textAt(sheet, 62, 45), u"101"_s);
    EXPECT_EQ(textAt(sheet, 82, 37 + 8 * 22), u"103"_s);
    EXPECT_EQ(textAt(sheet, 62, 45, 2), u"101"_s);
    EXPECT_EQ(sheet.textsEqual(u" 11"_s).size(), 0u) << "no month columns";
    EXPECT_EQ(sheet.textAt(62, 45)->orientation, Sheet::Orientation::Portrait);
}

} // namespace
