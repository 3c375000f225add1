#pragma once

#include "screens/screen_base.h"

#include <array>
#include <utility>

class QCheckBox;
class QLineEdit;
class QListWidget;
class QRadioButton;
struct ShiftDefinition;

// The shift definitions (シフト基本): working shifts, which rosters staff every day, and leave
// shifts. Lists the shifts of one category and adds, changes and deletes definitions.
class ShiftDefinitionScreen final : public EntryScreen {
    Q_OBJECT
public:
    explicit ShiftDefinitionScreen(AppContext& ctx, QWidget* parent = nullptr);

    // The category the list shows: 1 working shifts, 0 leave shifts, as the chosen option says.
    int listFilter() const;

private:
    // The checks of the boxes, in the order the whole form is checked.
    enum class Rule {
        Abbrev,
        Name,
        Order,
        Start,
        End,
        EarlyStaff,
        EarlyStart,
        EarlyEnd,
        LateStaff,
        LateStart,
        LateEnd,
        MinStaff,
        Leaders,
        MaxCount,
        TeamStaff,
        TeamLeaders,
    };

    // Every checked box with its rule, in that order.
    std::array<std::pair<QLineEdit*, Rule>, 16> boxRules() const;

    void buildLayout();
    void connectChecks();
    void workingShiftMode();
    void leaveShiftMode();
    void earlyLateDefaults();
    void fillList();
    void loadDefinition(const QString& name);
    void showRecord(const ShiftDefinition& definition);
    ShiftDefinition toRecord() const;

    bool timesExempt() const;
    bool earlyTimesExempt() const;
    bool lateTimesExempt() const;
    bool checkRequired(QLineEdit* box);
    bool checkNumeric(QLineEdit* box, const QString& message);
    bool checkCount(QLineEdit* box, const QString& message);
    bool checkZeroOrCount(QLineEdit* box, const QString& message);
    bool checkStaffCount(QLineEdit* box, bool exempt, const QString& message);
    bool checkStartTime(QLineEdit* start, QLineEdit* end, bool exempt, const QString& emptyMessage,
                        const QString& invalidMessage);
    bool checkEndTime(QLineEdit* start, QLineEdit* end, bool exempt, const QString& emptyMessage,
                      const QString& invalidMessage, const QString& pairMessage);
    bool checkRule(Rule rule);
    bool checkOrderFree();
    bool checkAll();
    void onConfirmClicked();
    void onDeleteClicked();

    QRadioButton* working_;
    QRadioButton* leave_;
    QListWidget* list_;
    QLineEdit* abbrev_;
    QLineEdit* name_;
    QLineEdit* order_;
    QRadioButton* workDay_;
    QRadioButton* dayOff_;
    QCheckBox* paid_;
    QLineEdit* start_;
    QLineEdit* end_;
    QRadioButton* earlyNone_;
    QRadioButton* earlyBoth_;
    QRadioButton* earlyOnly_;
    QRadioButton* lateOnly_;
    QLineEdit* earlyStart_;
    QLineEdit* earlyEnd_;
    QLineEdit* lateStart_;
    QLineEdit* lateEnd_;
    QLineEdit* earlyStaff_;
    QLineEdit* lateStaff_;
    QLineEdit* minStaff_;
    QLineEdit* leaders_;
    QLineEdit* maxCount_;
    QLineEdit* teamStaff_;
    QLineEdit* teamLeaders_;
    QRadioButton* fillYes_;
    QRadioButton* fillNo_;
    QLineEdit* remark_;
};
