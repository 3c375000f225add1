#include "screens/roster/quality_window.h"

#include "output/quality_print.h"
#include "print/print_output.h"
#include "roster/quality_report_output.h"
#include "widgets/form_parts.h"
#include "widgets/palette.h"
#include "widgets/prompter.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineSeries>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QStackedBarSeries>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <exception>

using namespace Qt::Literals::StringLiterals;

namespace {

QChartView* chartView(QChart* chart, const QString& name, QWidget* parent) {
    auto* view = new QChartView(chart, parent);
    view->setObjectName(name);
    view->setRenderHint(QPainter::Antialiasing);
    view->setMinimumSize(420, 260);
    return view;
}

// The people's names along the bottom and a count axis on the left starting at nought.
void addAxes(QChart& chart, const QStringList& names, int top, QAbstractSeries* series) {
    auto* x = new QBarCategoryAxis(&chart);
    x->append(names);
    x->setLabelsAngle(-90);
    x->setTruncateLabels(false); // a name cut to "…" says nothing
    chart.addAxis(x, Qt::AlignBottom);
    auto* y = new QValueAxis(&chart);
    y->setRange(0, std::max(top, 1));
    y->setLabelFormat(u"%d"_s);
    y->setTickCount(std::min(std::max(top, 1), 10) + 1);
    chart.addAxis(y, Qt::AlignLeft);
    series->attachAxis(x);
    series->attachAxis(y);
}

QStringList namesOf(const QualityReport& r) {
    QStringList names;
    for (const auto& p : r.people)
        names << p.name;
    return names;
}

// The strip's colour for a day short of `n` person-shifts.
QColor shortageColour(int n) {
    if (n <= 0)
        return QColor(0xE8, 0xF5, 0xE9);
    if (n == 1)
        return QColor(0xFF, 0xCD, 0xD2);
    if (n == 2)
        return QColor(0xEF, 0x73, 0x73);
    return QColor(0xC6, 0x28, 0x28);
}

} // namespace

QualityWindow::QualityWindow(QualityReport report, PrintOutput& output, QWidget* parent)
    : QWidget(parent, Qt::Window), report_(std::move(report)), output_(output) {
    setObjectName(u"品質"_s);
    setWindowTitle(u"勤務表の品質 %1 ～ %2"_s.arg(report_.periodStart, report_.periodEnd));
    setAttribute(Qt::WA_DeleteOnClose);

    buildNightsChart();
    buildWeekendChart();
    buildDayStrip();
    buildFindings();
    buildPeople();
    buildNightHours();

    QPushButton* print = FormParts::button(u"印刷"_s, u"印刷"_s, this);
    QPushButton* close = FormParts::button(u"閉じる"_s, u"閉じる"_s, this);
    connect(print, &QPushButton::clicked, this, &QualityWindow::onPrintClicked);
    connect(close, &QPushButton::clicked, this, &QWidget::close);

    auto* charts = new QHBoxLayout;
    charts->addWidget(chartView(nightsChart_, u"夜勤回数"_s, this), 1);
    charts->addWidget(chartView(weekendChart_, u"土日休み"_s, this), 1);

    auto* lower = new QGridLayout;
    lower->addWidget(new QLabel(u"要確認"_s, this), 0, 0);
    lower->addWidget(new QLabel(u"職員別"_s, this), 0, 1);
    lower->addWidget(findings_, 1, 0);
    lower->addWidget(people_, 1, 1);
    lower->setColumnStretch(0, 2);
    lower->setColumnStretch(1, 3);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(nightHours_, 1);
    buttons->addWidget(print);
    buttons->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(charts, 3);
    layout->addWidget(new QLabel(u"不足日（全体の不足人数）"_s, this));
    layout->addWidget(dayStrip_);
    layout->addLayout(lower, 2);
    layout->addLayout(buttons);
    resize(1100, 820);
}

void QualityWindow::buildNightsChart() {
    nightsChart_ = new QChart;
    auto* nights = new QBarSet(u"夜勤回数"_s);
    int top = 0;
    double sum = 0;
    for (const auto& p : report_.people) {
        nights->append(p.nights);
        top = std::max(top, p.nights);
        sum += p.nights;
    }
    const double mean = report_.people.empty() ? 0 : sum / double(report_.people.size());
    auto* bars = new QBarSeries(nightsChart_);
    bars->append(nights);
    nightsChart_->addSeries(bars);

    // The mean as a flat line over the same categories (x is the person's index).
    auto* meanLine = new QLineSeries(nightsChart_);
    meanLine->setName(u"平均 %1 回"_s.arg(QString::number(mean, 'f', 1)));
    meanLine->setPen(QPen(Qt::red, 2));
    for (size_t i = 0; i < report_.people.size(); ++i)
        meanLine->append(double(i), mean);
    nightsChart_->addSeries(meanLine);

    nightsChart_->setTitle(u"夜勤回数（職員別）"_s);
    addAxes(*nightsChart_, namesOf(report_), top, bars);
    meanLine->attachAxis(nightsChart_->axes(Qt::Horizontal).first());
    meanLine->attachAxis(nightsChart_->axes(Qt::Vertical).first());
    nightsChart_->legend()->setAlignment(Qt::AlignTop);
}

