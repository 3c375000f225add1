#pragma once

#include "screens/screen_base.h"
#include "store/code_kind.h"

#include <QString>
#include <vector>

class FlexGrid;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;

// The code master: lists the entries of one kind of 個マスタ and adds, changes and deletes
// them. Opened modally; the menu reloads the start-up settings after it closes.
class CodeMasterScreen final : public EntryDialog {
    Q_OBJECT
public:
    explicit CodeMasterScreen(AppContext& ctx, QWidget* parent = nullptr);

    int chosenKind() const { return kind_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildLayout();
    void fillShiftCombo();
    void chooseKind(int kind);
    void listKind();
    void onGridClicked(int row, int col);
    void onShiftPicked(int index);
    bool checkNumber();
    bool checkName();
    bool checkAbbrev();
    bool checkAll();
    void onUpdateClicked();
    void onDeleteClicked();
    void applyTimeDisplay(int kind, int number, bool stored, const QString& abbrev);

    std::vector<QRadioButton*> kindOptions_;
    FlexGrid* grid_;
    QLineEdit* numberBox_;
    QLineEdit* nameBox_;
    QLineEdit* abbrevBox_;
    QComboBox* shiftCombo_;
    QLabel* shiftComboLabel_;
    int kind_ = CodeKind::StaffCategory;
    int highlightedRow_ = -1;
};
