#include "screens/masters/shift_definition_screen.h"

#include "screens/app_context.h"
#include "store/list_services.h"
#include "store/masters/shift_store.h"
#include "store/records/shift_definition.h"
#include "store/text_values.h"
#include "widgets/field_checks.h"
#include "widgets/form_parts.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString kTitle = u"シフト基本情報"_s;
const QString kRequired = u"名称は必須項目です、入力してください"_s;
const QString kOrderTaken =
    u"優先順は他の対象シフトで使用されています、別の順番を入力してください"_s;

using FormParts::option;

QLineEdit* box(const QString& name, int width = 0) {
    QLineEdit* e = FormParts::box(name);
    if (width > 0)
        e->setFixedWidth(width);
    return e;
}

// "start 〜 end" on one line.
QHBoxLayout* timeRange(QLineEdit* start, QLineEdit* end) {
    auto* l = new QHBoxLayout;
    l->addWidget(start);
    l->addWidget(new QLabel(u"～"_s));
    l->addWidget(end);
    l->addStretch();
    return l;
}

QString storedTime(const QLineEdit* box) {
    return TextValues::normaliseTime(box->text()).value_or(QString());
}

int storedNumber(const QLineEdit* box) {
    return TextValues::parseSmallInt(box->text()).value_or(0);
}

// Times the shift does not have are emptied, and an empty one is no failure.
bool clearUnusedTimes(std::initializer_list<QLineEdit*> boxes) {
    for (QLineEdit* e : boxes) {
        e->clear();
        FieldChecks::setTextColour(e, true);
    }
    return true;
}

} // namespace

ShiftDefinitionScreen::ShiftDefinitionScreen(AppContext& context, QWidget* parent)
    : EntryScreen(context, u"シフト基本"_s, u"シフト基本情報登録"_s, kTitle, parent) {
    buildLayout();
    connectChecks();

    checks().reset();
    earlyBoth_->setChecked(true);
    workDay_->setChecked(true);
    fillYes_->setChecked(true);
    working_->setChecked(true);
    act([this] { workingShiftMode(); });
}

