#include "screens/masters/pattern_screen.h"

#include "print/fonts.h"
#include "screens/app_context.h"
#include "screens/masters/staffing_list_screen.h"
#include "store/list_services.h"
#include "store/masters/pattern_lookup.h"
#include "store/masters/pattern_store.h"
#include "store/records/pattern_row.h"
#include "store/text_values.h"
#include "widgets/field_checks.h"
#include "widgets/flex_grid.h"
#include "widgets/form_parts.h"
#include "widgets/palette.h"

#include <QComboBox>
#include <QFont>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <optional>
#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString kTitle = u"シフトパターン情報"_s;
const QString kNameTaken = u"パタン名称は既に登録されています、別の名称を入力してください"_s;
const QString kShiftNotRegistered = u"シフト名称に登録済みのシフトを選択してください"_s;

const std::array<QString, 5>& kindNames() {
    static const std::array<QString, 5> names{u"基本パターン"_s, u"禁止パターン"_s,
                                              u"特定パターン"_s, u"必須パターン"_s,
                                              u"曜日パターン"_s};
    return names;
}

// Pattern numbers and positions are typed by the clerk; both count from 0 (the header) up.
std::optional<int> parseNumber(const QString& text) {
    return FormParts::parseCount(text);
}

// A caption in column 0 and its field in column 1 of `form`.
template <typename Field>
Field* labelled(QGridLayout* form, Field* field, const QString& caption, int row) {
    form->addWidget(FormParts::caption(caption, field, field->parentWidget()), row, 0);
    form->addWidget(field, row, 1);
    return field;
}

QLineEdit* labelledBox(QWidget* parent, QGridLayout* form, const QString& name,
                       const QString& caption, int row) {
    return labelled(form, FormParts::box(name, parent), caption, row);
}

QComboBox* labelledCombo(QWidget* parent, QGridLayout* form, const QString& name,
                         const QString& caption, int row) {
    return labelled(form, FormParts::pickCombo(name, parent), caption, row);
}

} // namespace

QString PatternScreen::sequenceLine(int position, const QString& shiftName) {
    return u"%1 %2"_s.arg(position, -2).arg(shiftName);
}

PatternScreen::PatternScreen(AppContext& context, QWidget* parent)
    : EntryScreen(context, u"パタン登"_s, u"シフトパタ－ン登録"_s, kTitle, parent) {
    buildUi();
    act([this] {
        const QStringList shifts = ShiftListService::FillShiftList(ctx().db, 1);
        shiftName_->addItems(shifts);
        weekdayShiftName_->addItems(shifts);
        for (QComboBox* c : {shiftName_, weekdayShiftName_})
            FormParts::clearChoice(c);
        resetScreen();
    });
}

