#include "screens/masters/past_entry_screen.h"

#include "screens/app_context.h"
#include "store/clock.h"
#include "store/code_kind.h"
#include "store/list_services.h"
#include "store/masters/past_entry_store.h"
#include "store/masters/shift_order.h"
#include "store/records/roster_row.h"
#include "store/records/staff_member.h"
#include "store/text_values.h"
#include "widgets/field_checks.h"
#include "widgets/flex_grid.h"
#include "widgets/form_parts.h"
#include "widgets/grid_text_fit.h"
#include "widgets/palette.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString kStaffNoEmpty = u"職員番号に入力してください"_s;
const QString kStaffMissing = u"指定された職員は登録されていません。"_s;
const QString kFixedPatternMissing = u"特定ｼﾌﾄNOの登録を確認して下さい。"_s;
const QString kPatternMissing = u"パターン名称の登録を確認してください"_s;
const QString kStartEmpty = u"作成開始日に入力してください"_s;
const QString kStartInvalid = u"作成開始日に正しく入力してください"_s;
const QString kShiftsMissing = u"全てのｼﾌﾄに入力して下さい"_s;
const QString kLayOutTitle = u"過去ｼﾌﾄ 登録"_s;
constexpr int kColTwips = 830;
constexpr int kExpansionShifts = 10; // the working shifts an automatic expansion cycles through
using PastEntryStore::kRegistered;
using PastEntryStore::patternKindOf;

} // namespace

PastEntryScreen::PastEntryScreen(AppContext& context, QWidget* parent)
    : EntryScreen(context, u"過去"_s, u"過去実績登録"_s, u"過去勤務登録"_s, parent) {
    buildUi();
    chooser_ = [this](QWidget* owner, const QString& abbrev, int mark) {
        return ShiftChangeDialog::choose(ctx(), owner, abbrev, mark);
    };
    start_->setText(TextValues::dateText(ctx().clock.today()));
    act([this] {
        staffList_->addItems(StaffListService::FillStaffList(ctx().db));
        pattern_->addItems(PatternListService::FillPatternList(ctx().db, 4, 1));
        team_->addItems(CodeListService::FillCodeList(ctx().db, CodeKind::Team));
        workingShifts_ = ShiftOrder::workingAbbrevs(ctx().db, kExpansionShifts);
    });
    FormParts::clearChoice(pattern_);
    FormParts::clearChoice(team_);
    auto_->setChecked(true);
    setUpGrid();
}

