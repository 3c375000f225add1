#include "screens/masters/staff_status_screen.h"

#include "screens/app_context.h"
#include "store/clock.h"
#include "store/fiscal_year.h"
#include "store/masters/staff_store.h"
#include "widgets/field_checks.h"
#include "widgets/flex_grid.h"
#include "widgets/form_parts.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString kNoStart = u"年度開始日を登録して下さい。"_s;

} // namespace

StaffStatusScreen::StaffStatusScreen(AppContext& context, Kind kind, QWidget* parent)
    : EntryScreen(context, kind == Kind::Backup ? u"バックアップ者"_s : u"休暇取状"_s,
                  kind == Kind::Backup ? u"バックアップ状況"_s : u"休暇取得状況"_s,
                  u"ﾊﾞｯｸｱｯﾌﾟ状況"_s, parent),
      kind_(kind) {
    buildUi();
    fillYear();
}

void StaffStatusScreen::buildUi() {
    auto* root = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    year_ = FormParts::box(u"年度"_s, this);
    year_->setMaximumWidth(70);
    top->addWidget(FormParts::caption(u"年度"_s, year_, this));
    top->addWidget(year_);
    top->addStretch();
    root->addLayout(top);

    grid_ = new FlexGrid(this);
    grid_->setObjectName(kind_ == Kind::Backup ? u"BKUP者"_s : u"取得者"_s);
    root->addWidget(grid_, 1);

    QPushButton* inquire = FormParts::button(u"照会"_s, u"照会"_s, this);
    QPushButton* close = FormParts::button(u"終了"_s, u"終了"_s, this);
    root->addLayout(FormParts::buttonRow({inquire, close}));

    connect(inquire, &QPushButton::clicked, this, &StaffStatusScreen::inquire);
    connect(close, &QPushButton::clicked, this, &StaffStatusScreen::finish);
    checks().onFocusLost(year_, [this] { checkYear(); });
    resize(900, 520);
}

void StaffStatusScreen::fillYear() {
    std::optional<FiscalYear::Start> start;
    act([&] { start = FiscalYear::loadStart(ctx().db); });
    if (!start) {
        inform(kNoStart);
        return;
    }
    // The year whose start month has come: the month alone decides, not its day.
    const QDate today = ctx().clock.today();
    if (year_->text().trimmed().isEmpty())
        year_->setText(
            QString::number(today.month() < start->month ? today.year() - 1 : today.year()));
}

bool StaffStatusScreen::checkYear() {
    // Left empty, the year is filled in by 照会.
    const QString typed = year_->text().trimmed();
    const bool digits =
        std::all_of(typed.begin(), typed.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    return checks().check(year_, typed.isEmpty() || (typed.size() == 4 && digits),
                          u"年度に正しく入力してください"_s);
}

void StaffStatusScreen::inquire() {
    std::optional<FiscalYear::Start> start;
    act([&] { start = FiscalYear::loadStart(ctx().db); });
    if (!start) {
        inform(kNoStart);
        return;
    }
    fillYear();
    checks().reset();
    checkYear();
    if (checks().reportIfFailed())
        return;
    const QString typed = year_->text().trimmed();
    const FiscalYear year = FiscalYear::beginningIn(*start, typed.toInt());
    act([&] {
        fillGrid(StaffStore::yearStatus(ctx().db,
                                        kind_ == Kind::Backup ? StaffStore::Status::Backups
                                                              : StaffStore::Status::Leaves,
                                        year.startText(), year.endText()));
    });
}

void StaffStatusScreen::fillGrid(const std::vector<StaffStore::StatusLine>& members) {
    size_t most = kEntryColumns;
    for (const StaffStore::StatusLine& m : members)
        most = std::max(most, m.entries.size());
    const bool backup = kind_ == Kind::Backup;
    grid_->clearGrid();
    grid_->setRows(1 + 2 * static_cast<int>(members.size()));
    grid_->setCols(3 + static_cast<int>(most));
    grid_->setFixedRows(1);
    grid_->setFixedCols(3);
    grid_->setText(0, 0, backup ? u"ﾊﾞｯｸｱｯﾌﾟ者"_s : u"取得者"_s);
    grid_->setText(0, 1, u"職員NO"_s);
    for (int i = 0; i < static_cast<int>(most); ++i)
        grid_->setText(0, 3 + i, QString::number(i + 1) + u"回"_s);
    for (size_t i = 0; i < members.size(); ++i) {
        const int row = 1 + 2 * static_cast<int>(i);
        const StaffStore::StatusLine& m = members[i];
        grid_->setText(row, 0, m.name);
        grid_->setText(row, 1, m.no);
        grid_->setText(row, 2, backup ? u"BACKUP日"_s : u"取得日"_s);
        grid_->setText(row + 1, 2, backup ? u"取得者"_s : u"BACKUP者"_s);
        for (size_t e = 0; e < m.entries.size(); ++e) {
            const int col = 3 + static_cast<int>(e);
            grid_->setText(row, col, m.entries[e].first);
            grid_->setText(row + 1, col, m.entries[e].second);
            grid_->setCellAlignment(row, col, Qt::AlignCenter);
            grid_->setCellAlignment(row + 1, col, Qt::AlignCenter);
        }
    }
}

void StaffStatusScreen::finish() {
    if (ask(u"表示を終了します"_s))
        close();
}
