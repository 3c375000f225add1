#include "screens/roster/roster_grid_painter.h"

#include "roster/roster_model.h"
#include "screens/roster/changed_cell_frame.h"
#include "screens/roster/shift_cell_rules.h"
#include "store/startup_settings.h"
#include "widgets/flex_grid.h"
#include "widgets/palette.h"

using namespace Qt::Literals::StringLiterals;

namespace {
constexpr int MinRowsCols = 55;
constexpr int FirstDayCol = 2;    // day -4
constexpr int FirstPeriodCol = 7; // day 1
} // namespace

RosterGridPainter::RosterGridPainter(FlexGrid& grid, const RosterModel& model,
                                     const StartupSettings& settings, CountRows countRows)
    : grid_(grid), m_(model), settings_(settings), countRows_(countRows),
      cross_(grid, [this](int row, int col) { return baseBackground(row, col); }) {
    grid_.setItemDelegate(new ChangedCellFrame(&grid_));
}

int RosterGridPainter::tallyColumn(int shift) const {
    return m_.periodDayCount + shift + 3;
}

std::pair<int, int> RosterGridPainter::personAt(int row) const {
    const int i = row - 2;
    if (i < 0 || i >= staffRows())
        return {0, 0};
    return rows_[static_cast<size_t>(i)];
}

int RosterGridPainter::rowOf(int group, int slot) const {
    for (size_t i = 0; i < rows_.size(); ++i)
        if (rows_[i] == std::pair{group, slot})
            return static_cast<int>(i) + 2;
    return 0;
}

const Cell& RosterGridPainter::cellAt(int row, int col) const {
    const auto [group, slot] = personAt(row);
    return m_.person(group, slot).cell(dayOfColumn(col));
}

void RosterGridPainter::layout() {
    rows_.clear();
    for (int g = 1; g <= 2; ++g) {
        for (int slot = 1; slot <= m_.groupCount(g); ++slot) {
            const Person& p = m_.person(g, slot);
            if (p.no.isEmpty())
                break;
            if (leadersView_ && p.leader != 1)
                continue;
            rows_.emplace_back(g, slot);
        }
    }

    counts_.clear();
    const QString& rest = m_.cache.restShift;
    const int shifts = m_.cache.workShiftCount();
    if (countRows_ == CountRows::Creation) {
        std::vector<int> levels{1};
        if (m_.loaded.grouping == Grouping::ByTeam)
            levels.push_back(2);
        levels.push_back(3);
        for (size_t b = 0; b < levels.size(); ++b)
            for (int s = 1; s <= shifts; ++s)
                if (m_.cache.workShift(s).abbrev != rest)
                    counts_.push_back({levels[b], s, CountRow::Kind::Staff, b == 1});
    } else {
        for (int s = 1; s <= shifts; ++s) {
            if (m_.cache.workShift(s).abbrev == rest)
                continue;
            for (auto kind : {CountRow::Kind::Staff, CountRow::Kind::Early, CountRow::Kind::Late,
                              CountRow::Kind::Required})
                counts_.push_back({3, s, kind, false});
        }
    }

    grid_.clearGrid();
    grid_.setTextElideMode(Qt::ElideNone);
    grid_.setCols(MinRowsCols);
    grid_.setRows(std::max(MinRowsCols, firstCountRow() + static_cast<int>(counts_.size())));
    grid_.setFixedRows(2);
    grid_.setFixedCols(2);
    grid_.setColWidthTwips(0, 1200);
    grid_.setColWidthTwips(1, 700);
    for (int c = 2; c < MinRowsCols; ++c)
        grid_.setColWidthTwips(c, 270);
}

std::optional<std::pair<int, int>> RosterGridPainter::shortCountAt(int row, int col) const {
    const int i = row - firstCountRow();
    const int day = dayOfColumn(col);
    if (countRows_ != CountRows::Creation || leadersView_ || i < 0 ||
        i >= static_cast<int>(counts_.size()) || !ShiftCellRules::dayInPeriod(m_, day) ||
        m_.day(day).holidayFlag == 1)
        return std::nullopt;
    const CountRow& cr = counts_[static_cast<size_t>(i)];
    if (m_.assigned.at(cr.level, day, cr.shift, Figure::Staff) >=
        m_.requirement.at(cr.level, day, cr.shift, Figure::Staff))
        return std::nullopt;
    return std::pair{cr.level, cr.shift};
}

QColor RosterGridPainter::baseBackground(int row, int col) const {
    if (row < 2 || col < 2)
        return Palette::fixedCellBackground();
    if (row < firstCountRow()) {
        if (col < FirstPeriodCol)
            return Palette::fromRgb(settings_.colourLightLavender);
        if (personAt(row).first == 2)
            return Palette::fromRgb(settings_.colourLightYellow);
        return Palette::colour(Palette::White);
    }
    const size_t i = static_cast<size_t>(row - firstCountRow());
    if (i < counts_.size() && counts_[i].shaded)
        return Palette::fromRgb(settings_.colourLightYellow);
    return Palette::colour(Palette::White);
}