void PatternScreen::buildUi() {
    auto* root = new QHBoxLayout(this);

    auto* left = new QVBoxLayout;
    left->addWidget(new QLabel(u"パターン区分"_s, this));
    kindCombo_ = FormParts::pickCombo(u"パターン区分"_s, this);
    kindCombo_->addItems({kindNames()[0], kindNames()[3], kindNames()[4]});
    kindCombo_->setCurrentIndex(0);
    left->addWidget(kindCombo_);
    left->addWidget(new QLabel(u"パターン名称"_s, this));
    patternList_ = new QListWidget(this);
    patternList_->setObjectName(u"パターン名称"_s);
    patternList_->setMinimumWidth(200);
    left->addWidget(patternList_, 1);
    root->addLayout(left);

    auto* right = new QVBoxLayout;
    auto* headerFrame = new QGroupBox(u"基本情報"_s, this);
    headerFrame->setObjectName(u"基本情報"_s);
    auto* headerForm = new QGridLayout(headerFrame);
    number_ = labelledBox(headerFrame, headerForm, u"パタンNO"_s, u"パターン番号"_s, 0);
    number_->setMaximumWidth(80);
    name_ = labelledBox(headerFrame, headerForm, u"パタン名称"_s, u"パターン名称"_s, 1);
    remark_ = labelledBox(headerFrame, headerForm, u"パタン備考"_s, u"パターン備考"_s, 2);
    right->addWidget(headerFrame);

    sequenceFrame_ = new QGroupBox(u"シフト情報"_s, this);
    sequenceFrame_->setObjectName(u"シフト情報"_s);
    auto* seqLayout = new QHBoxLayout(sequenceFrame_);
    auto* seqListLayout = new QVBoxLayout;
    seqListLayout->addWidget(new QLabel(u"シフト順"_s, sequenceFrame_));
    sequenceList_ = new QListWidget(sequenceFrame_);
    sequenceList_->setObjectName(u"シフト順"_s);
    sequenceList_->setMinimumWidth(160);
    seqListLayout->addWidget(sequenceList_);
    seqLayout->addLayout(seqListLayout);
    auto* seqForm = new QGridLayout;
    position_ = labelledBox(sequenceFrame_, seqForm, u"シフト順NO"_s, u"シフト順番号"_s, 0);
    position_->setMaximumWidth(80);
    shiftAbbrev_ = labelledBox(sequenceFrame_, seqForm, u"シフト略称"_s, u"シフト略称"_s, 1);
    shiftAbbrev_->setReadOnly(true);
    shiftAbbrev_->setMaximumWidth(80);
    shiftName_ = labelledCombo(sequenceFrame_, seqForm, u"シフト名称"_s, u"シフト名称"_s, 2);
    shiftRemark_ = labelledBox(sequenceFrame_, seqForm, u"備考"_s, u"備考"_s, 3);
    seqForm->setRowStretch(4, 1);
    seqLayout->addLayout(seqForm, 1);
    right->addWidget(sequenceFrame_, 1);

    weekdayFrame_ = new QGroupBox(u"曜日別設定"_s, this);
    weekdayFrame_->setObjectName(u"曜日別設定"_s);
    auto* wdLayout = new QVBoxLayout(weekdayFrame_);
    weekdayGrid_ = new FlexGrid(weekdayFrame_);
    weekdayGrid_->setObjectName(u"曜日"_s);
    weekdayGrid_->setFont(QFont(Fonts::gothic(), 9));
    weekdayGrid_->setFixedSize(8 * Units::twipsToPixels(750) + 4, 2 * 20 + 4);
    weekdayGrid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    weekdayGrid_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    wdLayout->addWidget(weekdayGrid_);
    auto* wdForm = new QGridLayout;
    weekdayAbbrev_ = labelledBox(weekdayFrame_, wdForm, u"シフト略称2"_s, u"シフト略称"_s, 0);
    weekdayAbbrev_->setReadOnly(true);
    weekdayAbbrev_->setMaximumWidth(80);
    weekdayShiftName_ = labelledCombo(weekdayFrame_, wdForm, u"シフト名称2"_s, u"シフト名称"_s, 1);
    weekdayRemark_ = new QLabel(weekdayFrame_);
    weekdayRemark_->setObjectName(u"備考2"_s);
    wdForm->addWidget(weekdayRemark_, 2, 1);
    weekdayShiftName_->setMinimumWidth(180);
    wdForm->setColumnStretch(2, 1);
    wdLayout->addLayout(wdForm);
    wdLayout->addStretch();
    right->addWidget(weekdayFrame_, 1);
    right->addStretch();

    QPushButton* list = FormParts::button(u"一覧"_s, u"一覧表示"_s, this);
    QPushButton* confirm = FormParts::button(u"確定"_s, u"確定"_s, this);
    QPushButton* remove = FormParts::button(u"削除"_s, u"削除"_s, this);
    QPushButton* close = FormParts::button(u"終了"_s, u"終了"_s, this);
    right->addLayout(FormParts::buttonRow({list, confirm, remove, close}));
    root->addLayout(right, 1);

    connect(kindCombo_, &QComboBox::activated, this, &PatternScreen::onKindChosen);
    connect(kindCombo_->lineEdit(), &QLineEdit::returnPressed, this, &PatternScreen::onKindChosen);
    connect(kindCombo_->lineEdit(), &QLineEdit::editingFinished, this, [this] {
        // A kind typed and left with Tab counts as chosen; leaving the shown kind does nothing.
        if (kindCombo_->currentText() != kindNames()[static_cast<size_t>(kind_ - 1)])
            onKindChosen();
    });
    // Enter on a list line chooses it like a click.
    for (QListWidget* l : {patternList_, sequenceList_}) {
        const auto chosen = l == patternList_ ? &PatternScreen::onPatternChosen
                                              : &PatternScreen::onSequenceRowChosen;
        connect(l, &QListWidget::itemClicked, this, chosen);
        connect(l, &QListWidget::itemActivated, this, chosen);
    }
    connect(shiftName_, &QComboBox::activated, this, &PatternScreen::onShiftChosen);
    connect(weekdayGrid_, &FlexGrid::cellClickedAt, this, &PatternScreen::onWeekdayClicked);
    connect(weekdayShiftName_, &QComboBox::activated, this, &PatternScreen::onWeekdayShiftChosen);
    connect(list, &QPushButton::clicked, this, &PatternScreen::openStaffingList);
    connect(confirm, &QPushButton::clicked, this, &PatternScreen::save);
    connect(remove, &QPushButton::clicked, this, &PatternScreen::remove);
    connect(close, &QPushButton::clicked, this, &QWidget::close);

    // Leaving a box the clerk has not changed must not reset the screen under a click.
    checks().onFocusLost(number_, [this] {
        if (!number_->isModified()) {
            FieldChecks::setTextColour(number_, parseNumber(number_->text()).has_value());
            return;
        }
        number_->setModified(false);
        if (checkNumber())
            act([this] { resetScreen(); });
        position_->clear();
    });
    checks().onFocusLost(name_, [this] {
        checkName();
        if (name_->isModified())
            position_->clear();
        name_->setModified(false);
    });
    checks().onFocusLost(position_, [this] { checkPosition(); });

    resize(780, 560);
}

