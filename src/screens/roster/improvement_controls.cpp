#include "screens/roster/improvement_controls.h"

#include "screens/roster/roster_grid_painter.h"
#include "widgets/busy_cursor.h"
#include "widgets/form_parts.h"

#include <QLabel>
#include <QPushButton>

using namespace Qt::Literals::StringLiterals;

ImprovementControls::ImprovementControls(QWidget* parent, RosterModel& model, Inform inform)
    : QObject(parent), model_(model), inform_(std::move(inform)),
      improve_(FormParts::button(u"改善"_s, u"改善"_s, parent)),
      undo_(FormParts::button(u"元に戻す"_s, u"元に戻す"_s, parent)), figures_(new QLabel(parent)) {
    figures_->setObjectName(u"改善結果"_s);
    figures_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // Wrapped, so the long line of figures never widens the window past the screen.
    figures_->setWordWrap(true);
    connect(improve_, &QPushButton::clicked, this, &ImprovementControls::onImprove);
    connect(undo_, &QPushButton::clicked, this, &ImprovementControls::onUndo);
    showState();
}

void ImprovementControls::rosterExpanded() {
    expanded_ = true;
    undoState_.forget();
    if (painter_)
        painter_->setMarkedCells({});
    showState();
}

void ImprovementControls::cellEdited() {
    if (!undoState_.canUndo())
        return;
    undoState_.forget();
    if (painter_)
        painter_->setMarkedCells({});
    showState();
}

void ImprovementControls::onImprove() {
    if (!expanded_ || undoState_.canUndo())
        return;
    {
        BusyCursor busy;
        undoState_.improve(model_, options_);
        redraw();
    }
    showState();
    Q_EMIT rosterChanged();
    inform_(undoState_.message());
}

void ImprovementControls::onUndo() {
    if (!undoState_.canUndo())
        return;
    {
        BusyCursor busy;
        undoState_.undo(model_);
        redraw();
    }
    showState();
    Q_EMIT rosterChanged();
}

void ImprovementControls::redraw() {
    if (!painter_)
        return;
    painter_->setMarkedCells(undoState_.changedCells());
    painter_->draw(painter_->leadersView());
}

void ImprovementControls::showState() {
    improve_->setEnabled(expanded_ && !undoState_.canUndo());
    undo_->setEnabled(undoState_.canUndo());
    const QString figures = undoState_.figuresText();
    figures_->setText(figures.isEmpty() ? QString() : u"改善前→改善後: "_s + figures);
    figures_->setVisible(!figures.isEmpty());
}
