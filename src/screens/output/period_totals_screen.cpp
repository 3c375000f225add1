#include "screens/output/period_totals_screen.h"

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

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace {
constexpr int NameWidth = 1200;
constexpr int CountWidth = 450;
} // namespace

PeriodTotalsScreen::PeriodTotalsScreen(AppContext& context, std::unique_ptr<PrintOutput> output,
                                       QWidget* parent)
    : EntryScreen(context, u"照会累計"_s, u"期間シフト累計表"_s, u"勤務累計表作成"_s, parent),
      output_(std::move(output)) {
    if (!output_)
        output_ = std::make_unique<PreviewPrintOutput>();
    buildUi();
}

void PeriodTotalsScreen::buildUi() {
    start_ = FormParts::box(u"開始日"_s, this);
    end_ = FormParts::box(u"終了日"_s, this);
    for (QLineEdit* e : {start_, end_}) {
        e->setMaxLength(10);
        e->setMaximumWidth(110);
    }
    QPushButton* show = FormParts::button(u"表示"_s, u"照会"_s, this);
    QPushButton* print = FormParts::button(u"印刷"_s, u"印刷"_s, this);
    QPushButton* close = FormParts::button(u"終了"_s, u"終了"_s, this);
    grid_ = new FlexGrid(this);
    grid_->setObjectName(u"累計"_s);
    grid_->setColWidthTwips(0, NameWidth);

    auto* top = new QHBoxLayout;
    top->addWidget(FormParts::caption(u"表示開始"_s, start_, this));
    top->addWidget(start_);
    top->addWidget(FormParts::caption(u"～"_s, end_, this));
    top->addWidget(end_);
    top->addStretch();
    auto* root = new QVBoxLayout(this);
    root->addLayout(top);
    root->addWidget(grid_, 1);
    root->addLayout(FormParts::buttonRow({show, print, close}));
    resize(640, 600);
    FormParts::chainTabOrder({start_, end_, show, print, close});

    connect(show, &QPushButton::clicked, this, [this] { inquire(); });
    connect(print, &QPushButton::clicked, this, &PeriodTotalsScreen::print);
    connect(close, &QPushButton::clicked, this, &PeriodTotalsScreen::finish);
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

    model_ = RosterModel{};
    model_.leaderFilter = LeaderFilter::Everybody;
    model_.groupingMode = Grouping::Everybody;
    SetPeriodColumn(model_, start_->text(), end_->text());
    shown_ = false;
    if (!actBusy([&] {
            LoadTotals(ctx().db, ctx().settings, model_);
            fillGrid();
        }))
        return false;
    shown_ = true;
    inform(u"累計表を表示しました。"_s);
    return true;
}

void PeriodTotalsScreen::fillGrid() {
    const int shifts = model_.cache.workShiftCount();
    const auto staff = TotalsStaff(model_);
    grid_->clearGrid();
    grid_->setRows(1 + static_cast<int>(staff.size()));
    grid_->setCols(1 + shifts);
    grid_->setFixedRows(1);
    grid_->setFixedCols(1);
    grid_->setColWidthTwips(0, NameWidth);
    for (int k = 1; k <= shifts; ++k) {
        grid_->setColWidthTwips(k, CountWidth);
        grid_->setText(0, k, model_.cache.workShift(k).abbrev);
        grid_->setCellAlignment(0, k, Qt::AlignCenter);
    }
    int row = 1;
    for (const auto& [g, slot] : staff) {
        const Person& p = model_.person(g, slot);
        grid_->setText(row, 0, p.name);
        for (int k = 1; k <= shifts; ++k) {
            grid_->setText(
                row, k,
                QString::number(
                    p.cumulative[1][CumulativeTotals::TotalColumn][static_cast<size_t>(k)]));
            grid_->setCellAlignment(row, k, Qt::AlignRight | Qt::AlignVCenter);
        }
        ++row;
    }
    // Long spans run into three or four figures, and names vary in length.
    GridTextFit::widenColumns(*grid_, 0, grid_->cols() - 1);
}

void PeriodTotalsScreen::print() {
    if (!shown_ && !inquire())
        return;
    bool printed = false;
    act([&] {
        printed = output_->print(this, u"シフト勤務累計表"_s,
                                 [this](Sheet& sheet) { PrintPeriodTotals(model_, sheet); });
    });
    if (printed)
        inform(u"累計表を出力しました"_s);
}

void PeriodTotalsScreen::finish() {
    if (ask(u"累計表を終了します"_s))
        close();
}