void PatternScreen::onKindChosen() {
    const QString text = kindCombo_->currentText();
    const auto it = std::find(kindNames().begin(), kindNames().end(), text);
    if (it == kindNames().end())
        return;
    kind_ = static_cast<int>(it - kindNames().begin()) + 1;
    for (QLineEdit* box :
         {number_, name_, remark_, position_, shiftAbbrev_, shiftRemark_, weekdayAbbrev_})
        box->clear();
    for (QComboBox* c : {shiftName_, weekdayShiftName_})
        FormParts::clearChoice(c);
    weekdayRemark_->clear();
    act([this] { resetScreen(); });
}

void PatternScreen::resetScreen() {
    sequenceFrame_->hide();
    weekdayFrame_->hide();
    layoutWeekdayGrid();
    patternList_->clear();
    patternList_->addItems(PatternListService::FillPatternList(ctx().db, 1, kind_));
}

void PatternScreen::layoutWeekdayGrid() {
    weekdayGrid_->clearGrid();
    weekdayGrid_->setRows(2);
    weekdayGrid_->setCols(8);
    const QColor yellow = Palette::colour(Palette::Yellow);
    for (int c = 0; c < 8; ++c) {
        weekdayGrid_->setColWidthTwips(c, 750);
        weekdayGrid_->setCellBackColor(0, c, yellow);
        weekdayGrid_->setCellAlignment(0, c, Qt::AlignCenter);
        weekdayGrid_->setCellAlignment(1, c, Qt::AlignCenter);
        if (c > 0) {
            weekdayGrid_->setText(0, c, ctx().settings.weekdayName[static_cast<size_t>(c - 1)]);
            weekdayGrid_->setCellBackColor(1, c, Palette::colour(Palette::White));
        }
    }
    weekdayGrid_->setText(0, 0, u"曜日"_s);
    weekdayGrid_->setText(1, 0, u"ｼﾌﾄ"_s);
    weekdayGrid_->setCellBackColor(1, 0, yellow);
    selectedWeekday_ = 0;
    highlightCol_ = 0;
    weekdayShiftNames_.fill(QString());
}

void PatternScreen::onPatternChosen() {
    QListWidgetItem* item = patternList_->currentItem();
    if (!item)
        return;
    act([&] {
        if (const auto header = PatternLookup::header(ctx().db, kind_, item->text()))
            showHeader(*header);
        layoutWeekdayGrid();
        listSequence(); // also shows the frame of the kind
        for (QLineEdit* box : {position_, shiftAbbrev_, shiftRemark_})
            box->clear();
        FormParts::clearChoice(shiftName_);
        if (kind_ == kWeekdayKind)
            position_->setText(u"1"_s);
    });
}

void PatternScreen::showHeader(const PatternRow& header) {
    number_->setText(QString::number(header.no));
    name_->setText(header.name);
    remark_->setText(header.remark);
    for (QLineEdit* box : {number_, name_, remark_})
        FieldChecks::setTextColour(box, true);
}

void PatternScreen::listSequence() {
    sequenceList_->clear();
    const auto number = parseNumber(number_->text());
    if (number) {
        for (const PatternRow& row : PatternRow::loadPattern(ctx().db, kind_, *number)) {
            if (row.position == 0)
                continue;
            if (kind_ == kWeekdayKind) {
                if (row.position <= 7) {
                    weekdayGrid_->setText(1, row.position, row.shiftAbbrev);
                    weekdayShiftNames_[static_cast<size_t>(row.position - 1)] = row.shiftName;
                }
                position_->setText(u"1"_s);
            } else {
                sequenceList_->addItem(sequenceLine(row.position, row.shiftName));
            }
        }
    }
    showFrames(kind_ == kWeekdayKind);
}

