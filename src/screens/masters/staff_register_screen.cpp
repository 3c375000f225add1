#include "screens/masters/staff_register_screen.h"

#include "screens/app_context.h"
#include "store/clock.h"
#include "store/code_kind.h"
#include "store/list_services.h"
#include "store/masters/pattern_lookup.h"
#include "store/masters/staff_store.h"
#include "store/records/code_entry.h"
#include "store/records/pattern_row.h"
#include "store/records/staff_member.h"
#include "store/text_values.h"
#include "widgets/field_checks.h"
#include "widgets/form_parts.h"

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
#include <array>
#include <optional>
#include <utility>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString kTitle = u"職員登録"_s;
const QString kCategoryMismatch = u"社員区分が一致しません､ﾏｽﾀｰの登録を確認してください"_s;
const QString kPatternMismatch = u"特定シフトが一致しません､ﾏｽﾀｰの登録を確認してください"_s;
const QString kNotRegistered = u"指定された職員は登録されていません。"_s;
const QString kWithShift = u"シフト有"_s;
const QString kNoShift = u"シフト無"_s;
const QString kSpecific = u"特定ﾊﾟﾀｰﾝ"_s;
const QString kWeekday = u"曜日ﾊﾟﾀｰﾝ"_s;
constexpr int kNoShiftCode = 2;
constexpr int kWeekdayCode = 5;
const QString kLeaveFromInvalid = u"休職開始日に正しく入力してください"_s;
const QString kLeaveToInvalid = u"休職終了日に正しく入力してください"_s;

// Staff numbers and display orders are stored as text of digits.
bool isDigits(const QString& text) {
    if (text.isEmpty())
        return false;
    for (const QChar c : text)
        if (c < u'0' || c > u'9')
            return false;
    return true;
}

// The stored shift-type codes with their texts; any other stored code reads as the weekday type.
// A type's code is also the kind of the patterns it offers, except that a member without
// shifts has no pattern.
const std::array<std::pair<int, QString>, 4>& shiftTypes() {
    static const std::array<std::pair<int, QString>, 4> types{
        {{1, kWithShift}, {kNoShiftCode, kNoShift}, {3, kSpecific}, {kWeekdayCode, kWeekday}}};
    return types;
}

int knownShiftType(int stored) {
    for (const auto& [code, text] : shiftTypes())
        if (code == stored)
            return code;
    return kWeekdayCode;
}

QString shiftTypeText(int code) {
    for (const auto& [c, text] : shiftTypes())
        if (c == code)
            return text;
    return kWeekday;
}

int shiftTypeCode(const QString& shown) {
    for (const auto& [code, text] : shiftTypes())
        if (text == shown)
            return code;
    return kWeekdayCode;
}

QString storedDate(const QString& typed) {
    return TextValues::normaliseDate(typed).value_or(QString());
}

} // namespace

StaffRegisterScreen::StaffRegisterScreen(AppContext& context, QWidget* parent)
    : EntryScreen(context, u"職員登"_s, u"職員登録"_s, kTitle, parent) {
    buildUi();
    act([this] {
        fillStaffList();
        category_->addItems(CodeListService::FillCodeList(ctx().db, CodeKind::StaffCategory));
        team_->addItems(CodeListService::FillCodeList(ctx().db, CodeKind::Team));
        for (QComboBox* c : {category_, team_})
            FormParts::clearChoice(c);
        // The type shown is シフト有, so its patterns are the ones offered.
        patternKind_ = 1;
        fillPatternCombo(1);
    });
    if (!ctx().selectedStaffNo.isEmpty()) {
        const auto items = staffList_->findItems(ctx().selectedStaffName, Qt::MatchExactly);
        if (!items.isEmpty())
            staffList_->setCurrentItem(items.front());
        loadStaff(ctx().selectedStaffName);
    }
}

