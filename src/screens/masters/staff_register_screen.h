#pragma once

#include "screens/screen_base.h"

#include <QString>

class QComboBox;
class QLineEdit;
class QListWidget;
class QRadioButton;
struct StaffMember;

// Creates, changes and deletes staff members: identification, contact data, category,
// shift type and pattern, early/late duty, team, leader and employment status.
class StaffRegisterScreen final : public EntryScreen {
    Q_OBJECT
public:
    explicit StaffRegisterScreen(AppContext& ctx, QWidget* parent = nullptr);

    static constexpr int kNameLimit = 25;
    static constexpr int kKanaLimit = 20;
    static constexpr int kAddressLimit = 25;

private:
    void buildUi();
    void fillStaffList();
    void fillPatternCombo(int kind);
    void onShiftTypeChosen();
    bool lookUpCategory();
    bool lookUpPattern();
    void loadStaff(const QString& name);
    void showRecord(const StaffMember& member);
    StaffMember toRecord() const;

    bool checkNo();
    bool checkName();
    bool checkKana();
    bool checkStartDate();
    bool checkBirthDate();
    bool checkDisplayOrder();
    bool checkTeam();
    bool checkAddress();
    bool checkAll();
    void save();
    void remove();

    // The category and pattern found by their look-ups or by loading a member.
    int categoryNo_ = 0;
    int patternKind_ = 0;
    int patternNo_ = 0;

    QListWidget* staffList_;
    QLineEdit* no_;
    QLineEdit* displayOrder_;
    QLineEdit* name_;
    QLineEdit* kana_;
    QLineEdit* address_;
    QLineEdit* phone_;
    QLineEdit* mobile_;
    QComboBox* category_;
    QRadioButton* male_;
    QRadioButton* female_;
    QComboBox* shiftType_;
    QComboBox* pattern_;
    QRadioButton* earlyYes_;
    QRadioButton* earlyNo_;
    QComboBox* team_;
    QRadioButton* leader_;
    QRadioButton* general_;
    QRadioButton* employed_;
    QRadioButton* onLeave_;
    QRadioButton* retired_;
    QLineEdit* birthDate_;
    QLineEdit* age_;
    QLineEdit* startDate_;
    QLineEdit* years_;
    QLineEdit* leaveFrom_;
    QLineEdit* leaveTo_;
    QLineEdit* remark_;
};
