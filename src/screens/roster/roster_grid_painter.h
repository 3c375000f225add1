#pragma once

#include "roster/marked_cells.h"
#include "screens/roster/cross_highlight.h"

#include <QColor>
#include <QString>
#include <optional>
#include <utility>
#include <vector>

class FlexGrid;
struct Cell;
struct RosterModel;
struct StartupSettings;

// Draws a roster model into the grid "勤務名" of the creation and early/late screens: day
// headings (day d in column d + 6, the five lead days first), one row per person, the
// per-person tally columns and the count rows below the people. Remembers which row shows
// which person and what every cell's own background is, so highlights can be undone.
class RosterGridPainter final {
public:
    enum class CountRows {
        Creation,  // per staff group and for the whole unit: "<shift>勤者" against the need
        EarlyLate, // per working shift: "勤者", "早", "遅" and "設定要員数"
    };

    RosterGridPainter(FlexGrid& grid, const RosterModel& model, const StartupSettings& settings,
                      CountRows countRows);

    // Lays the grid out and draws everything. In the leaders view only leaders are listed and
    // the count rows show leaders against the leader requirement.
    void draw(bool leadersView);
    bool leadersView() const { return leadersView_; }

    int staffRows() const { return static_cast<int>(rows_.size()); }
    int firstCountRow() const { return 2 + staffRows(); }
    // (group, slot) shown in a grid row, or (0, 0) when the row shows nobody.
    std::pair<int, int> personAt(int row) const;
    int rowOf(int group, int slot) const;
    // The model cell shown at (row, col); only for a row that shows a person and a day column.
    const Cell& cellAt(int row, int col) const;
    static constexpr int columnOfDay(int day) { return day + 6; }
    static int dayOfColumn(int col) { return col - 6; }

    void drawPersonCells(int row, int fromDay, int toDay);
    void drawPersonTallies(int row);
    // The rows of the people given as (group, slot), whichever are listed, and every count:
    // what a change of those people's cells needs redrawn.
    void drawPeopleAndCounts(const std::vector<std::pair<int, int>>& people);
    // The day counts, each with its requirement as the tooltip ("必要 8").
    void drawCounts(int fromDay, int toDay);
    // The (level, working shift) of a creation count cell shown red (fewer staff than the need)
    // at (row, col); nothing for any other cell, and in the leaders view.
    std::optional<std::pair<int, int>> shortCountAt(int row, int col) const;
    // The background a cell has when nothing is highlighted.
    QColor baseBackground(int row, int col) const;

    // Why a click on (row, col) cannot change a cell ("日付が有効範囲外です。",
    // "職員欄が有効範囲外です。", a closed day or a requested day), empty when it is a listed
    // person's open, unrequested day of the period.
    QString clickProblem(int row, int col) const;
    // Paints the row and the column of a cell light green, undoing the previous highlight.
    void highlight(int row, int col);
    // Gives the highlighted row and column their own backgrounds back.
    void restoreHighlight();

    // Cells framed as changed, as (group, slot, day), in this and every later drawing; an empty
    // set takes the frames off.
    void setMarkedCells(MarkedCells cells);
    bool markedAt(int row, int col) const;
    const MarkedCells& markedCells() const { return marked_; }
    // Whether (row, col) shows the mark of a cell held by hand.
    bool pinnedAt(int row, int col) const;

private:
    struct CountRow {
        int level = 3;
        int shift = 0;
        enum class Kind { Staff, Early, Late, Required } kind = Kind::Staff;
        bool shaded = false;
    };

    void layout();
    void drawHeadings();
    void drawPeople();
    void drawCountLabels();
    int tallyColumn(int shift) const;

    FlexGrid& grid_;
    const RosterModel& m_;
    const StartupSettings& settings_;
    CountRows countRows_;
    bool leadersView_ = false;
    std::vector<std::pair<int, int>> rows_; // grid row 2 + i shows rows_[i]
    std::vector<CountRow> counts_;          // grid row firstCountRow() + i
    CrossHighlight cross_;
    MarkedCells marked_;
};