void PatternScreen::showFrames(bool weekday) {
    weekdayFrame_->setVisible(weekday);
    sequenceFrame_->setVisible(!weekday);
}

void PatternScreen::onSequenceRowChosen() {
    QListWidgetItem* item = sequenceList_->currentItem();
    const auto number = parseNumber(number_->text());
    if (!item || !number)
        return;
    const int pos = item->text().left(2).trimmed().toInt();
    act([&] {
        if (const auto row = PatternRow::load(ctx().db, kind_, *number, pos))
            showSequenceRow(*row);
    });
}

void PatternScreen::showSequenceRow(const PatternRow& row) {
    position_->setText(QString::number(row.position));
    shiftAbbrev_->setText(row.shiftAbbrev);
    shiftName_->setEditText(row.shiftName);
    shiftRemark_->setText(row.remark);
    FieldChecks::setTextColour(position_, true);
}

void PatternScreen::onShiftChosen() {
    act([this] {
        const ShiftLookup s =
            ShiftListService::FindShiftByName(ctx().db, shiftName_->currentText());
        shiftAbbrev_->setText(s.abbrev);
        shiftRemark_->setText(s.remark);
    });
}

void PatternScreen::paintWeekdayCell(int col, Palette::Number colour) {
    weekdayGrid_->setCellBackColor(1, col, Palette::colour(colour));
}

void PatternScreen::onWeekdayClicked(int /*row*/, int col) {
    selectedWeekday_ = col;
    if (col == 0) {
        inform(u"有効範囲を選択して下さい。"_s);
        return;
    }
    if (highlightCol_ > 0)
        paintWeekdayCell(highlightCol_, Palette::White);
    paintWeekdayCell(col, Palette::Green);
    highlightCol_ = col;
}

void PatternScreen::onWeekdayShiftChosen() {
    if (selectedWeekday_ < 1 || selectedWeekday_ > 7) {
        inform(u"シフトを設定する曜日を正しく指定してください"_s);
        return;
    }
    act([this] {
        const QString name = weekdayShiftName_->currentText();
        const ShiftLookup s = ShiftListService::FindShiftByName(ctx().db, name);
        weekdayAbbrev_->setText(s.abbrev);
        weekdayRemark_->setText(s.remark);
        weekdayGrid_->setText(1, selectedWeekday_, s.abbrev);
        weekdayShiftNames_[static_cast<size_t>(selectedWeekday_ - 1)] = name;
    });
}

bool PatternScreen::checkNumber() {
    return checks().check(number_, parseNumber(number_->text()).has_value(),
                          u"パタンNOに正しく入力してください"_s);
}

bool PatternScreen::checkName() {
    return checks().check(name_, !name_->text().isEmpty(),
                          u"パタン名称は必須項目です、入力してください"_s);
}

bool PatternScreen::checkPosition() {
    // Position 0 is the header row; a sequence row never overwrites it.
    const auto pos = parseNumber(position_->text());
    return checks().check(position_, pos && *pos >= 1, u"シフト順NOに正しく入力してください"_s);
}

bool PatternScreen::checkNameFree(int number) {
    return checks().check(name_,
                          !PatternLookup::nameTakenByOther(ctx().db, kind_, number, name_->text()),
                          kNameTaken);
}

bool PatternScreen::checkAll() {
    checks().reset();
    QString tableFailure;
    if (position_->text().isEmpty()) {
        const bool numbered = checkNumber();
        if (checkName() && numbered)
            checkNameFree(*parseNumber(number_->text()));
    } else if (kind_ != kWeekdayKind) {
        checkPosition();
        const ShiftLookup s =
            ShiftListService::FindShiftByName(ctx().db, shiftName_->currentText());
        shiftAbbrev_->setText(s.abbrev);
        // An unknown name would store an empty abbreviation that generation takes for a shift.
        checks().check(shiftName_, !s.abbrev.isEmpty(), kShiftNotRegistered);
        const auto number = parseNumber(number_->text());
        const bool headerFound = number && PatternRow::load(ctx().db, kind_, *number, 0);
        if (!headerFound)
            tableFailure = u"ﾊﾟﾀｰﾝ名称が登録されていません"_s;
    } else {
        bool allSet = true;
        for (int c = 1; c <= 7; ++c)
            allSet = allSet && !weekdayGrid_->text(1, c).isEmpty();
        if (!allSet)
            tableFailure = u"全曜日に入力してください"_s;
        else
            checkNumber(); // the rows are written under this number
    }
    if (checks().reportIfFailed())
        return false;
    // Table-level failures come last in each branch and colour no box.
    if (!tableFailure.isEmpty()) {
        inform(tableFailure);
        return false;
    }
    return true;
}