QString RosterGridPainter::clickProblem(int row, int col) const {
    const int day = dayOfColumn(col);
    if (!ShiftCellRules::dayInPeriod(m_, day))
        return ShiftCellRules::OutsidePeriodMessage;
    if (row < 2 || row >= firstCountRow())
        return ShiftCellRules::OutsideStaffMessage;
    // A closed day shows the rest shift and a requested day the request whatever the cell
    // holds, and neither is counted: a change there would show one thing and store another.
    if (m_.day(day).holidayFlag == 1)
        return ShiftCellRules::ClosedDayMessage;
    const auto [group, slot] = personAt(row);
    if (!m_.person(group, slot).cell(day).requestShift.isEmpty())
        return u"希望が登録された日は変更出来ません。"_s;
    return {};
}

void RosterGridPainter::highlight(int row, int col) {
    cross_.show(row, col, Palette::fromRgb(settings_.colourLightGreen));
}

void RosterGridPainter::restoreHighlight() {
    cross_.restore();
}

void RosterGridPainter::drawHeadings() {
    grid_.setText(0, 0, u"日付"_s);
    grid_.setText(1, 0, u"氏名"_s);
    grid_.setText(1, 1, u"職員NO"_s);
    for (auto [r, c] : {std::pair{0, 0}, {1, 0}, {1, 1}})
        grid_.setCellFontSize(r, c, 9);
    const int last = m_.lastDay();
    for (int d = RosterBounds::FirstDay; d <= last; ++d) {
        const DayInfo& day = m_.day(d);
        if (day.date.isEmpty())
            continue;
        const int col = columnOfDay(d);
        grid_.setText(0, col, day.dayOfMonth);
        grid_.setCellFontSize(0, col, 8);
        grid_.setText(1, col, day.weekdayName);
        grid_.setCellFontSize(1, col, 8);
        grid_.setCellForeColor(1, col, Palette::colour(day.headingColour(settings_.weekdayColour)));
    }
    for (int s = 1; s <= m_.cache.workShiftCount(); ++s)
        grid_.setText(1, tallyColumn(s), m_.cache.workShift(s).abbrev);
}

void RosterGridPainter::drawPeople() {
    const int last = m_.lastDay();
    for (int row = 2; row < firstCountRow(); ++row) {
        const auto [g, slot] = personAt(row);
        const Person& p = m_.person(g, slot);
        grid_.setText(row, 0, (p.leader == 1 ? u"*"_s : u" "_s) + p.name);
        grid_.setCellAlignment(row, 0, Qt::AlignLeft | Qt::AlignVCenter);
        grid_.setText(row, 1, p.no);
        for (int col = FirstDayCol; col < MinRowsCols; ++col) {
            const QColor base = baseBackground(row, col);
            if (base != Palette::colour(Palette::White))
                grid_.setCellBackColor(row, col, base);
        }
        drawPersonCells(row, RosterBounds::FirstDay, last);
        drawPersonTallies(row);
    }
}

void RosterGridPainter::drawPersonCells(int row, int fromDay, int toDay) {
    const auto [g, slot] = personAt(row);
    if (g == 0)
        return;
    const Person& p = m_.person(g, slot);
    const QString& rest = m_.cache.restShift;
    for (int d = std::max(fromDay, static_cast<int>(RosterBounds::FirstDay));
         d <= std::min(toDay, static_cast<int>(RosterBounds::LastDay)); ++d) {
        const DayInfo& day = m_.day(d);
        if (day.date.isEmpty())
            continue;
        const Cell& c = p.cell(d);
        const bool requested = day.holidayFlag != 1 && !c.requestShift.isEmpty();
        QString text = day.holidayFlag == 1 ? rest : (requested ? c.requestShift : c.shift);
        Palette::Number colour = ShiftCellRules::colour(text, requested, rest);
        // The early/late screen shows the marks themselves.
        if (countRows_ == CountRows::EarlyLate && day.holidayFlag != 1 &&
            c.requestShift.isEmpty() && (c.early == 2 || c.early == 3)) {
            text = c.early == 2 ? u"早"_s : u"遅"_s;
            colour = Palette::Magenta;
        }
        const int col = columnOfDay(d);
        grid_.setText(row, col, text);
        grid_.setCellForeColor(row, col, Palette::colour(colour));
        ChangedCellFrame::setFramed(grid_, row, col, marked_.contains({g, slot, d}));
        ChangedCellFrame::setPinned(grid_, row, col, c.pinned);
        grid_.setCellToolTip(row, col, c.pinned ? u"固定"_s : QString());
    }
}

void RosterGridPainter::drawPersonTallies(int row) {
    const auto [g, slot] = personAt(row);
    if (g == 0)
        return;
    const Person& p = m_.person(g, slot);
    for (int s = 1; s <= m_.cache.workShiftCount(); ++s)
        grid_.setText(row, tallyColumn(s), QString::number(p.count[static_cast<size_t>(s)]));
}

