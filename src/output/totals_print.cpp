#include "output/totals_print.h"

#include "output/sheet.h"
#include "roster/cumulative_totals.h"
#include "roster/roster_model.h"
#include "store/text_values.h"

#include <QStringList>
#include <algorithm>

using namespace Qt::Literals::StringLiterals;
using namespace TotalsSheet;

namespace {

const QString SheetFont = u"ＭＳ ゴシック"_s;
constexpr int Black = 0;
constexpr int NameChars = 7;
// Texts are placed by their top edge; rules run this far above a line's text.
constexpr double RuleAbove = 1.5;

QString dateWords(const QString& date) {
    const QDate d = TextValues::parseDateText(date);
    if (!d.isValid())
        return date;
    return u"%1年%2月%3日"_s.arg(d.year()).arg(d.month()).arg(d.day());
}

constexpr int CountChars = 3;
constexpr double MmPerPoint = 25.4 / 72;

// "##0" right-aligned in three characters.
QString count3(int value) {
    return QString::number(value).rightJustified(CountChars, u' ');
}

// Prints a count in the three-character field that starts at x: a number too wide for it
// grows to the left, so its last digit stays at the field's right edge like the others'. The
// font is monospaced and its digits are half an em wide.
void countText(Sheet& sheet, double x, double y, double size, int value) {
    const QString text = count3(value);
    const double digit = size * MmPerPoint / 2;
    sheet.text(x - digit * static_cast<double>(text.size() - CountChars), y, text);
}

int countOf(const Person& p, int column, int shift) {
    return p.cumulative[1][static_cast<size_t>(column)][static_cast<size_t>(shift)];
}

void font(Sheet& sheet, double size) {
    sheet.setFontName(SheetFont);
    sheet.setFontSize(size);
}

// One document of month or year totals; keeps the page line counter.
class MonthYearRun final {
public:
    MonthYearRun(const RosterModel& m, Sheet& sheet) : m_(m), sheet_(sheet) {
        const QStringList labels = TotalsColumnLabels(m_);
        for (int i = 0; i < labels.size(); ++i)
            blocks_.push_back({labels[i], i + 1});
        blocks_.push_back({u"合計"_s, CumulativeTotals::TotalColumn});
        shifts_ = m_.cache.workShiftCount();
        const int n = static_cast<int>(blocks_.size());
        // Four columns and the total keep the 50 mm blocks, whose ten 5 mm steps hold ten
        // working shifts; only more columns share the width in narrower blocks and steps.
        const bool standard = n <= CumulativeTotals::MaxPrintedColumns + 1;
        blockWidth_ = standard ? BlockWidth : (TableRight - BlockStart) / n;
        shiftStep_ =
            standard || shifts_ == 0 ? ShiftStep : std::min(ShiftStep, (blockWidth_ - 1) / shifts_);
        countSize_ = shiftStep_ < ShiftStep ? 6 : 7;
    }

    void print() {
        sheet_.setOrientation(Sheet::Orientation::Landscape);
        int counter = FreshPageCounter;
        for (const auto& [g, slot] : TotalsStaff(m_)) {
            ++counter;
            if (counter > LinesPerPage) {
                sheet_.newPage();
                heading();
                counter = 1;
            }
            line(counter, m_.person(g, slot));
        }
        sheet_.end();
    }

private:
    struct Block {
        QString label;
        int column;
    };

    double blockX(int b) const { return BlockStart + blockWidth_ * b; }
    double countX(int b, int k) const { return blockX(b) + shiftStep_ * (k - 1); }
    static double lineY(int n) { return FirstLineY + LineHeight * (n - 1); }
    static double ruleY(int n) { return lineY(n + 1) - RuleAbove; } // under line n

    void line(int n, const Person& p) {
        const double y = lineY(n);
        sheet_.setForeColor(Black);
        font(sheet_, 9);
        sheet_.text(NameX, y, p.name.left(NameChars));
        font(sheet_, countSize_);
        for (size_t b = 0; b < blocks_.size(); ++b)
            for (int k = 1; k <= shifts_; ++k)
                countText(sheet_, countX(static_cast<int>(b), k), y, countSize_,
                          countOf(p, blocks_[b].column, k));
    }

