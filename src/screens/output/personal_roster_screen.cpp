#include "screens/output/personal_roster_screen.h"

#include "roster/personal_month.h"
#include "screens/app_context.h"
#include "store/clock.h"
#include "store/list_services.h"
#include "widgets/field_checks.h"
#include "widgets/flex_grid.h"
#include "widgets/form_parts.h"
#include "widgets/grid_text_fit.h"
#include "widgets/palette.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <tuple>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString kBadYear = u"表示年に正しい数字を入力してください"_s;
const QString kBadMonth = u"表示年月に正しい数字を入力してください"_s;

std::optional<int> number(const QLineEdit* box) {
    return FormParts::parseCount(box->text());
}

QLabel* valueLabel(const QString& name, QWidget* parent) {
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    l->setMinimumWidth(36);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return l;
}

} // namespace

PersonalRosterScreen::PersonalRosterScreen(AppContext& context, QWidget* parent)
    : EntryScreen(context, u"個人勤務"_s, u"個人勤務表"_s, u"カレンダー設定"_s, parent) {
    buildUi();
    const QDate today = ctx().clock.today();
    year_->setText(QString::number(today.year()));
    month_->setText(QString::number(today.month()));
    fillStaff();
    if (!ctx().selectedStaffNo.isEmpty())
        presetStaff(ctx().selectedStaffName);
    setUpGrid(*before_);
    setUpGrid(*current_);
}

void PersonalRosterScreen::buildUi() {
    auto* root = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    staff_ = FormParts::pickCombo(u"CMB職員"_s, this);
    staff_->setMinimumWidth(160);
    year_ = FormParts::box(u"表示年"_s, this);
    FormParts::fitToText(year_, u"0000"_s);
    month_ = FormParts::box(u"表示月"_s, this);
    FormParts::fitToText(month_, u"00"_s);
    top->addWidget(FormParts::caption(u"職員"_s, staff_, this));
    top->addWidget(staff_);
    top->addSpacing(12);
    top->addWidget(year_);
    top->addWidget(new QLabel(u"年"_s, this));
    top->addWidget(month_);
    top->addWidget(new QLabel(u"月"_s, this));
    QPushButton* show = FormParts::button(u"表示"_s, u"表示"_s, this);
    QPushButton* back = FormParts::button(u"前月"_s, u"前月"_s, this);
    QPushButton* next = FormParts::button(u"次月"_s, u"次月"_s, this);
    top->addWidget(show);
    top->addWidget(back);
    top->addWidget(next);
    top->addStretch();
    root->addLayout(top);

    auto* months = new QGridLayout;
    beforeYear_ = valueLabel(u"表示前月年"_s, this);
    beforeMonth_ = valueLabel(u"表示前月"_s, this);
    currentYear_ = valueLabel(u"表示当月年"_s, this);
    currentMonth_ = valueLabel(u"表示当月"_s, this);
    before_ = new FlexGrid(this);
    before_->setObjectName(u"前月度"_s);
    current_ = new FlexGrid(this);
    current_->setObjectName(u"当月度"_s);
    int col = 0;
    for (auto [yearLabel, monthLabel, grid] : {std::tuple{beforeYear_, beforeMonth_, before_},
                                               std::tuple{currentYear_, currentMonth_, current_}}) {
        auto* heading = new QHBoxLayout;
        heading->addWidget(yearLabel);
        heading->addWidget(new QLabel(u"年"_s, this));
        heading->addWidget(monthLabel);
        heading->addWidget(new QLabel(u"月"_s, this));
        heading->addStretch();
        months->addLayout(heading, 0, col);
        grid->setMinimumSize(300, 420);
        months->addWidget(grid, 1, col);
        ++col;
    }
    root->addLayout(months, 1);

    QPushButton* close = FormParts::button(u"終了"_s, u"終了"_s, this);
    root->addLayout(FormParts::buttonRow({close}));

    connect(show, &QPushButton::clicked, this, &PersonalRosterScreen::display);
    connect(back, &QPushButton::clicked, this, [this] { step(-1); });
    connect(next, &QPushButton::clicked, this, [this] { step(1); });
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    checks().onFocusLost(year_, [this] {
        checks().reset();
        checkYear();
    });
    checks().onFocusLost(month_, [this] {
        checks().reset();
        checkMonth();
    });
    resize(700, 560);
}

void PersonalRosterScreen::fillStaff() {
    QStringList names;
    act([&] { names = StaffListService::FillStaffList(ctx().db); });
    staff_->clear();
    staff_->addItems(names);
    FormParts::clearChoice(staff_);
}