void RosterGridPainter::drawPeopleAndCounts(const std::vector<std::pair<int, int>>& people) {
    grid_.setUpdatesEnabled(false);
    for (const auto& [g, slot] : people)
        if (const int row = rowOf(g, slot); row != 0) {
            drawPersonCells(row, RosterBounds::FirstDay, m_.lastDay());
            drawPersonTallies(row);
        }
    drawCounts(1, m_.lastDay());
    grid_.setUpdatesEnabled(true);
}

void RosterGridPainter::drawCountLabels() {
    const int first = firstCountRow();
    int previousBlock = -1;
    for (size_t i = 0; i < counts_.size(); ++i) {
        const CountRow& cr = counts_[i];
        const int row = first + static_cast<int>(i);
        const QString& abbrev = m_.cache.workShift(cr.shift).abbrev;
        if (countRows_ == CountRows::Creation) {
            if (cr.level != previousBlock) {
                previousBlock = cr.level;
                grid_.setText(row, 0,
                              cr.level == 3 ? u"設定要員数"_s
                                            : m_.teamName[static_cast<size_t>(cr.level)]);
            }
            grid_.setText(row, 1, abbrev + u"勤者"_s);
        } else {
            // The row's label in the wide name column, the shift beside it.
            switch (cr.kind) {
            case CountRow::Kind::Staff:
                grid_.setText(row, 0, u"勤者"_s);
                break;
            case CountRow::Kind::Early:
                grid_.setText(row, 0, u"早"_s);
                break;
            case CountRow::Kind::Late:
                grid_.setText(row, 0, u"遅"_s);
                break;
            case CountRow::Kind::Required:
                grid_.setText(row, 0, u"設定要員数"_s);
                break;
            }
            grid_.setText(row, 1, abbrev);
        }
        for (int col = FirstDayCol; col < MinRowsCols; ++col)
            grid_.setCellBackColor(row, col, baseBackground(row, col));
    }
}

void RosterGridPainter::drawCounts(int fromDay, int toDay) {
    const int first = firstCountRow();
    const int from = std::max(fromDay, 1);
    const int to = std::min({toDay, m_.lastDay(), static_cast<int>(RosterBounds::MaxPeriodDay)});
    for (size_t i = 0; i < counts_.size(); ++i) {
        const CountRow& cr = counts_[i];
        const int row = first + static_cast<int>(i);
        for (int d = from; d <= to; ++d) {
            const int col = columnOfDay(d);
            if (m_.day(d).holidayFlag == 1) {
                grid_.setText(row, col, QString());
                grid_.setCellToolTip(row, col, QString());
                continue;
            }
            int have = 0;
            int need = 0;
            switch (cr.kind) {
            case CountRow::Kind::Staff: {
                const Figure f = leadersView_ ? Figure::Leaders : Figure::Staff;
                have = m_.assigned.at(cr.level, d, cr.shift, f);
                need = m_.requirement.at(cr.level, d, cr.shift, f);
            } break;
            case CountRow::Kind::Early:
                have = m_.assigned.at(Level::Unit, d, cr.shift, Figure::Early);
                need = m_.requirement.at(Level::Unit, d, cr.shift, Figure::Early);
                break;
            case CountRow::Kind::Late:
                have = m_.assigned.at(Level::Unit, d, cr.shift, Figure::Late);
                need = m_.requirement.at(Level::Unit, d, cr.shift, Figure::Late);
                break;
            case CountRow::Kind::Required:
                have = need = m_.requirement.at(Level::Unit, d, cr.shift, Figure::Staff);
                break;
            }
            grid_.setText(row, col, QString::number(have));
            grid_.setCellToolTip(row, col, u"必要 %1"_s.arg(need));
            grid_.setCellForeColor(row, col,
                                   Palette::colour(have < need ? Palette::Red : Palette::Black));
        }
    }
}

void RosterGridPainter::draw(bool leadersView) {
    leadersView_ = leadersView;
    cross_.forget(); // the grid is drawn afresh
    grid_.setUpdatesEnabled(false);
    layout();
    drawHeadings();
    drawPeople();
    drawCountLabels();
    drawCounts(1, m_.lastDay());
    grid_.setUpdatesEnabled(true);
}

void RosterGridPainter::setMarkedCells(MarkedCells cells) {
    marked_ = std::move(cells);
    for (int row = 2; row < firstCountRow(); ++row) {
        const auto [g, slot] = personAt(row);
        for (int d = RosterBounds::FirstDay; d <= m_.lastDay(); ++d)
            if (!m_.day(d).date.isEmpty())
                ChangedCellFrame::setFramed(grid_, row, columnOfDay(d),
                                            marked_.contains({g, slot, d}));
    }
}

bool RosterGridPainter::markedAt(int row, int col) const {
    return ChangedCellFrame::framed(grid_, row, col);
}

bool RosterGridPainter::pinnedAt(int row, int col) const {
    return ChangedCellFrame::pinned(grid_, row, col);
}
