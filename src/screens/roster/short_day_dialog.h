#pragma once

#include "roster/short_day.h"

#include <QDialog>
#include <optional>
#include <utility>

class QListWidget;
class QPushButton;
class QTableWidget;

// "不足理由": why a day is short of a shift. Lists every person of the group (or unit) with
// what the day holds for them and what stops them taking the shift, and the people who could
// take it, fewest of the shift first. 変更 (or a double click on a candidate) closes the dialog
// with that candidate chosen.
class ShortDayDialog final : public QDialog {
    Q_OBJECT
public:
    explicit ShortDayDialog(ShortDayExplanation explanation, QWidget* parent = nullptr);

    QTableWidget* people() const { return people_; }
    QListWidget* candidates() const { return candidates_; }
    // (group, slot) of the chosen candidate once the dialog is accepted.
    std::optional<std::pair<int, int>> chosen() const;

    // Shows the dialog modally; the candidate chosen, or nothing when it was closed.
    static std::optional<std::pair<int, int>> choose(QWidget* parent,
                                                     const ShortDayExplanation& explanation);

private:
    ShortDayExplanation e_;
    QTableWidget* people_;
    QListWidget* candidates_;
    QPushButton* change_;
};
