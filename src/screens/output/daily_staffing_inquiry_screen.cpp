#include "screens/output/daily_staffing_inquiry_screen.h"

#include "roster/daily_chart.h"
#include "roster/roster_load.h"
#include "roster/roster_model.h"
#include "screens/app_context.h"
#include "store/clock.h"
#include "store/database.h"
#include "store/startup_settings.h"
#include "store/text_values.h"
#include "widgets/field_checks.h"
#include "widgets/flex_grid.h"
#include "widgets/form_parts.h"
#include "widgets/grid_text_fit.h"
#include "widgets/palette.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

const QColor kHeadingGrey(192, 192, 192);
constexpr int kNameTwips = 1200;
constexpr int kNoTwips = 700;
constexpr int kHalfHourTwips = 232;

} // namespace

DailyStaffingInquiryScreen::DailyStaffingInquiryScreen(AppContext& context, QWidget* parent)
    : EntryScreen(context, u"照会日別"_s, u"勤務表日別照会"_s, u"勤務表照会"_s, parent) {
    buildUi();
    readLimit();
    date_->setText(TextValues::dateText(ctx().clock.today()));
    setUpGrid(0);
}

void DailyStaffingInquiryScreen::buildUi() {
    auto* root = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    date_ = FormParts::box(u"照会日"_s, this);
    FormParts::fitToText(date_, u"0000/00/00"_s);
    top->addWidget(FormParts::caption(u"照会日"_s, date_, this));
    top->addWidget(date_);
    QPushButton* inquire = FormParts::button(u"照会"_s, u"照会"_s, this);
    top->addWidget(inquire);
    top->addStretch();
    root->addLayout(top);

    grid_ = new FlexGrid(this);
    grid_->setObjectName(u"勤務名"_s);
    root->addWidget(grid_, 1);

    QPushButton* close = FormParts::button(u"終了"_s, u"終了"_s, this);
    root->addLayout(FormParts::buttonRow({close}));

    connect(inquire, &QPushButton::clicked, this, &DailyStaffingInquiryScreen::inquire);
    connect(close, &QPushButton::clicked, this, &DailyStaffingInquiryScreen::finish);
    checks().onFocusLost(date_, [this] {
        checks().reset();
        checkDate();
    });
    resize(1000, 560);
}

// The limit is read afresh rather than taken from the menu's copy, which may be older than the
// last registration; inquiring never moves it.
void DailyStaffingInquiryScreen::readLimit() {
    StartupSettings settings = ctx().settings;
    act([&] { informAll(LoadCreationUnitSettings(ctx().db, settings)); });
    limit_ = settings.periodEnd;
}

bool DailyStaffingInquiryScreen::checkDate() {
    const QString typed = date_->text().trimmed();
    if (typed.isEmpty())
        return checks().check(date_, false, u"照会日に入力してください"_s);
    const std::optional<QString> date = TextValues::normaliseDate(typed);
    if (!date)
        return checks().check(date_, false, u"照会日に正しく入力してください"_s);
    date_->setText(*date);
    return checks().check(date_, *date <= limit_,
                          u"勤務表は作成されていません、照会日に正しく入力してください"_s);
}

void DailyStaffingInquiryScreen::inquire() {
    checks().reset();
    checkDate();
    if (checks().reportIfFailed())
        return;
    const QString day = date_->text();
    act([&] {
        RosterQuery query;
        query.purpose = LoadPurpose::View;
        query.from = TextValues::addDays(day, -1);
        query.to = TextValues::addDays(day, 1);
        fillGrid(DailyChart::build(LoadRoster(ctx().db, ctx().settings, query)));
        inform(u"表示されました"_s);
    });
}

void DailyStaffingInquiryScreen::setUpGrid(int people) {
    grid_->clearGrid();
    grid_->setRows(std::max(kMinRows, kHeadingRows + people));
    grid_->setCols(kFixedCols + DailyChart::kHalfHours);
    grid_->setFixedRows(kHeadingRows);
    grid_->setFixedCols(kFixedCols);
    grid_->setColWidthTwips(0, kNameTwips);
    grid_->setColWidthTwips(1, kNoTwips);
    for (int c = kFixedCols; c < grid_->cols(); ++c)
        grid_->setColWidthTwips(c, kHalfHourTwips);
    for (int r = 0; r < kHeadingRows; ++r)
        for (int c = 0; c < grid_->cols(); ++c) {
            grid_->setCellBackColor(r, c, kHeadingGrey);
            grid_->setCellAlignment(r, c, Qt::AlignCenter);
        }
    grid_->setText(0, 0, u"氏名"_s);
    grid_->setText(0, 1, u"職員NO"_s);
    grid_->merge(0, 0, kHeadingRows, 1);
    grid_->merge(0, 1, kHeadingRows, 1);
    grid_->setText(0, kFixedCols, u"時間"_s);
    grid_->merge(0, kFixedCols, 1, DailyChart::kHalfHours);
    for (int pair = 0; pair < DailyChart::kHalfHours / 2; ++pair) {
        const int col = kFixedCols + 2 * pair;
        grid_->setText(1, col, QString::number(DailyChart::hourOfPair(pair)));
        grid_->setCellFontSize(1, col, 10);
        grid_->merge(1, col, 1, 2);
    }
    GridTextFit::widenColumns(*grid_, 0, kFixedCols - 1);
}

void DailyStaffingInquiryScreen::fillGrid(const DailyChart& chart) {
    setUpGrid(static_cast<int>(chart.rows.size()));
    const QColor band = Palette::colour(Palette::Cyan);
    int r = kHeadingRows;
    for (const DailyChart::Row& row : chart.rows) {
        grid_->setText(r, 0, u' ' + row.name);
        grid_->setText(r, 1, u' ' + row.no);
        for (const DailyChart::Band& b : row.bands()) {
            for (int i = 0; i < b.count; ++i) {
                const int col = kFixedCols + b.first + i;
                grid_->setText(r, col, b.text);
                grid_->setCellBackColor(r, col, band);
                grid_->setCellAlignment(r, col, Qt::AlignCenter);
            }
            if (b.count > 1)
                grid_->merge(r, kFixedCols + b.first, 1, b.count);
        }
        ++r;
    }
    // Names and numbers vary in length; the chart's columns keep their fixed half-hour width.
    GridTextFit::widenColumns(*grid_, 0, kFixedCols - 1);
}

void DailyStaffingInquiryScreen::finish() {
    if (ask(u"勤務表の照会を終了します"_s))
        close();
}
