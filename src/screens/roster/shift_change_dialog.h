#pragma once

#include "screens/roster/edit_result.h"
#include "screens/screen_base.h"

#include <functional>

class QListWidget;
class QRadioButton;

// The dialog "修正内容": the clerk picks a shift (optionally its early or late variant) and an
// action for one roster cell. It opens on the cell's own shift (`currentAbbrev` with its
// early/late mark) where the list has it; Esc or the window's close button cancel like 取消.
// The choice is read back with result().
class ShiftChangeDialog final : public EntryDialog {
    Q_OBJECT
public:
    explicit ShiftChangeDialog(AppContext& ctx, QWidget* parent = nullptr,
                               const QString& currentAbbrev = QString(), int currentMark = 0);

    const EditResult& result() const { return result_; }

    // Runs the dialog modally and returns the choice.
    static EditResult choose(AppContext& ctx, QWidget* parent, const QString& currentAbbrev,
                             int currentMark);

    void reject() override;

private:
    void fillShiftList();
    void selectShift(const QString& abbrev, int mark);
    void onConfirmClicked();
    void onCancelClicked();

    EditResult result_;
    QListWidget* shiftList_;
    QRadioButton* replace_;
    QRadioButton* insert_;
    QRadioButton* remove_;
    QRadioButton* sequence_;
};

// How a roster screen asks for a cell change, given the cell's shift and early/late mark;
// tests substitute their own chooser.
using EditChooser =
    std::function<EditResult(QWidget* parent, const QString& currentAbbrev, int currentMark)>;