void ShiftDefinitionScreen::buildLayout() {
    working_ = option(u"対象"_s, u"対象"_s);
    leave_ = option(u"対象外"_s, u"対象外"_s);
    list_ = new QListWidget;
    list_->setObjectName(u"シフト名称"_s);
    list_->setMinimumWidth(170);

    abbrev_ = box(u"略称"_s, 80);
    name_ = box(u"名称"_s);
    order_ = box(u"優先順"_s, 50);
    workDay_ = option(u"出勤"_s, u"勤務"_s);
    dayOff_ = option(u"休日"_s, u"休日"_s);
    paid_ = new QCheckBox(u"有給休暇"_s);
    paid_->setObjectName(u"有給休暇"_s);
    start_ = box(u"開始時間"_s, 60);
    end_ = box(u"終了時間"_s, 60);
    earlyNone_ = option(u"早遅無"_s, u"なし"_s);
    earlyBoth_ = option(u"早遅有"_s, u"両方あり"_s);
    earlyOnly_ = option(u"早出"_s, u"早出"_s);
    lateOnly_ = option(u"遅出"_s, u"遅出"_s);
    earlyStart_ = box(u"早出開始"_s, 60);
    earlyEnd_ = box(u"早出終了"_s, 60);
    lateStart_ = box(u"遅出開始"_s, 60);
    lateEnd_ = box(u"遅出終了"_s, 60);
    earlyStaff_ = box(u"早出要員数"_s, 50);
    lateStaff_ = box(u"遅出要員数"_s, 50);
    minStaff_ = box(u"要員数"_s, 50);
    leaders_ = box(u"責任者数"_s, 50);
    maxCount_ = box(u"MAX回数"_s, 50);
    teamStaff_ = box(u"チーム要員数"_s, 50);
    teamLeaders_ = box(u"チーム責任者"_s, 50);
    fillYes_ = option(u"補充有"_s, u"対象"_s);
    fillNo_ = option(u"補充無"_s, u"対象外"_s);
    remark_ = box(u"備考"_s);

    // Option groups in one frame are exclusive among themselves only.
    auto* category = FormParts::optionFrame(u"シフト区分"_s, {working_, leave_});
    auto* left = new QVBoxLayout;
    left->addWidget(category);
    left->addWidget(FormParts::caption(u"シフト名称"_s, list_));
    left->addWidget(list_, 1);

    auto* f = new QGridLayout;
    int r = 0;
    f->addWidget(FormParts::caption(u"略称"_s, abbrev_), r, 0);
    f->addWidget(abbrev_, r, 1);
    f->addWidget(FormParts::caption(u"名称"_s, name_), r, 2);
    f->addWidget(name_, r++, 3);
    f->addWidget(FormParts::caption(u"シフト順"_s, order_), r, 0);
    f->addWidget(order_, r, 1);
    f->addWidget(paid_, r++, 3);
    f->addWidget(FormParts::optionFrame(u"休日区分"_s, {workDay_, dayOff_}), r++, 0, 1, 4);
    f->addWidget(FormParts::caption(u"勤務時間"_s, start_), r, 0);
    f->addLayout(timeRange(start_, end_), r++, 1, 1, 3);
    f->addWidget(FormParts::optionFrame(u"早出・遅出区分"_s,
                                        {earlyNone_, earlyBoth_, earlyOnly_, lateOnly_}),
                 r++, 0, 1, 4);
    f->addWidget(FormParts::caption(u"早出要員数"_s, earlyStaff_), r, 0);
    f->addWidget(earlyStaff_, r, 1);
    f->addWidget(FormParts::caption(u"時間"_s, earlyStart_), r, 2);
    f->addLayout(timeRange(earlyStart_, earlyEnd_), r++, 3);
    f->addWidget(FormParts::caption(u"遅出要員数"_s, lateStaff_), r, 0);
    f->addWidget(lateStaff_, r, 1);
    f->addWidget(FormParts::caption(u"時間"_s, lateStart_), r, 2);
    f->addLayout(timeRange(lateStart_, lateEnd_), r++, 3);
    f->addWidget(FormParts::caption(u"シフト最小要員数"_s, minStaff_), r, 0);
    f->addWidget(minStaff_, r, 1);
    f->addWidget(FormParts::caption(u"シフト責任者数"_s, leaders_), r, 2);
    f->addWidget(leaders_, r++, 3);
    f->addWidget(FormParts::caption(u"シフトMAX回数"_s, maxCount_), r, 0);
    f->addWidget(maxCount_, r++, 1);
    f->addWidget(FormParts::caption(u"チーム最小要員数"_s, teamStaff_), r, 0);
    f->addWidget(teamStaff_, r, 1);
    f->addWidget(FormParts::caption(u"チームシフト責任者数"_s, teamLeaders_), r, 2);
    f->addWidget(teamLeaders_, r++, 3);
    f->addWidget(FormParts::optionFrame(u"不足補充"_s, {fillYes_, fillNo_}), r++, 0, 1, 4);
    f->addWidget(FormParts::caption(u"備考"_s, remark_), r, 0);
    f->addWidget(remark_, r++, 1, 1, 3);
    f->setColumnStretch(3, 1);

    auto* confirm = FormParts::button(u"確定"_s, u"確定"_s);
    auto* remove = FormParts::button(u"削除"_s, u"削除"_s);
    auto* close = FormParts::button(u"終了"_s, u"終了"_s);
    connect(confirm, &QPushButton::clicked, this, &ShiftDefinitionScreen::onConfirmClicked);
    connect(remove, &QPushButton::clicked, this, &ShiftDefinitionScreen::onDeleteClicked);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    QHBoxLayout* buttons = FormParts::buttonRow({confirm, remove, close});

    auto* right = new QVBoxLayout;
    right->addLayout(f);
    right->addStretch();
    right->addLayout(buttons);
    auto* root = new QHBoxLayout(this);
    root->addLayout(left);
    root->addLayout(right, 1);

    // User actions only: loading a definition sets the options without their defaults.
    connect(working_, &QRadioButton::clicked, this,
            [this] { act([this] { workingShiftMode(); }); });
    connect(leave_, &QRadioButton::clicked, this, [this] { act([this] { leaveShiftMode(); }); });
    for (QRadioButton* b : {earlyNone_, earlyBoth_, earlyOnly_, lateOnly_})
        connect(b, &QRadioButton::clicked, this, [this] { earlyLateDefaults(); });
    auto load = [this](QListWidgetItem* item) {
        if (item)
            act([this, item] { loadDefinition(item->text()); });
    };
    connect(list_, &QListWidget::itemClicked, this, load);
    connect(list_, &QListWidget::itemActivated, this, load);

    FormParts::chainTabOrder({abbrev_,      name_,       order_,    start_,     end_,
                              earlyStaff_,  earlyStart_, earlyEnd_, lateStaff_, lateStart_,
                              lateEnd_,     minStaff_,   leaders_,  maxCount_,  teamStaff_,
                              teamLeaders_, remark_,     confirm,   remove,     close});
    resize(sizeHint().expandedTo(QSize(760, 520)));
}

