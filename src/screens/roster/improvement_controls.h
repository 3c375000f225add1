#pragma once

#include "roster/improvement_pass.h"
#include "screens/roster/improvement_undo.h"

#include <QObject>
#include <functional>

class QLabel;
class QPushButton;
class QWidget;
class RosterGridPainter;
struct RosterModel;

// The buttons 改善 and 元に戻す of the creation screen and the line "改善結果" under them: 改善
// runs the improvement pass on the screen's roster under the busy cursor, redraws it with the
// changed cells framed and shows the figures before and after; 元に戻す puts the roster back
// as it was before 改善 and redraws it without frames. 改善 is offered once a roster is
// expanded and while no improvement is shown; 元に戻す while one is.
class ImprovementControls final : public QObject {
    Q_OBJECT
public:
    using Inform = std::function<void(const QString&)>;

    // The buttons and the line become children of `parent`, for its layout to place.
    ImprovementControls(QWidget* parent, RosterModel& model, Inform inform);

    QPushButton* improveButton() const { return improve_; }
    QPushButton* undoButton() const { return undo_; }
    QLabel* figuresLine() const { return figures_; }

    // The painter is made after the grid the buttons sit beside.
    void setPainter(RosterGridPainter& painter) { painter_ = &painter; }
    void setOptions(const ImprovementOptions& options) { options_ = options; }

    // A new roster is in the model: 改善 is offered, nothing is left to undo.
    void rosterExpanded();
    // The clerk changed a cell: the frames and the figures no longer describe the roster shown,
    // and 元に戻す would throw the change away, so the improvement is forgotten and 改善 is
    // offered again for the roster as it now stands.
    void cellEdited();

Q_SIGNALS:
    // 改善 or 元に戻す changed the roster in the model.
    void rosterChanged();

private:
    void onImprove();
    void onUndo();
    void redraw();
    void showState();

    RosterModel& model_;
    Inform inform_;
    RosterGridPainter* painter_ = nullptr;
    ImprovementOptions options_;
    ImprovementUndo undoState_;
    bool expanded_ = false;
    QPushButton* improve_;
    QPushButton* undo_;
    QLabel* figures_;
};
