#pragma once

#include "roster/improvement_outcome.h"
#include "roster/improvement_pass.h"

#include <QObject>
#include <functional>

class QLabel;
class QPushButton;
class QWidget;
class RosterGridPainter;
struct RosterModel;

// The button 改善 of the creation screen and the line "改善結果" under it: 改善 runs the
// improvement pass on the screen's roster under the busy cursor, redraws it with the changed
// cells framed and shows the figures before and after. 改善 is offered once a roster is
// expanded and while no improvement is shown; undoing it is the screen's undo.
class ImprovementControls final : public QObject {
    Q_OBJECT
public:
    using Inform = std::function<void(const QString&)>;

    // The button and the line become children of `parent`, for its layout to place.
    ImprovementControls(QWidget* parent, RosterModel& model, Inform inform);

    QPushButton* improveButton() const { return improve_; }
    QLabel* figuresLine() const { return figures_; }

    // The painter is made after the grid the button sits beside.
    void setPainter(RosterGridPainter& painter) { painter_ = &painter; }
    void setOptions(const ImprovementOptions& options) { options_ = options; }

    // A new roster is in the model: 改善 is offered.
    void rosterExpanded();
    // The roster changed otherwise (a hand edit, undo or redo): the frames and the figures no
    // longer describe the roster shown, so they go and 改善 is offered for the roster as it
    // now stands.
    void rosterReplaced();

Q_SIGNALS:
    // 改善 is about to change the roster in the model.
    void aboutToImprove();
    // 改善 changed the roster in the model.
    void rosterChanged();

private:
    void onImprove();
    void showState();

    RosterModel& model_;
    Inform inform_;
    RosterGridPainter* painter_ = nullptr;
    ImprovementOptions options_;
    ImprovementOutcome outcome_;
    bool expanded_ = false;
    QPushButton* improve_;
    QLabel* figures_;
};
