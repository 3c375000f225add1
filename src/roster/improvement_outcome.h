#pragma once

#include "roster/improvement_pass.h"
#include "roster/marked_cells.h"

#include <QString>
#include <QStringList>

struct RosterModel;

// What the creation screen shows of the last 改善 while the roster is as it left it: the cells
// the pass changed and the figures before and after it.
class ImprovementOutcome final {
public:
    // Improves `m` in place (the tallies must be current) and keeps what it did.
    const ImprovementResult& improve(RosterModel& m, const ImprovementOptions& options = {});
    bool shown() const { return shown_; }
    // Forgets the changed cells and the figures.
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

    bool shown_ = false;
    ImprovementResult result_;
    MarkedCells changed_;
};
