#include "screens/shell/calendar_screen.h"

#include "screens/app_context.h"
#include "store/clock.h"
#include "store/masters/calendar_store.h"
#include "store/records/calendar_day.h"
#include "store/text_values.h"
#include "widgets/field_checks.h"
#include "widgets/flex_grid.h"
#include "widgets/form_parts.h"
#include "widgets/month_calendar.h"
#include "widgets/palette.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;
using TextValues::dateText;

namespace {

const QString kYearInvalid = u"表示年に正しい数字を入力してください"_s;
const QString kMonthInvalid = u"表示月に正しい数字を入力してください"_s;
const QString kYearMonthInvalid = u"表示年月に正しい数字を入力してください"_s;
const QString kAllWeekdays = u"全ての曜日の指定は出来ません"_s;
const QString kNoWeekday = u"曜日の指定がされていません"_s;
const QString kNoDate = u"日付の指定がされていません"_s;
const QString kIgnoreWeekdays = u"曜日の指定は出来ません、曜日を無視して処理を続行しますか"_s;
const QString kNoName = u"登録名を入力して下さい"_s;
const QString kNoFiscalYear = u"年度開始日の登録がされていません"_s;

std::optional<int> digits(const QString& text) {
    const QString t = text.trimmed();
    if (t.isEmpty() || t.size() > 4)
        return std::nullopt;
    for (const QChar c : t)
        if (c < u'0' || c > u'9')
            return std::nullopt;
    return t.toInt();
}

} // namespace

CalendarScreen::CalendarScreen(AppContext& context, QWidget* parent)
    : EntryScreen(context, u"暦作成"_s, u"カレンダー作成"_s, u"カレンダー設定"_s, parent) {
    buildUi();
    const QDate today = ctx().clock.today();
    year_->setText(QString::number(today.year()));
    month_->setText(QString::number(today.month()));
    showTyped();
}

void CalendarScreen::buildUi() {
    auto* root = new QHBoxLayout(this);

    auto* left = new QVBoxLayout;
    auto* monthRow = new QHBoxLayout;
    year_ = FormParts::box(u"CAL_表示年"_s, this);
    month_ = FormParts::box(u"CAL_表示月"_s, this);
    FormParts::fitToText(year_, u"0000"_s);
    FormParts::fitToText(month_, u"00"_s);
    QPushButton* show = FormParts::button(u"表示"_s, u"表示"_s, this);
    QPushButton* previous = FormParts::button(u"前月"_s, u"前月"_s, this);
    QPushButton* next = FormParts::button(u"次月"_s, u"次月"_s, this);
    monthRow->addWidget(year_);
    monthRow->addWidget(new QLabel(u"年"_s, this));
    monthRow->addWidget(month_);
    monthRow->addWidget(new QLabel(u"月"_s, this));
    monthRow->addWidget(show);
    monthRow->addWidget(previous);
    monthRow->addWidget(next);
    monthRow->addStretch();
    left->addLayout(monthRow);
    grid_ = new FlexGrid(this);
    grid_->setObjectName(u"CAL_日付"_s);
    grid_->setMinimumSize(Units::twipsToPixels(7 * MonthCalendar::kColTwips) + 4, 160);
    left->addWidget(grid_, 1);
    holidays_ = new QListWidget(this);
    holidays_->setObjectName(u"休業日"_s);
    left->addWidget(holidays_, 1);
    root->addLayout(left, 1);

    auto* right = new QVBoxLayout;
    auto* nameRow = new QHBoxLayout;
    name_ = FormParts::box(u"CAL_休日名"_s, this);
    nameRow->addWidget(FormParts::caption(u"登録名"_s, name_, this));
    nameRow->addWidget(name_, 1);
    right->addLayout(nameRow);

    thisMonth_ = FormParts::option(u"当月"_s, u"当月のみ"_s);
    wholeYear_ = FormParts::option(u"年度"_s, u"年度設定"_s);
    QGroupBox* range = FormParts::optionFrame(u"設定範囲"_s, {thisMonth_, wholeYear_}, false, this);
    range->setObjectName(u"Frame4"_s);
    right->addWidget(range);
    byWeekday_ = FormParts::option(u"曜日"_s, u"曜日指定"_s);
    byDate_ = FormParts::option(u"日付"_s, u"日付指定"_s);
    QGroupBox* kind =
        FormParts::optionFrame(u"定休日設定区分"_s, {byWeekday_, byDate_}, false, this);
    kind->setObjectName(u"Frame3"_s);
    right->addWidget(kind);

    auto* days = new QGroupBox(u"曜日"_s, this);
    days->setObjectName(u"Frame1"_s);
    auto* dayRow = new QHBoxLayout(days);
    const std::array<QString, 7> dayNames{u"日曜"_s, u"月曜"_s, u"火曜"_s, u"水曜"_s,
                                          u"木曜"_s, u"金曜"_s, u"土曜"_s};
    for (size_t i = 0; i < dayNames.size(); ++i) {
        weekdays_[i] = new QCheckBox(dayNames[i], days);
        weekdays_[i]->setObjectName(dayNames[i]);
        dayRow->addWidget(weekdays_[i]);
    }
    right->addWidget(days);

    holiday_ = FormParts::option(u"休日"_s, u"休日"_s);
    workingDay_ = FormParts::option(u"勤務"_s, u"以外勤務"_s);
    QGroupBox* flag = FormParts::optionFrame(u"休日区分"_s, {holiday_, workingDay_}, false, this);
    flag->setObjectName(u"Frame2"_s);
    right->addWidget(flag);
    right->addStretch();

    QPushButton* confirm = FormParts::button(u"確定"_s, u"確定"_s, this);
    QPushButton* remove = FormParts::button(u"削除"_s, u"削除"_s, this);
    QPushButton* close = FormParts::button(u"終了"_s, u"終了"_s, this);
    right->addLayout(FormParts::buttonRow({confirm, remove, close}));
    root->addLayout(right);

    thisMonth_->setChecked(true);
    byDate_->setChecked(true);
    holiday_->setChecked(true);

    connect(show, &QPushButton::clicked, this, &CalendarScreen::showTyped);
    connect(previous, &QPushButton::clicked, this, [this] { moveMonth(-1); });
    connect(next, &QPushButton::clicked, this, [this] { moveMonth(1); });
    connect(grid_, &FlexGrid::cellClickedAt, this, &CalendarScreen::selectCell);
    connect(holidays_, &QListWidget::itemClicked, this, &CalendarScreen::selectListLine);
    connect(byDate_, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            for (QCheckBox* b : weekdays_)
                b->setChecked(false);
    });
    connect(confirm, &QPushButton::clicked, this, &CalendarScreen::confirm);
    connect(remove, &QPushButton::clicked, this, &CalendarScreen::remove);
    connect(close, &QPushButton::clicked, this, &QWidget::close);

    checks().onFocusLost(year_, [this] { checkYear(); });
    checks().onFocusLost(month_, [this] { checkMonth(); });

    resize(640, 420);
}

