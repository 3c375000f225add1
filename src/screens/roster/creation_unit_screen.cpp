#include "screens/roster/creation_unit_screen.h"

#include "screens/app_context.h"
#include "store/creation_mode.h"
#include "store/masters/creation_unit_store.h"
#include "store/records/creation_unit.h"
#include "store/text_values.h"
#include "widgets/field_checks.h"
#include "widgets/form_parts.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace {

using FormParts::box;
using FormParts::option;

const QString kTitle = u"作成単位設定"_s;
const QString kFromInvalid = u"実績開始日に正しく入力してください"_s;
const QString kToInvalid = u"実績終了日に正しく入力してください"_s;

} // namespace

CreationUnitScreen::CreationUnitScreen(AppContext& context, QWidget* parent)
    : EntryDialog(context, u"作成単位"_s, u"作成単位設定"_s, kTitle, parent) {
    buildLayout();

    checks().reset();
    checks().onFocusLost(unitCount_, [this] { checkUnitCount(); });
    checks().onFocusLost(startDay_, [this] { checkStartDay(); });
    checks().onFocusLost(from_,
                         [this] { FormParts::checkOptionalDate(checks(), from_, kFromInvalid); });
    checks().onFocusLost(to_, [this] { FormParts::checkOptionalDate(checks(), to_, kToInvalid); });

    act([this] {
        showCreationMode();
        base_->setChecked(true);
        showRow(1);
    });
}

void CreationUnitScreen::buildLayout() {
    base_ = option(u"基本"_s, u"基本設定"_s);
    adjust_ = option(u"調整"_s, u"作成分調整"_s);
    monthUnit_ = option(u"月単位"_s, u"月単位"_s);
    weekUnit_ = option(u"週単位"_s, u"週単位"_s);
    dayUnit_ = option(u"日数"_s, u"日数"_s);
    byTeam_ = option(u"チーム別有"_s, u"する"_s);
    notByTeam_ = option(u"チーム別無"_s, u"しない"_s);
    surplusLeader_ = option(u"O責任"_s, u"シフト責任者余剰を優先"_s);
    surplusCount_ = option(u"O回数"_s, u"シフト回数の多い人を優先"_s);
    surplusGeneral_ = option(u"O一般"_s, u"一般担当者を優先"_s);
    automatic_ = option(u"O自動"_s, u"自動設定"_s);
    manual_ = option(u"O手動"_s, u"余剰以降を手動"_s);
    unitCount_ = box(u"単位数"_s);
    startDay_ = box(u"作成開始"_s);
    from_ = box(u"作成From"_s);
    to_ = box(u"作成To"_s);
    remark_ = box(u"備考"_s);
    for (QLineEdit* e : {unitCount_, startDay_})
        e->setMaximumWidth(60);
    for (QLineEdit* e : {from_, to_})
        e->setMaximumWidth(110);

    connect(base_, &QRadioButton::clicked, this, [this] { act([this] { showRow(1); }); });
    connect(adjust_, &QRadioButton::clicked, this, [this] { act([this] { showRow(2); }); });

    auto* entries = new QGridLayout;
    int row = 0;
    entries->addWidget(FormParts::optionFrame(u"登録区分"_s, {base_, adjust_}), row++, 0, 1, 3);
    entries->addWidget(FormParts::optionFrame(u"作成単位"_s, {monthUnit_, weekUnit_, dayUnit_}),
                       row++, 0, 1, 3);
    entries->addWidget(FormParts::caption(u"作成単位数"_s, unitCount_), row, 0);
    entries->addWidget(unitCount_, row++, 1, Qt::AlignLeft);
    entries->addWidget(FormParts::caption(u"作成開始"_s, startDay_), row, 0);
    entries->addWidget(startDay_, row, 1, Qt::AlignLeft);
    auto* hints = new QVBoxLayout;
    hints->addWidget(new QLabel(u"週単位指定時　：　開始曜日　１：日曜，２：月曜，３：火曜"_s));
    hints->addWidget(new QLabel(u"月単位指定時　：　開始日"_s));
    entries->addLayout(hints, row++, 2);
    entries->addWidget(FormParts::optionFrame(u"チーム別作成"_s, {byTeam_, notByTeam_}), row++, 0,
                       1, 3);
    entries->addWidget(FormParts::caption(u"実績開始日"_s, from_), row, 0);
    entries->addWidget(from_, row++, 1, 1, 2, Qt::AlignLeft);
    entries->addWidget(FormParts::caption(u"実績終了日"_s, to_), row, 0);
    entries->addWidget(to_, row++, 1, 1, 2, Qt::AlignLeft);
    entries->addWidget(FormParts::caption(u"備考"_s, remark_), row, 0);
    entries->addWidget(remark_, row++, 1, 1, 2);
    entries->addWidget(FormParts::optionFrame(u"余剰者の優先順設定"_s,
                                              {surplusLeader_, surplusCount_, surplusGeneral_},
                                              true),
                       row, 0, 1, 2);
    entries->addWidget(FormParts::optionFrame(u"作成方法"_s, {automatic_, manual_}, true), row++,
                       2);
    entries->setColumnStretch(2, 1);

    auto* confirm = FormParts::button(u"確定"_s, u"確定"_s);
    auto* close = FormParts::button(u"終了"_s, u"終了"_s);
    for (QPushButton* b : {confirm, close})
        b->setAutoDefault(false);
    connect(confirm, &QPushButton::clicked, this, &CreationUnitScreen::onConfirmClicked);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    QHBoxLayout* buttons = FormParts::buttonRow({confirm, close});

    auto* root = new QVBoxLayout(this);
    root->addLayout(entries);
    root->addStretch();
    root->addLayout(buttons);

    FormParts::chainTabOrder({unitCount_, startDay_, from_, to_, remark_, confirm, close});
    resize(sizeHint().expandedTo(QSize(600, 520)));
}

