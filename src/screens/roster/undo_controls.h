#pragma once

#include "roster/marked_cells.h"
#include "roster/roster_history.h"

#include <QObject>
#include <functional>

class QPushButton;
class QWidget;
class RosterGridKeys;
struct RosterModel;

// The buttons 元に戻す and やり直し of a roster screen and the undo steps behind them. The
// screen records a step before each change it makes to the model; undo and redo (the buttons
// or the grid's keys) put the people and the day counts back and tell the screen to redraw.
// Each button is enabled while it has a step to take.
class UndoControls final : public QObject {
    Q_OBJECT
public:
    // The buttons become children of `parent`, for its layout to place.
    UndoControls(QWidget* parent, RosterModel& model);

    QPushButton* undoButton() const { return undo_; }
    QPushButton* redoButton() const { return redo_; }
    // Ctrl+Z, Ctrl+Y and Ctrl+Shift+Z on the grid.
    void listenTo(RosterGridKeys& keys);
    // The cells framed on screen, kept with each step (none unless set).
    void setFramedNow(std::function<MarkedCells()> framedNow) { framedNow_ = std::move(framedNow); }

    // The roster as it stands is the step the next undo goes back to.
    void record();
    // Like record, with the state taken earlier (a change shown before the clerk kept it).
    void push(RosterHistory::State before);
    RosterHistory::State current() const;
    // A new roster is in the model: nothing to undo or redo.
    void clear();

    void undo();
    void redo();

Q_SIGNALS:
    // Undo or redo replaced the roster in the model: `framed` are the cells framed with it and
    // `people` (group, slot) those whose row changed.
    void restored(const MarkedCells& framed, const std::vector<std::pair<int, int>>& people);

private:
    void take(bool undo);
    void showState();

    RosterModel& model_;
    RosterHistory history_;
    std::function<MarkedCells()> framedNow_;
    QPushButton* undo_;
    QPushButton* redo_;
};