bool CalendarScreen::checkYear() {
    return checks().check(year_, digits(year_->text()).has_value(), kYearInvalid);
}

bool CalendarScreen::checkMonth() {
    const auto month = digits(month_->text());
    if (!month)
        return checks().check(month_, false, kMonthInvalid);
    const auto year = digits(year_->text());
    // Only a year that is a number can tell whether the month makes a date with it.
    const bool ok = !year || QDate(*year, *month, 1).isValid();
    return checks().check(month_, ok, kYearMonthInvalid);
}

void CalendarScreen::showTyped() {
    checks().reset();
    checkYear();
    checkMonth();
    if (checks().reportIfFailed())
        return;
    draw(QDate(digits(year_->text()).value_or(0), digits(month_->text()).value_or(0), 1));
}

void CalendarScreen::moveMonth(int months) {
    const QDate first = first_.addMonths(months);
    year_->setText(QString::number(first.year()));
    month_->setText(QString::number(first.month()));
    checks().reset();
    for (QLineEdit* box : {year_, month_})
        FieldChecks::setTextColour(box, true);
    draw(first);
}

void CalendarScreen::draw(const QDate& first) {
    // A selection is kept only while its month stays on screen: a hidden one would register
    // a day the clerk cannot see.
    if (first != first_)
        selectedDay_ = 0;
    first_ = first;
    act([&] {
        MonthCalendar::DrawMonthCalendar(*grid_, ReadMonthDays(ctx().db, first_, QString()),
                                         ctx().settings, holidays_);
    });
    if (const auto cell = MonthCalendar::cellOfDay(*grid_, selectedDay_))
        grid_->setCellBackColor(cell->first, cell->second, Palette::colour(Palette::Green));
}

void CalendarScreen::selectCell(int row, int col) {
    const int day = MonthCalendar::dayInCell(*grid_, row, col);
    if (day == 0) {
        inform(u"日付が有効範囲外です。"_s);
        return;
    }
    if (const auto old = MonthCalendar::cellOfDay(*grid_, selectedDay_))
        grid_->setCellBackColor(old->first, old->second, Palette::colour(Palette::White));
    grid_->setCellBackColor(row, col, Palette::colour(Palette::Green));
    selectedDay_ = day;
    act([&] {
        const auto stored = CalendarDay::load(ctx().db, dateText(first_.addDays(day - 1)));
        if (!stored) {
            name_->clear();
            return;
        }
        (stored->holidayFlag == 1 ? holiday_ : workingDay_)->setChecked(true);
        name_->setText(stored->remark);
    });
}

void CalendarScreen::selectListLine(const QListWidgetItem* item) {
    if (const auto cell =
            MonthCalendar::cellOfDay(*grid_, MonthCalendar::dayOfListLine(item->text())))
        selectCell(cell->first, cell->second);
}

