#pragma once

#include "screens/screen_base.h"

#include <QString>

class FlexGrid;
class QComboBox;

// Read-only view of one shift pattern: the default staffing of each shift in the pattern,
// one column per position.
class StaffingListScreen final : public EntryScreen {
    Q_OBJECT
public:
    // `patternName` is the pattern to show at once (may be empty).
    StaffingListScreen(AppContext& ctx, const QString& patternName, QWidget* parent = nullptr);

    // Puts a pattern name in the combo and shows it.
    void showPattern(const QString& name);

    static constexpr int kDataCols = 19;

private:
    void fillPatternCombo();
    void layoutGrid(int dataCols);
    void onPatternChosen();

    QComboBox* pattern_;
    FlexGrid* grid_;
};
