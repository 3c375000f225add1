#pragma once

#include "roster/quality_report.h"

#include <QWidget>

class PrintOutput;
class Prompter;
class QChart;
class QLabel;
class QListWidget;
class QTableWidget;

// "品質": the quality of one roster period at a glance. Nights per person against their mean,
// Saturdays and Sundays off per person, a strip of the period's days coloured by how short
// the whole unit is, the findings a clerk would fix by hand, the per-person figures and the
// ward's average night hours against the audited ceiling. 印刷 prints the same through
// `output`, which must outlive the window.
class QualityWindow final : public QWidget {
    Q_OBJECT
public:
    QualityWindow(QualityReport report, PrintOutput& output, QWidget* parent = nullptr);

    // Where a failed printout is reported; the real message boxes until set. `prompter` must
    // outlive the window.
    void setPrompter(Prompter& prompter) { prompter_ = &prompter; }

    const QualityReport& report() const { return report_; }
    QChart* nightsChart() const { return nightsChart_; }
    QChart* weekendChart() const { return weekendChart_; }
    QTableWidget* dayStrip() const { return dayStrip_; }
    QListWidget* findings() const { return findings_; }
    QTableWidget* people() const { return people_; }
    QLabel* nightHours() const { return nightHours_; }

Q_SIGNALS:
    // A finding was chosen: the person (0, 0 when it concerns no one person) and the day (0
    // when it concerns the whole period).
    void findingChosen(int group, int slot, int day);

private:
    void buildNightsChart();
    void buildWeekendChart();
    void buildDayStrip();
    void buildFindings();
    void buildPeople();
    void buildNightHours();
    void onPrintClicked();

    QualityReport report_;
    PrintOutput& output_;
    Prompter* prompter_ = nullptr;
    QChart* nightsChart_ = nullptr;
    QChart* weekendChart_ = nullptr;
    QTableWidget* dayStrip_ = nullptr;
    QListWidget* findings_ = nullptr;
    QTableWidget* people_ = nullptr;
    QLabel* nightHours_ = nullptr;
};