void PastEntryScreen::buildUi() {
    auto* root = new QHBoxLayout(this);

    staffList_ = FormParts::staffListColumn(root, u"登録職員一覧"_s, 150, this);

    auto* right = new QVBoxLayout;
    auto* form = new QGridLayout;
    staffNo_ = FormParts::box(u"職員番号"_s, this);
    staffName_ = FormParts::box(u"職員名"_s, this);
    staffName_->setReadOnly(true);
    staffKana_ = FormParts::box(u"職員名カナ"_s, this);
    staffKana_->setReadOnly(true);
    team_ = FormParts::pickCombo(u"チーム名"_s, this);
    pattern_ = FormParts::pickCombo(u"パターン名称"_s, this);
    start_ = FormParts::box(u"作成開始"_s, this);
    form->addWidget(FormParts::caption(u"職員番号"_s, staffNo_, this), 0, 0);
    form->addWidget(staffNo_, 0, 1);
    form->addWidget(FormParts::caption(u"職員名"_s, staffName_, this), 1, 0);
    form->addWidget(staffName_, 1, 1);
    form->addWidget(FormParts::caption(u"カナ"_s, staffKana_, this), 1, 2);
    form->addWidget(staffKana_, 1, 3);
    form->addWidget(FormParts::caption(u"チーム名"_s, team_, this), 2, 0);
    form->addWidget(team_, 2, 1);
    form->addWidget(FormParts::caption(u"パターン名"_s, pattern_, this), 2, 2);
    form->addWidget(pattern_, 2, 3);
    form->addWidget(FormParts::caption(u"作成開始日"_s, start_, this), 3, 0);
    form->addWidget(start_, 3, 1);
    auto_ = FormParts::option(u"自動"_s, u"自動展開"_s);
    manual_ = FormParts::option(u"手動"_s, u"手動設定"_s);
    form->addWidget(FormParts::optionFrame(u"シフト展開区分"_s, {auto_, manual_}, false, this), 3,
                    2, 1, 2);
    right->addLayout(form);

    QPushButton* layOut = FormParts::button(u"日付設定"_s, u"日付設定"_s, this);
    right->addLayout(FormParts::buttonRow({layOut}));
    grid_ = new FlexGrid(this);
    grid_->setObjectName(u"日付"_s);
    grid_->setMinimumHeight(70);
    right->addWidget(grid_);

    QPushButton* confirm = FormParts::button(u"確定"_s, u"確定"_s, this);
    QPushButton* remove = FormParts::button(u"削除"_s, u"削除"_s, this);
    QPushButton* close = FormParts::button(u"終了"_s, u"終了"_s, this);
    right->addStretch();
    right->addLayout(FormParts::buttonRow({confirm, remove, close}));
    root->addLayout(right, 1);

    connect(staffList_, &QListWidget::itemClicked, this,
            [this](const QListWidgetItem* item) { chooseStaffByName(item->text()); });
    connect(staffList_, &QListWidget::itemActivated, this,
            [this](const QListWidgetItem* item) { chooseStaffByName(item->text()); });
    connect(layOut, &QPushButton::clicked, this, &PastEntryScreen::layOutWeek);
    connect(grid_, &FlexGrid::cellClickedAt, this, [this](int, int col) { chooseDay(col); });
    connect(confirm, &QPushButton::clicked, this, &PastEntryScreen::save);
    connect(remove, &QPushButton::clicked, this, &PastEntryScreen::remove);
    connect(close, &QPushButton::clicked, this, &QWidget::close);

    checks().onFocusLost(staffNo_, [this] { act([this] { checkStaffNo(true); }); });
    // The combo box's own line edit takes the focus, so its leaving is watched there.
    checks().onFocusLost(pattern_->lineEdit(), [this] { act([this] { checkPattern(); }); });
    connect(pattern_, &QComboBox::activated, this, [this] {
        checks().reset();
        act([this] { checkPattern(); });
    });
    checks().onFocusLost(start_, [this] { checkStart(); });

    resize(820, 420);
}

void PastEntryScreen::setUpGrid() {
    grid_->clearGrid();
    grid_->setRows(2);
    grid_->setCols(kDays + 1);
    grid_->setFixedRows(0);
    grid_->setFixedCols(0);
    for (int c = 0; c <= kDays; ++c)
        grid_->setColWidthTwips(c, kColTwips);
    grid_->setText(0, 0, u"日付"_s);
    grid_->setText(1, 0, u"勤務ｼﾌﾄ"_s);
    const QColor heading = Palette::colour(Palette::Yellow);
    for (int c = 0; c <= kDays; ++c)
        grid_->setCellBackColor(0, c, heading);
    grid_->setCellBackColor(1, 0, heading);
    for (int c = 1; c <= kDays; ++c) {
        grid_->setCellBackColor(1, c, Palette::colour(Palette::White));
        grid_->setCellAlignment(1, c, Qt::AlignCenter);
    }
    GridTextFit::widenColumns(*grid_, 0, kDays);
    highlightCol_ = 0;
}

void PastEntryScreen::clearWeek() {
    setUpGrid();
    weekStaff_.clear();
    weekStart_.clear();
}

bool PastEntryScreen::weekIsCurrent() const {
    return !weekStaff_.isEmpty() && weekStaff_ == staffNo_->text() && weekStart_ == start_->text();
}

