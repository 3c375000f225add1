#pragma once

#include "screens/roster/edit_result.h"

#include <QDialog>
#include <functional>

class Database;
class Prompter;
class QListWidget;
class QRadioButton;

// The dialog "修正内容": the clerk picks a shift (optionally its early or late variant) and an
// action for one roster cell. The choice is read back with result().
class ShiftChangeDialog final : public QDialog {
    Q_OBJECT
public:
    ShiftChangeDialog(Database& db, Prompter& prompter, QWidget* parent = nullptr);

    const EditResult& result() const { return result_; }

    // Runs the dialog modally and returns the choice.
    static EditResult choose(Database& db, Prompter& prompter, QWidget* parent);

private:
    void fillShiftList();
    void onConfirmClicked();
    void onCancelClicked();

    Database& db_;
    Prompter& prompter_;
    EditResult result_;
    QListWidget* shiftList_;
    QRadioButton* replace_;
    QRadioButton* insert_;
    QRadioButton* remove_;
    QRadioButton* sequence_;
};

// How a roster screen asks for a cell change; tests substitute their own chooser.
using EditChooser = std::function<EditResult(QWidget* parent)>;
