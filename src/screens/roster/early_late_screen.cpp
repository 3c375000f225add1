#include "screens/roster/early_late_screen.h"

#include "output/roster_print.h"
#include "roster/early_late.h"
#include "roster/registration.h"
#include "roster/roster_model.h"
#include "roster/tallies.h"
#include "screens/app_context.h"
#include "screens/output/preview_print_output.h"
#include "screens/roster/confirmed_cell_edit.h"
#include "screens/roster/roster_grid_keys.h"
#include "screens/roster/roster_grid_painter.h"
#include "screens/roster/roster_window_size.h"
#include "screens/roster/undo_controls.h"
#include "widgets/busy_cursor.h"
#include "widgets/flex_grid.h"
#include "widgets/form_parts.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace {

QString titleOf(EarlyLateScreen::Kind kind) {
    return kind == EarlyLateScreen::Kind::ByTeam ? u"ﾁｰﾑ別勤務表早番･遅番 作成"_s
                                                 : u"勤務表早番･遅番 作成"_s;
}

} // namespace

EarlyLateScreen::EarlyLateScreen(AppContext& context, RosterModel& model, Kind kind,
                                 QWidget* parent, std::unique_ptr<PrintOutput> output)
    : EntryDialog(context, kind == Kind::ByTeam ? u"勤務早チ"_s : u"勤務早個"_s, titleOf(kind),
                  titleOf(kind), parent),
      model_(model), output_(std::move(output)) {
    if (!output_)
        output_ = std::make_unique<PreviewPrintOutput>();
    setModal(true);
    buildUi();
    painter_ = std::make_unique<RosterGridPainter>(*grid_, model_, ctx().settings,
                                                   RosterGridPainter::CountRows::EarlyLate);
    chooser_ = [this](QWidget* p, const QString& abbrev, int mark) {
        return ShiftChangeDialog::choose(ctx(), p, abbrev, mark);
    };
    {
        BusyCursor busy;
        AssignEarlyLate(model_);
        painter_->draw(false);
    }
}

EarlyLateScreen::~EarlyLateScreen() = default;

void EarlyLateScreen::buildUi() {
    auto* start = new QLineEdit(model_.periodStart, this);
    start->setObjectName(u"表開始日"_s);
    auto* end = new QLineEdit(model_.periodEnd, this);
    end->setObjectName(u"表終了日"_s);
    for (auto* e : {start, end}) {
        e->setReadOnly(true);
        FormParts::fitToText(e, u"0000/00/00"_s);
    }
    auto button = [this](const QString& name) {
        QPushButton* b = FormParts::button(name, name, this);
        b->setAutoDefault(false);
        return b;
    };
    QPushButton* confirm = button(u"確定"_s);
    QPushButton* print = button(u"印刷"_s);
    QPushButton* close = button(u"終了"_s);
    grid_ = new FlexGrid(this);
    grid_->setObjectName(u"勤務名"_s);

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(u"作成期間"_s, this));
    top->addWidget(start);
    top->addWidget(new QLabel(u"～"_s, this));
    top->addWidget(end);
    undo_ = new UndoControls(this, model_);
    top->addWidget(undo_->undoButton());
    top->addWidget(undo_->redoButton());
    top->addStretch();
    top->addWidget(confirm);
    top->addWidget(print);
    top->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(grid_, 1);
    FitRosterWindow(*this);

    connect(confirm, &QPushButton::clicked, this, &EarlyLateScreen::onConfirmClicked);
    connect(print, &QPushButton::clicked, this, &EarlyLateScreen::onPrintClicked);
    connect(close, &QPushButton::clicked, this, &EarlyLateScreen::onCloseClicked);
    connect(grid_, &FlexGrid::cellClickedAt, this, &EarlyLateScreen::onGridClicked);
    auto* keys = new RosterGridKeys(*grid_);
    connect(keys, &RosterGridKeys::cellActivated, this, &EarlyLateScreen::onGridClicked);
    undo_->listenTo(*keys);
    connect(undo_, &UndoControls::restored, this,
            [this](const MarkedCells&, const std::vector<std::pair<int, int>>& people) {
                painter_->drawPeopleAndCounts(people);
            });
}

void EarlyLateScreen::onGridClicked(int row, int col) {
    const std::optional<EditResult> edit = ConfirmedCellEdit(
        *painter_, ctx().prompter, title(), chooser_, this, row, col, Edits::ReplaceOnly);
    if (!edit)
        return;
    const int day = RosterGridPainter::dayOfColumn(col);
    const auto [group, slot] = painter_->personAt(row);
    undo_->record();
    Cell& cell = model_.person(group, slot).cell(day);
    cell.shift = edit->shiftAbbrev;
    cell.early = edit->earlyMark;
    TallyAfterPlacement(model_, group, slot, day);
    painter_->drawPersonCells(row, day, day);
    painter_->drawPersonTallies(row);
    painter_->drawCounts(day, day);
}

void EarlyLateScreen::onConfirmClicked() {
    if (!ask(u"勤務表の早番･遅番を登録します。"_s))
        return;
    painter_->restoreHighlight();
    // The creation period was advanced when the roster was registered.
    const bool done =
        actBusy([&] { informAll(RegisterRoster(ctx().db, model_, Registering::Correction)); });
    if (done)
        inform(u"登録を終了しました。"_s);
}

void EarlyLateScreen::onPrintClicked() {
    painter_->restoreHighlight();
    act([&] {
        output_->print(this, u"勤務シフト表"_s, [this](Sheet& sheet) {
            PrintRoster(model_, ctx().settings.weekdayColour, sheet);
        });
    });
}

void EarlyLateScreen::onCloseClicked() {
    if (ask(u"勤務表の作成を終了します"_s))
        accept();
}

void EarlyLateScreen::reject() {
    if (ask(u"勤務表の作成を終了します"_s))
        EntryDialog::reject();
}