void PatternScreen::save() {
    bool passed = false;
    if (!act([&] { passed = checkAll(); }) || !passed)
        return;
    if (!ask(u"入力内容で更新します。"_s))
        return;
    const auto number = parseNumber(number_->text());
    if (!number)
        return;
    if (position_->text().isEmpty())
        saveHeader(*number);
    else if (kind_ != kWeekdayKind)
        saveSequenceRow(*number);
    else
        saveWeekdays(*number);
}

void PatternScreen::saveHeader(int number) {
    const bool stored = act(
        [&] { PatternStore::saveHeader(ctx().db, kind_, number, name_->text(), remark_->text()); });
    if (!stored)
        return;
    inform(u"更新(登録)されました。"_s);
    act([this] {
        resetScreen();
        listSequence();
    });
}

void PatternScreen::saveSequenceRow(int number) {
    PatternRow row;
    row.kind = kind_;
    row.no = number;
    row.position = *parseNumber(position_->text());
    row.shiftAbbrev = shiftAbbrev_->text();
    row.shiftName = shiftName_->currentText();
    row.remark = shiftRemark_->text();
    auto result = PatternStore::ShiftSave::Saved;
    if (!act([&] { result = PatternStore::saveShift(ctx().db, row); }))
        return;
    if (result == PatternStore::ShiftSave::PatternFull) {
        inform(u"ﾊﾟﾀｰﾝ内のｼﾌﾄ順登録はMAX 20件です。"_s);
        return;
    }
    inform(u"指定されたシフトは更新(登録)されました。"_s);
    act([this] { listSequence(); });
}

void PatternScreen::saveWeekdays(int number) {
    std::array<PatternRow, 7> days;
    for (int day = 1; day <= 7; ++day) {
        PatternRow& row = days[static_cast<size_t>(day - 1)];
        row.kind = kind_;
        row.no = number;
        row.position = day;
        row.shiftAbbrev = weekdayGrid_->text(1, day);
        row.shiftName = weekdayShiftNames_[static_cast<size_t>(day - 1)];
        row.remark = shiftRemark_->text();
    }
    if (!act([&] { PatternStore::saveWeekdays(ctx().db, days); }))
        return;
    if (highlightCol_ > 0)
        paintWeekdayCell(highlightCol_, Palette::White);
    highlightCol_ = 0;
    selectedWeekday_ = 0;
    inform(u"指定された曜日シフトは更新(登録)されました。"_s);
}

void PatternScreen::remove() {
    const bool whole = position_->text().isEmpty() || kind_ == kWeekdayKind;
    if (!whole) {
        // Position 0 is the header row: deleting from there would take the whole pattern.
        checks().reset();
        checkPosition();
        if (checks().reportIfFailed())
            return;
    }
    if (!ask(whole ? u"ｼﾌﾄﾊﾟﾀｰﾝ全体を削除します。"_s : u"指定したｼﾌﾄを削除します。"_s))
        return;
    const auto number = parseNumber(number_->text());
    const auto pos = whole ? std::optional<int>(0) : parseNumber(position_->text());
    bool found = false;
    const bool ok = act([&] {
        if (number && pos)
            found = PatternStore::removeFrom(ctx().db, kind_, *number, *pos);
    });
    if (!ok)
        return;
    if (!found) {
        inform(u"指定されたﾊﾟﾀｰﾝは登録されていません。"_s);
        return;
    }
    inform(u"指定されたﾊﾟﾀｰﾝは削除されました。"_s);
    act([this] {
        resetScreen();
        listSequence();
    });
}

void PatternScreen::openStaffingList() {
    if (staffingList_) {
        staffingList_->showPattern(name_->text());
        staffingList_->raise();
        staffingList_->activateWindow();
        return;
    }
    // A window of its own, but owned by this screen so it never outlives the context.
    staffingList_ = new StaffingListScreen(ctx(), name_->text(), this);
    staffingList_->setWindowFlag(Qt::Window);
    staffingList_->setAttribute(Qt::WA_DeleteOnClose);
    staffingList_->show();
}
