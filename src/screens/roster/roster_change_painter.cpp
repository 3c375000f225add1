#include "screens/roster/roster_change_painter.h"

#include "roster/roster_model.h"
#include "screens/roster/shift_cell_rules.h"
#include "store/startup_settings.h"
#include "widgets/flex_grid.h"
#include "widgets/palette.h"

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {
constexpr int MinRows = 80;
constexpr int MinCols = 55;
constexpr int FirstDayCol = 2; // day 1
} // namespace

RosterChangePainter::RosterChangePainter(FlexGrid& grid, const RosterModel& model,
                                         const StartupSettings& settings, Blocks blocks)
    : grid_(grid), m_(model), settings_(settings), blocks_(blocks),
      cross_(grid, [this](int row, int col) { return baseBackground(row, col); }) {}

int RosterChangePainter::dayCount() const {
    return m_.lastDay();
}

std::pair<int, int> RosterChangePainter::personOf(int index) const {
    if (index < 1 || index > staffCount())
        return {0, 0};
    return people_[static_cast<size_t>(index - 1)];
}

int RosterChangePainter::countColumn(int shift) const {
    return countColumns_[static_cast<size_t>(shift - 1)];
}

void RosterChangePainter::layout() {
    people_.clear();
    for (int g = 1; g <= 2; ++g) {
        for (int slot = 1; slot <= m_.groupCount(g); ++slot) {
            if (m_.person(g, slot).no.isEmpty())
                break;
            people_.emplace_back(g, slot);
        }
    }

    const int shifts = m_.cache.workShiftCount();
    countColumns_.clear();
    int col = dayCount() + 4;
    for (int s = 1; s <= shifts; ++s) {
        countColumns_.push_back(col);
        const int kind = m_.cache.workShift(s).earlyKind;
        col += 1 + (kind == 1 || kind == 2 ? 1 : 0) + (kind == 1 || kind == 3 ? 1 : 0);
    }

    counts_.clear();
    std::vector<int> levels;
    if (blocks_ == Blocks::ByTeam)
        levels = {1, 2};
    levels.push_back(3);
    for (size_t b = 0; b < levels.size(); ++b)
        for (int s = 1; s <= shifts; ++s)
            if (m_.cache.workShift(s).abbrev != m_.cache.restShift)
                counts_.push_back({levels[b], s, levels[b] == 2});

    grid_.clearGrid();
    grid_.setTextElideMode(Qt::ElideNone);
    grid_.setCols(std::max(MinCols, col));
    grid_.setRows(std::max(MinRows, firstCountRow() + static_cast<int>(counts_.size())));
    grid_.setFixedRows(2);
    grid_.setFixedCols(2);
    grid_.setColWidthTwips(0, 1200);
    grid_.setColWidthTwips(1, 700);
    for (int c = FirstDayCol; c < grid_.cols(); ++c)
        grid_.setColWidthTwips(c, 270);
}

QColor RosterChangePainter::baseBackground(int row, int col) const {
    if (row < 2 || col < 2)
        return Palette::fixedCellBackground();
    if (row < firstCountRow()) {
        if (row % 2 == 1)
            return Palette::colour(Palette::White);
        return Palette::fromRgb(personOf(indexOfRow(row)).first == 2
                                    ? settings_.colourLightYellow
                                    : settings_.colourLightLavender);
    }
    const size_t i = static_cast<size_t>(row - firstCountRow());
    if (i < counts_.size() && counts_[i].shaded)
        return Palette::fromRgb(settings_.colourLightYellow);
    return Palette::colour(Palette::White);
}

QString RosterChangePainter::clickProblem(int row, int col) const {
    const int day = dayOfColumn(col);
    if (!ShiftCellRules::dayInPeriod(m_, day))
        return ShiftCellRules::OutsidePeriodMessage;
    const int index = indexOfRow(row);
    if (row < 2 || index > staffCount())
        return ShiftCellRules::OutsideStaffMessage;
    if (m_.day(day).holidayFlag == 1)
        return ShiftCellRules::ClosedDayMessage;
    // Registration stores no row for such a day, so a change there would vanish unsaid.
    const auto [group, slot] = personOf(index);
    const Cell& c = m_.person(group, slot).cell(day);
    if (c.unavailable == 1 || (c.shift.isEmpty() && c.requestShift.isEmpty()))
        return u"勤務予定の無い日は変更出来ません。"_s;
    return {};
}

void RosterChangePainter::highlight(int index, int col) {
    cross_.show(changedRow(index), col, Palette::fromRgb(settings_.colourLightGreen));
}

void RosterChangePainter::restoreHighlight() {
    cross_.restore();
}

void RosterChangePainter::drawHeadings() {
    grid_.setText(0, 0, u"職員名"_s);
    grid_.merge(0, 0, 2, 1);
    grid_.setText(0, 1, u"日付"_s);
    grid_.setText(1, 1, u"職員NO"_s);
    for (auto [r, c] : {std::pair{0, 0}, {0, 1}, {1, 1}})
        grid_.setCellFontSize(r, c, 9);
    for (int d = 1; d <= dayCount(); ++d) {
        const DayInfo& day = m_.day(d);
        const int col = columnOfDay(d);
        grid_.setText(0, col, day.dayOfMonth);
        grid_.setCellFontSize(0, col, 9);
        grid_.setText(1, col, day.weekdayName);
        grid_.setCellFontSize(1, col, 8);
        grid_.setCellForeColor(1, col, Palette::colour(day.headingColour(settings_.weekdayColour)));
    }
    for (int s = 1; s <= m_.cache.workShiftCount(); ++s) {
        const int col = countColumn(s);
        const int kind = m_.cache.workShift(s).earlyKind;
        int next = col + 1;
        for (auto [shown, sub] : {std::pair{kind == 1 || kind == 2, u"早"_s},
                                  std::pair{kind == 1 || kind == 3, u"遅"_s}}) {
            if (!shown)
                continue;
            grid_.setText(1, next, sub);
            grid_.setCellFontSize(1, next, 8);
            ++next;
        }
        grid_.setText(0, col, m_.cache.workShift(s).abbrev);
        grid_.setCellFontSize(0, col, 9);
        grid_.merge(0, col, 1, next - col);
    }
}

