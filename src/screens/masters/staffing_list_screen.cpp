#include "screens/masters/staffing_list_screen.h"

#include "print/fonts.h"
#include "screens/app_context.h"
#include "store/masters/pattern_store.h"
#include "widgets/flex_grid.h"
#include "widgets/form_parts.h"

#include <QComboBox>
#include <QFont>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <array>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString kTitle = u"シフト別要員数設定"_s;

const std::array<QString, 8>& rowNames() {
    static const std::array<QString, 8> names{u"ｼﾌﾄ名"_s,     u"要員数"_s,    u"責任者数"_s,
                                              u"ﾁｰﾑ要員数"_s, u"ﾁｰﾑ責任数"_s, u"早出要員数"_s,
                                              u"遅出要数"_s,  u"MAX回数"_s};
    return names;
}

} // namespace

StaffingListScreen::StaffingListScreen(AppContext& context, const QString& patternName,
                                       QWidget* parent)
    : EntryScreen(context, u"要員数一覧"_s, kTitle, kTitle, parent) {

    auto* root = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    pattern_ = FormParts::pickCombo(u"パターン名称"_s, this);
    pattern_->setMinimumWidth(220);
    top->addWidget(FormParts::caption(u"パターン名称"_s, pattern_, this));
    top->addWidget(pattern_);
    top->addStretch();
    root->addLayout(top);

    grid_ = new FlexGrid(this);
    grid_->setObjectName(u"要員数表"_s);
    grid_->setFont(QFont(Fonts::gothic(), 9));
    root->addWidget(grid_, 1);

    QPushButton* close = FormParts::button(u"終了"_s, u"終了"_s, this);
    root->addLayout(FormParts::buttonRow({close}));

    connect(pattern_, &QComboBox::activated, this, &StaffingListScreen::onPatternChosen);
    connect(pattern_->lineEdit(), &QLineEdit::returnPressed, this,
            &StaffingListScreen::onPatternChosen);
    connect(close, &QPushButton::clicked, this, &QWidget::close);

    layoutGrid(kDataCols);
    resize(1010, 280);
    act([this] { fillPatternCombo(); });
    if (!patternName.isEmpty())
        showPattern(patternName);
}

void StaffingListScreen::fillPatternCombo() {
    pattern_->clear();
    for (const PatternRow& header : PatternStore::allHeaders(ctx().db))
        pattern_->addItem(header.name);
    FormParts::clearChoice(pattern_);
}

void StaffingListScreen::showPattern(const QString& name) {
    pattern_->setEditText(name);
    onPatternChosen();
}

void StaffingListScreen::layoutGrid(int dataCols) {
    grid_->clearGrid();
    grid_->setFixedCols(0);
    grid_->setRows(static_cast<int>(rowNames().size()));
    grid_->setCols(dataCols + 1);
    grid_->setFixedCols(1);
    grid_->setColWidthTwips(0, 1300);
    for (int c = 1; c <= dataCols; ++c)
        grid_->setColWidthTwips(c, 700);
    for (size_t r = 0; r < rowNames().size(); ++r)
        grid_->setText(static_cast<int>(r), 0, rowNames()[r]);
}

void StaffingListScreen::onPatternChosen() {
    const QString name = pattern_->currentText();
    act([&] {
        const std::vector<ShiftDefinition> shifts = PatternStore::shiftsOfPattern(ctx().db, name);
        // A pattern may hold 20 positions; the grid grows a column rather than drop one.
        layoutGrid(std::max(kDataCols, static_cast<int>(shifts.size())));
        for (size_t i = 0; i < shifts.size(); ++i) {
            const ShiftDefinition& s = shifts[i];
            const std::array<int, 7> values{s.minStaff,   s.leaders,   s.teamStaff, s.teamLeaders,
                                            s.earlyStaff, s.lateStaff, s.max};
            const int col = static_cast<int>(i) + 1;
            grid_->setText(0, col, s.name);
            grid_->setCellAlignment(0, col, Qt::AlignCenter);
            for (size_t v = 0; v < values.size(); ++v) {
                const int row = static_cast<int>(v) + 1;
                grid_->setText(row, col, QString::number(values[v]));
                grid_->setCellAlignment(row, col, Qt::AlignRight | Qt::AlignVCenter);
            }
        }
    });
}
