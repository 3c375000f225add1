#include "screens/masters/daily_staffing_screen.h"

#include "print/fonts.h"
#include "screens/app_context.h"
#include "store/masters/requirement_store.h"
#include "store/masters/shift_store.h"
#include "store/records/daily_requirement.h"
#include "store/records/shift_definition.h"
#include "store/text_values.h"
#include "widgets/field_checks.h"
#include "widgets/flex_grid.h"
#include "widgets/form_parts.h"
#include "widgets/palette.h"

#include <QComboBox>
#include <QFont>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <optional>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString kTitle = u"日別要員設定"_s;
const QString kNoShift = u"シフト略称の登録を確認してください。"_s;

// Fields of one day's figures, in block-row order, with the shift default each is compared to.
struct Figure {
    int DailyRequirement::*dayFigure;
    int ShiftDefinition::*shiftFigure;
    QString box;
    QString caption;
    QString rowName;
    QString message;
};

const std::array<Figure, 6>& figures() {
    static const std::array<Figure, 6> f{{
        {&DailyRequirement::minStaff, &ShiftDefinition::minStaff, u"要員数"_s,
         u"シフト最小要員数"_s, u"要員数"_s, u"シフト最小要員数に正しく入力してください"_s},
        {&DailyRequirement::leaders, &ShiftDefinition::leaders, u"責任者数"_s, u"シフト責任者数"_s,
         u"責任者"_s, u"シフト責任者数に正しく入力してください"_s},
        {&DailyRequirement::teamStaff, &ShiftDefinition::teamStaff, u"チーム要員数"_s,
         u"チーム最小要員数"_s, u"ﾁ要員数"_s, u"チーム要員数数に正しく入力してください"_s},
        {&DailyRequirement::teamLeaders, &ShiftDefinition::teamLeaders, u"チーム責任者"_s,
         u"チームシフト責任者数"_s, u"ﾁ責任者"_s, u"チーム責任者数に正しく入力してください"_s},
        {&DailyRequirement::earlyStaff, &ShiftDefinition::earlyStaff, u"早出要員"_s,
         u"早出要員数"_s, u"早出"_s, u"早出要員数に正しく入力してください"_s},
        {&DailyRequirement::lateStaff, &ShiftDefinition::lateStaff, u"遅出要員"_s, u"遅出要員数"_s,
         u"遅出"_s, u"遅出要員数に正しく入力してください"_s},
    }};
    return f;
}

// Staffing figures are head counts: whole numbers from 0.
using FormParts::parseCount;

} // namespace

DailyStaffingScreen::DailyStaffingScreen(AppContext& context, QWidget* parent)
    : EntryScreen(context, u"日別要員"_s, u"日別要員数設定"_s, kTitle, parent) {
    buildUi();
    act([this] {
        loadWorkShifts();
        switchKind(kWeekdayKind);
    });
}