void RosterChangePainter::drawCell(int index, int day, bool changed) {
    const auto [g, slot] = personOf(index);
    const Cell& c = m_.person(g, slot).cell(day);
    const int row = changed ? changedRow(index) : plannedRow(index);
    const int col = columnOfDay(day);
    QString text;
    bool requested = false;
    QString tip;
    if (m_.day(day).holidayFlag != 1) {
        if (changed) {
            text = c.actualShift;
            if (!text.isEmpty() && (c.actualEarly == 2 || c.actualEarly == 3))
                tip = c.actualEarly == 2 ? u"早出"_s : u"遅出"_s;
        } else {
            requested = !c.requestShift.isEmpty();
            text = requested ? c.requestShift : c.shift;
        }
    }
    grid_.setText(row, col, text);
    grid_.setCellToolTip(row, col, tip);
    grid_.setCellForeColor(
        row, col, Palette::colour(ShiftCellRules::colour(text, requested, m_.cache.restShift)));
}

void RosterChangePainter::drawPersonCounts(int index) {
    const auto [g, slot] = personOf(index);
    const Person& p = m_.person(g, slot);
    const int row = plannedRow(index);
    for (int s = 1; s <= m_.cache.workShiftCount(); ++s) {
        const size_t i = static_cast<size_t>(s);
        const int kind = m_.cache.workShift(s).earlyKind;
        int col = countColumn(s);
        grid_.setText(row, col++, QString::number(p.count[i]));
        if (kind == 1 || kind == 2)
            grid_.setText(row, col++, QString::number(p.earlyCount[i]));
        if (kind == 1 || kind == 3)
            grid_.setText(row, col, QString::number(p.lateCount[i]));
    }
}

void RosterChangePainter::drawPeople() {
    for (int index = 1; index <= staffCount(); ++index) {
        const auto [g, slot] = personOf(index);
        const Person& p = m_.person(g, slot);
        const int row = plannedRow(index);
        grid_.setText(row, 0, p.name);
        grid_.setCellAlignment(row, 0, Qt::AlignLeft | Qt::AlignVCenter);
        grid_.setText(row, 1, p.no);
        grid_.merge(row, 0, 2, 1);
        grid_.merge(row, 1, 2, 1);
        for (int col = FirstDayCol; col < grid_.cols(); ++col)
            grid_.setCellBackColor(row, col, baseBackground(row, col));
        for (int d = 1; d <= dayCount(); ++d) {
            drawCell(index, d, false);
            drawCell(index, d, true);
        }
        drawPersonCounts(index);
    }
}

void RosterChangePainter::drawCountLabels() {
    int previousBlock = -1;
    for (size_t i = 0; i < counts_.size(); ++i) {
        const CountRow& cr = counts_[i];
        const int row = firstCountRow() + static_cast<int>(i);
        if (cr.level != previousBlock) {
            previousBlock = cr.level;
            grid_.setText(row, 0,
                          cr.level == 3 ? u"合計"_s : m_.teamName[static_cast<size_t>(cr.level)]);
        }
        grid_.setText(row, 1, m_.cache.workShift(cr.shift).abbrev + u"勤者"_s);
        for (int col = FirstDayCol; col < grid_.cols(); ++col)
            grid_.setCellBackColor(row, col, baseBackground(row, col));
    }
}

void RosterChangePainter::drawCounts(int fromDay, int toDay) {
    const int from = std::max(fromDay, 1);
    const int to = std::min({toDay, dayCount(), static_cast<int>(RosterBounds::MaxPeriodDay)});
    for (size_t i = 0; i < counts_.size(); ++i) {
        const CountRow& cr = counts_[i];
        const int row = firstCountRow() + static_cast<int>(i);
        for (int d = from; d <= to; ++d) {
            const int col = columnOfDay(d);
            if (m_.day(d).holidayFlag == 1) {
                grid_.setText(row, col, QString());
                grid_.setCellToolTip(row, col, QString());
                continue;
            }
            const int have = m_.assigned.at(cr.level, d, cr.shift, Figure::Staff);
            const int need = m_.requirement.at(cr.level, d, cr.shift, Figure::Staff);
            grid_.setText(row, col, QString::number(have));
            grid_.setCellToolTip(row, col, u"必要 %1"_s.arg(need));
            grid_.setCellForeColor(row, col,
                                   Palette::colour(have < need ? Palette::Red : Palette::Black));
        }
    }
}

void RosterChangePainter::drawChange(int index, int day) {
    drawCell(index, day, true);
    drawPersonCounts(index);
    drawCounts(day, day);
}

void RosterChangePainter::draw() {
    cross_.forget(); // the grid is drawn afresh
    grid_.setUpdatesEnabled(false);
    layout();
    drawHeadings();
    drawPeople();
    drawCountLabels();
    drawCounts(1, dayCount());
    grid_.setUpdatesEnabled(true);
}
