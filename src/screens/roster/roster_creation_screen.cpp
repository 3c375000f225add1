#include "screens/roster/roster_creation_screen.h"

#include "output/roster_print.h"
#include "roster/generation.h"
#include "roster/night_settings.h"
#include "roster/pinned_cells.h"
#include "roster/quality_report.h"
#include "roster/registered_period.h"
#include "roster/registration.h"
#include "roster/roster_creation_edits.h"
#include "roster/short_day_explainer.h"
#include "roster/tallies.h"
#include "screens/app_context.h"
#include "screens/date_field_checks.h"
#include "screens/output/preview_print_output.h"
#include "screens/roster/confirmed_cell_edit.h"
#include "screens/roster/early_late_screen.h"
#include "screens/roster/improvement_controls.h"
#include "screens/roster/quality_window.h"
#include "screens/roster/roster_grid_keys.h"
#include "screens/roster/roster_grid_painter.h"
#include "screens/roster/roster_window_size.h"
#include "screens/roster/short_day_dialog.h"
#include "screens/roster/undo_controls.h"
#include "store/period_rule.h"
#include "store/startup_settings.h"
#include "widgets/busy_cursor.h"
#include "widgets/field_checks.h"
#include "widgets/flex_grid.h"
#include "widgets/form_parts.h"
#include "widgets/palette.h"

#include <QElapsedTimer>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

QString titleOf(RosterCreationScreen::Kind kind) {
    return kind == RosterCreationScreen::Kind::ByTeam ? u"ﾁｰﾑ別勤務表作成"_s : u"個別勤務表作成"_s;
}

} // namespace

RosterCreationScreen::RosterCreationScreen(AppContext& context, Kind kind,
                                           std::unique_ptr<PrintOutput> output, QWidget* parent)
    : EntryScreen(context, kind == Kind::ByTeam ? u"勤務作チ"_s : u"勤務作個"_s, titleOf(kind),
                  titleOf(kind), parent),
      kind_(kind), output_(std::move(output)) {
    if (!output_)
        output_ = std::make_unique<PreviewPrintOutput>();
    buildUi();
    painter_ = std::make_unique<RosterGridPainter>(*grid_, model_, ctx().settings,
                                                   RosterGridPainter::CountRows::Creation);
    improvement_->setPainter(*painter_);
    undo_->setFramedNow([this] { return painter_->markedCells(); });
    chooser_ = [this](QWidget* parent, const QString& abbrev, int mark) {
        return ShiftChangeDialog::choose(ctx(), parent, abbrev, mark);
    };
    shortDayChooser_ = [](QWidget* parent, const ShortDayExplanation& explanation) {
        return ShortDayDialog::choose(parent, explanation);
    };
    openEarlyLate_ = [this](RosterModel& model) {
        EarlyLateScreen screen(ctx(), model,
                               kind_ == Kind::ByTeam ? EarlyLateScreen::Kind::ByTeam
                                                     : EarlyLateScreen::Kind::Individual,
                               this);
        screen.exec();
    };
    proposePeriod();
}

RosterCreationScreen::~RosterCreationScreen() = default;