void DailyStaffingScreen::buildUi() {
    auto* root = new QVBoxLayout(this);

    auto* kindFrame = new QGroupBox(u"区分"_s, this);
    auto* kindLayout = new QHBoxLayout(kindFrame);
    weekdayOption_ = FormParts::option(u"曜日"_s, u"曜日"_s, kindFrame);
    dateOption_ = FormParts::option(u"日付"_s, u"日付"_s, kindFrame);
    weekdayOption_->setChecked(true);
    kindLayout->addWidget(weekdayOption_);
    kindLayout->addWidget(dateOption_);
    kindLayout->addStretch();
    root->addWidget(kindFrame);

    grid_ = new FlexGrid(this);
    grid_->setObjectName(u"日要員"_s);
    grid_->setFont(QFont(Fonts::gothic(), 9));
    grid_->setMinimumHeight(260);
    root->addWidget(grid_, 1);

    auto* form = new QGridLayout;
    auto addBox = [&](const QString& name, const QString& caption, int row, int col) {
        QLineEdit* box = FormParts::box(name, this);
        form->addWidget(FormParts::caption(caption, box, this), row, col);
        form->addWidget(box, row, col + 1);
        return box;
    };
    day_ = addBox(u"日付順"_s, u"曜日(日付)"_s, 0, 0);
    day_->setMaximumWidth(60);
    weekdayName_ = new QLabel(this);
    weekdayName_->setObjectName(u"曜日名"_s);
    weekdayName_->setMinimumWidth(30);
    auto* hint = new QLabel(u"(曜日指定時 1:日,2::月,3:火・・)"_s, this);
    auto* dayRow = new QHBoxLayout;
    dayRow->addWidget(weekdayName_);
    dayRow->addWidget(hint);
    dayRow->addStretch();
    form->addLayout(dayRow, 0, 2, 1, 2);

    abbrev_ = FormParts::pickCombo(u"シフト略称"_s, this);
    form->addWidget(FormParts::caption(u"シフト略称"_s, abbrev_, this), 1, 0);
    form->addWidget(abbrev_, 1, 1);
    order_ = addBox(u"シフト優先順"_s, u"シフト優先順"_s, 1, 2);
    // The order number places the row in the grid, so it only ever comes from a shift.
    order_->setReadOnly(true);
    name_ = addBox(u"シフト名称"_s, u"シフト名称"_s, 2, 0);
    name_->setReadOnly(true);

    for (size_t i = 0; i < counts_.size(); ++i) {
        const Figure& f = figures()[i];
        counts_[i] =
            addBox(f.box, f.caption, 3 + static_cast<int>(i) / 2, (static_cast<int>(i) % 2) * 2);
    }
    remark_ = addBox(u"備考"_s, u"備考"_s, 6, 0);
    form->removeWidget(remark_);
    form->addWidget(remark_, 6, 1, 1, 3);
    form->setColumnStretch(1, 1);
    form->setColumnStretch(3, 1);
    root->addLayout(form);

    QPushButton* confirm = FormParts::button(u"確定"_s, u"確定"_s, this);
    QPushButton* remove = FormParts::button(u"削除"_s, u"削除"_s, this);
    QPushButton* close = FormParts::button(u"終了"_s, u"終了"_s, this);
    root->addLayout(FormParts::buttonRow({confirm, remove, close}));

    FormParts::chainTabOrder({day_, abbrev_, counts_[0], counts_[1], counts_[2], counts_[3],
                              counts_[4], counts_[5], remark_, confirm});

    connect(weekdayOption_, &QRadioButton::clicked, this, [this] { switchKind(kWeekdayKind); });
    connect(dateOption_, &QRadioButton::clicked, this, [this] { switchKind(kDateKind); });
    connect(grid_, &FlexGrid::cellClickedAt, this, &DailyStaffingScreen::onGridClicked);
    connect(abbrev_, &QComboBox::activated, this, &DailyStaffingScreen::onShiftChosen);
    connect(confirm, &QPushButton::clicked, this, &DailyStaffingScreen::save);
    connect(remove, &QPushButton::clicked, this, &DailyStaffingScreen::remove);
    connect(close, &QPushButton::clicked, this, &QWidget::close);

    checks().onFocusLost(day_, [this] { checkDay(); });
    for (size_t i = 0; i < counts_.size(); ++i)
        checks().onFocusLost(counts_[i],
                             [this, i] { checkCount(counts_[i], figures()[i].message); });

    resize(820, 720);
}

void DailyStaffingScreen::loadWorkShifts() {
    shifts_.clear();
    abbrev_->clear();
    for (const ShiftDefinition& d : ShiftStore::workingShifts(ctx().db)) {
        WorkShift s;
        s.abbrev = d.abbrev;
        s.order = d.priority;
        for (size_t i = 0; i < s.defaults.size(); ++i)
            s.defaults[i] = d.*figures()[i].shiftFigure;
        shifts_.push_back(s);
        abbrev_->addItem(s.abbrev);
    }
    FormParts::clearChoice(abbrev_);
}

void DailyStaffingScreen::switchKind(int kind) {
    kind_ = kind;
    if (kind == kDateKind)
        weekdayName_->clear();
    weekdayOption_->setChecked(kind == kWeekdayKind);
    dateOption_->setChecked(kind == kDateKind);
    act([this] { fillGrid(); });
}

