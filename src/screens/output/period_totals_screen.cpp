#include "screens/output/period_totals_screen.h"

#include "output/totals_print.h"
#include "roster/cumulative_totals.h"
#include "screens/app_context.h"
#include "screens/date_field_checks.h"
#include "store/text_values.h"
#include "widgets/field_checks.h"
#include "widgets/flex_grid.h"
#include "widgets/form_parts.h"
#include "widgets/grid_text_fit.h"

#include <QLineEdit>

using namespace Qt::Literals::StringLiterals;

namespace {
constexpr int NameWidth = 1200;
constexpr int CountWidth = 450;
} // namespace

PeriodTotalsScreen::PeriodTotalsScreen(AppContext& context, std::unique_ptr<PrintOutput> output,
                                       QWidget* parent)
    : TotalsInquiryScreen(context, u"照会累計"_s, u"期間シフト累計表"_s, u"勤務累計表作成"_s,
                          u"累計表を終了します"_s,
                          {u"シフト勤務累計表"_s, PrintPeriodTotals, u"累計表を出力しました"_s},
                          std::move(output), parent),
      start_(FormParts::box(u"開始日"_s, this)), end_(FormParts::box(u"終了日"_s, this)) {
    for (QLineEdit* e : {start_, end_}) {
        e->setMaxLength(10);
        FormParts::fitToText(e, u"0000/00/00"_s);
    }
    layOut({{u"表示開始"_s, start_}, {u"～"_s, end_}}, 640);
    checks().onFocusLost(start_, [this] { checkStart(); });
    checks().onFocusLost(end_, [this] { checkEnd(); });
}

bool PeriodTotalsScreen::checkStart() {
    return DateFieldChecks::monthStart(checks(), start_);
}

bool PeriodTotalsScreen::checkEnd() {
    const auto normal = TextValues::normaliseDate(end_->text().trimmed());
    if (!checks().check(end_, normal.has_value(), u"終了日に正しく入力してください"_s))
        return false;
    end_->setText(*normal);
    return true;
}

bool PeriodTotalsScreen::inquire() {
    checks().reset();
    const bool startOk = checkStart();
    const bool endOk = checkEnd();
    if (startOk && endOk)
        checks().check(end_, start_->text() < end_->text(),
                       u"日付の関係を正しく入力してください"_s);
    if (checks().reportIfFailed())
        return false;

    if (!count(PeriodColumn(start_->text(), end_->text()), [this] { fillGrid(); }))
        return false;
    inform(u"累計表を表示しました。"_s);
    return true;
}

void PeriodTotalsScreen::fillGrid() {
    FlexGrid* table = grid();
    const int shifts = model_.cache.workShiftCount();
    const auto staff = TotalsStaff(model_);
    table->clearGrid();
    table->setRows(1 + static_cast<int>(staff.size()));
    table->setCols(1 + shifts);
    table->setFixedRows(1);
    table->setFixedCols(1);
    table->setColWidthTwips(0, NameWidth);
    for (int k = 1; k <= shifts; ++k) {
        table->setColWidthTwips(k, CountWidth);
        table->setText(0, k, model_.cache.workShift(k).abbrev);
        table->setCellAlignment(0, k, Qt::AlignCenter);
    }
    int row = 1;
    for (const auto& [g, slot] : staff) {
        const Person& p = model_.person(g, slot);
        table->setText(row, 0, p.name);
        for (int k = 1; k <= shifts; ++k) {
            table->setText(
                row, k,
                QString::number(
                    p.cumulative[1][CumulativeTotals::TotalColumn][static_cast<size_t>(k)]));
            table->setCellAlignment(row, k, Qt::AlignRight | Qt::AlignVCenter);
        }
        ++row;
    }
    // Long spans run into three or four figures, and names vary in length.
    GridTextFit::widenColumns(*table, 0, table->cols() - 1);
}