// A week laid out for another person or another start day must never be written under the
// present ones.
void PastEntryScreen::dropWeekIfChanged() {
    if (!weekStaff_.isEmpty() && !weekIsCurrent())
        clearWeek();
}

bool PastEntryScreen::hasFixedPatternMissing(const StaffMember& member) const {
    if (member.fixedPattern == 0)
        return false;
    const int kind = patternKindOf(member.shiftType);
    return kind == 0 ||
           PatternListService::FindPatternName(ctx().db, kind, member.fixedPattern).isEmpty();
}

void PastEntryScreen::showStaff(const StaffMember& member) {
    staffNo_->setText(member.no);
    shownStaff_ = member.no;
    staffName_->setText(member.name);
    staffKana_->setText(member.kana);
    team_->setEditText(member.team);
    FieldChecks::setTextColour(staffNo_, true);
    patternNo_ = 0;
    patternKind_ = 0;
    FormParts::clearChoice(pattern_);
    if (member.fixedPattern == 0)
        return;
    const int kind = patternKindOf(member.shiftType);
    const QString name =
        kind == 0 ? QString()
                  : PatternListService::FindPatternName(ctx().db, kind, member.fixedPattern);
    if (checks().check(pattern_, !name.isEmpty(), kFixedPatternMissing)) {
        pattern_->setEditText(name);
        patternNo_ = member.fixedPattern;
        patternKind_ = kind;
    }
}

void PastEntryScreen::chooseStaffByName(const QString& name) {
    std::optional<StaffMember> member;
    act([&] {
        const StaffLookup found = StaffListService::FindStaffByName(ctx().db, name);
        if (!found.no.isEmpty())
            member = StaffMember::load(ctx().db, found.no);
    });
    if (!member) {
        inform(kStaffMissing);
        return;
    }
    bool patternMissing = false;
    act([&] {
        showStaff(*member);
        patternMissing = hasFixedPatternMissing(*member);
    });
    if (patternMissing)
        inform(kFixedPatternMissing);
    dropWeekIfChanged();
}

bool PastEntryScreen::checkStaffNo(bool show) {
    const QString no = staffNo_->text().trimmed();
    if (no.isEmpty()) {
        dropWeekIfChanged();
        return checks().check(staffNo_, false, kStaffNoEmpty);
    }
    const std::optional<StaffMember> member = StaffMember::load(ctx().db, no);
    // Showing again the person already shown would undo a pattern the clerk chose.
    if (member && show && no != shownStaff_)
        showStaff(*member);
    dropWeekIfChanged();
    return checks().check(staffNo_, member.has_value(), kStaffMissing);
}

bool PastEntryScreen::checkPattern() {
    const QString name = pattern_->currentText();
    patternNo_ = 0;
    patternKind_ = 0;
    if (name.isEmpty())
        return checks().check(pattern_, true, {});
    // A name may be used in several kinds: the kind the person's shift type follows wins.
    int preferred = 0;
    if (const auto member = StaffMember::load(ctx().db, staffNo_->text().trimmed()))
        preferred = patternKindOf(member->shiftType);
    const PastEntryStore::PatternRef found = PastEntryStore::findPattern(ctx().db, name, preferred);
    patternKind_ = found.kind;
    patternNo_ = found.no;
    return checks().check(pattern_, patternKind_ != 0, kPatternMissing);
}

bool PastEntryScreen::checkStart() {
    const QString typed = start_->text();
    bool ok = false;
    if (typed.isEmpty()) {
        checks().check(start_, false, kStartEmpty);
    } else if (const auto date = TextValues::normaliseDate(typed)) {
        start_->setText(*date);
        ok = checks().check(start_, true, {});
    } else {
        checks().check(start_, false, kStartInvalid);
    }
    dropWeekIfChanged();
    return ok;
}