void QualityWindow::buildWeekendChart() {
    weekendChart_ = new QChart;
    auto* saturdays = new QBarSet(u"土曜休"_s);
    auto* sundays = new QBarSet(u"日曜休"_s);
    int top = 0;
    for (const auto& p : report_.people) {
        saturdays->append(p.saturdaysOff);
        sundays->append(p.sundaysOff);
        top = std::max(top, p.saturdaysOff + p.sundaysOff);
    }
    auto* bars = new QStackedBarSeries(weekendChart_);
    bars->append(saturdays);
    bars->append(sundays);
    weekendChart_->addSeries(bars);
    weekendChart_->setTitle(u"土日の休み（職員別）"_s);
    addAxes(*weekendChart_, namesOf(report_), top, bars);
    weekendChart_->legend()->setAlignment(Qt::AlignTop);
}

void QualityWindow::buildDayStrip() {
    dayStrip_ = new QTableWidget(1, report_.dayCount, this);
    dayStrip_->setObjectName(u"不足日"_s);
    dayStrip_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    dayStrip_->setSelectionMode(QAbstractItemView::NoSelection);
    dayStrip_->setFocusPolicy(Qt::NoFocus);
    dayStrip_->verticalHeader()->hide();
    dayStrip_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    dayStrip_->horizontalHeader()->setMinimumSectionSize(18);
    const std::vector<int> shortage = UnitShortageByDay(report_);
    QStringList days;
    for (int d = 1; d <= report_.dayCount; ++d) {
        const int n = shortage[static_cast<size_t>(d - 1)];
        // The date's own day of the month, so a period not starting on the 1st reads right.
        QString date;
        for (const auto& s : report_.staffing)
            if (static_cast<size_t>(d) <= s.days.size())
                date = s.days[static_cast<size_t>(d - 1)].date;
        days << (date.size() >= 2 ? QString::number(date.right(2).toInt()) : QString::number(d));
        auto* item = new QTableWidgetItem(n > 0 ? QString::number(n) : QString());
        item->setTextAlignment(Qt::AlignCenter);
        item->setBackground(shortageColour(n));
        item->setToolTip(n > 0 ? u"%1 不足 %2 人"_s.arg(date, QString::number(n))
                               : u"%1 不足なし"_s.arg(date));
        dayStrip_->setItem(0, d - 1, item);
    }
    dayStrip_->setHorizontalHeaderLabels(days);
    dayStrip_->setFixedHeight(dayStrip_->horizontalHeader()->sizeHint().height() +
                              dayStrip_->rowHeight(0) + 4);
}

void QualityWindow::buildFindings() {
    findings_ = new QListWidget(this);
    findings_->setObjectName(u"所見"_s);
    for (const auto& f : report_.findings) {
        auto* item = new QListWidgetItem(f.text, findings_);
        item->setData(Qt::UserRole, f.group);
        item->setData(Qt::UserRole + 1, f.slot);
        item->setData(Qt::UserRole + 2, f.day);
    }
    if (report_.findings.empty())
        new QListWidgetItem(u"なし"_s, findings_);
    // Wide enough for its longest finding (up to a limit that keeps the window on a screen),
    // so that a finding seldom needs sideways scrolling.
    const int longest = static_cast<QAbstractItemView*>(findings_)->sizeHintForColumn(0);
    findings_->setMinimumWidth(2 * findings_->frameWidth() +
                               findings_->verticalScrollBar()->sizeHint().width() +
                               std::min(longest, 600));
    connect(findings_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        const int row = findings_->row(item);
        if (row < 0 || static_cast<size_t>(row) >= report_.findings.size())
            return;
        const auto& f = report_.findings[static_cast<size_t>(row)];
        Q_EMIT findingChosen(f.group, f.slot, f.day);
    });
}

void QualityWindow::buildPeople() {
    const QStringList heading = QualityPersonHeading(report_);
    people_ = new QTableWidget(static_cast<int>(report_.people.size()),
                               static_cast<int>(heading.size()), this);
    people_->setObjectName(u"職員別"_s);
    people_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    people_->setHorizontalHeaderLabels(heading);
    people_->verticalHeader()->hide();
    for (size_t r = 0; r < report_.people.size(); ++r) {
        const QStringList cells = QualityPersonCells(report_.people[r]);
        for (qsizetype c = 0; c < cells.size(); ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            if (c >= 2)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            people_->setItem(static_cast<int>(r), static_cast<int>(c), item);
        }
    }
    people_->resizeColumnsToContents();
    // Every column in view without sideways scrolling: the window widens to hold the table.
    int width = 2 * people_->frameWidth() + people_->verticalScrollBar()->sizeHint().width();
    for (int c = 0; c < people_->columnCount(); ++c)
        width += people_->columnWidth(c);
    people_->setMinimumWidth(width);
}

void QualityWindow::buildNightHours() {
    nightHours_ = new QLabel(QualityNightLine(report_), this);
    nightHours_->setObjectName(u"平均夜勤時間"_s);
    QPalette palette = nightHours_->palette();
    palette.setColor(QPalette::WindowText,
                     Palette::colour(report_.night.overLimit ? Palette::Red : Palette::Black));
    nightHours_->setPalette(palette);
}

void QualityWindow::onPrintClicked() {
    // A printout that fails (an unwritable PDF file, a full disk) is said, not thrown out of
    // the click into the event loop.
    try {
        output_.print(this, u"勤務表の品質"_s,
                      [this](Sheet& sheet) { PrintQualityReport(report_, sheet); });
    } catch (const std::exception& e) {
        MessageBoxPrompter boxes;
        (prompter_ ? *prompter_ : static_cast<Prompter&>(boxes))
            .inform(u"勤務表の品質"_s, QString::fromUtf8(e.what()));
    }
}
