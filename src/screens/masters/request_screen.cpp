#include "screens/masters/request_screen.h"

#include "roster/master_cache.h"
#include "roster/roster_model.h"
#include "screens/app_context.h"
#include "store/clock.h"
#include "store/list_services.h"
#include "store/masters/request_store.h"
#include "store/text_values.h"
#include "widgets/field_checks.h"
#include "widgets/flex_grid.h"
#include "widgets/form_parts.h"
#include "widgets/grid_text_fit.h"
#include "widgets/month_calendar.h"
#include "widgets/palette.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>
#include <memory>

using namespace Qt::Literals::StringLiterals;
using TextValues::dateText;

namespace {

const QString kStaffMissing = u"指定された職員は登録されていません。"_s;
const QString kShiftMissing = u"指定された勤務は登録されていません。"_s;
const QString kNoPaidLeave = u"有給休暇のシフトが登録されていません。"_s;
constexpr int kPaidLeave = 1;
constexpr int kShiftRequest = 2;

} // namespace

RequestScreen::RequestScreen(AppContext& context, QWidget* parent)
    : EntryScreen(context, u"希望勤"_s, u"希望勤務登録"_s, u"希望勤務登録"_s, parent) {
    buildUi();
    applied_ = dateText(ctx().clock.today());
    appliedBox_->setText(applied_);
    act([this] {
        // Only the shift table of the master cache is needed: it names the paid-leave shift.
        auto model = std::make_unique<RosterModel>();
        LoadShiftTable(ctx().db, *model);
        paidAbbrev_ = model->cache.paidLeaveAbbrev;
        staffList_->addItems(StaffListService::FillStaffList(ctx().db));
        shiftName_->addItems(ShiftListService::FillShiftList(ctx().db, 2));
        FormParts::clearChoice(shiftName_);
    });
    drawMonth(ctx().clock.today());
    layOutStrip(0);
    paidLeave_->setChecked(true);
    onKindChosen();
}