// Below the heading row each working shift has a block of one row per figure.
int DailyStaffingScreen::gridRow(int block, int entry) {
    return 1 + block * kEntriesPerShift + entry;
}

// Weekdays, or the days of a month.
int DailyStaffingScreen::dayCount() const {
    return kind_ == kWeekdayKind ? 7 : 31;
}

void DailyStaffingScreen::layoutGrid() {
    const int days = dayCount();
    grid_->clearGrid();
    grid_->setFixedRows(0);
    grid_->setFixedCols(0);
    grid_->setRows(gridRow(static_cast<int>(shifts_.size()), 0));
    grid_->setCols(days + 2);
    grid_->setFixedRows(1);
    grid_->setFixedCols(2);
    grid_->setColWidthTwips(0, 600);
    grid_->setColWidthTwips(1, 800);
    for (int d = 1; d <= days; ++d) {
        const int col = d + 1;
        grid_->setColWidthTwips(col, 300);
        if (kind_ == kWeekdayKind) {
            grid_->setText(0, col, ctx().settings.weekdayName[static_cast<size_t>(d - 1)]);
            grid_->setCellForeColor(
                0, col, Palette::colour(ctx().settings.weekdayColour[static_cast<size_t>(d - 1)]));
        } else {
            grid_->setText(0, col, QString::number(d));
        }
    }
    for (size_t k = 0; k < shifts_.size(); ++k) {
        const int block = static_cast<int>(k);
        grid_->setText(gridRow(block, 0), 0, shifts_[k].abbrev);
        for (int e = 0; e < kEntriesPerShift; ++e)
            grid_->setText(gridRow(block, e), 1, figures()[static_cast<size_t>(e)].rowName);
    }
    highlightBlock_ = -1;
    highlightCol_ = -1;
}

// The block of the working shift that carries this order number. With order numbers 1…n in
// index order this is simply order − 1; a row naming no working shift has no block.
int DailyStaffingScreen::blockOfOrder(int order) const {
    for (size_t k = 0; k < shifts_.size(); ++k)
        if (shifts_[k].order == order)
            return static_cast<int>(k);
    return -1;
}

void DailyStaffingScreen::fillGrid() {
    // Laid out afresh every time, so a deleted last row does not linger on the screen.
    layoutGrid();
    const int days = dayCount();
    for (const DailyRequirement& r : RequirementStore::rowsOfKind(ctx().db, kind_)) {
        const int day = r.day;
        const int block = blockOfOrder(r.priority);
        if (day < 1 || day > days || block < 0)
            continue;
        const WorkShift& s = shifts_[static_cast<size_t>(block)];
        for (int e = 0; e < kEntriesPerShift; ++e) {
            const int v = r.*figures()[static_cast<size_t>(e)].dayFigure;
            const int row = gridRow(block, e);
            grid_->setText(row, day + 1, QString::number(v));
            grid_->setCellAlignment(row, day + 1, Qt::AlignRight | Qt::AlignVCenter);
            grid_->setCellForeColor(row, day + 1,
                                    Palette::colour(v == s.defaults[static_cast<size_t>(e)]
                                                        ? Palette::Black
                                                        : Palette::Blue));
        }
    }
}

void DailyStaffingScreen::paintBlock(int block, int col, Palette::Number colour) {
    for (int e = 0; e < kEntriesPerShift; ++e)
        grid_->setCellBackColor(gridRow(block, e), col, Palette::colour(colour));
}

void DailyStaffingScreen::onGridClicked(int row, int col) {
    if (row < grid_->fixedRows() || col < grid_->fixedCols() || grid_->text(row, col).isEmpty()) {
        inform(u"指示位置が有効範囲外です。"_s);
        return;
    }
    if (highlightBlock_ >= 0)
        paintBlock(highlightBlock_, highlightCol_, Palette::White);
    const int block = (row - 1) / kEntriesPerShift;
    paintBlock(block, col, Palette::Green);
    highlightBlock_ = block;
    highlightCol_ = col;
    const int order = shifts_[static_cast<size_t>(block)].order;
    act([&] { loadRow(col - 1, order); });
}

