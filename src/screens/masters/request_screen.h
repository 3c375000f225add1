#pragma once

#include "screens/screen_base.h"
#include "store/records/shift_request.h"

#include <QDate>
#include <QString>
#include <vector>

class FlexGrid;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QRadioButton;

// Records, changes and deletes the paid leave and shifts one member of staff asks for, with a
// month calendar to pick the day and a strip of the member's requests from that month on.
class RequestScreen final : public EntryScreen {
    Q_OBJECT
public:
    explicit RequestScreen(AppContext& ctx, QWidget* parent = nullptr);

    // The strip always offers this many request columns; more requests widen it.
    static constexpr int kStripColumns = 30;

    const QDate& firstDay() const { return first_; }

private:
    void buildUi();
    void onKindChosen();
    void chooseStaff(const QString& name);
    void drawMonth(const QDate& anyDay);
    void moveMonth(int months);
    void chooseDay(int row, int col);
    void layOutStrip(int requests);
    void listRequests();
    void chooseRequest(int col);
    void highlightRequestedDay();

    bool checkApplied();
    bool checkStaff();
    bool checkRequested();
    bool checkShift();
    bool checkAll();
    void save();
    void remove();

    QDate first_;                      // the displayed month
    QString applied_;                  // the application date, "yyyy/mm/dd"
    QString paidAbbrev_;               // the paid-leave shift, empty when none is registered
    QString shiftAbbrev_;              // the shift found by the last 勤務名称 check
    int shiftDayOff_ = 0;              // its day-off kind
    int highlightCol_ = 0;             // the highlighted strip column, 0 for none
    std::vector<ShiftRequest> listed_; // the strip's requests, column 1 first

    QListWidget* staffList_;
    QLineEdit* staffNo_;
    QLineEdit* staffName_;
    QLineEdit* appliedBox_;
    QLabel* monthLabel_;
    FlexGrid* calendar_;
    QRadioButton* paidLeave_;
    QRadioButton* shiftRequest_;
    QLineEdit* requestedBox_;
    QLabel* shiftLabel_;
    QComboBox* shiftName_;
    QLineEdit* remark_;
    FlexGrid* strip_;
};