void RequestScreen::buildUi() {
    auto* root = new QHBoxLayout(this);

    staffList_ = FormParts::staffListColumn(root, u"職員一覧"_s, 150, this);

    auto* right = new QVBoxLayout;
    auto* form = new QGridLayout;
    staffNo_ = FormParts::box(u"職員番号"_s, this);
    staffNo_->setReadOnly(true);
    staffName_ = FormParts::box(u"職員名"_s, this);
    staffName_->setReadOnly(true);
    appliedBox_ = FormParts::box(u"申請日"_s, this);
    form->addWidget(FormParts::caption(u"職員番号"_s, staffNo_, this), 0, 0);
    form->addWidget(staffNo_, 0, 1);
    form->addWidget(FormParts::caption(u"職員名"_s, staffName_, this), 0, 2);
    form->addWidget(staffName_, 0, 3);
    form->addWidget(FormParts::caption(u"申請日"_s, appliedBox_, this), 1, 0);
    form->addWidget(appliedBox_, 1, 1);
    right->addLayout(form);

    auto* monthRow = new QHBoxLayout;
    monthLabel_ = new QLabel(this);
    monthLabel_->setObjectName(u"表示年月"_s);
    QPushButton* previous = FormParts::button(u"前月"_s, u"前月"_s, this);
    QPushButton* next = FormParts::button(u"次月"_s, u"次月"_s, this);
    monthRow->addWidget(monthLabel_);
    monthRow->addWidget(previous);
    monthRow->addWidget(next);
    monthRow->addStretch();
    right->addLayout(monthRow);

    auto* middle = new QHBoxLayout;
    calendar_ = new FlexGrid(this);
    calendar_->setObjectName(u"日付"_s);
    calendar_->setMinimumSize(Units::twipsToPixels(7 * MonthCalendar::kColTwips) + 4, 160);
    middle->addWidget(calendar_);

    auto* entry = new QGridLayout;
    paidLeave_ = FormParts::option(u"有給休暇"_s, u"有給休暇"_s);
    shiftRequest_ = FormParts::option(u"希望勤務"_s, u"希望勤務"_s);
    entry->addWidget(FormParts::optionFrame(u"区分"_s, {paidLeave_, shiftRequest_}, false, this), 0,
                     0, 1, 2);
    requestedBox_ = FormParts::box(u"希望日"_s, this);
    entry->addWidget(FormParts::caption(u"希望日"_s, requestedBox_, this), 1, 0);
    entry->addWidget(requestedBox_, 1, 1);
    shiftName_ = FormParts::pickCombo(u"勤務名称"_s, this);
    shiftLabel_ = FormParts::caption(u"勤務名称"_s, shiftName_, this);
    shiftLabel_->setObjectName(u"LBL勤務名称"_s);
    entry->addWidget(shiftLabel_, 2, 0);
    entry->addWidget(shiftName_, 2, 1);
    remark_ = FormParts::box(u"備考"_s, this);
    entry->addWidget(FormParts::caption(u"備考"_s, remark_, this), 3, 0);
    entry->addWidget(remark_, 3, 1);
    entry->setRowStretch(4, 1);
    middle->addLayout(entry, 1);
    right->addLayout(middle);

    strip_ = new FlexGrid(this);
    strip_->setObjectName(u"希望"_s);
    strip_->setMinimumHeight(90);
    right->addWidget(strip_);

    QPushButton* confirm = FormParts::button(u"更新"_s, u"確定"_s, this);
    QPushButton* remove = FormParts::button(u"削除"_s, u"削除"_s, this);
    QPushButton* close = FormParts::button(u"終了"_s, u"終了"_s, this);
    right->addLayout(FormParts::buttonRow({confirm, remove, close}));
    root->addLayout(right, 1);

    connect(staffList_, &QListWidget::itemClicked, this,
            [this](const QListWidgetItem* item) { chooseStaff(item->text()); });
    connect(staffList_, &QListWidget::itemActivated, this,
            [this](const QListWidgetItem* item) { chooseStaff(item->text()); });
    connect(previous, &QPushButton::clicked, this, [this] { moveMonth(-1); });
    connect(next, &QPushButton::clicked, this, [this] { moveMonth(1); });
    connect(calendar_, &FlexGrid::cellClickedAt, this, &RequestScreen::chooseDay);
    connect(strip_, &FlexGrid::cellClickedAt, this, [this](int, int col) { chooseRequest(col); });
    connect(paidLeave_, &QRadioButton::toggled, this, &RequestScreen::onKindChosen);
    connect(confirm, &QPushButton::clicked, this, &RequestScreen::save);
    connect(remove, &QPushButton::clicked, this, &RequestScreen::remove);
    connect(close, &QPushButton::clicked, this, &QWidget::close);

    checks().onFocusLost(appliedBox_, [this] { act([this] { checkApplied(); }); });
    checks().onFocusLost(requestedBox_, [this] { checkRequested(); });
    // The combo box's own line edit takes the focus, so its leaving is watched there.
    checks().onFocusLost(shiftName_->lineEdit(), [this] { act([this] { checkShift(); }); });

    resize(900, 520);
}

void RequestScreen::onKindChosen() {
    const bool shift = shiftRequest_->isChecked();
    shiftName_->setVisible(shift);
    shiftLabel_->setVisible(shift);
}

void RequestScreen::chooseStaff(const QString& name) {
    StaffLookup found;
    act([&] { found = StaffListService::FindStaffByName(ctx().db, name); });
    if (found.no.isEmpty()) {
        inform(kStaffMissing);
        return;
    }
    staffNo_->setText(found.no);
    staffName_->setText(found.name);
    FieldChecks::setTextColour(staffNo_, true);
    drawMonth(first_);
    listRequests();
}

void RequestScreen::drawMonth(const QDate& anyDay) {
    first_ = QDate(anyDay.year(), anyDay.month(), 1);
    monthLabel_->setText(first_.toString(u"yyyy/MM"_s));
    act([this] {
        MonthCalendar::DrawMonthCalendar(
            *calendar_, ReadMonthDays(ctx().db, first_, staffNo_->text()), ctx().settings, nullptr);
    });
    highlightRequestedDay();
}

