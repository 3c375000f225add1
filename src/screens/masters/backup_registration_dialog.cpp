#include "screens/masters/backup_registration_dialog.h"

#include "roster/staff_availability.h"
#include "screens/app_context.h"
#include "store/masters/staff_store.h"
#include "store/records/staff_member.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

BackupRegistrationDialog::BackupRegistrationDialog(AppContext& context,
                                                   const BackupRequest& request, QWidget* parent)
    : EntryDialog(context, u"バックアップ登録"_s, u"休暇のバックアップ登録"_s,
                  u"バックアップ登録"_s, parent) {
    setModal(true);

    auto readOnly = [this](const QString& name, const QString& text) {
        auto* edit = new QLineEdit(text, this);
        edit->setObjectName(name);
        edit->setReadOnly(true);
        return edit;
    };
    auto* taker = readOnly(u"取得者"_s, request.takerName);
    auto* day = readOnly(u"休暇日"_s, request.day);

    auto* frame = new QGroupBox(u"バックアップ登録"_s, this);
    auto* frameLayout = new QHBoxLayout(frame);
    withBackup_ = new QRadioButton(u"行う"_s, frame);
    withBackup_->setObjectName(u"BKUP有"_s);
    withoutBackup_ = new QRadioButton(u"行わない"_s, frame);
    withoutBackup_->setObjectName(u"BKUP無"_s);
    frameLayout->addWidget(withBackup_);
    frameLayout->addWidget(withoutBackup_);
    withBackup_->setChecked(true);

    staffList_ = new QListWidget(this);
    staffList_->setObjectName(u"LST職員"_s);
    staffList_->setMinimumHeight(200);

    auto* confirm = new QPushButton(u"確定"_s, this);
    confirm->setObjectName(u"確定"_s);
    auto* cancel = new QPushButton(u"取消"_s, this);
    cancel->setObjectName(u"取消"_s);
    confirm->setDefault(true);

    auto* heading = new QHBoxLayout;
    heading->addWidget(new QLabel(u"取得者"_s, this));
    heading->addWidget(taker);
    heading->addWidget(new QLabel(u"休暇取得日"_s, this));
    heading->addWidget(day);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(confirm);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(heading);
    layout->addWidget(new QLabel(u"の休暇の登録を行います"_s, this));
    layout->addWidget(frame);
    layout->addWidget(new QLabel(u"バックアップ者"_s, this));
    layout->addWidget(staffList_, 1);
    layout->addLayout(buttons);

    connect(staffList_, &QListWidget::itemClicked, this, &BackupRegistrationDialog::onStaffChosen);
    connect(staffList_, &QListWidget::itemActivated, this,
            &BackupRegistrationDialog::onStaffChosen);
    // A name picked with the arrow keys is as much a choice as a clicked one. Only a selected
    // name counts: the list's focus alone makes its first row current without choosing it.
    connect(staffList_, &QListWidget::itemSelectionChanged, this, [this] {
        if (const QListWidgetItem* item = staffList_->currentItem(); item && item->isSelected())
            onStaffChosen();
    });
    connect(confirm, &QPushButton::clicked, this, &BackupRegistrationDialog::onConfirmClicked);
    connect(cancel, &QPushButton::clicked, this, &BackupRegistrationDialog::onCancelClicked);

    act([&] { fillStaffList(request); });
}

void BackupRegistrationDialog::fillStaffList(const BackupRequest& request) {
    // A person covers at most one colleague a day: those with a stored backup row for someone
    // else that day are left out, as are those the caller has already assigned, and those
    // who cannot work that day at all.
    const StaffStore::CoverCandidates candidates = StaffStore::coverCandidates(
        ctx().db, request.takerNo, request.takerName, request.day, request.alsoBusy);
    for (const StaffMember& s : candidates.staff) {
        if (!AvailableOn(s.assignedFrom, s.leaveFrom, s.leaveTo, request.day))
            continue;
        // The number travels with the name: two people may share a name.
        auto* item = new QListWidgetItem(s.name, staffList_);
        item->setData(Qt::UserRole, s.no);
        if (s.no == candidates.recorded) {
            // Opened again for a leave already covered, the dialog offers the cover kept.
            staffList_->setCurrentItem(item);
            chosenNo_ = s.no;
            chosen_ = item;
        }
    }
}

void BackupRegistrationDialog::onStaffChosen() {
    QListWidgetItem* item = staffList_->currentItem();
    if (!item)
        return;
    const QString no = item->data(Qt::UserRole).toString();
    act([&] {
        if (!StaffMember::load(ctx().db, no)) {
            inform(u"指定された職員は登録されていません。"_s);
            return;
        }
        chosenNo_ = no;
        chosen_ = item;
    });
}

void BackupRegistrationDialog::onConfirmClicked() {
    if (withoutBackup_->isChecked()) {
        if (ask(u"バックアップなしで登録します。"_s)) {
            answer_ = BackupAnswer{.registration = 1, .backupNo = QString()};
            accept();
        }
        return;
    }
    if (chosenNo_.isEmpty() || !chosen_ || staffList_->currentItem() != chosen_) {
        inform(u"バックアップ者を選択して下さい。"_s);
        return;
    }
    if (ask(u"指定の職員をバックアップとして登録します。"_s)) {
        answer_ = BackupAnswer{.registration = 1, .backupNo = chosenNo_};
        accept();
    }
}

void BackupRegistrationDialog::onCancelClicked() {
    if (ask(u"休暇の取得登録は行いません。"_s))
        reject();
}

void BackupRegistrationDialog::reject() {
    // Any way out but a confirmed 確定 registers nothing.
    answer_ = BackupAnswer{};
    EntryDialog::reject();
}

BackupAnswer BackupRegistrationDialog::choose(AppContext& ctx, QWidget* parent,
                                              const BackupRequest& request) {
    BackupRegistrationDialog dialog(ctx, request, parent);
    dialog.exec();
    return dialog.answer();
}
