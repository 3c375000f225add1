#pragma once

#include "roster/improvement_pass.h"
#include "screens/roster/marked_cells.h"

#include <QString>
#include <QStringList>
#include <memory>

struct RosterModel;

// What the creation screen keeps between 改善 and 元に戻す: the roster as it was before the
// improvement pass, the cells the pass changed and the figures before and after it.
class ImprovementUndo final {
public:
    ImprovementUndo();
    ~ImprovementUndo();

    // Keeps a copy of `m`, then improves `m` in place (the tallies must be current).
    const ImprovementResult& improve(RosterModel& m, const ImprovementOptions& options = {});
    bool canUndo() const { return kept_ != nullptr; }
    // Puts the kept roster back into `m` exactly, tallies included, and forgets it.
    void undo(RosterModel& m);
    // Forgets the kept roster, the changed cells and the figures.
    void forget();

    // The cells the last improvement changed, as (group, slot, day); empty once forgotten.
    const MarkedCells& changedCells() const { return changed_; }
    // The objective terms before → after on one line, empty once forgotten.
    QString figuresText() const;
    // What the clerk is told after 改善: how many cells changed, the figures (one a line, so
    // that a message box never breaks one), and whether the time limit cut the search short.
    QString message() const;

private:
    QStringList figures() const; // each objective term as "name before→after"

    std::unique_ptr<RosterModel> kept_;
    ImprovementResult result_;
    MarkedCells changed_;
};
