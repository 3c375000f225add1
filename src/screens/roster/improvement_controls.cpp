#include "screens/roster/improvement_controls.h"

#include "screens/roster/roster_grid_painter.h"
#include "widgets/busy_cursor.h"
#include "widgets/form_parts.h"

#include <QLabel>
#include <QPushButton>

using namespace Qt::Literals::StringLiterals;

ImprovementControls::ImprovementControls(QWidget* parent, RosterModel& model, Inform inform)
    : QObject(parent), model_(model), inform_(std::move(inform)),
      improve_(FormParts::button(u"改善"_s, u"改善"_s, parent)), figures_(new QLabel(parent)) {
    figures_->setObjectName(u"改善結果"_s);
    figures_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // Wrapped, so the long line of figures never widens the window past the screen.
    figures_->setWordWrap(true);
    connect(improve_, &QPushButton::clicked, this, &ImprovementControls::onImprove);
    showState();
}

void ImprovementControls::rosterExpanded() {
    expanded_ = true;
    rosterReplaced();
}

void ImprovementControls::rosterReplaced() {
    outcome_.forget();
    showState();
}

void ImprovementControls::onImprove() {
    if (!expanded_ || outcome_.shown())
        return;
    Q_EMIT aboutToImprove();
    {
        BusyCursor busy;
        outcome_.improve(model_, options_);
        if (painter_) {
            painter_->setMarkedCells(outcome_.changedCells());
            painter_->draw(painter_->leadersView());
        }
    }
    showState();
    Q_EMIT rosterChanged();
    inform_(outcome_.message());
}

void ImprovementControls::showState() {
    improve_->setEnabled(expanded_ && !outcome_.shown());
    const QString figures = outcome_.figuresText();
    figures_->setText(figures.isEmpty() ? QString() : u"改善前→改善後: "_s + figures);
    figures_->setVisible(!figures.isEmpty());
}