void StaffRegisterScreen::buildUi() {
    auto* root = new QHBoxLayout(this);

    staffList_ = FormParts::staffListColumn(root, u"登録職員一覧"_s, 170, this);

    auto* form = new QGridLayout;
    int row = 0;
    auto box = [this](const QString& name) { return FormParts::box(name, this); };
    auto addRow = [&](const QString& caption, QWidget* w, int col = 0, int span = 1) {
        form->addWidget(FormParts::caption(caption, w, this), row, col);
        form->addWidget(w, row, col + 1, 1, span);
    };
    auto addCombo = [this](const QString& name) { return FormParts::pickCombo(name, this); };
    auto addOptions = [&](const QString& caption, std::initializer_list<QRadioButton**> buttons,
                          std::initializer_list<QString> names, int col) {
        auto* frame = new QGroupBox(caption, this);
        auto* l = new QHBoxLayout(frame);
        l->setContentsMargins(6, 2, 6, 2);
        auto name = names.begin();
        for (QRadioButton** b : buttons) {
            *b = FormParts::option(*name, *name, frame);
            l->addWidget(*b);
            ++name;
        }
        l->addStretch();
        form->addWidget(frame, row, col, 1, 2);
    };

    no_ = box(u"職員番号"_s);
    addRow(u"職員番号"_s, no_);
    displayOrder_ = box(u"表示順"_s);
    addRow(u"表示順"_s, displayOrder_, 2);
    ++row;
    name_ = box(u"職員名"_s);
    addRow(u"職員名"_s, name_);
    kana_ = box(u"職員名カナ"_s);
    addRow(u"カナ"_s, kana_, 2);
    ++row;
    address_ = box(u"住所"_s);
    addRow(u"住所"_s, address_, 0, 3);
    ++row;
    phone_ = box(u"電話番号"_s);
    addRow(u"電話番号"_s, phone_);
    mobile_ = box(u"携帯番号"_s);
    addRow(u"携帯番号"_s, mobile_, 2);
    ++row;
    category_ = addCombo(u"社員区分"_s);
    addRow(u"社員区分"_s, category_);
    addOptions(u"性別"_s, {&male_, &female_}, {u"男"_s, u"女"_s}, 2);
    ++row;
    shiftType_ = addCombo(u"シフト"_s);
    shiftType_->addItems({kWithShift, kNoShift, kWeekday});
    // Only the listed types can be picked; a stored 特定ﾊﾟﾀｰﾝ is still shown.
    shiftType_->lineEdit()->setReadOnly(true);
    addRow(u"シフト"_s, shiftType_);
    pattern_ = addCombo(u"特定シフト"_s);
    addRow(u"パターン名"_s, pattern_, 2);
    ++row;
    addOptions(u"早出･遅出"_s, {&earlyYes_, &earlyNo_}, {u"早出有"_s, u"早出無"_s}, 0);
    team_ = addCombo(u"チーム"_s);
    addRow(u"チーム名"_s, team_, 2);
    ++row;
    addOptions(u"責任者区分"_s, {&leader_, &general_}, {u"責任者"_s, u"一般"_s}, 0);
    addOptions(u"就業区分"_s, {&employed_, &onLeave_, &retired_},
               {u"就業中"_s, u"休職中"_s, u"退職"_s}, 2);
    ++row;
    birthDate_ = box(u"生年月日"_s);
    addRow(u"生年月日"_s, birthDate_);
    age_ = box(u"年齢"_s);
    age_->setReadOnly(true);
    age_->setFocusPolicy(Qt::NoFocus);
    addRow(u"年齢"_s, age_, 2);
    ++row;
    startDate_ = box(u"開始日"_s);
    addRow(u"勤務開始日"_s, startDate_);
    years_ = box(u"年数"_s);
    years_->setReadOnly(true);
    years_->setFocusPolicy(Qt::NoFocus);
    addRow(u"年数"_s, years_, 2);
    ++row;
    leaveFrom_ = box(u"休職開始"_s);
    addRow(u"休職期間"_s, leaveFrom_);
    leaveTo_ = box(u"休職終了"_s);
    addRow(u"～"_s, leaveTo_, 2);
    ++row;
    remark_ = box(u"備考"_s);
    addRow(u"備考"_s, remark_, 0, 3);
    ++row;
    form->setRowStretch(row++, 1);

    QPushButton* confirm = FormParts::button(u"確定"_s, u"確定"_s, this);
    QPushButton* remove = FormParts::button(u"削除"_s, u"削除"_s, this);
    QPushButton* close = FormParts::button(u"終了"_s, u"終了"_s, this);
    form->addLayout(FormParts::buttonRow({confirm, remove, close}), row, 0, 1, 4);
    form->setColumnStretch(1, 1);
    form->setColumnStretch(3, 1);
    root->addLayout(form, 1);

    male_->setChecked(true);
    earlyNo_->setChecked(true);
    general_->setChecked(true);
    employed_->setChecked(true);

    connect(staffList_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { loadStaff(item->text()); });
    connect(staffList_, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { loadStaff(item->text()); });
    connect(shiftType_, &QComboBox::activated, this, &StaffRegisterScreen::onShiftTypeChosen);
    connect(category_, &QComboBox::activated, this, [this] {
        checks().reset();
        act([this] { lookUpCategory(); });
    });
    connect(pattern_, &QComboBox::activated, this, [this] {
        checks().reset();
        act([this] { lookUpPattern(); });
    });
    connect(confirm, &QPushButton::clicked, this, &StaffRegisterScreen::save);
    connect(remove, &QPushButton::clicked, this, &StaffRegisterScreen::remove);
    connect(close, &QPushButton::clicked, this, &QWidget::close);

    checks().onFocusLost(no_, [this] { checkNo(); });
    checks().onFocusLost(name_, [this] { checkName(); });
    checks().onFocusLost(kana_, [this] { checkKana(); });
    checks().onFocusLost(startDate_, [this] { checkStartDate(); });
    checks().onFocusLost(birthDate_, [this] { checkBirthDate(); });
    checks().onFocusLost(leaveFrom_, [this] {
        FormParts::checkOptionalDate(checks(), leaveFrom_, kLeaveFromInvalid);
    });
    checks().onFocusLost(
        leaveTo_, [this] { FormParts::checkOptionalDate(checks(), leaveTo_, kLeaveToInvalid); });
    checks().onFocusLost(displayOrder_, [this] { checkDisplayOrder(); });
    checks().onFocusLost(address_, [this] { checkAddress(); });

    resize(860, 560);
}