std::array<std::pair<QLineEdit*, ShiftDefinitionScreen::Rule>, 16>
ShiftDefinitionScreen::boxRules() const {
    return {{{abbrev_, Rule::Abbrev},
             {name_, Rule::Name},
             {order_, Rule::Order},
             {start_, Rule::Start},
             {end_, Rule::End},
             {earlyStaff_, Rule::EarlyStaff},
             {earlyStart_, Rule::EarlyStart},
             {earlyEnd_, Rule::EarlyEnd},
             {lateStaff_, Rule::LateStaff},
             {lateStart_, Rule::LateStart},
             {lateEnd_, Rule::LateEnd},
             {minStaff_, Rule::MinStaff},
             {leaders_, Rule::Leaders},
             {maxCount_, Rule::MaxCount},
             {teamStaff_, Rule::TeamStaff},
             {teamLeaders_, Rule::TeamLeaders}}};
}

void ShiftDefinitionScreen::connectChecks() {
    for (const auto& [field, rule] : boxRules())
        checks().onFocusLost(field, [this, rule = rule] { checkRule(rule); });
}

int ShiftDefinitionScreen::listFilter() const {
    return working_->isChecked() ? 1 : 0;
}

void ShiftDefinitionScreen::workingShiftMode() {
    for (QLineEdit* e : {order_, minStaff_, leaders_, maxCount_})
        e->clear();
    for (QLineEdit* e : {earlyStaff_, lateStaff_, teamStaff_, teamLeaders_})
        e->setText(u"0"_s);
    earlyBoth_->setChecked(true);
    fillList();
}

void ShiftDefinitionScreen::leaveShiftMode() {
    for (QLineEdit* e : {order_, earlyStaff_, lateStaff_, minStaff_, leaders_, maxCount_,
                         teamStaff_, teamLeaders_})
        e->setText(u"0"_s);
    earlyNone_->setChecked(true);
    earlyLateDefaults();
    fillList();
}

void ShiftDefinitionScreen::earlyLateDefaults() {
    if (earlyNone_->isChecked()) {
        earlyStaff_->setText(u"0"_s);
        lateStaff_->setText(u"0"_s);
        for (QLineEdit* e : {earlyStart_, earlyEnd_, lateStart_, lateEnd_})
            e->clear();
    } else if (earlyOnly_->isChecked()) {
        lateStaff_->clear();
        lateStart_->clear();
        lateEnd_->clear();
    } else if (lateOnly_->isChecked()) {
        earlyStaff_->clear();
        earlyStart_->clear();
        earlyEnd_->clear();
    }
}

void ShiftDefinitionScreen::fillList() {
    list_->clear();
    list_->addItems(ShiftListService::FillShiftList(ctx().db, listFilter()));
}

void ShiftDefinitionScreen::loadDefinition(const QString& name) {
    const auto definition = ShiftStore::findListed(ctx().db, listFilter(), name);
    if (!definition) {
        inform(u"シフト名称が取出せません、シフト名称を確認して下さい。"_s);
        return;
    }
    showRecord(*definition);
    // Stored values are good entries: an earlier failure's red no longer applies.
    for (QLineEdit* e : findChildren<QLineEdit*>())
        FieldChecks::setTextColour(e, true);
}

void ShiftDefinitionScreen::showRecord(const ShiftDefinition& d) {
    (d.working == 1 ? working_ : leave_)->setChecked(true);
    abbrev_->setText(d.abbrev);
    name_->setText(d.name);
    order_->setText(QString::number(d.priority));
    (d.restWorkKind == 1 ? dayOff_ : workDay_)->setChecked(true);
    paid_->setChecked(d.paidFlag == 1);
    start_->setText(d.start);
    end_->setText(d.end);
    for (QLineEdit* e : {earlyStart_, earlyEnd_, lateStart_, lateEnd_})
        e->clear();
    const int kind = d.earlyKind;
    const bool early = kind == 1 || kind == 2;
    const bool late = kind != 0 && kind != 2;
    (kind == 0   ? earlyNone_
     : kind == 1 ? earlyBoth_
     : kind == 2 ? earlyOnly_
                 : lateOnly_)
        ->setChecked(true);
    if (early) {
        earlyStart_->setText(d.earlyStart);
        earlyEnd_->setText(d.earlyEnd);
    }
    if (late) {
        lateStart_->setText(d.lateStart);
        lateEnd_->setText(d.lateEnd);
    }
    const std::pair<QLineEdit*, int> numbers[] = {
        {earlyStaff_, d.earlyStaff},  {lateStaff_, d.lateStaff}, {minStaff_, d.minStaff},
        {leaders_, d.leaders},        {maxCount_, d.max},        {teamStaff_, d.teamStaff},
        {teamLeaders_, d.teamLeaders}};
    for (const auto& [field, value] : numbers)
        field->setText(QString::number(value));
    (d.shortageFlag == 1 ? fillYes_ : fillNo_)->setChecked(true);
    remark_->setText(d.remark);
}

