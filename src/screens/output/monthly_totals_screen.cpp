#include "screens/output/monthly_totals_screen.h"

#include "output/totals_print.h"
#include "roster/cumulative_totals.h"
#include "screens/app_context.h"
#include "screens/date_field_checks.h"
#include "screens/output/preview_print_output.h"
#include "store/text_values.h"
#include "widgets/field_checks.h"
#include "widgets/flex_grid.h"
#include "widgets/form_parts.h"
#include "widgets/grid_text_fit.h"
#include "widgets/prompter.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace {
const QStringList MonthChoices{u"１ｹ月"_s, u"２ｹ月"_s, u"３ｹ月"_s, u"６ｹ月"_s};
constexpr int MonthCounts[] = {1, 2, 3, 6};
constexpr int NameWidth = 1200;
constexpr int CountWidth = 350;
} // namespace

MonthlyTotalsScreen::MonthlyTotalsScreen(AppContext& context, std::unique_ptr<PrintOutput> output,
                                         QWidget* parent)
    : EntryScreen(context, u"照会月累"_s, u"月別シフト累計表"_s, u"ﾁｰﾑ別勤務表作成"_s, parent),
      output_(std::move(output)) {
    if (!output_)
        output_ = std::make_unique<PreviewPrintOutput>();
    buildUi();
}

void MonthlyTotalsScreen::buildUi() {
    start_ = FormParts::box(u"開始日"_s, this);
    start_->setMaxLength(10);
    start_->setMaximumWidth(110);
    months_ = FormParts::pickCombo(u"期間"_s, this);
    months_->addItems(MonthChoices);
    FormParts::clearChoice(months_);
    QPushButton* show = FormParts::button(u"表示"_s, u"照会"_s, this);
    QPushButton* print = FormParts::button(u"印刷"_s, u"印刷"_s, this);
    QPushButton* close = FormParts::button(u"終了"_s, u"終了"_s, this);
    grid_ = new FlexGrid(this);
    grid_->setObjectName(u"累計"_s);
    grid_->setColWidthTwips(0, NameWidth);

    auto* top = new QHBoxLayout;
    top->addWidget(FormParts::caption(u"表示開始"_s, start_, this));
    top->addWidget(start_);
    top->addWidget(FormParts::caption(u"期間"_s, months_, this));
    top->addWidget(months_);
    top->addStretch();
    auto* root = new QVBoxLayout(this);
    root->addLayout(top);
    root->addWidget(grid_, 1);
    root->addLayout(FormParts::buttonRow({show, print, close}));
    resize(980, 600);
    FormParts::chainTabOrder({start_, months_, show, print, close});

    connect(show, &QPushButton::clicked, this, [this] { inquire(); });
    connect(print, &QPushButton::clicked, this, &MonthlyTotalsScreen::print);
    connect(close, &QPushButton::clicked, this, &MonthlyTotalsScreen::finish);
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

    model_ = RosterModel{};
    model_.leaderFilter = LeaderFilter::Everybody;
    model_.groupingMode = Grouping::Everybody;
    SetWholeMonthColumns(model_, TextValues::parseDateText(start_->text()), months);
    shown_ = false;
    if (!actBusy([&] {
            LoadTotals(ctx().db, ctx().settings, model_);
            fillGrid(months);
        }))
        return false;
    shown_ = true;
    ctx().prompter.inform(u"月別累計出力"_s, u"月別累計の出力を終了しました。"_s);
    return true;
}

void MonthlyTotalsScreen::fillGrid(int months) {
    const int shifts = model_.cache.workShiftCount();
    const auto staff = TotalsStaff(model_);
    grid_->clearGrid();
    grid_->setRows(2 + static_cast<int>(staff.size()));
    grid_->setCols(1 + (months + 1) * shifts);
    grid_->setFixedRows(2);
    grid_->setFixedCols(1);
    grid_->setColWidthTwips(0, NameWidth);
    for (int c = 1; c < grid_->cols(); ++c)
        grid_->setColWidthTwips(c, CountWidth);
    QStringList headings = TotalsColumnLabels(model_);
    headings << u"合計"_s;
    for (int b = 0; b <= months && shifts > 0; ++b) {
        const int first = 1 + b * shifts;
        grid_->setText(0, first, headings[b]);
        grid_->setCellAlignment(0, first, Qt::AlignCenter);
        if (shifts > 1)
            grid_->merge(0, first, 1, shifts);
        for (int k = 1; k <= shifts; ++k) {
            grid_->setText(1, first + k - 1, model_.cache.workShift(k).abbrev);
            grid_->setCellAlignment(1, first + k - 1, Qt::AlignCenter);
        }
    }
    int row = 2;
    for (const auto& [g, slot] : staff) {
        const Person& p = model_.person(g, slot);
        grid_->setText(row, 0, p.name);
        for (int b = 0; b <= months; ++b) {
            const int column = b < months ? b + 1 : CumulativeTotals::TotalColumn;
            for (int k = 1; k <= shifts; ++k) {
                const int col = 1 + b * shifts + k - 1;
                grid_->setText(
                    row, col,
                    QString::number(
                        p.cumulative[1][static_cast<size_t>(column)][static_cast<size_t>(k)]));
                grid_->setCellAlignment(row, col, Qt::AlignRight | Qt::AlignVCenter);
            }
        }
        ++row;
    }
    // Long spans run into three or four figures, and names vary in length.
    GridTextFit::widenColumns(*grid_, 0, grid_->cols() - 1);
}

void MonthlyTotalsScreen::print() {
    if (!shown_ && !inquire())
        return;
    bool printed = false;
    act([&] {
        printed = output_->print(this, u"月別勤務累計表"_s,
                                 [this](Sheet& sheet) { PrintMonthYearTotals(model_, sheet); });
    });
    if (printed)
        inform(u"勤務表の印刷を終了しました"_s);
}

void MonthlyTotalsScreen::finish() {
    if (ask(u"月別累計の照会を終了します"_s))
        close();
}