void RosterCreationScreen::buildUi() {
    startEdit_ = new QLineEdit(this);
    startEdit_->setObjectName(u"表開始日"_s);
    endEdit_ = new QLineEdit(this);
    endEdit_->setObjectName(u"表終了日"_s);
    for (auto* e : {startEdit_, endEdit_}) {
        e->setMaxLength(10);
        FormParts::fitToText(e, u"0000/00/00"_s);
    }
    auto button = [this](const QString& name) { return FormParts::button(name, name, this); };
    QPushButton* expand = button(u"展開"_s);
    QPushButton* confirm = button(u"確定"_s);
    QPushButton* print = button(u"印刷"_s);
    QPushButton* close = button(u"終了"_s);
    QPushButton* all = button(u"全員"_s);
    QPushButton* leaders = button(u"責任者"_s);
    quality_ = button(u"品質"_s);
    quality_->setEnabled(false); // nothing to judge before 展開
    grid_ = new FlexGrid(this);
    grid_->setObjectName(u"勤務名"_s);

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(u"作成期間"_s, this));
    top->addWidget(startEdit_);
    top->addWidget(new QLabel(u"～"_s, this));
    top->addWidget(endEdit_);
    top->addWidget(expand);
    top->addSpacing(16);
    top->addWidget(all);
    top->addWidget(leaders);
    top->addWidget(quality_);
    top->addStretch();
    top->addWidget(confirm);
    top->addWidget(print);
    top->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(grid_, 1);
    FitRosterWindow(*this);

    setTabOrder(startEdit_, endEdit_);
    setTabOrder(endEdit_, expand);
    setTabOrder(expand, all);
    setTabOrder(all, leaders);
    setTabOrder(leaders, quality_);
    setTabOrder(quality_, grid_);
    setTabOrder(grid_, confirm);
    setTabOrder(confirm, print);
    setTabOrder(print, close);

    connect(expand, &QPushButton::clicked, this, &RosterCreationScreen::onExpandClicked);
    connect(confirm, &QPushButton::clicked, this, &RosterCreationScreen::onConfirmClicked);
    connect(print, &QPushButton::clicked, this, &RosterCreationScreen::onPrintClicked);
    connect(close, &QPushButton::clicked, this, [this] { closeAfterQuestion(); });
    setCloseQuestion(u"勤務表の作成を終了します"_s, [this] { return unsaved_; });
    connect(all, &QPushButton::clicked, this, &RosterCreationScreen::onAllClicked);
    connect(leaders, &QPushButton::clicked, this, &RosterCreationScreen::onLeadersClicked);
    connect(quality_, &QPushButton::clicked, this, &RosterCreationScreen::onQualityClicked);
    connect(grid_, &FlexGrid::cellClickedAt, this, &RosterCreationScreen::onGridClicked);
    auto* keys = new RosterGridKeys(*grid_);
    connect(keys, &RosterGridKeys::cellActivated, this, &RosterCreationScreen::onGridClicked);
    connect(keys, &RosterGridKeys::pinPressed, this, &RosterCreationScreen::onPinRequested);
    grid_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(grid_, &QWidget::customContextMenuRequested, this, &RosterCreationScreen::onGridMenu);
    checks().onFocusLost(startEdit_, [this] { checkStart(); });
    checks().onFocusLost(endEdit_, [this] { checkEnd(); });

    // 改善, 元に戻す and やり直し beside 展開, the figures of 改善 between the buttons and the
    // grid.
    improvement_ = new ImprovementControls(this, model_, [this](const QString& t) { inform(t); });
    undo_ = new UndoControls(this, model_);
    undo_->listenTo(*keys);
    top->insertWidget(top->indexOf(expand) + 1, improvement_->improveButton());
    top->insertWidget(top->indexOf(expand) + 2, undo_->undoButton());
    top->insertWidget(top->indexOf(expand) + 3, undo_->redoButton());
    layout->insertWidget(layout->indexOf(grid_), improvement_->figuresLine());
    setTabOrder(expand, improvement_->improveButton());
    setTabOrder(improvement_->improveButton(), undo_->undoButton());
    setTabOrder(undo_->undoButton(), undo_->redoButton());
    connect(improvement_, &ImprovementControls::aboutToImprove, undo_, &UndoControls::record);
    connect(improvement_, &ImprovementControls::rosterChanged, this, [this] { unsaved_ = true; });
    connect(undo_, &UndoControls::restored, this, &RosterCreationScreen::onStepRestored);
}

void RosterCreationScreen::proposePeriod() {
    act([this] { informAll(LoadStartupSettings(ctx().db, ctx().settings)); });
    const Period next = NextPeriod(ctx().settings.creationUnit, ctx().settings.creationUnitCount,
                                   ctx().settings.periodEnd);
    startEdit_->setText(next.start);
    endEdit_->setText(next.end);
}

bool RosterCreationScreen::checkStart() {
    return DateFieldChecks::rosterStart(checks(), startEdit_);
}

bool RosterCreationScreen::checkEnd() {
    return DateFieldChecks::rosterEnd(checks(), endEdit_);
}

void RosterCreationScreen::onExpandClicked() {
    QElapsedTimer timer;
    timer.start();
    // A refused or failed expansion leaves the roster on screen, edits included, usable as it
    // was: only a new roster replaces it.
    checks().reset();
    checkStart();
    checkEnd();
    if (!checks().hasError()) {
        const QString error = CheckGenerationPeriod(startEdit_->text(), endEdit_->text());
        checks().check(endEdit_, error.isEmpty(), error);
    }
    if (checks().reportIfFailed())
        return;

    // The cells held by hand stay through a new expansion of the same period.
    const bool samePeriod = expanded_ && startEdit_->text() == model_.periodStart &&
                            endEdit_->text() == model_.periodEnd;
    const std::vector<PinnedShift> pins =
        samePeriod ? PinnedShifts(model_) : std::vector<PinnedShift>{};
    auto fresh = std::make_unique<RosterModel>();
    const bool done = actBusy([&] {
        ExpandRoster(ctx().db, *fresh, ctx().settings, startEdit_->text(), endEdit_->text(),
                     kind_ == Kind::ByTeam ? Grouping::ByTeam : Grouping::Everybody, pins);
    });
    if (!done)
        return;
    // A quality window open on the roster replaced would judge what is no longer shown.
    if (qualityWindow_)
        qualityWindow_->close();
    model_ = std::move(*fresh);
    painter_->draw(false);
    expanded_ = true;
    painter_->setMarkedCells({});
    improvement_->rosterExpanded();
    undo_->clear();
    changed_ = false;
    unsaved_ = true;
    lastExpandMs_ = timer.elapsed();
    quality_->setEnabled(true);
    inform(u"勤務表を展開しました"_s);
}