ShiftDefinition ShiftDefinitionScreen::toRecord() const {
    ShiftDefinition d;
    d.abbrev = abbrev_->text();
    d.name = name_->text();
    d.priority = storedNumber(order_);
    d.restWorkKind = dayOff_->isChecked() ? 1 : 0;
    d.paidFlag = paid_->isChecked() ? 1 : 0;
    d.working = working_->isChecked() ? 1 : 0;
    d.start = storedTime(start_);
    d.end = storedTime(end_);
    d.earlyKind = earlyNone_->isChecked()   ? 0
                  : earlyBoth_->isChecked() ? 1
                  : earlyOnly_->isChecked() ? 2
                                            : 3;
    d.earlyStart = storedTime(earlyStart_);
    d.earlyEnd = storedTime(earlyEnd_);
    d.lateStart = storedTime(lateStart_);
    d.lateEnd = storedTime(lateEnd_);
    d.earlyStaff = storedNumber(earlyStaff_);
    d.lateStaff = storedNumber(lateStaff_);
    d.minStaff = storedNumber(minStaff_);
    d.leaders = storedNumber(leaders_);
    d.max = storedNumber(maxCount_);
    d.teamStaff = storedNumber(teamStaff_);
    d.teamLeaders = storedNumber(teamLeaders_);
    d.remark = remark_->text();
    d.shortageFlag = fillYes_->isChecked() ? 1 : 0;
    return d;
}

bool ShiftDefinitionScreen::timesExempt() const {
    return dayOff_->isChecked() || leave_->isChecked();
}

bool ShiftDefinitionScreen::earlyTimesExempt() const {
    return earlyNone_->isChecked() || lateOnly_->isChecked() || timesExempt();
}

bool ShiftDefinitionScreen::lateTimesExempt() const {
    return earlyNone_->isChecked() || earlyOnly_->isChecked() || timesExempt();
}

bool ShiftDefinitionScreen::checkRequired(QLineEdit* box) {
    return checks().check(box, !box->text().isEmpty(), kRequired);
}

bool ShiftDefinitionScreen::checkNumeric(QLineEdit* box, const QString& message) {
    return checks().check(box, TextValues::isSmallInt(box->text()), message);
}

// Staff figures and other counts: a whole number, never below 0.
bool ShiftDefinitionScreen::checkCount(QLineEdit* box, const QString& message) {
    return checks().check(box, FormParts::parseCount(box->text()).has_value(), message);
}

bool ShiftDefinitionScreen::checkZeroOrCount(QLineEdit* box, const QString& message) {
    if (box->text().isEmpty())
        box->setText(u"0"_s);
    return checkCount(box, message);
}

bool ShiftDefinitionScreen::checkStaffCount(QLineEdit* box, bool exempt, const QString& message) {
    if (exempt) {
        box->setText(u"0"_s);
        FieldChecks::setTextColour(box, true);
        return true;
    }
    return checkCount(box, message);
}

// A start time: not asked for where the shift has no such hours; required while times are
// displayed; otherwise it must be a time when given.
bool ShiftDefinitionScreen::checkStartTime(QLineEdit* start, QLineEdit* end, bool exempt,
                                           const QString& emptyMessage,
                                           const QString& invalidMessage) {
    if (exempt)
        return clearUnusedTimes({start, end});
    if (start->text().isEmpty())
        return checks().check(start, !ctx().settings.timeDisplay, emptyMessage);
    return checks().check(start, TextValues::normaliseTime(start->text()).has_value(),
                          invalidMessage);
}

// An end time as a start time, and a valid end time needs a start time.
bool ShiftDefinitionScreen::checkEndTime(QLineEdit* start, QLineEdit* end, bool exempt,
                                         const QString& emptyMessage, const QString& invalidMessage,
                                         const QString& pairMessage) {
    if (exempt)
        return clearUnusedTimes({start, end});
    if (end->text().isEmpty())
        return checks().check(end, !ctx().settings.timeDisplay, emptyMessage);
    if (!TextValues::normaliseTime(end->text()))
        return checks().check(end, false, invalidMessage);
    if (start->text().isEmpty()) {
        checks().check(start, false, pairMessage);
        return checks().check(end, false, pairMessage);
    }
    return checks().check(end, true, pairMessage);
}

