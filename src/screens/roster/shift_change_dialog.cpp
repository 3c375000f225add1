#include "screens/roster/shift_change_dialog.h"

#include "screens/app_context.h"
#include "store/list_services.h"
#include "store/masters/shift_order.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace {
const QString EarlySuffix = u"･早出"_s;
const QString LateSuffix = u"･遅出"_s;
} // namespace

ShiftChangeDialog::ShiftChangeDialog(AppContext& context, QWidget* parent,
                                     const QString& currentAbbrev, int currentMark)
    : EntryDialog(context, u"修正"_s, u"修正内容"_s, u"修正内容"_s, parent) {
    setModal(true);

    shiftList_ = new QListWidget(this);
    shiftList_->setObjectName(u"シフト名称"_s);
    shiftList_->setMinimumSize(220, 260);

    auto* actions = new QGroupBox(this);
    auto* actionLayout = new QVBoxLayout(actions);
    auto option = [&](const QString& name, const QString& caption) {
        auto* b = new QRadioButton(caption, actions);
        b->setObjectName(name);
        actionLayout->addWidget(b);
        return b;
    };
    replace_ = option(u"置換"_s, u"置換"_s);
    insert_ = option(u"後詰"_s, u"挿入"_s);
    remove_ = option(u"削除"_s, u"削除"_s);
    sequence_ = option(u"シフト"_s, u"シフト"_s);
    actionLayout->addStretch();
    replace_->setChecked(true);

    auto* confirm = new QPushButton(u"確定"_s, this);
    confirm->setObjectName(u"確定"_s);
    confirm->setDefault(true);
    auto* cancel = new QPushButton(u"取消"_s, this);
    cancel->setObjectName(u"取消"_s);

    auto* right = new QVBoxLayout;
    right->addWidget(actions);
    right->addWidget(confirm);
    right->addWidget(cancel);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(shiftList_, 1);
    layout->addLayout(right);

    connect(confirm, &QPushButton::clicked, this, &ShiftChangeDialog::onConfirmClicked);
    connect(cancel, &QPushButton::clicked, this, &ShiftChangeDialog::onCancelClicked);
    connect(shiftList_, &QListWidget::itemDoubleClicked, this,
            &ShiftChangeDialog::onConfirmClicked);

    act([this] { fillShiftList(); });
    if (shiftList_->count() > 0)
        shiftList_->setCurrentRow(0);
    selectShift(currentAbbrev, currentMark);
    shiftList_->setFocus();
}

namespace {
constexpr int AbbrevRole = Qt::UserRole;
constexpr int MarkRole = Qt::UserRole + 1;
} // namespace

void ShiftChangeDialog::selectShift(const QString& abbrev, int mark) {
    if (abbrev.isEmpty())
        return;
    for (int i = 0; i < shiftList_->count(); ++i) {
        const QListWidgetItem* item = shiftList_->item(i);
        if (item->data(AbbrevRole).toString() == abbrev && item->data(MarkRole).toInt() == mark) {
            shiftList_->setCurrentRow(i);
            shiftList_->scrollToItem(item);
            return;
        }
    }
}

void ShiftChangeDialog::fillShiftList() {
    result_ = EditResult{};
    for (const ShiftDefinition& shift : ShiftOrder::inListOrder(ctx().db)) {
        const QString& name = shift.name;
        const int kind = shift.earlyKind;
        auto add = [&](const QString& text, int mark) {
            auto* item = new QListWidgetItem(text, shiftList_);
            item->setData(AbbrevRole, shift.abbrev);
            item->setData(MarkRole, mark);
        };
        add(name, 0);
        if (kind == 1 || kind == 2)
            add(name + EarlySuffix, 2);
        if (kind == 1 || kind == 3)
            add(name + LateSuffix, 3);
    }
}

void ShiftChangeDialog::onConfirmClicked() {
    if (sequence_->isChecked()) {
        result_ = EditResult{.action = EditAction::Sequence};
        accept();
        return;
    }
    if (remove_->isChecked()) {
        result_ = EditResult{.action = EditAction::Delete};
        accept();
        return;
    }
    const QListWidgetItem* item = shiftList_->currentItem();
    QString name = item ? item->text() : QString();
    int mark = 0;
    const qsizetype dot = name.indexOf(u'･');
    if (dot >= 0) {
        mark = name.mid(dot + 1) == u"早出"_s ? 2 : 3;
        name = name.left(dot);
    }
    ShiftLookup shift;
    if (!act([&] { shift = ShiftListService::FindShiftByName(ctx().db, name); }))
        return;
    if (name.isEmpty() || !shift.found) {
        inform(u"指定したシフト名の登録を確認して下さい。"_s);
        return;
    }
    result_ = EditResult{.action = insert_->isChecked() ? EditAction::Insert : EditAction::Replace,
                         .shiftName = shift.name,
                         .shiftAbbrev = shift.abbrev,
                         .earlyMark = mark};
    accept();
}

void ShiftChangeDialog::onCancelClicked() {
    reject();
}

void ShiftChangeDialog::reject() {
    // Leaving the dialog any other way than 確定 changes nothing and asks nothing.
    result_ = EditResult{.action = EditAction::Cancelled};
    EntryDialog::reject();
}

EditResult ShiftChangeDialog::choose(AppContext& ctx, QWidget* parent, const QString& currentAbbrev,
                                     int currentMark) {
    ShiftChangeDialog dialog(ctx, parent, currentAbbrev, currentMark);
    dialog.exec();
    return dialog.result();
}