void RosterCreationScreen::onAllClicked() {
    painter_->restoreHighlight();
    painter_->draw(false);
}

void RosterCreationScreen::onLeadersClicked() {
    const bool generated = expanded_ && model_.groupCount(1) + model_.groupCount(2) > 0;
    if (!generated) {
        inform(u"先に勤務表の展開を行って下さい。"_s);
        return;
    }
    painter_->restoreHighlight();
    painter_->draw(true);
}

void RosterCreationScreen::onGridClicked(int row, int col) {
    if (expanded_) {
        if (const auto count = painter_->shortCountAt(row, col)) {
            onShortCountClicked(count->first, count->second, col);
            return;
        }
    }
    editCell(row, col, chooser_);
}

void RosterCreationScreen::editCell(int row, int col, const EditChooser& chooser) {
    const auto [group, slot] = painter_->personAt(row);
    if (IsPinned(model_, group, slot, RosterGridPainter::dayOfColumn(col))) {
        inform(u"固定された日は変更出来ません。固定解除してから変更して下さい。"_s);
        return;
    }
    const std::optional<EditResult> edit =
        ConfirmedCellEdit(*painter_, ctx().prompter, title(), chooser, this, row, col);
    if (!edit)
        return;
    BusyCursor busy;
    applyEdit(*edit, row, RosterGridPainter::dayOfColumn(col));
}

// A red count: who could take the shift that day and why the others cannot; the person chosen
// gets the usual change of their cell, offered the short shift the clerk came to fill.
void RosterCreationScreen::onShortCountClicked(int level, int shift, int col) {
    const int day = RosterGridPainter::dayOfColumn(col);
    std::optional<ShortDayExplanation> explanation;
    if (!act([&] { explanation = ExplainShortDay(model_, day, shift, level); }))
        return;
    const auto person = shortDayChooser_(this, *explanation);
    if (!person)
        return;
    const int row = painter_->rowOf(person->first, person->second);
    if (row == 0)
        return;
    const QString shortShift = explanation->shiftAbbrev;
    editCell(row, col, [this, shortShift](QWidget* parent, const QString&, int) {
        return chooser_(parent, shortShift, 0);
    });
}

QualityWindow* RosterCreationScreen::qualityWindow() const {
    return qualityWindow_;
}

void RosterCreationScreen::onQualityClicked() {
    if (!expanded_) {
        inform(u"先に勤務表の展開を行って下さい。"_s);
        return;
    }
    std::optional<QualityReport> report;
    if (!actBusy([&] { report = BuildQualityReport(model_, NightSettings::load(ctx().db)); }))
        return;
    if (qualityWindow_)
        qualityWindow_->close();
    qualityWindow_ = new QualityWindow(std::move(*report), *output_, this);
    connect(qualityWindow_, &QualityWindow::findingChosen, this, &RosterCreationScreen::selectCell);
    qualityWindow_->show();
}

// Shows a finding's cell: the person's row (the count rows when it concerns no one person)
// and the day's column (the period's first day when it concerns the whole period).
void RosterCreationScreen::selectCell(int group, int slot, int day) {
    int row = group > 0 ? painter_->rowOf(group, slot) : painter_->firstCountRow();
    if (row == 0)
        row = painter_->firstCountRow();
    const int col = RosterGridPainter::columnOfDay(std::clamp(
        day, 1, std::max(1, std::min(model_.lastDay(), int(RosterBounds::MaxPeriodDay)))));
    painter_->highlight(row, col);
    grid_->setCurrentCell(row, col);
    grid_->scrollToItem(grid_->item(row, col));
    raise();
    activateWindow();
}

void RosterCreationScreen::applyEdit(const EditResult& edit, int row, int day) {
    const auto [group, slot] = painter_->personAt(row);
    if (group == 0 || edit.action == EditAction::Closed || edit.action == EditAction::Cancelled)
        return;
    undo_->record();
    // The frames and figures of an improvement no longer describe the roster.
    painter_->setMarkedCells({});
    improvement_->rosterReplaced();
    changed_ = true;
    unsaved_ = true;
    switch (edit.action) {
    case EditAction::Replace: {
        model_.person(group, slot).cell(day).shift = edit.shiftAbbrev;
        const int col = RosterGridPainter::columnOfDay(day);
        grid_->setText(row, col, edit.shiftAbbrev);
        grid_->setCellForeColor(row, col,
                                Palette::colour(edit.shiftAbbrev == model_.cache.restShift
                                                    ? Palette::Red
                                                    : Palette::Black));
        TallyAfterPlacement(model_, group, slot, day);
        painter_->drawPersonTallies(row);
        painter_->drawCounts(day, day);
        break;
    }
    case EditAction::Insert:
        CompactBackward(model_, group, slot, day, edit.shiftAbbrev);
        redrawAfterPersonChange(row, day);
        break;
    case EditAction::Delete:
        CompactForward(model_, group, slot, day);
        redrawAfterPersonChange(row, day);
        break;
    case EditAction::Sequence:
        WriteShiftSequence(model_, group, slot, day);
        redrawAfterPersonChange(row, day);
        break;
    case EditAction::Closed: // confirmed, but nothing was chosen
    case EditAction::Cancelled:
        break;
    }
}