bool ShiftDefinitionScreen::checkRule(Rule rule) {
    switch (rule) {
    case Rule::Abbrev:
        return checkRequired(abbrev_);
    case Rule::Name:
        return checkRequired(name_);
    case Rule::Order:
        return checkNumeric(order_, u"優先順に正しく入力してください"_s);
    case Rule::Start:
        if (timesExempt())
            return clearUnusedTimes({start_});
        return checkStartTime(start_, end_, false, u"開始時間に入力してください"_s,
                              u"開始時間に正しく入力してください"_s);
    case Rule::End:
        if (timesExempt())
            return clearUnusedTimes({end_});
        return checkEndTime(start_, end_, false, u"終了時間に入力してください"_s,
                            u"終了時間に正しく入力してください"_s,
                            u"開始時間と終了時間は共に入力が必要です"_s);
    case Rule::EarlyStaff:
        return checkStaffCount(earlyStaff_, earlyNone_->isChecked() || lateOnly_->isChecked(),
                               u"早出要員数に正しく入力してください"_s);
    case Rule::EarlyStart:
        return checkStartTime(earlyStart_, earlyEnd_, earlyTimesExempt(),
                              u"早出開始時間に入力してください"_s,
                              u"早出開始に正しく入力してください"_s);
    case Rule::EarlyEnd:
        return checkEndTime(
            earlyStart_, earlyEnd_, earlyTimesExempt(), u"早出終了時間に入力してください"_s,
            u"早出終了に正しく入力してください"_s, u"早出開始と早出終了は共に入力が必要です"_s);
    case Rule::LateStaff:
        return checkStaffCount(lateStaff_, earlyNone_->isChecked() || earlyOnly_->isChecked(),
                               u"遅出要員数に正しく入力してください"_s);
    case Rule::LateStart:
        return checkStartTime(lateStart_, lateEnd_, lateTimesExempt(),
                              u"遅出開始時間に入力してください"_s,
                              u"遅出開始に正しく入力してください"_s);
    case Rule::LateEnd:
        return checkEndTime(
            lateStart_, lateEnd_, lateTimesExempt(), u"遅出終了時間に入力してください"_s,
            u"遅出終了に正しく入力してください"_s, u"遅出開始と遅出終了は共に入力が必要です"_s);
    case Rule::MinStaff:
        return checkCount(minStaff_, u"シフト最小要員数に正しく入力してください"_s);
    case Rule::Leaders:
        return checkCount(leaders_, u"シフト責任者数に正しく入力してください"_s);
    case Rule::MaxCount:
        return checkCount(maxCount_, u"MAX回数に正しく入力してください"_s);
    case Rule::TeamStaff:
        return checkZeroOrCount(teamStaff_, u"チーム要員数に正しく入力してください"_s);
    case Rule::TeamLeaders:
        return checkZeroOrCount(teamLeaders_, u"チーム責任者に正しく入力してください"_s);
    }
    return true;
}

// Two working shifts never share a priority.
bool ShiftDefinitionScreen::checkOrderFree() {
    const auto order = TextValues::parseSmallInt(order_->text());
    if (!working_->isChecked() || !order)
        return true;
    return checks().check(order_, !ShiftStore::priorityTaken(ctx().db, *order, abbrev_->text()),
                          kOrderTaken);
}

bool ShiftDefinitionScreen::checkAll() {
    checks().reset();
    for (const auto& [field, rule] : boxRules()) {
        if (checkRule(rule) && rule == Rule::Order)
            checkOrderFree();
    }
    return !checks().reportIfFailed();
}

void ShiftDefinitionScreen::onConfirmClicked() {
    bool passed = false;
    if (!act([&] { passed = checkAll(); }) || !passed)
        return;
    if (!ask(u"入力内容で更新します。"_s))
        return;
    auto result = ShiftStore::SaveResult::Saved;
    if (!actBusy([&] { result = ShiftStore::save(ctx().db, toRecord()); }))
        return;
    if (result == ShiftStore::SaveResult::TooManyWorking) {
        inform(u"対象シフトの登録はMAX 10件までです。"_s);
        return;
    }
    inform(u"シフト名称は更新(登録)されました。"_s);
    act([this] { fillList(); });
}

void ShiftDefinitionScreen::onDeleteClicked() {
    if (!ask(u"表示内容を削除します。"_s))
        return;
    bool removed = false;
    if (!actBusy([&] { removed = ShiftStore::remove(ctx().db, abbrev_->text()); }))
        return;
    if (!removed) {
        inform(u"指定されたシフト名称は登録されていません。"_s);
        return;
    }
    inform(u"指定されたシフト名称は削除されました。"_s);
    act([this] { fillList(); });
}
