#include "output/roster_print.h"

#include "output/sheet.h"
#include "roster/roster_model.h"

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString SheetFont = u"ＭＳ ゴシック"_s;
constexpr int Black = 0;
constexpr int Blue = 9;
constexpr int Red = 12;

// One count column of the per-person counts: a working shift's days, or its early or late
// marks.
struct CountColumn {
    int shift;
    enum class What { Days, Early, Late } what;
};

// The print run of one document; keeps the page line counter.
class RosterPrintRun final {
public:
    RosterPrintRun(const RosterModel& m, const std::array<int, 7>& weekdayColour, Sheet& sheet)
        : m_(m), weekdayColour_(weekdayColour), sheet_(sheet) {
        for (int s = 1; s <= m_.cache.workShiftCount(); ++s) {
            const int kind = m_.cache.workShift(s).earlyKind;
            columns_.push_back({s, CountColumn::What::Days});
            if (kind == 1 || kind == 2)
                columns_.push_back({s, CountColumn::What::Early});
            if (kind == 1 || kind == 3)
                columns_.push_back({s, CountColumn::What::Late});
        }
    }

    void PrintRoster() {
        sheet_.setOrientation(Sheet::Orientation::Landscape);
        lineCounter_ = RosterSheet::FreshPageCounter;
        for (const RosterSheetLine& line : RosterSheetLines(m_)) {
            if (line.newBlock)
                lineCounter_ = RosterSheet::FreshPageCounter;
            if (line.kind == RosterSheetLine::Kind::Person)
                PrintStaffLine(line.group, line.slot);
            else
                PrintCountLine(line.shift, line.level);
        }
        sheet_.end();
    }

private:
    static double dayX(int d) { return 61 + RosterSheet::DayWidth * (d - 1); }
    // The count columns start after the day columns: a period longer than 31 days pushes
    // them right by its extra days, so day 32 never prints over the first count column.
    double countStart() const {
        const int extraDays = std::max(0, m_.lastDay() - RosterBounds::MaxPeriodDay);
        return RosterSheet::CountStart + RosterSheet::DayWidth * extraDays;
    }
    double countX(int column) const {
        return countStart() + RosterSheet::CountWidth * (column - 1);
    }
    static double rowTextY(int n) { return RosterSheet::RowHeight * n + 20; }

    void font(double size) {
        sheet_.setFontName(SheetFont);
        sheet_.setFontSize(size);
    }

    // Advances the line counter, opening a new page with its heading past the last body row.
    int nextRow() {
        ++lineCounter_;
        if (lineCounter_ > RosterSheet::BodyRows) {
            sheet_.newPage();
            PrintPageHeading();
            lineCounter_ = 1;
        }
        return lineCounter_;
    }

    void PrintStaffLine(int block, int slot) {
        const int n = nextRow();
        const Person& p = m_.person(block, slot);
        if (m_.loaded.grouping == Grouping::ByTeam && (n == 1 || slot == 1)) {
            font(8);
            sheet_.setForeColor(Black);
            // A chosen team is the only one loaded; the second block may hold any team but
            // the first, so name the chosen one rather than the second team.
            const QString& team = m_.loaded.filter.team.isEmpty()
                                      ? m_.teamName[static_cast<size_t>(block)]
                                      : m_.loaded.filter.team;
            sheet_.clippedText(17, RosterSheet::RowHeight * n + 17, RosterSheet::NoStart, team);
        }
        const double y = rowTextY(n);
        font(10);
        sheet_.setForeColor(Black);
        // Each is cut at its column's edge rather than run over the next column.
        sheet_.clippedText(21, y, RosterSheet::NoStart, u" "_s + p.name);
        sheet_.clippedText(48, y, RosterSheet::DayStart, p.no);

        const int last = m_.lastDay();
        for (int d = 1; d <= last; ++d) {
            const Cell& c = p.cell(d);
            QString shown;
            int mark = 0;
            int colour = Black;
            if (!c.actualShift.isEmpty()) {
                shown = c.actualShift;
                mark = c.actualEarly;
                colour = Blue;
            } else if (!c.requestShift.isEmpty()) {
                shown = c.requestShift;
                colour = Blue;
            } else {
                shown = c.shift;
                mark = c.early;
                const int s = m_.cache.workShiftIndex(c.shift);
                if (s > 0 && m_.cache.workShift(s).restWorkKind == 1)
                    colour = Red;
            }
            if (mark == 2)
                shown = u"早"_s;
            else if (mark == 3)
                shown = u"遅"_s;
            sheet_.setForeColor(colour);
            sheet_.text(dayX(d), y, shown);
        }

        sheet_.setForeColor(Black);
        for (size_t i = 0; i < columns_.size(); ++i) {
            const auto idx = static_cast<size_t>(columns_[i].shift);
            int value = 0;
            switch (columns_[i].what) {
            case CountColumn::What::Days:
                value = p.count[idx];
                break;
            case CountColumn::What::Early:
                value = p.earlyCount[idx];
                break;
            case CountColumn::What::Late:
                value = p.lateCount[idx];
                break;
            }
            sheet_.text(countX(static_cast<int>(i) + 1), y, QString::number(value));
        }
    }