void RosterCreationScreen::onPinRequested(int row, int col) {
    if (!expanded_) {
        inform(u"先に勤務表の展開を行って下さい。"_s);
        return;
    }
    const auto [group, slot] = painter_->personAt(row);
    const int day = RosterGridPainter::dayOfColumn(col);
    if (!IsPinned(model_, group, slot, day)) {
        if (const QString problem = PinProblem(model_, group, slot, day); !problem.isEmpty()) {
            inform(problem);
            return;
        }
    }
    undo_->record();
    TogglePin(model_, group, slot, day);
    painter_->drawPersonCells(row, day, day);
}

void RosterCreationScreen::onGridMenu(const QPoint& pos) {
    const QModelIndex index = grid_->indexAt(pos);
    if (!expanded_ || !index.isValid())
        return;
    const int row = index.row();
    const int col = index.column();
    const auto [group, slot] = painter_->personAt(row);
    const int day = RosterGridPainter::dayOfColumn(col);
    const bool pinned = IsPinned(model_, group, slot, day);
    if (!pinned && !PinProblem(model_, group, slot, day).isEmpty())
        return;
    grid_->setCurrentCell(row, col);
    QMenu menu(this);
    menu.addAction(pinned ? u"固定解除"_s : u"固定"_s, this,
                   [this, row, col] { onPinRequested(row, col); });
    menu.exec(grid_->viewport()->mapToGlobal(pos));
}

void RosterCreationScreen::onStepRestored(const MarkedCells& framed,
                                          const std::vector<std::pair<int, int>>& people) {
    painter_->setMarkedCells(framed);
    painter_->drawPeopleAndCounts(people);
    improvement_->rosterReplaced();
    changed_ = true;
    // Whatever was registered is no longer what the model holds.
    unsaved_ = true;
}

void RosterCreationScreen::redrawAfterPersonChange(int row, int day) {
    const auto [group, slot] = painter_->personAt(row);
    painter_->drawPersonCells(row, day, model_.lastDay());
    TallyPerStaff(model_, group, slot);
    painter_->drawPersonTallies(row);
    TallyEveryDay(model_);
    painter_->drawCounts(1, model_.lastDay());
}

void RosterCreationScreen::onConfirmClicked() {
    if (!expanded_) {
        inform(u"先に勤務表の展開を行って下さい。"_s);
        return;
    }
    if (startEdit_->text() != model_.periodStart || endEdit_->text() != model_.periodEnd) {
        inform(u"基準日が変更されています。展開からやり直して下さい"_s);
        return;
    }
    if (!ask(u"勤務表を登録します。日付を確認して下さい。"_s))
        return;
    // Registering over a registered period loses its hand corrections and early/late marks.
    bool registeredBefore = false;
    if (!act([&] {
            registeredBefore =
                HoldsRegisteredRoster(ctx().db, model_.periodStart, model_.periodEnd);
        }))
        return;
    if (registeredBefore &&
        !askDefaultNo(u"%1 ～ %2 の勤務表は登録済みです。登録済みの勤務表を置き換えますか？"_s.arg(
            model_.periodStart, model_.periodEnd)))
        return;
    if (changed_)
        painter_->restoreHighlight();
    const bool registered =
        actBusy([&] { informAll(RegisterRoster(ctx().db, model_, Registering::NewRoster)); }) &&
        act([&] { LoadStartupSettings(ctx().db, ctx().settings); });
    if (!registered)
        return;
    unsaved_ = false;
    if (ask(u"早出・遅出の設定を行いますか？"_s)) {
        // The early and late marks are one step, undone as a whole.
        undo_->record();
        openEarlyLate_(model_);
        painter_->draw(painter_->leadersView());
    }
}

void RosterCreationScreen::onPrintClicked() {
    if (!expanded_) {
        inform(u"先に勤務表の展開を行って下さい。"_s);
        return;
    }
    if (changed_)
        painter_->restoreHighlight();
    act([&] {
        output_->print(this, u"勤務シフト表"_s, [this](Sheet& sheet) {
            PrintRoster(model_, ctx().settings.weekdayColour, sheet);
        });
    });
}
