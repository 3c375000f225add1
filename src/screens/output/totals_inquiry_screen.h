#pragma once

#include "print/print_output.h"
#include "roster/roster_model.h"
#include "screens/screen_base.h"

#include <functional>
#include <memory>
#include <utility>
#include <vector>

class FlexGrid;
class Sheet;

// What the totals inquiries share: their boxes in a row above the grid 累計, the buttons 照会,
// 印刷 and 終了, counting into a fresh model, and printing what is shown (印刷 before any 照会
// runs 照会 first).
class TotalsInquiryScreen : public EntryScreen {
public:
    const RosterModel& model() const { return model_; }

protected:
    struct Printout {
        QString document;
        void (*print)(const RosterModel&, Sheet&);
        QString done; // said once it is printed
    };

    TotalsInquiryScreen(AppContext& context, const QString& name, const QString& caption,
                        const QString& title, const QString& closeQuestion, Printout printout,
                        std::unique_ptr<PrintOutput> output, QWidget* parent);

    // Lays the screen out: each (caption, box) of the top row, the grid, the buttons.
    void layOut(const std::vector<std::pair<QString, QWidget*>>& boxes, int width);
    // Counts everybody into a fresh model over `columns`, then shows it with `fill`.
    bool count(const TotalsColumns& columns, const std::function<void()>& fill);

    FlexGrid* grid() const { return grid_; }
    RosterModel model_;

private:
    // Checks the boxes, counts and shows; false when refused or failed.
    virtual bool inquire() = 0;
    void print();

    Printout printout_;
    std::unique_ptr<PrintOutput> output_;
    bool shown_ = false;
    FlexGrid* grid_;
};