    void PrintCountLine(int shift, int level) {
        const int n = nextRow();
        const double y = rowTextY(n);
        sheet_.setForeColor(Black);
        font(10);
        sheet_.text(20, y, m_.cache.workShift(shift).abbrev + u"勤者数"_s);
        font(9);
        const int last = m_.lastDay();
        for (int d = 1; d <= last; ++d)
            sheet_.text(dayX(d), y,
                        QString::number(m_.assigned.at(level, d, shift, Figure::Staff)));
    }

    void PrintPageHeading() {
        using namespace RosterSheet;
        lineCounter_ = 0;
        sheet_.setForeColor(Black);
        sheet_.setDrawWidth(4);
        sheet_.box(Left, Top, Right, Bottom);

        // Row rules as nested boxes from the frame inwards: each box draws one rule near the
        // top and its mirror near the bottom.
        sheet_.setDrawWidth(3);
        for (double y1 = Top + RowHeight, y2 = Bottom - RowHeight; y1 <= y2;
             y1 += RowHeight, y2 -= RowHeight)
            sheet_.box(Left, y1, Right, y2);

        sheet_.setDrawWidth(1);
        sheet_.line(NoStart, Top + RowHeight, NoStart, Bottom);
        sheet_.line(DayStart, Top, DayStart, Bottom);
        const int dayColumns = std::max(static_cast<int>(RosterBounds::MaxPeriodDay), m_.lastDay());
        for (int d = 1; d <= dayColumns; ++d)
            sheet_.line(DayStart + DayWidth * d, Top, DayStart + DayWidth * d, Bottom);
        // The count columns get rules of their own, 1 mm left of each column's figures as
        // on the day columns, as far as the table reaches.
        for (size_t i = 0; i <= columns_.size(); ++i) {
            const double x = countStart() - 1 + CountWidth * static_cast<double>(i);
            if (x >= Right)
                break;
            sheet_.line(x, Top, x, Bottom);
        }

        font(16);
        sheet_.text(125, 9, u"勤務シフト表"_s);
        font(10);
        sheet_.text(80, 10, m_.periodStart);
        sheet_.text(98, 10, u"～"_s);
        sheet_.text(104, 10, m_.periodEnd);

        font(9);
        sheet_.text(17, 20.5, u"    氏  名"_s);
        font(8);
        sheet_.text(48, 20.5, u" 職員NO"_s);

        const int last = m_.lastDay();
        for (int d = 1; d <= last; ++d) {
            const DayInfo& day = m_.day(d);
            font(9);
            sheet_.setForeColor(Black);
            sheet_.text(dayX(d), 17, QStringLiteral("%1").arg(day.date.right(2).toInt(), 2));
            font(8);
            sheet_.setForeColor(day.headingColour(weekdayColour_));
            sheet_.text(dayX(d), 21, day.weekdayName);
        }
        sheet_.setForeColor(Black);

        for (size_t i = 0; i < columns_.size(); ++i) {
            const double x = countX(static_cast<int>(i) + 1);
            switch (columns_[i].what) {
            case CountColumn::What::Days:
                font(10);
                sheet_.text(x, 20, m_.cache.workShift(columns_[i].shift).abbrev);
                break;
            case CountColumn::What::Early:
                font(8);
                sheet_.text(x, 20, u"早"_s);
                break;
            case CountColumn::What::Late:
                font(8);
                sheet_.text(x, 20, u"遅"_s);
                break;
            }
        }
    }

    const RosterModel& m_;
    const std::array<int, 7>& weekdayColour_;
    Sheet& sheet_;
    std::vector<CountColumn> columns_;
    int lineCounter_ = RosterSheet::FreshPageCounter;
};

} // namespace

std::vector<RosterSheetLine> RosterSheetLines(const RosterModel& m) {
    std::vector<RosterSheetLine> lines;
    const auto person = [&](int g, int slot) {
        lines.push_back({RosterSheetLine::Kind::Person, g, slot, 0, 0, false});
    };
    const auto counts = [&](int level) {
        for (int s = 1; s <= m.cache.workShiftCount(); ++s)
            lines.push_back({RosterSheetLine::Kind::Count, 0, 0, s, level, false});
    };
    if (!m.loaded.filter.team.isEmpty()) {
        const int block = m.teamName[1] == m.loaded.filter.team ? 1 : 2;
        for (int slot = 1; slot <= m.groupCount(block); ++slot) {
            if (m.person(block, slot).name.isEmpty())
                break;
            person(block, slot);
        }
        counts(block);
        return lines;
    }
    if (!m.loaded.filter.staffNo.isEmpty()) {
        for (int g = 1; g <= 2; ++g) {
            for (int slot = 1; slot <= m.groupCount(g); ++slot) {
                if (m.person(g, slot).no == m.loaded.filter.staffNo) {
                    person(g, slot);
                    break;
                }
            }
        }
        return lines;
    }
    for (int block = 1; block <= 2; ++block) {
        const size_t first = lines.size();
        for (int slot = 1; slot <= m.groupCount(block); ++slot)
            if (!m.person(block, slot).name.isEmpty())
                person(block, slot);
        if (m.loaded.grouping != Grouping::ByTeam) {
            counts(3);
            return lines;
        }
        counts(block);
        if (block == 2 && first < lines.size())
            lines[first].newBlock = true;
    }
    return lines;
}

void PrintRoster(const RosterModel& model, const std::array<int, 7>& weekdayColour, Sheet& sheet) {
    RosterPrintRun(model, weekdayColour, sheet).PrintRoster();
}