void StaffRegisterScreen::fillStaffList() {
    staffList_->clear();
    staffList_->addItems(StaffListService::FillStaffList(ctx().db));
}

void StaffRegisterScreen::fillPatternCombo(int kind) {
    pattern_->clear();
    if (kind != 0)
        pattern_->addItems(PatternListService::FillPatternList(ctx().db, 1, kind));
    FormParts::clearChoice(pattern_);
}

void StaffRegisterScreen::onShiftTypeChosen() {
    const int code = shiftTypeCode(shiftType_->currentText());
    const int kind = code == kNoShiftCode ? 0 : code;
    act([&] { fillPatternCombo(kind); });
    if (kind != 0)
        patternKind_ = kind;
}

bool StaffRegisterScreen::lookUpCategory() {
    const auto category = StaffStore::categoryNamed(ctx().db, category_->currentText());
    if (category)
        categoryNo_ = category->no;
    return checks().check(category_, category.has_value(), kCategoryMismatch);
}

bool StaffRegisterScreen::lookUpPattern() {
    // The same name may belong to patterns of several kinds; only the kind that the member's
    // shift type follows will do.
    const int code = shiftTypeCode(shiftType_->currentText());
    const std::optional<PatternRow> header =
        code == kNoShiftCode ? std::nullopt
                             : PatternLookup::header(ctx().db, code, pattern_->currentText());
    if (header) {
        patternKind_ = header->kind;
        patternNo_ = header->no;
    }
    return checks().check(pattern_, header.has_value(), kPatternMismatch);
}

