#pragma once

#include "screens/screen_base.h"

#include <QPointer>
#include <QString>

class FlexGrid;
class PersonalRosterScreen;

// Every member of staff in display order with position, leader mark, team, shift use and
// pattern; a clicked row selects the person for the personal roster and the staff register.
class StaffListScreen final : public EntryScreen {
    Q_OBJECT
public:
    explicit StaffListScreen(AppContext& ctx, QWidget* parent = nullptr);

    static constexpr int kCols = 7;
    static constexpr int kMinRows = 100; // the list is never shorter; more staff lengthen it

    int listedCount() const { return listed_; }
    int selectedRow() const { return selected_; }

private:
    void buildUi();
    void setUpGrid(int people);
    void fill();
    void chooseRow(int row);
    void openPersonalRoster();
    void openStaffRegister();

    FlexGrid* grid_;
    int listed_ = 0;
    int selected_ = 0; // 0 when no row is selected
    QPointer<PersonalRosterScreen> personal_;
    QPointer<QWidget> register_; // the staff register whose closing refills the list
};
