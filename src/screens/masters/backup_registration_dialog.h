#pragma once

#include "screens/screen_base.h"

#include <QSet>
#include <QString>
#include <functional>

class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QRadioButton;

// Who takes a leave day, and who may not cover it besides those the dialog finds itself.
struct BackupRequest final {
    QString takerNo;
    QString takerName;
    QString day; // yyyy/MM/dd
    // Staff numbers already covering someone else that day but not yet stored.
    QSet<QString> alsoBusy;
};

// The clerk's answer: whether the leave is registered and who covers it.
struct BackupAnswer final {
    int registration = 0; // 1 register the leave, 0 do not
    QString backupNo;     // 職員_no of the backup person, empty when none
    bool operator==(const BackupAnswer&) const = default;
};

// The dialog "休暇のバックアップ登録": asks whether a leave day is registered and who backs it
// up. It writes nothing; the caller stores the answer. It offers, in kana order, the staff who
// can work that day, except the taker and anyone who already covers another person that day
// (stored backup rows of the day, and `alsoBusy`). The backup recorded for the leave earlier
// comes chosen, so 確定 keeps it. Closing the window registers nothing.
class BackupRegistrationDialog final : public EntryDialog {
    Q_OBJECT
public:
    BackupRegistrationDialog(AppContext& ctx, const BackupRequest& request,
                             QWidget* parent = nullptr);

    const BackupAnswer& answer() const { return answer_; }

    // Runs the dialog modally and returns the answer.
    static BackupAnswer choose(AppContext& ctx, QWidget* parent, const BackupRequest& request);

    void reject() override;

private:
    void fillStaffList(const BackupRequest& request);
    void onStaffChosen();
    void onConfirmClicked();
    void onCancelClicked();

    BackupAnswer answer_;
    QString chosenNo_;
    const QListWidgetItem* chosen_ = nullptr; // the row the backup was chosen on
    QListWidget* staffList_;
    QRadioButton* withBackup_;
    QRadioButton* withoutBackup_;
};

// How a screen asks for the backup of one leave day; tests substitute their own.
using BackupChooser = std::function<BackupAnswer(QWidget* parent, const BackupRequest& request)>;
