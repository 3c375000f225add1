#pragma once

#include "output/print_period_check.h"
#include "print/print_output.h"
#include "roster/roster_load.h"
#include "screens/screen_base.h"

#include <QPointer>
#include <functional>
#include <memory>

class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QualityWindow;

// "勤務表･累計表 出力": chooses what to print (the roster sheet, or the monthly or fiscal-year
// totals), for whom (everybody, one person, one team) and for which period, then prints it
// from the registered roster.
class RosterPrintScreen final : public EntryScreen {
    Q_OBJECT
public:
    // `output` decides where printouts go; by default Qt's print preview and print dialog.
    explicit RosterPrintScreen(AppContext& ctx, std::unique_ptr<PrintOutput> output = nullptr,
                               QWidget* parent = nullptr);

    const RosterModel& model() const { return model_; }
    // What the next printout loads: the people chosen, the grouping and the dates last printed.
    const RosterQuery& query() const { return query_; }
    // Asks where to save the workbook, proposing `proposed`; empty when the clerk cancels.
    using SaveFileChooser = std::function<QString(QWidget* parent, const QString& proposed)>;
    void setSaveFileChooser(SaveFileChooser chooser) { chooseSaveFile_ = std::move(chooser); }
    // The quality window opened last by 品質, while it is open.
    QualityWindow* qualityWindow() const;

private:
    void buildUi();
    void onTargetChosen();
    void onStaffClicked(QListWidgetItem* item);
    void onTeamClicked(QListWidgetItem* item);
    void checkStart();
    void checkEnd();
    // Checks the dates, then `periodError` of them, and takes them into the query. False (the
    // message shown) when a check failed.
    bool takePeriod(const std::function<QString()>& periodError);
    void onPrintClicked();
    void printTotals(PrintKind kind);
    void onQualityClicked();
    void onExcelClicked();
    QString workbookFolder();

    std::unique_ptr<PrintOutput> output_;
    RosterQuery query_;
    RosterModel model_;
    QPointer<QualityWindow> qualityWindow_;
    SaveFileChooser chooseSaveFile_;

    QListWidget* kindList_;
    QListWidget* targetList_;
    QLabel* staffLabel_;
    QListWidget* staffList_;
    QLabel* teamLabel_;
    QListWidget* teamList_;
    QLineEdit* startEdit_;
    QLineEdit* endEdit_;
};
