#include "screens/output/monthly_totals_screen.h"

#include "output/totals_print.h"
#include "roster/cumulative_totals.h"
#include "screens/app_context.h"
#include "screens/date_field_checks.h"
#include "store/text_values.h"
#include "widgets/field_checks.h"
#include "widgets/flex_grid.h"
#include "widgets/form_parts.h"
#include "widgets/grid_text_fit.h"
#include "widgets/prompter.h"

#include <QComboBox>
#include <QLineEdit>

using namespace Qt::Literals::StringLiterals;

namespace {
const QStringList MonthChoices{u"１ｹ月"_s, u"２ｹ月"_s, u"３ｹ月"_s, u"６ｹ月"_s};
constexpr int MonthCounts[] = {1, 2, 3, 6};
constexpr int NameWidth = 1200;
constexpr int CountWidth = 350;
} // namespace

MonthlyTotalsScreen::MonthlyTotalsScreen(AppContext& context, std::unique_ptr<PrintOutput> output,
                                         QWidget* parent)
    : TotalsInquiryScreen(
          context, u"照会月累"_s, u"月別シフト累計表"_s, u"ﾁｰﾑ別勤務表作成"_s,
          u"月別累計の照会を終了します"_s,
          {u"月別勤務累計表"_s, PrintMonthYearTotals, u"勤務表の印刷を終了しました"_s},
          std::move(output), parent),
      start_(FormParts::box(u"開始日"_s, this)), months_(FormParts::pickCombo(u"期間"_s, this)) {
    start_->setMaxLength(10);
    FormParts::fitToText(start_, u"0000/00/00"_s);
    months_->addItems(MonthChoices);
    FormParts::clearChoice(months_);
    layOut({{u"表示開始"_s, start_}, {u"期間"_s, months_}}, 980);
    checks().onFocusLost(start_, [this] { checkStart(); });
}

bool MonthlyTotalsScreen::checkStart() {
    return DateFieldChecks::monthStart(checks(), start_);
}

int MonthlyTotalsScreen::chosenMonths() const {
    const qsizetype at = MonthChoices.indexOf(months_->currentText());
    return at < 0 ? 0 : MonthCounts[at];
}

bool MonthlyTotalsScreen::inquire() {
    checks().reset();
    checkStart();
    const int months = chosenMonths();
    checks().check(months_, months > 0, u"期間に入力してください"_s);
    if (checks().reportIfFailed())
        return false;

    const auto first = TextValues::parseDateText(start_->text());
    if (!count(WholeMonthColumns(first, months), [&] { fillGrid(months); }))
        return false;
    ctx().prompter.inform(u"月別累計出力"_s, u"月別累計の出力を終了しました。"_s);
    return true;
}

void MonthlyTotalsScreen::fillGrid(int months) {
    FlexGrid* table = grid();
    const int shifts = model_.cache.workShiftCount();
    const auto staff = TotalsStaff(model_);
    table->clearGrid();
    table->setRows(2 + static_cast<int>(staff.size()));
    table->setCols(1 + (months + 1) * shifts);
    table->setFixedRows(2);
    table->setFixedCols(1);
    table->setColWidthTwips(0, NameWidth);
    for (int c = 1; c < table->cols(); ++c)
        table->setColWidthTwips(c, CountWidth);
    QStringList headings = TotalsColumnLabels(model_);
    headings << u"合計"_s;
    for (int b = 0; b <= months && shifts > 0; ++b) {
        const int first = 1 + b * shifts;
        table->setText(0, first, headings[b]);
        table->setCellAlignment(0, first, Qt::AlignCenter);
        if (shifts > 1)
            table->merge(0, first, 1, shifts);
        for (int k = 1; k <= shifts; ++k) {
            table->setText(1, first + k - 1, model_.cache.workShift(k).abbrev);
            table->setCellAlignment(1, first + k - 1, Qt::AlignCenter);
        }
    }
    int row = 2;
    for (const auto& [g, slot] : staff) {
        const Person& p = model_.person(g, slot);
        table->setText(row, 0, p.name);
        for (int b = 0; b <= months; ++b) {
            const int column = b < months ? b + 1 : CumulativeTotals::TotalColumn;
            for (int k = 1; k <= shifts; ++k) {
                const int col = 1 + b * shifts + k - 1;
                table->setText(
                    row, col,
                    QString::number(
                        p.cumulative[1][static_cast<size_t>(column)][static_cast<size_t>(k)]));
                table->setCellAlignment(row, col, Qt::AlignRight | Qt::AlignVCenter);
            }
        }
        ++row;
    }
    // Long spans run into three or four figures, and names vary in length.
    GridTextFit::widenColumns(*table, 0, table->cols() - 1);
}