void RequestScreen::highlightRequestedDay() {
    const QDate requested = TextValues::parseDateText(requestedBox_->text());
    if (requested.isValid() && requested.year() == first_.year() &&
        requested.month() == first_.month())
        if (const auto cell = MonthCalendar::cellOfDay(*calendar_, requested.day()))
            calendar_->setCellBackColor(cell->first, cell->second, Palette::colour(Palette::Green));
}

void RequestScreen::moveMonth(int months) {
    const QDate base = first_.addMonths(months);
    requestedBox_->setText(dateText(base));
    FieldChecks::setTextColour(requestedBox_, true);
    drawMonth(base);
    listRequests();
}

void RequestScreen::chooseDay(int row, int col) {
    const int day = MonthCalendar::dayInCell(*calendar_, row, col);
    if (day == 0)
        return;
    for (int r = 1; r < calendar_->rows(); ++r)
        for (int c = 0; c < calendar_->cols(); ++c)
            calendar_->setCellBackColor(r, c, Palette::colour(Palette::White));
    calendar_->setCellBackColor(row, col, Palette::colour(Palette::Green));
    requestedBox_->setText(dateText(first_.addDays(day - 1)));
    FieldChecks::setTextColour(requestedBox_, true);
    listRequests();
}

void RequestScreen::layOutStrip(int requests) {
    const int cols = 1 + std::max(kStripColumns, requests);
    strip_->clearGrid();
    strip_->setRows(3);
    strip_->setCols(cols);
    strip_->setFixedRows(0);
    strip_->setFixedCols(1);
    strip_->setColWidthTwips(0, 700);
    for (int c = 1; c < cols; ++c)
        strip_->setColWidthTwips(c, 800);
    strip_->setText(0, 0, u"希望日"_s);
    strip_->setText(1, 0, u"希望"_s);
    strip_->setText(2, 0, u"実績"_s);
    GridTextFit::widenColumns(*strip_, 0, 0);
    highlightCol_ = 0;
}

void RequestScreen::listRequests() {
    listed_.clear();
    if (!staffNo_->text().isEmpty())
        act([this] {
            listed_ = ShiftRequest::loadForStaff(ctx().db, staffNo_->text(), dateText(first_),
                                                 u"9999/99/99"_s);
        });
    layOutStrip(static_cast<int>(listed_.size()));
    for (size_t i = 0; i < listed_.size(); ++i) {
        const int col = static_cast<int>(i) + 1;
        strip_->setText(0, col, listed_[i].date);
        strip_->setCellFontSize(0, col, 7);
        strip_->setCellAlignment(0, col, Qt::AlignRight | Qt::AlignVCenter);
        strip_->setText(1, col, listed_[i].planned);
        strip_->setCellAlignment(1, col, Qt::AlignCenter);
        strip_->setText(2, col, listed_[i].actual);
    }
    // A date in small print still needs more than the strip's twips in most fonts.
    GridTextFit::widenColumns(*strip_, 1, strip_->cols() - 1);
}

void RequestScreen::chooseRequest(int col) {
    if (col < 1 || col > static_cast<int>(listed_.size()) || strip_->text(1, col).isEmpty())
        return;
    const QColor white = Palette::colour(Palette::White);
    if (highlightCol_ != 0)
        for (int r = 0; r < 3; ++r)
            strip_->setCellBackColor(r, highlightCol_, white);
    for (int r = 0; r < 3; ++r)
        strip_->setCellBackColor(r, col, Palette::colour(Palette::Green));
    highlightCol_ = col;

    // The column's own kind finds its row: a member may have both kinds on one day.
    const ShiftRequest& shown = listed_[static_cast<size_t>(col - 1)];
    std::optional<ShiftRequest> stored;
    ShiftLookup shift;
    act([&] {
        stored = ShiftRequest::load(ctx().db, shown.kind, shown.staffNo, shown.date);
        if (stored)
            shift = ShiftListService::FindShiftByAbbrev(ctx().db, stored->planned);
    });
    if (!stored) {
        inform(u"指定した希望の登録を確認して下さい。"_s);
        return;
    }
    (stored->kind == kPaidLeave ? paidLeave_ : shiftRequest_)->setChecked(true);
    requestedBox_->setText(stored->date);
    FieldChecks::setTextColour(requestedBox_, true);
    shiftName_->setEditText(shift.name);
    remark_->setText(stored->remark);
}