void DailyStaffingScreen::loadRow(int day, int order) {
    const auto row = DailyRequirement::load(ctx().db, kind_, day, order);
    if (!row) {
        inform(kNoShift);
        return;
    }
    showRecord(*row);
    if (kind_ == kWeekdayKind)
        weekdayName_->setText(ctx().settings.weekdayName[static_cast<size_t>(day - 1)]);
}

void DailyStaffingScreen::showRecord(const DailyRequirement& row) {
    day_->setText(QString::number(row.day));
    order_->setText(QString::number(row.priority));
    abbrev_->setEditText(row.shiftAbbrev);
    name_->setText(row.shiftName);
    for (size_t i = 0; i < counts_.size(); ++i)
        counts_[i]->setText(QString::number(row.*figures()[i].dayFigure));
    remark_->setText(row.remark);
}

DailyRequirement DailyStaffingScreen::toRecord(int day, int order) const {
    DailyRequirement row;
    row.kind = kind_;
    row.day = day;
    row.priority = order;
    row.shiftAbbrev = abbrev_->currentText();
    row.shiftName = name_->text();
    for (size_t i = 0; i < counts_.size(); ++i)
        row.*figures()[i].dayFigure = *parseCount(counts_[i]->text());
    row.remark = remark_->text();
    return row;
}

void DailyStaffingScreen::onShiftChosen() {
    act([this] {
        const auto shift = ShiftDefinition::load(ctx().db, abbrev_->currentText());
        if (!shift) {
            inform(kNoShift);
            return;
        }
        FieldChecks::setTextColour(abbrev_, true);
        name_->setText(shift->name);
        order_->setText(QString::number(shift->priority));
        for (size_t i = 0; i < counts_.size(); ++i)
            counts_[i]->setText(QString::number((*shift).*figures()[i].shiftFigure));
    });
}

bool DailyStaffingScreen::checkDay() {
    const auto n = TextValues::parseSmallInt(day_->text());
    const int last = dayCount();
    const bool ok = n && *n >= 1 && *n <= last;
    if (ok && kind_ == kWeekdayKind)
        weekdayName_->setText(ctx().settings.weekdayName[static_cast<size_t>(*n - 1)]);
    return checks().check(day_, ok, u"曜日(日付)に正しく入力してください"_s);
}

bool DailyStaffingScreen::checkCount(QLineEdit* box, const QString& message) {
    return checks().check(box, parseCount(box->text()).has_value(), message);
}

bool DailyStaffingScreen::checkAll() {
    checks().reset();
    checkDay();
    for (size_t i = 0; i < counts_.size(); ++i)
        checkCount(counts_[i], figures()[i].message);
    // The row must name the working shift whose order number places it in the grid; an
    // abbreviation typed over a chosen shift would otherwise be stored under the wrong block.
    const auto order = TextValues::parseSmallInt(order_->text());
    const int block = order ? blockOfOrder(*order) : -1;
    checks().check(
        abbrev_, block >= 0 && shifts_[static_cast<size_t>(block)].abbrev == abbrev_->currentText(),
        kNoShift);
    return !checks().reportIfFailed();
}

void DailyStaffingScreen::save() {
    if (!checkAll())
        return;
    const int day = *TextValues::parseSmallInt(day_->text());
    const int order = *TextValues::parseSmallInt(order_->text());
    const bool ok = actBusy([&] { RequirementStore::save(ctx().db, toRecord(day, order)); });
    if (!ok)
        return;
    inform(u"日別要員は更新(登録)されました。"_s);
    act([this] { fillGrid(); });
}

void DailyStaffingScreen::remove() {
    if (!ask(u"日別要員を削除します。内容を確認して下さい。"_s))
        return;
    const auto day = TextValues::parseSmallInt(day_->text());
    const auto order = TextValues::parseSmallInt(order_->text());
    bool found = false;
    const bool ok = act([&] {
        if (day && order)
            found = RequirementStore::remove(ctx().db, kind_, *day, *order);
    });
    if (!ok)
        return;
    if (!found) {
        inform(u"日別要員は登録されていません。"_s);
        return;
    }
    inform(u"日別要員は削除されました。"_s);
    act([this] { fillGrid(); });
}
