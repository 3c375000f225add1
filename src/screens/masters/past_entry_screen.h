#pragma once

#include "screens/roster/shift_change_dialog.h"
#include "screens/screen_base.h"

#include <QString>
#include <QStringList>

class FlexGrid;
struct StaffMember;
class QComboBox;
class QLineEdit;
class QListWidget;
class QRadioButton;

// Types in the shifts one person actually worked, a week at a time, for days that were never
// generated: the week is written as registered roster rows whose planned and actual shifts are
// both the entered ones, so generation can continue patterns across them.
class PastEntryScreen final : public EntryScreen {
    Q_OBJECT
public:
    explicit PastEntryScreen(AppContext& ctx, QWidget* parent = nullptr);

    static constexpr int kDays = 7;

    // Tests choose cell changes without the modal dialog.
    void setEditChooser(EditChooser chooser) { chooser_ = std::move(chooser); }

    // The staff number the laid-out week belongs to; empty when no week is laid out.
    const QString& weekStaff() const { return weekStaff_; }

private:
    void buildUi();
    void setUpGrid();
    void clearWeek();
    void showStaff(const StaffMember& member);
    bool hasFixedPatternMissing(const StaffMember& member) const;
    void chooseStaffByName(const QString& name);
    void dropWeekIfChanged();

    bool checkStaffNo(bool show);
    bool checkPattern();
    bool checkStart();
    bool weekIsCurrent() const;

    void layOutWeek();
    void chooseDay(int col);
    void expandFrom(int col, qsizetype firstShift);
    void save();
    void remove();

    EditChooser chooser_;
    QStringList workingShifts_; // abbreviations in working-shift order
    int patternNo_ = 0;
    int patternKind_ = 0;
    int highlightCol_ = 0;
    QString shownStaff_; // whose name and team the boxes show
    QString weekStaff_;  // whose week the grid shows
    QString weekStart_;  // and from which day

    QLineEdit* staffNo_;
    QLineEdit* staffName_;
    QLineEdit* staffKana_;
    QListWidget* staffList_;
    QComboBox* team_;
    QComboBox* pattern_;
    QLineEdit* start_;
    QRadioButton* auto_;
    QRadioButton* manual_;
    FlexGrid* grid_;
};
