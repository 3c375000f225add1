#include "screens/roster/roster_change_screen.h"

#include "output/roster_print.h"
#include "output/stored_roster_print.h"
#include "roster/generation.h"
#include "roster/roster_change_save.h"
#include "roster/roster_load.h"
#include "roster/tallies.h"
#include "screens/app_context.h"
#include "screens/date_field_checks.h"
#include "screens/output/preview_print_output.h"
#include "screens/roster/roster_change_painter.h"
#include "screens/roster/roster_grid_keys.h"
#include "screens/roster/roster_window_size.h"
#include "screens/roster/undo_controls.h"
#include "store/startup_settings.h"
#include "widgets/field_checks.h"
#include "widgets/flex_grid.h"
#include "widgets/form_parts.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString NotShownMessage = u"先に勤務表の照会を行って下さい。"_s;
const QString DiscardQuestion = u"更新していない変更があります。変更を破棄して照会しますか"_s;

} // namespace

RosterChangeScreen::RosterChangeScreen(AppContext& context, Kind kind,
                                       std::unique_ptr<PrintOutput> output, QWidget* parent)
    : EntryScreen(context, kind == Kind::ByTeam ? u"勤務変チ"_s : u"勤務変個"_s,
                  kind == Kind::ByTeam ? u"ﾁｰﾑ別勤務表変更"_s : u"勤務表変更"_s, u"勤務表変更"_s,
                  parent),
      kind_(kind), output_(std::move(output)) {
    if (!output_)
        output_ = std::make_unique<PreviewPrintOutput>();
    buildUi();
    painter_ = std::make_unique<RosterChangePainter>(*grid_, model_, ctx().settings,
                                                     kind_ == Kind::ByTeam
                                                         ? RosterChangePainter::Blocks::ByTeam
                                                         : RosterChangePainter::Blocks::WholeUnit);
    chooser_ = [this](QWidget* parent, const QString& abbrev, int mark) {
        return ShiftChangeDialog::choose(ctx(), parent, abbrev, mark);
    };
    backupChooser_ = [this](QWidget* parent, const BackupRequest& request) {
        return BackupRegistrationDialog::choose(ctx(), parent, request);
    };
    // The period last created is the one to correct.
    act([this] { informAll(LoadStartupSettings(ctx().db, ctx().settings)); });
    startEdit_->setText(ctx().settings.periodStart);
    endEdit_->setText(ctx().settings.periodEnd);
}

RosterChangeScreen::~RosterChangeScreen() = default;

void RosterChangeScreen::buildUi() {
    startEdit_ = new QLineEdit(this);
    startEdit_->setObjectName(u"表開始日"_s);
    endEdit_ = new QLineEdit(this);
    endEdit_->setObjectName(u"表終了日"_s);
    for (auto* e : {startEdit_, endEdit_}) {
        e->setMaxLength(10);
        FormParts::fitToText(e, u"0000/00/00"_s);
    }
    QPushButton* show = FormParts::button(u"照会"_s, u"照会"_s, this);
    QPushButton* update = FormParts::button(u"更新"_s, u"確定"_s, this);
    QPushButton* print = FormParts::button(u"印刷"_s, u"印刷"_s, this);
    QPushButton* close = FormParts::button(u"終了"_s, u"終了"_s, this);
    grid_ = new FlexGrid(this);
    grid_->setObjectName(u"勤務名"_s);

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(u"開始日"_s, this));
    top->addWidget(startEdit_);
    top->addWidget(new QLabel(u"～"_s, this));
    top->addWidget(endEdit_);
    top->addWidget(show);
    undo_ = new UndoControls(this, model_);
    top->addWidget(undo_->undoButton());
    top->addWidget(undo_->redoButton());
    top->addStretch();
    top->addWidget(update);
    top->addWidget(print);
    top->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(grid_, 1);
    FitRosterWindow(*this);

    setTabOrder(startEdit_, endEdit_);
    setTabOrder(endEdit_, show);
    setTabOrder(show, grid_);
    setTabOrder(grid_, update);
    setTabOrder(update, print);
    setTabOrder(print, close);

    connect(show, &QPushButton::clicked, this, &RosterChangeScreen::onShowClicked);
    connect(update, &QPushButton::clicked, this, &RosterChangeScreen::onUpdateClicked);
    connect(print, &QPushButton::clicked, this, &RosterChangeScreen::onPrintClicked);
    connect(close, &QPushButton::clicked, this, [this] { closeAfterQuestion(); });
    setCloseQuestion(u"勤務表変更を終了します"_s, [this] { return unsaved_; });
    connect(grid_, &FlexGrid::cellClickedAt, this, &RosterChangeScreen::onGridClicked);
    auto* keys = new RosterGridKeys(*grid_);
    connect(keys, &RosterGridKeys::cellActivated, this, &RosterChangeScreen::onGridClicked);
    undo_->listenTo(*keys);
    connect(undo_, &UndoControls::restored, this, [this] {
        painter_->draw();
        unsaved_ = true;
    });
    checks().onFocusLost(startEdit_, [this] { checkStart(); });
    checks().onFocusLost(endEdit_, [this] { checkEnd(); });
}