    void heading() {
        const bool byYear = m_.totalsBy == TotalsBy::Year;
        sheet_.setForeColor(Black);
        font(sheet_, 16);
        sheet_.text(115, 8, byYear ? u"年度別勤務累計表"_s : u"月別勤務累計表"_s);
        font(sheet_, 10);
        sheet_.text(190, 11, TotalsPeriodText(m_));

        // The frame opens left of the blocks so that the names (from x 12) sit inside it.
        const double left = NameX - 2;
        const double top = ruleY(-2);
        const double bottom = ruleY(LinesPerPage);
        const double right = blockX(static_cast<int>(blocks_.size()));
        sheet_.setDrawWidth(4);
        sheet_.box(left, top, right, bottom);
        sheet_.setDrawWidth(3);
        sheet_.line(left, ruleY(0), right, ruleY(0));
        for (size_t b = 0; b <= blocks_.size(); ++b)
            sheet_.line(blockX(static_cast<int>(b)), top, blockX(static_cast<int>(b)), bottom);
        sheet_.setDrawWidth(1);
        sheet_.line(blockX(0), ruleY(-1), right, ruleY(-1));
        for (int n = 1; n < LinesPerPage; ++n)
            sheet_.line(left, ruleY(n), right, ruleY(n));

        font(sheet_, 9);
        sheet_.text(NameX + 2, lineY(-1) + 3.5, u"氏  名"_s);
        for (size_t b = 0; b < blocks_.size(); ++b) {
            font(sheet_, 9);
            sheet_.text(blockX(static_cast<int>(b)) + 2, lineY(-1), blocks_[b].label);
            font(sheet_, countSize_);
            for (int k = 1; k <= shifts_; ++k)
                sheet_.text(countX(static_cast<int>(b), k) + 1, lineY(0),
                            m_.cache.workShift(k).abbrev);
        }
    }

    const RosterModel& m_;
    Sheet& sheet_;
    std::vector<Block> blocks_;
    int shifts_ = 0;
    double blockWidth_ = BlockWidth;
    double shiftStep_ = ShiftStep;
    double countSize_ = 7;
};

void periodHeading(const RosterModel& m, Sheet& sheet) {
    const int shifts = m.cache.workShiftCount();
    auto ruleY = [](int n) { return PeriodLineY + PeriodLineHeight * n - RuleAbove; };
    const double left = PeriodNameX - 2;
    const double right = PeriodCountX + PeriodShiftStep * std::max(shifts, 1) - 2;
    sheet.setForeColor(Black);
    font(sheet, 16);
    sheet.text(70, 15, u"シフト勤務累計表"_s);
    font(sheet, 10);
    sheet.text(PeriodCountX, 26, TotalsPeriodText(m));
    sheet.setDrawWidth(4);
    sheet.box(left, ruleY(0), right, ruleY(LinesPerPage + 1));
    sheet.setDrawWidth(3);
    sheet.line(left, ruleY(1), right, ruleY(1));
    sheet.line(PeriodCountX - 2, ruleY(0), PeriodCountX - 2, ruleY(LinesPerPage + 1));
    sheet.setDrawWidth(1);
    for (int n = 2; n <= LinesPerPage; ++n)
        sheet.line(left, ruleY(n), right, ruleY(n));
    for (int k = 2; k <= shifts; ++k) {
        const double x = PeriodCountX + PeriodShiftStep * (k - 1) - 2;
        sheet.line(x, ruleY(0), x, ruleY(LinesPerPage + 1));
    }
    sheet.text(PeriodNameX + 2, PeriodLineY, u"氏  名"_s);
    for (int k = 1; k <= shifts; ++k)
        sheet.text(PeriodCountX + PeriodShiftStep * (k - 1) + 1.5, PeriodLineY,
                   m.cache.workShift(k).abbrev);
}

} // namespace

QString TotalsPeriodText(const RosterModel& model) {
    return dateWords(model.totalsWindowStart) + u"～"_s + dateWords(model.totalsWindowEnd);
}

void PrintMonthYearTotals(const RosterModel& model, Sheet& sheet) {
    MonthYearRun(model, sheet).print();
}

void PrintPeriodTotals(const RosterModel& model, Sheet& sheet) {
    sheet.setOrientation(Sheet::Orientation::Portrait);
    const int shifts = model.cache.workShiftCount();
    int counter = FreshPageCounter;
    for (const auto& [g, slot] : TotalsStaff(model)) {
        ++counter;
        if (counter > LinesPerPage) {
            sheet.newPage();
            periodHeading(model, sheet);
            counter = 1;
        }
        const Person& p = model.person(g, slot);
        const double y = PeriodLineY + PeriodLineHeight * counter;
        sheet.setForeColor(Black);
        font(sheet, 10);
        sheet.text(PeriodNameX, y, p.name.left(NameChars));
        for (int k = 1; k <= shifts; ++k)
            countText(sheet, PeriodCountX + PeriodShiftStep * (k - 1), y, 10,
                      countOf(p, CumulativeTotals::TotalColumn, k));
    }
    sheet.end();
}