void StaffRegisterScreen::loadStaff(const QString& staffName) {
    act([&] {
        const auto member = StaffStore::findNamed(ctx().db, staffName);
        if (!member) {
            inform(kNotRegistered);
            return;
        }
        checks().reset();
        showRecord(*member);
        age_->clear();
        years_->clear();
        if (!birthDate_->text().isEmpty())
            checkBirthDate();
        if (!startDate_->text().isEmpty())
            checkStartDate();
        for (QWidget* w : std::initializer_list<QWidget*>{no_, displayOrder_, name_, kana_,
                                                          address_, leaveFrom_, leaveTo_})
            FieldChecks::setTextColour(w, true);

        if (const auto code = CodeEntry::load(ctx().db, CodeKind::StaffCategory, categoryNo_)) {
            category_->setEditText(code->name);
            FieldChecks::setTextColour(category_, true);
        } else {
            category_->setEditText(QString());
            inform(kCategoryMismatch);
        }

        if (shiftType_->currentText() != kNoShift) {
            if (const auto pattern = PatternRow::load(ctx().db, patternKind_, patternNo_, 0)) {
                pattern_->setEditText(pattern->name);
                FieldChecks::setTextColour(pattern_, true);
            } else {
                inform(u"特定ｼﾌﾄNOの登録を確認して下さい。"_s);
                pattern_->setEditText(QString());
            }
        }
    });
}

void StaffRegisterScreen::showRecord(const StaffMember& member) {
    no_->setText(member.no);
    displayOrder_->setText(member.displayOrder);
    name_->setText(member.name);
    kana_->setText(member.kana);
    address_->setText(member.address);
    phone_->setText(member.phone);
    mobile_->setText(member.mobile);
    categoryNo_ = member.category;
    (member.sex == 1 ? male_ : female_)->setChecked(true);

    const int type = knownShiftType(member.shiftType);
    shiftType_->setEditText(shiftTypeText(type));
    if (type != kNoShiftCode)
        patternKind_ = type;
    fillPatternCombo(type == kNoShiftCode ? 0 : patternKind_);
    if (type != kNoShiftCode)
        patternNo_ = member.fixedPattern;

    (member.earlyAllowed == 1 ? earlyYes_ : earlyNo_)->setChecked(true);
    team_->setEditText(member.team);
    (member.leader == 0 ? general_ : leader_)->setChecked(true);
    (member.employFlag == 0   ? employed_
     : member.employFlag == 1 ? onLeave_
                              : retired_)
        ->setChecked(true);

    birthDate_->setText(member.birthDate);
    startDate_->setText(member.assignedFrom);
    leaveFrom_->setText(member.leaveFrom);
    leaveTo_->setText(member.leaveTo);
    remark_->setText(member.remark);
}

StaffMember StaffRegisterScreen::toRecord() const {
    StaffMember m;
    const int typeCode = shiftTypeCode(shiftType_->currentText());
    m.no = no_->text();
    m.displayOrder = displayOrder_->text();
    m.name = name_->text();
    m.kana = kana_->text();
    m.address = address_->text();
    m.phone = phone_->text();
    m.mobile = mobile_->text();
    m.category = categoryNo_;
    m.sex = male_->isChecked() ? 1 : 2;
    m.shiftType = typeCode;
    m.fixedPattern = typeCode == kNoShiftCode ? 0 : patternNo_;
    m.earlyAllowed = earlyYes_->isChecked() ? 1 : 0;
    m.team = team_->currentText();
    m.leader = general_->isChecked() ? 0 : 1;
    m.employFlag = employed_->isChecked() ? 0 : onLeave_->isChecked() ? 1 : 2;
    m.birthDate = storedDate(birthDate_->text());
    m.assignedFrom = storedDate(startDate_->text());
    m.leaveFrom = storedDate(leaveFrom_->text());
    m.leaveTo = storedDate(leaveTo_->text());
    m.remark = remark_->text();
    return m;
}

