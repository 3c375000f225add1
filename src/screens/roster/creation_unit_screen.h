#pragma once

#include "screens/screen_base.h"

class QLineEdit;
class QRadioButton;
struct CreationUnit;

// The creation unit: how long one roster period lasts (row 1 of 作成単位), the last created
// period (row 2) and the creation-mode setting. Opened modally; the menu reloads the
// start-up settings after it closes.
class CreationUnitScreen final : public EntryDialog {
    Q_OBJECT
public:
    explicit CreationUnitScreen(AppContext& ctx, QWidget* parent = nullptr);

private:
    void buildLayout();
    void showRow(int key);
    void showRecord(const CreationUnit& row);
    CreationUnit toRecord(int key) const;
    void showCreationMode();
    int chosenKey() const;
    int chosenUnit() const;
    bool checkUnitCount();
    bool checkStartDay();
    bool checkAdjustmentDates();
    bool checkAll();
    void onConfirmClicked();

    QRadioButton* base_;
    QRadioButton* adjust_;
    QRadioButton* monthUnit_;
    QRadioButton* weekUnit_;
    QRadioButton* dayUnit_;
    QRadioButton* byTeam_;
    QRadioButton* notByTeam_;
    QRadioButton* automatic_;
    QRadioButton* manual_;
    QRadioButton* surplusGeneral_;
    QRadioButton* surplusLeader_;
    QRadioButton* surplusCount_;
    QLineEdit* unitCount_;
    QLineEdit* startDay_;
    QLineEdit* from_;
    QLineEdit* to_;
    QLineEdit* remark_;
};
