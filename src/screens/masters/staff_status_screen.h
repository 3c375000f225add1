#pragma once

#include "screens/screen_base.h"
#include "store/masters/staff_store.h"

#include <QString>
#include <vector>

class FlexGrid;
class QLineEdit;

// For one fiscal year and every member of staff, either the days each member backed somebody
// up and for whom (Kind::Backup), or the paid-leave days each member took and who backed them
// up (Kind::Leave).
class StaffStatusScreen final : public EntryScreen {
    Q_OBJECT
public:
    enum class Kind { Backup, Leave };

    StaffStatusScreen(AppContext& ctx, Kind kind, QWidget* parent = nullptr);

    // The grid always offers this many entry columns; more entries widen it.
    static constexpr int kEntryColumns = 50;

private:
    void buildUi();
    void fillYear();
    bool checkYear();
    void inquire();
    void fillGrid(const std::vector<StaffStore::StatusLine>& members);
    void finish();

    Kind kind_;
    QLineEdit* year_;
    FlexGrid* grid_;
};