CalendarScreen::Entry CalendarScreen::checkEntry() {
    const size_t ticked = tickedWeekdays().size();
    Entry entry = Entry::Ok;
    if (byWeekday_->isChecked()) {
        if (ticked == 7 || ticked == 0) {
            inform(ticked == 7 ? kAllWeekdays : kNoWeekday);
            return Entry::Refused;
        }
    } else {
        if (selectedDay_ == 0) {
            inform(kNoDate);
            return Entry::Refused;
        }
        if (ticked == 7)
            entry = Entry::Question;
    }
    if (!deleting_ && name_->text().isEmpty()) {
        inform(kNoName);
        return Entry::Refused;
    }
    return entry;
}

std::optional<FiscalYear> CalendarScreen::fiscalYear() {
    std::optional<FiscalYear::Start> start;
    act([&] { start = FiscalYear::loadStart(ctx().db); });
    if (!start) {
        inform(kNoFiscalYear);
        return std::nullopt;
    }
    return FiscalYear::containing(*start, first_);
}

std::vector<int> CalendarScreen::tickedWeekdays() const {
    std::vector<int> ticked;
    for (int i = 0; i < 7; ++i)
        if (weekdays_[static_cast<size_t>(i)]->isChecked())
            ticked.push_back(i);
    return ticked;
}

void CalendarScreen::confirm() {
    deleting_ = false;
    const Entry entry = checkEntry();
    if (entry == Entry::Refused)
        return;
    if (entry == Entry::Question) {
        if (!ask(kIgnoreWeekdays))
            return;
        for (QCheckBox* b : weekdays_)
            b->setChecked(false);
    } else if (!ask(u"表示内容で更新します､確認して下さい。"_s)) {
        return;
    }
    const bool single = byDate_->isChecked() && thisMonth_->isChecked();
    const int flag = holiday_->isChecked() ? 1 : single ? 2 : 0;
    const QString name = name_->text();
    // Whatever the range, one 確定 lands whole or not at all, and only a write that landed
    // is reported.
    auto write = [&](const std::vector<QDate>& days) {
        return act([&] { CalendarStore::saveDays(ctx().db, days, flag, name); });
    };

    if (single) {
        if (!write({first_.addDays(selectedDay_ - 1)}))
            return;
        inform(u"ｶﾚﾝﾀﾞｰの登録･更新をしました。"_s);
        draw(first_);
        return;
    }
    if (thisMonth_->isChecked()) {
        if (!write(CalendarStore::weekdaysOfMonth(first_, tickedWeekdays())))
            return;
        draw(first_);
        inform(u"指定曜日の設定を終了しました。"_s);
        return;
    }
    const auto year = fiscalYear();
    if (!year)
        return;
    if (byDate_->isChecked()) {
        if (!write(CalendarStore::dayInEveryMonth(*year, selectedDay_)))
            return;
        draw(first_);
        inform(u"ｶﾚﾝﾀﾞｰの年度内の日付設定を行いました"_s);
        return;
    }
    const size_t ticked = tickedWeekdays().size();
    if (!write(CalendarStore::weekdaysOfYear(*year, tickedWeekdays())))
        return;
    for (size_t i = 0; i < ticked; ++i) {
        draw(first_);
        inform(u"定休日の設定を終了しました。"_s);
    }
    draw(first_);
    inform(u"曜日による設定を終了しました。"_s);
}

void CalendarScreen::remove() {
    deleting_ = true;
    const Entry entry = checkEntry();
    deleting_ = false;
    if (entry == Entry::Refused)
        return;
    if (entry == Entry::Question) {
        if (!ask(kIgnoreWeekdays))
            return;
        for (QCheckBox* b : weekdays_)
            b->setChecked(false);
    }
    if (!ask(u"登録日を取り消します､確認して下さい"_s))
        return;

    std::vector<QDate> days;
    if (byDate_->isChecked() && thisMonth_->isChecked()) {
        days.push_back(first_.addDays(selectedDay_ - 1));
    } else if (thisMonth_->isChecked()) {
        days = CalendarStore::weekdaysOfMonth(first_, tickedWeekdays());
    } else {
        const auto year = fiscalYear();
        if (!year)
            return;
        days = byDate_->isChecked() ? CalendarStore::dayInEveryMonth(*year, selectedDay_)
                                    : CalendarStore::weekdaysOfYear(*year, tickedWeekdays());
    }
    const bool single = byDate_->isChecked() && thisMonth_->isChecked();
    int missing = 0;
    if (!act([&] { missing = CalendarStore::removeDays(ctx().db, days); }))
        return;
    // Only a single day's absence is worth a word: a range simply skips its empty days.
    if (single && missing > 0) {
        inform(u"指定された日付は登録されていません"_s);
        return;
    }
    draw(first_);
    inform(u"指定日を削除しました"_s);
}