// Shows the stored values of row `key`. A missing row leaves the boxes as they are, except
// that a missing base row shows the unit and team choice a confirm would store for it.
void CreationUnitScreen::showRow(int key) {
    if (const auto row = CreationUnit::load(ctx().db, key)) {
        showRecord(*row);
    } else if (key == 1) {
        monthUnit_->setChecked(true);
        notByTeam_->setChecked(true);
    }
}

void CreationUnitScreen::showRecord(const CreationUnit& row) {
    switch (row.unit) {
    case 2:
        weekUnit_->setChecked(true);
        break;
    case 3:
        dayUnit_->setChecked(true);
        break;
    default:
        monthUnit_->setChecked(true);
        break;
    }
    unitCount_->setText(QString::number(row.unitCount));
    startDay_->setText(row.startDay);
    (row.byTeam == 1 ? byTeam_ : notByTeam_)->setChecked(true);
    from_->setText(row.createdFrom);
    to_->setText(row.createdTo);
    remark_->setText(row.remark);
}

// Unticked unit and team options store as the month unit without teams.
CreationUnit CreationUnitScreen::toRecord(int key) const {
    CreationUnit row;
    row.kind = key;
    row.unit = chosenUnit();
    row.unitCount = TextValues::parseSmallInt(unitCount_->text()).value_or(0);
    row.startDay = startDay_->text();
    row.byTeam = byTeam_->isChecked() ? 1 : 0;
    row.createdFrom = from_->text();
    row.createdTo = to_->text();
    row.remark = remark_->text();
    return row;
}

void CreationUnitScreen::showCreationMode() {
    const CreationMode mode = ReadCreationModeSetting(ctx().db);
    if (mode.a == u"0"_s)
        surplusLeader_->setChecked(true);
    else if (mode.a == u"2"_s)
        surplusGeneral_->setChecked(true);
    else
        surplusCount_->setChecked(true);
    (mode.b == u"0"_s ? automatic_ : manual_)->setChecked(true);
}

int CreationUnitScreen::chosenKey() const {
    return base_->isChecked() ? 1 : 2;
}

int CreationUnitScreen::chosenUnit() const {
    if (weekUnit_->isChecked())
        return 2;
    if (dayUnit_->isChecked())
        return 3;
    return 1;
}

bool CreationUnitScreen::checkUnitCount() {
    const auto count = TextValues::parseSmallInt(unitCount_->text());
    const int unit = chosenUnit();
    // A week or day period needs at least one unit, or it would end before it starts.
    if (!count || (unit != 1 && *count < 1))
        return checks().check(unitCount_, false, u"作成単位数に正しく入力してください"_s);
    if (unit == 1)
        return checks().check(unitCount_, *count == 1, u"月単位の作成はMAX 1 です"_s);
    if (unit == 2)
        return checks().check(unitCount_, *count <= 5, u"週単位の作成はMAX 5 です"_s);
    return checks().check(unitCount_, *count <= 31, u"日数指定の作成はMAX 31 です"_s);
}

bool CreationUnitScreen::checkStartDay() {
    if (startDay_->text().isEmpty())
        startDay_->setText(u"1"_s);
    return checks().check(startDay_, TextValues::isSmallInt(startDay_->text()),
                          u"作成作成開始に正しく入力してください"_s);
}

// The adjustment row is the last created period: both of its dates are needed, in order.
bool CreationUnitScreen::checkAdjustmentDates() {
    if (!adjust_->isChecked())
        return true;
    const QString missing = u"作成分調整は実績開始日･終了日に入力してください"_s;
    const QString invalid = u"実績開始日･終了日に正しく入力してください"_s;
    if (from_->text().isEmpty() || to_->text().isEmpty()) {
        bool ok = true;
        for (QLineEdit* e : {from_, to_})
            if (e->text().isEmpty())
                ok = checks().check(e, false, missing) && ok;
        return ok;
    }
    const auto from = TextValues::normaliseDate(from_->text());
    const auto to = TextValues::normaliseDate(to_->text());
    if (!from || !to) {
        bool ok = true;
        if (!from)
            ok = checks().check(from_, false, invalid);
        if (!to)
            ok = checks().check(to_, false, invalid) && ok;
        return ok;
    }
    if (*from > *to) {
        checks().check(from_, false, invalid);
        checks().check(to_, false, invalid);
        return false;
    }
    return true;
}

bool CreationUnitScreen::checkAll() {
    checks().reset();
    checkUnitCount();
    checkStartDay();
    FormParts::checkOptionalDate(checks(), from_, kFromInvalid);
    FormParts::checkOptionalDate(checks(), to_, kToInvalid);
    checkAdjustmentDates();
    return !checks().reportIfFailed();
}

void CreationUnitScreen::onConfirmClicked() {
    if (!checkAll())
        return;
    const int key = chosenKey();
    const QString question =
        key == 2 ? u"作成分調整の変更は次回作成､照会等に影響があります。更新しますか。"_s
                 : u"入力内容で更新します。"_s;
    if (!ask(question))
        return;

    CreationMode mode;
    mode.a = surplusLeader_->isChecked() ? u"0"_s : surplusCount_->isChecked() ? u"1"_s : u"2"_s;
    mode.b = automatic_->isChecked() ? u"0"_s : u"1"_s;
    const bool saved = actBusy([&] { CreationUnitStore::save(ctx().db, toRecord(key), mode); });
    if (!saved)
        return;
    if (key == 2) {
        ctx().settings.periodStart = from_->text();
        ctx().settings.periodEnd = to_->text();
    }
    inform(u"ｼﾌﾄ作成単位設定は更新(登録)されました。"_s);
}