bool StaffRegisterScreen::checkNo() {
    return checks().check(no_, isDigits(no_->text()), u"職員番号に正しく入力してください"_s);
}

bool StaffRegisterScreen::checkName() {
    const QString n = name_->text();
    if (n.isEmpty())
        return checks().check(name_, false, u"職員名に入力してください"_s);
    return checks().check(name_, n.size() <= kNameLimit, u"職員名は漢字25桁以内で入力して下さい"_s);
}

bool StaffRegisterScreen::checkKana() {
    const QString k = kana_->text();
    if (k.isEmpty())
        return checks().check(kana_, false, u"職員名カナに入力してください"_s);
    return checks().check(kana_, k.size() <= kKanaLimit,
                          u"職員名カナは半角ｶﾅ20桁以内で入力して下さい"_s);
}

bool StaffRegisterScreen::checkStartDate() {
    const bool ok =
        FormParts::checkOptionalDate(checks(), startDate_, u"勤務開始日に正しく入力してください"_s);
    if (startDate_->text().isEmpty())
        years_->clear();
    else if (ok)
        years_->setText(QString::number(TextValues::diffYears(
            TextValues::parseDateText(startDate_->text()), ctx().clock.today())));
    return ok;
}

bool StaffRegisterScreen::checkBirthDate() {
    if (birthDate_->text().isEmpty()) {
        age_->clear();
        return checks().check(birthDate_, true, {});
    }
    const auto date = TextValues::normaliseDate(birthDate_->text());
    if (date)
        age_->setText(QString::number(
            TextValues::diffYears(TextValues::parseDateText(*date), ctx().clock.today())));
    return checks().check(birthDate_, date.has_value(), u"生年月日に正しく入力してください"_s);
}

bool StaffRegisterScreen::checkDisplayOrder() {
    if (displayOrder_->text().isEmpty())
        displayOrder_->setText(u"999"_s);
    return checks().check(displayOrder_, isDigits(displayOrder_->text()),
                          u"表示順に正しく入力してください"_s);
}

bool StaffRegisterScreen::checkTeam() {
    const bool ok = ctx().settings.byTeam != 1 || !team_->currentText().isEmpty();
    return checks().check(team_, ok, u"チーム名を入力してください"_s);
}

bool StaffRegisterScreen::checkAddress() {
    return checks().check(address_, address_->text().size() <= kAddressLimit,
                          u"住所は漢字かな25桁以内で入力して下さい"_s);
}

bool StaffRegisterScreen::checkAll() {
    checks().reset();
    checkNo();
    checkName();
    checkKana();
    lookUpCategory();
    checkStartDate();
    checkBirthDate();
    if (shiftType_->currentText() != kNoShift)
        lookUpPattern();
    FormParts::checkOptionalDate(checks(), leaveFrom_, kLeaveFromInvalid);
    FormParts::checkOptionalDate(checks(), leaveTo_, kLeaveToInvalid);
    checkDisplayOrder();
    checkTeam();
    return !checks().reportIfFailed();
}

void StaffRegisterScreen::save() {
    bool passed = false;
    if (!act([&] { passed = checkAll(); }) || !passed)
        return;
    if (!ask(u"入力内容で更新します。"_s))
        return;
    const bool ok = actBusy([&] { StaffStore::save(ctx().db, toRecord()); });
    if (!ok)
        return;
    inform(u"職員は更新(登録)されました。"_s);
    act([this] { fillStaffList(); });
}

void StaffRegisterScreen::remove() {
    if (!ask(u"表示内容を削除します。"_s))
        return;
    QListWidgetItem* item = staffList_->currentItem();
    const QString chosen = item ? item->text() : QString();
    bool found = false;
    const bool ok =
        act([&] { found = item != nullptr && StaffStore::removeNamed(ctx().db, chosen); });
    if (!ok)
        return;
    if (!found) {
        inform(kNotRegistered);
        return;
    }
    inform(u"職員は削除されました。"_s);
    act([this] { fillStaffList(); });
}