void PastEntryScreen::layOutWeek() {
    bool passed = false;
    act([&] {
        checks().reset();
        checkStart();
        checkStaffNo(false);
        checks().setTitle(kLayOutTitle);
        passed = !checks().reportIfFailed();
        checks().setTitle(title());
    });
    if (!passed)
        return;
    clearWeek();
    const QString first = start_->text();
    const QString staff = staffNo_->text().trimmed();
    for (int c = 1; c <= kDays; ++c)
        grid_->setText(0, c, TextValues::addDays(first, c - 1));
    act([&] {
        const auto rows = RosterRow::loadForStaff(ctx().db, kRegistered, staff, first,
                                                  TextValues::addDays(first, kDays - 1));
        for (const RosterRow& r : rows)
            for (int c = 1; c <= kDays; ++c)
                if (grid_->text(0, c) == r.date)
                    grid_->setText(1, c, r.actual.isEmpty() ? r.planned : r.actual);
    });
    // The dates are wider than the columns' twips allow in most fonts.
    GridTextFit::widenColumns(*grid_, 0, kDays);
    weekStaff_ = staff;
    weekStart_ = first;
}

void PastEntryScreen::expandFrom(int col, qsizetype firstShift) {
    if (workingShifts_.isEmpty())
        return;
    for (int c = col; c <= kDays; ++c)
        grid_->setText(1, c, workingShifts_[(firstShift + c - col) % workingShifts_.size()]);
}

void PastEntryScreen::chooseDay(int col) {
    if (col < 1 || col > kDays || grid_->text(0, col).isEmpty())
        return;
    if (highlightCol_ != 0)
        grid_->setCellBackColor(1, highlightCol_, Palette::colour(Palette::White));
    grid_->setCellBackColor(1, col, Palette::colour(Palette::Green));
    highlightCol_ = col;

    const EditResult choice = chooser_(this, grid_->text(1, col), 0);
    const bool automatic = auto_->isChecked();
    if (choice.action == EditAction::Sequence) {
        if (automatic)
            expandFrom(col, 0);
        return;
    }
    if ((choice.action != EditAction::Replace && choice.action != EditAction::Insert) ||
        choice.shiftAbbrev.isEmpty())
        return;
    const qsizetype at = workingShifts_.indexOf(choice.shiftAbbrev);
    if (automatic && at >= 0)
        expandFrom(col, at);
    else
        grid_->setText(1, col, choice.shiftAbbrev);
}

void PastEntryScreen::save() {
    bool passed = false;
    act([&] {
        checks().reset();
        // A person whose own pattern is gone would be written with no pattern at all.
        if (checkStaffNo(false))
            if (const auto member = StaffMember::load(ctx().db, staffNo_->text().trimmed()))
                checks().check(staffNo_, !hasFixedPatternMissing(*member), kFixedPatternMissing);
        checkStart();
        checkPattern();
        bool filled = weekIsCurrent();
        for (int c = 1; c <= kDays && filled; ++c)
            filled = !grid_->text(1, c).isEmpty();
        checks().check(grid_, filled, kShiftsMissing);
        passed = !checks().reportIfFailed();
    });
    if (!passed || !ask(u"入力内容で更新します。"_s))
        return;
    std::vector<PastEntryStore::Day> days;
    for (int c = 1; c <= kDays; ++c)
        days.push_back({grid_->text(0, c), grid_->text(1, c)});
    const bool ok = act([&] {
        PastEntryStore::saveDays(ctx().db, weekStaff_, days, team_->currentText(), patternNo_);
    });
    if (ok)
        inform(u"勤務表は更新(登録)されました。"_s);
}

void PastEntryScreen::remove() {
    dropWeekIfChanged();
    if (!weekIsCurrent() || !ask(u"入力内容を削除します。"_s))
        return;
    std::vector<QString> dates;
    for (int c = 1; c <= kDays; ++c)
        dates.push_back(grid_->text(0, c));
    if (act([&] { PastEntryStore::removeDays(ctx().db, weekStaff_, dates); }))
        inform(u"勤務表は削除されました。"_s);
}