bool RequestScreen::checkApplied() {
    const auto date = TextValues::normaliseDate(appliedBox_->text());
    if (date) {
        appliedBox_->setText(*date);
        // A new application date brings its month on screen.
        if (*date != applied_) {
            applied_ = *date;
            drawMonth(TextValues::parseDateText(applied_));
            listRequests();
        }
    }
    return checks().check(appliedBox_, date.has_value(), u"申請日に正しく入力してください"_s);
}

bool RequestScreen::checkStaff() {
    bool found = false;
    if (!staffName_->text().isEmpty())
        found = !StaffListService::FindStaffByName(ctx().db, staffName_->text()).no.isEmpty();
    return checks().check(staffNo_, found, kStaffMissing);
}

bool RequestScreen::checkRequested() {
    const auto date = TextValues::normaliseDate(requestedBox_->text());
    if (date)
        requestedBox_->setText(*date);
    return checks().check(requestedBox_, date.has_value(), u"希望日に正しく入力してください"_s);
}

bool RequestScreen::checkShift() {
    shiftAbbrev_.clear();
    shiftDayOff_ = 0;
    if (paidLeave_->isChecked()) {
        if (paidAbbrev_.isEmpty())
            return checks().check(shiftName_, false, kNoPaidLeave);
        shiftAbbrev_ = paidAbbrev_;
        shiftDayOff_ = ShiftListService::FindShiftByAbbrev(ctx().db, paidAbbrev_).restWorkKind;
        shiftName_->setEditText(paidAbbrev_);
        return checks().check(shiftName_, true, {});
    }
    if (shiftName_->currentText().isEmpty())
        return checks().check(shiftName_, false, u"勤務名称に入力してください"_s);
    const ShiftLookup shift =
        ShiftListService::FindShiftByName(ctx().db, shiftName_->currentText());
    if (shift.found) {
        shiftAbbrev_ = shift.abbrev;
        shiftDayOff_ = shift.restWorkKind;
    }
    return checks().check(shiftName_, shift.found, kShiftMissing);
}

bool RequestScreen::checkAll() {
    checks().reset();
    checkApplied();
    checkStaff();
    checkRequested();
    checkShift();
    return !checks().reportIfFailed();
}

void RequestScreen::save() {
    bool passed = false;
    if (!act([&] { passed = checkAll(); }) || !passed)
        return;
    if (!ask(u"入力内容で更新します。"_s))
        return;
    ShiftRequest entered;
    entered.kind = paidLeave_->isChecked() ? kPaidLeave : kShiftRequest;
    entered.staffNo = staffNo_->text();
    entered.date = requestedBox_->text();
    entered.planned = shiftAbbrev_;
    entered.dayOffFlag = shiftDayOff_;
    entered.appliedOn = applied_;
    entered.remark = remark_->text();
    const bool ok = act([&] { RequestStore::save(ctx().db, entered); });
    if (!ok)
        return;
    inform(u"希望した勤務は更新(登録)されました。"_s);
    drawMonth(first_);
    listRequests();
}

void RequestScreen::remove() {
    bool passed = false;
    act([&] {
        checks().reset();
        checkStaff();
        checkRequested();
        passed = !checks().reportIfFailed();
    });
    if (!passed || !ask(u"入力内容を削除します。"_s))
        return;
    const int kind = paidLeave_->isChecked() ? kPaidLeave : kShiftRequest;
    bool found = false;
    const bool ok = act([&] {
        found = RequestStore::remove(ctx().db, kind, staffNo_->text(), requestedBox_->text());
    });
    if (!ok)
        return;
    if (!found) {
        inform(kShiftMissing);
        return;
    }
    inform(u"希望した勤務は削除されました。"_s);
    drawMonth(first_);
    listRequests();
}
