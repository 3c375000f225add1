#include "screens/output/staff_list_screen.h"

#include "screens/app_context.h"
#include "screens/output/personal_roster_screen.h"
#include "screens/roster/roster_grid_keys.h"
#include "store/masters/staff_list_store.h"
#include "widgets/flex_grid.h"
#include "widgets/form_parts.h"
#include "widgets/grid_text_fit.h"
#include "widgets/palette.h"

#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <utility>

using namespace Qt::Literals::StringLiterals;

StaffListScreen::StaffListScreen(AppContext& context, QWidget* parent)
    : EntryScreen(context, u"職員一覧"_s, u"職員一覧"_s, u"職員一覧"_s, parent) {
    buildUi();
    fill();
}

void StaffListScreen::buildUi() {
    auto* root = new QVBoxLayout(this);
    grid_ = new FlexGrid(this);
    grid_->setObjectName(u"職員一覧"_s);
    root->addWidget(grid_, 1);
    QPushButton* personal = FormParts::button(u"個人勤務表"_s, u"勤務表"_s, this);
    QPushButton* staff = FormParts::button(u"職員登録"_s, u"職員登録"_s, this);
    QPushButton* close = FormParts::button(u"終了"_s, u"終了"_s, this);
    root->addLayout(FormParts::buttonRow({personal, staff, close}));

    connect(grid_, &FlexGrid::cellClickedAt, this, [this](int row, int) { chooseRow(row); });
    // Return or Space on the current row selects it, for a clerk moving with the arrow keys.
    connect(new RosterGridKeys(*grid_), &RosterGridKeys::cellActivated, this,
            [this](int row, int) { chooseRow(row); });
    connect(personal, &QPushButton::clicked, this, &StaffListScreen::openPersonalRoster);
    connect(staff, &QPushButton::clicked, this, &StaffListScreen::openStaffRegister);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    resize(860, 520);
}

void StaffListScreen::setUpGrid(int people) {
    static const std::array<std::pair<QString, int>, kCols> columns{{{u"番号"_s, 800},
                                                                     {u"職員名"_s, 1500},
                                                                     {u"職位"_s, 1000},
                                                                     {u"ﾘｰﾀﾞｰ区分"_s, 1000},
                                                                     {u"ﾁｰﾑ"_s, 1000},
                                                                     {u"ｼﾌﾄ有無"_s, 1000},
                                                                     {u"ｼﾌﾄﾊﾟﾀｰﾝ"_s, 1500}}};
    grid_->clearGrid();
    grid_->setRows(std::max(kMinRows, 1 + people));
    grid_->setCols(kCols);
    grid_->setFixedRows(1);
    grid_->setFixedCols(0);
    for (int c = 0; c < kCols; ++c) {
        grid_->setColWidthTwips(c, columns[static_cast<size_t>(c)].second);
        grid_->setText(0, c, columns[static_cast<size_t>(c)].first);
    }
    selected_ = 0;
}

void StaffListScreen::fill() {
    std::vector<StaffListStore::Line> lines;
    act([&] { lines = StaffListStore::load(ctx().db); });
    setUpGrid(static_cast<int>(lines.size()));
    listed_ = static_cast<int>(lines.size());
    for (int i = 0; i < listed_; ++i) {
        const StaffListStore::Line& line = lines[static_cast<size_t>(i)];
        const StaffMember& s = line.member;
        const int row = i + 1;
        grid_->setText(row, 0, s.no);
        grid_->setText(row, 1, s.name);
        grid_->setText(row, 2, line.position);
        grid_->setText(row, 3, s.leader == 1 ? u"ﾘｰﾀﾞｰ"_s : QString());
        grid_->setText(row, 4, s.team);
        grid_->setText(row, 5, line.shiftWork ? u"有"_s : u"無"_s);
        if (line.shiftWork)
            grid_->setText(row, 6, line.patternName);
    }
    GridTextFit::widenColumns(*grid_, 0, kCols - 1);
}

void StaffListScreen::chooseRow(int row) {
    if (row < 1 || row > listed_) {
        inform(u"有功範囲外を指定しています。やり直して下さい"_s);
        return;
    }
    if (selected_ > 0)
        for (int c = 0; c < kCols; ++c)
            grid_->setCellBackColor(selected_, c, Palette::colour(Palette::White));
    for (int c = 0; c < kCols; ++c)
        grid_->setCellBackColor(row, c, Palette::colour(Palette::Green));
    selected_ = row;
    ctx().selectedStaffNo = grid_->text(row, 0);
    ctx().selectedStaffName = grid_->text(row, 1);
}

void StaffListScreen::openPersonalRoster() {
    if (!personal_) {
        PersonalRosterScreen* created = nullptr;
        if (!act([&] { created = new PersonalRosterScreen(ctx(), this); }) || !created)
            return;
        created->setWindowFlag(Qt::Window);
        created->setAttribute(Qt::WA_DeleteOnClose);
        personal_ = created;
    } else if (!ctx().selectedStaffNo.isEmpty()) {
        personal_->presetStaff(ctx().selectedStaffName);
    }
    personal_->show();
    personal_->raise();
    personal_->activateWindow();
}

// The register is the menu's single instance; whatever it changes shows here once it closes.
void StaffListScreen::openStaffRegister() {
    if (!ctx().openMenuScreen)
        return;
    QWidget* screen = nullptr;
    act([&] { screen = ctx().openMenuScreen(u"職員登録"_s); });
    if (!screen || screen == register_)
        return;
    register_ = screen;
    connect(screen, &QObject::destroyed, this, [this] { fill(); });
}
