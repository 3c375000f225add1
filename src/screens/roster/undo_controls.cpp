#include "screens/roster/undo_controls.h"

#include "screens/roster/roster_grid_keys.h"
#include "widgets/busy_cursor.h"
#include "widgets/form_parts.h"

#include <QPushButton>

using namespace Qt::Literals::StringLiterals;

UndoControls::UndoControls(QWidget* parent, RosterModel& model)
    : QObject(parent), model_(model),
      undo_(FormParts::button(u"元に戻す"_s, u"元に戻す"_s, parent)),
      redo_(FormParts::button(u"やり直し"_s, u"やり直し"_s, parent)) {
    for (QPushButton* b : {undo_, redo_}) {
        b->setAutoDefault(false);
        b->setToolTip(b == undo_ ? u"元に戻す (Ctrl+Z)"_s : u"やり直し (Ctrl+Y)"_s);
    }
    connect(undo_, &QPushButton::clicked, this, &UndoControls::undo);
    connect(redo_, &QPushButton::clicked, this, &UndoControls::redo);
    showState();
}

void UndoControls::listenTo(RosterGridKeys& keys) {
    connect(&keys, &RosterGridKeys::undoPressed, this, &UndoControls::undo);
    connect(&keys, &RosterGridKeys::redoPressed, this, &UndoControls::redo);
}

RosterHistory::State UndoControls::current() const {
    return RosterHistory::take(model_, framedNow_ ? framedNow_() : MarkedCells{});
}

void UndoControls::record() {
    push(current());
}

void UndoControls::push(RosterHistory::State before) {
    history_.push(std::move(before));
    showState();
}

void UndoControls::clear() {
    history_.clear();
    showState();
}

void UndoControls::undo() {
    take(true);
}

void UndoControls::redo() {
    take(false);
}

void UndoControls::take(bool undo) {
    {
        BusyCursor busy;
        const MarkedCells framedNow = framedNow_ ? framedNow_() : MarkedCells{};
        const auto back =
            undo ? history_.undo(model_, framedNow) : history_.redo(model_, framedNow);
        if (back)
            Q_EMIT restored(back->framed, back->people);
    }
    showState();
}

void UndoControls::showState() {
    undo_->setEnabled(history_.canUndo());
    redo_->setEnabled(history_.canRedo());
}