bool RosterChangeScreen::checkStart() {
    return DateFieldChecks::rosterStart(checks(), startEdit_);
}

bool RosterChangeScreen::checkEnd() {
    return DateFieldChecks::rosterEnd(checks(), endEdit_);
}

void RosterChangeScreen::onShowClicked() {
    checks().reset();
    checkStart();
    checkEnd();
    if (!checks().hasError()) {
        const QString error = CheckGenerationPeriod(startEdit_->text(), endEdit_->text());
        checks().check(endEdit_, error.isEmpty(), error);
    }
    if (checks().reportIfFailed())
        return;
    // Reading the roster again would drop corrections not yet written back.
    if (unsaved_ && !askDefaultNo(DiscardQuestion))
        return;

    // Viewing mode keeps plan and corrections apart; the requests are not read, so nothing
    // here rewrites them or records the period as created again.
    RosterQuery query;
    query.purpose = LoadPurpose::Print;
    query.from = startEdit_->text();
    query.to = endEdit_->text();
    query.grouping = kind_ == Kind::ByTeam ? Grouping::ByTeam : Grouping::Everybody;
    auto fresh = std::make_unique<RosterModel>();
    if (!actBusy([&] { *fresh = LoadRoster(ctx().db, ctx().settings, query); }))
        return;
    fresh->byTeam = kind_ == Kind::ByTeam ? 1 : 0;
    model_ = std::move(*fresh);
    painter_->draw();
    undo_->clear();
    loaded_ = true;
    unsaved_ = false;
    inform(u"勤務表を表示しました"_s);
}

void RosterChangeScreen::onGridClicked(int row, int col) {
    if (const QString problem = painter_->clickProblem(row, col); !problem.isEmpty()) {
        inform(problem);
        return;
    }
    const int index = RosterChangePainter::indexOfRow(row);
    const int day = RosterChangePainter::dayOfColumn(col);
    const auto [group, slot] = painter_->personOf(index);
    painter_->highlight(index, col);
    Cell& cell = model_.person(group, slot).cell(day);
    const bool hasActual = !cell.actualShift.isEmpty();
    const EditResult edit = chooser_(this, hasActual ? cell.actualShift : cell.shift,
                                     hasActual ? cell.actualEarly : cell.early);
    if (edit.action == EditAction::Cancelled || edit.action == EditAction::Closed)
        return;
    if (edit.action != EditAction::Replace) {
        inform(u"置換え以外は選択出来ません"_s);
        return;
    }
    // The change shows at once, its shortfall in red, while the clerk is asked to keep it.
    RosterHistory::State before = undo_->current();
    const QString previousShift = cell.actualShift;
    const int previousMark = cell.actualEarly;
    auto apply = [&](const QString& shift, int mark) {
        cell.actualShift = shift;
        cell.actualEarly = mark;
        TallyAfterPlacement(model_, group, slot, day);
        painter_->drawChange(index, day);
    };
    apply(edit.shiftAbbrev, edit.earlyMark);
    if (!ask(u"勤務表を変更します"_s)) {
        apply(previousShift, previousMark);
        return;
    }
    undo_->push(std::move(before));
    unsaved_ = true;
}

void RosterChangeScreen::onUpdateClicked() {
    if (!loaded_) {
        inform(NotShownMessage);
        return;
    }
    if (!ask(u"勤務表を変更します。"_s))
        return;
    painter_->restoreHighlight();
    // Every leave day is answered before anything is written, so no dialog waits inside the
    // write; a person chosen to cover one leave is not offered for another of the same day.
    std::vector<LeaveBackup> leaves = LeaveDaysOf(model_);
    for (size_t i = 0; i < leaves.size(); ++i) {
        LeaveBackup& leave = leaves[i];
        BackupRequest request{leave.takerNo, leave.takerName, leave.date, {}};
        for (size_t j = 0; j < i; ++j)
            if (leaves[j].date == leave.date && !leaves[j].backupNo.isEmpty())
                request.alsoBusy.insert(leaves[j].backupNo);
        const BackupAnswer answer = backupChooser_(this, request);
        leave.registration = answer.registration;
        leave.backupNo = answer.backupNo;
    }
    const bool saved = actBusy([&] { informAll(SaveRosterChanges(ctx().db, model_, leaves)); });
    if (!saved)
        return;
    unsaved_ = false;
    inform(u"勤務ｼﾌﾄの変更を終了しました。"_s);
}

void RosterChangeScreen::onPrintClicked() {
    if (!loaded_) {
        inform(NotShownMessage);
        return;
    }
    painter_->restoreHighlight();
    act([&] {
        output_->print(this, u"勤務シフト表"_s, [this](Sheet& sheet) {
            PrintRoster(model_, ctx().settings.weekdayColour, sheet);
        });
    });
}
