#pragma once

#include "screens/roster/cross_highlight.h"
#include <QColor>
#include <QString>
#include <utility>
#include <vector>

class FlexGrid;
struct Cell;
struct RosterModel;
struct StartupSettings;

// Draws a registered roster into the grid "勤務名" of the change screens. Every person shown
// takes two rows: the planned row (the plan, in the staff group's colour, with the person's
// counts) and the changed row below it (the actual shift where one is held, white); name and
// number are merged over both. Day d is column d + 1; the per-person count columns follow
// the days after a gap, one per working shift with "早" / "遅" beside it where the shift has
// early or late duties. Below the people come the daily count blocks, one per staff group on
// the by-team screen, and one for the whole unit labelled "合計".
class RosterChangePainter final {
public:
    enum class Blocks {
        WholeUnit, // "合計" only
        ByTeam,    // the first team, the other teams, then "合計"
    };

    RosterChangePainter(FlexGrid& grid, const RosterModel& model, const StartupSettings& settings,
                        Blocks blocks);

    // Lays the grid out and draws everything; forgets the highlight.
    void draw();

    // People shown, numbered from 1 in grid order.
    int staffCount() const { return static_cast<int>(people_.size()); }
    int firstCountRow() const { return 2 + 2 * staffCount(); }
    // The person numbered `index` as (group, slot); (0, 0) when nobody has that number.
    std::pair<int, int> personOf(int index) const;
    // The number of the person a grid row belongs to: both rows of a person give the same.
    static int indexOfRow(int row) { return row / 2; }
    static int plannedRow(int index) { return 2 * index; }
    static int changedRow(int index) { return 2 * index + 1; }
    static int columnOfDay(int day) { return day + 1; }
    static int dayOfColumn(int col) { return col - 1; }
    // Column of a working shift's count (the person's days on it); its "早" and "遅" columns
    // follow it where they exist.
    int countColumn(int shift) const;

    // Why a click on (row, col) cannot change a cell: outside the period's days, not a
    // person's row, or a day that registration does not store for the person (a closed day,
    // a day the person is not available, a day with no plan). Empty when the cell can change.
    QString clickProblem(int row, int col) const;

    // Draws the changed-row cell of one person and day, the person's counts and the day's
    // counts, after the model's tallies are current.
    void drawChange(int index, int day);
    // The background a cell has when nothing is highlighted.
    QColor baseBackground(int row, int col) const;
    // Paints the clicked column and the person's changed row light green, undoing the
    // previous highlight first.
    void highlight(int index, int col);
    void restoreHighlight();

private:
    struct CountRow {
        int level = 3;
        int shift = 0;
        bool shaded = false;
    };

    void layout();
    void drawHeadings();
    void drawPeople();
    void drawPersonCounts(int index);
    void drawCell(int index, int day, bool changed);
    void drawCountLabels();
    void drawCounts(int fromDay, int toDay);
    int dayCount() const;

    FlexGrid& grid_;
    const RosterModel& m_;
    const StartupSettings& settings_;
    Blocks blocks_;
    std::vector<std::pair<int, int>> people_; // person i + 1 is people_[i]
    std::vector<CountRow> counts_;            // grid row firstCountRow() + i
    std::vector<int> countColumns_;           // column of working shift s at s - 1
    CrossHighlight cross_;
};