void PersonalRosterScreen::presetStaff(const QString& name) {
    const int i = staff_->findText(name);
    if (i >= 0)
        staff_->setCurrentIndex(i);
    else
        staff_->setEditText(name);
    // The calendars must not go on showing someone else under this person's name.
    if (!shownName_.isEmpty() && shownName_ != name)
        display();
}

bool PersonalRosterScreen::checkYear() {
    const std::optional<int> y = number(year_);
    return checks().check(year_, y && QDate(*y, 1, 1).isValid() && *y >= 100, kBadYear);
}

bool PersonalRosterScreen::checkMonth() {
    const std::optional<int> y = number(year_);
    const std::optional<int> m = number(month_);
    return checks().check(month_, m && QDate(y.value_or(2000), *m, 1).isValid(), kBadMonth);
}

std::optional<QDate> PersonalRosterScreen::typedMonth() const {
    const std::optional<int> y = number(year_);
    const std::optional<int> m = number(month_);
    if (!y || !m)
        return std::nullopt;
    const QDate first(*y, *m, 1);
    return first.isValid() ? std::optional(first) : std::nullopt;
}

void PersonalRosterScreen::display() {
    checks().reset();
    checkYear();
    checkMonth();
    if (checks().reportIfFailed())
        return;
    const QDate first = *typedMonth();
    act([&] {
        const StaffLookup who = StaffListService::FindStaffByName(ctx().db, staff_->currentText());
        if (who.no.isEmpty()) {
            inform(u"職員を正しく選択して下さい"_s);
            return;
        }
        const QDate today = ctx().clock.today();
        const QDate before = first.addMonths(-1);
        currentYear_->setText(QString::number(first.year()));
        currentMonth_->setText(QString::number(first.month()));
        drawMonth(*current_, PersonalMonth::load(ctx().db, who.no, first, today));
        beforeYear_->setText(QString::number(before.year()));
        beforeMonth_->setText(QString::number(before.month()));
        drawMonth(*before_, PersonalMonth::load(ctx().db, who.no, before, today));
        shownName_ = staff_->currentText();
    });
}

void PersonalRosterScreen::step(int months) {
    checks().reset();
    checkYear();
    checkMonth();
    if (checks().reportIfFailed())
        return;
    const QDate moved = typedMonth()->addMonths(months);
    year_->setText(QString::number(moved.year()));
    month_->setText(QString::number(moved.month()));
    display();
}

void PersonalRosterScreen::setUpGrid(FlexGrid& grid) {
    static const std::array<QString, 7> fallback{u"日"_s, u"月"_s, u"火"_s, u"水"_s,
                                                 u"木"_s, u"金"_s, u"土"_s};
    grid.clearGrid();
    grid.setRows(kRows);
    grid.setCols(7);
    grid.setFixedRows(1);
    grid.setFixedCols(0);
    const StartupSettings& s = ctx().settings;
    for (int c = 0; c < 7; ++c) {
        const auto i = static_cast<size_t>(c);
        grid.setColWidthTwips(c, kColTwips);
        grid.setText(0, c, s.weekdayName[i].isEmpty() ? fallback[i] : s.weekdayName[i]);
        grid.setCellBackColor(0, c, Palette::colour(Palette::Yellow));
        grid.setCellForeColor(0, c, Palette::colour(s.weekdayColour[i]));
        for (int r = 0; r < kRows; ++r)
            grid.setCellAlignment(r, c, Qt::AlignCenter);
        for (int r = 1; r < kRows; ++r)
            grid.setCellBackColor(r, c, Palette::colour(Palette::White));
    }
}

void PersonalRosterScreen::drawMonth(FlexGrid& grid, const PersonalMonth& month) {
    setUpGrid(grid);
    for (const PersonalMonth::Day& d : month.days) {
        const int row = 1 + 3 * d.band;
        grid.setText(row, d.column, QString::number(d.day));
        const int colour = d.mark == PersonalMonth::CalendarMark::Holiday      ? Palette::Red
                           : d.mark == PersonalMonth::CalendarMark::WorkingDay ? Palette::Blue
                                                                               : Palette::Black;
        grid.setCellForeColor(row, d.column, Palette::colour(colour));
        grid.setText(row + 1, d.column, d.upper);
        grid.setCellForeColor(row + 1, d.column,
                              Palette::colour(d.requested ? Palette::Blue : Palette::Black));
        grid.setText(row + 2, d.column, d.lower);
    }
    GridTextFit::widenColumns(grid, 0, grid.cols() - 1);
}
