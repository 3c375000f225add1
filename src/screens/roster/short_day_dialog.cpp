#include "screens/roster/short_day_dialog.h"

#include "widgets/form_parts.h"

#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace {

QString levelText(int level) {
    return level == 3 ? u"全体"_s : u"グループ%1"_s.arg(level);
}

QString shiftText(const QString& shift) {
    return shift.isEmpty() ? u"－"_s : shift;
}

} // namespace

ShortDayDialog::ShortDayDialog(ShortDayExplanation explanation, QWidget* parent)
    : QDialog(parent), e_(std::move(explanation)) {
    setObjectName(u"不足理由"_s);
    setWindowTitle(u"不足の理由"_s);

    auto* heading = new QLabel(u"%1 %2 %3：必要 %4 人、配置 %5 人"_s.arg(
                                   e_.date, levelText(e_.level), e_.shiftAbbrev,
                                   QString::number(e_.required), QString::number(e_.assigned)),
                               this);

    people_ = new QTableWidget(static_cast<int>(e_.people.size()), 4, this);
    people_->setObjectName(u"職員"_s);
    people_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    people_->setSelectionMode(QAbstractItemView::NoSelection);
    people_->verticalHeader()->hide();
    people_->setHorizontalHeaderLabels(
        {u"氏名"_s, u"この日"_s, u"%1の回数"_s.arg(e_.shiftAbbrev), u"入れない理由"_s});
    for (size_t i = 0; i < e_.people.size(); ++i) {
        const ShortDayPerson& p = e_.people[i];
        const int r = static_cast<int>(i);
        people_->setItem(r, 0, new QTableWidgetItem(p.name));
        people_->setItem(r, 1, new QTableWidgetItem(shiftText(p.shift)));
        people_->setItem(r, 2, new QTableWidgetItem(QString::number(p.shiftCount)));
        people_->setItem(
            r, 3,
            new QTableWidgetItem(p.blocker == ShortDayBlocker::None ? u"入れます"_s : p.reason));
    }
    people_->resizeColumnsToContents();
    people_->horizontalHeader()->setStretchLastSection(true);

    candidates_ = new QListWidget(this);
    candidates_->setObjectName(u"候補"_s);
    for (const ShortDayPerson& p : e_.candidates)
        candidates_->addItem(u"%1（この日 %2、%3 %4回）"_s.arg(
            p.name, shiftText(p.shift), e_.shiftAbbrev, QString::number(p.shiftCount)));
    if (e_.candidates.empty()) {
        candidates_->addItem(u"入れる職員はいません"_s);
        candidates_->setEnabled(false);
    }

    change_ = FormParts::button(u"変更"_s, u"変更"_s, this);
    change_->setEnabled(false);
    QPushButton* close = FormParts::button(u"閉じる"_s, u"閉じる"_s, this);
    connect(candidates_, &QListWidget::currentRowChanged, this,
            [this](int row) { change_->setEnabled(row >= 0 && !e_.candidates.empty()); });
    connect(candidates_, &QListWidget::itemDoubleClicked, this, [this] {
        if (chosen())
            accept();
    });
    connect(change_, &QPushButton::clicked, this, &QDialog::accept);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(people_, 3);
    layout->addWidget(new QLabel(u"入れる職員（%1の少ない順）"_s.arg(e_.shiftAbbrev), this));
    layout->addWidget(candidates_, 1);
    layout->addLayout(FormParts::buttonRow({change_, close}));
    resize(560, 520);
}

std::optional<std::pair<int, int>> ShortDayDialog::chosen() const {
    const int row = candidates_->currentRow();
    if (row < 0 || static_cast<size_t>(row) >= e_.candidates.size())
        return std::nullopt;
    const ShortDayPerson& p = e_.candidates[static_cast<size_t>(row)];
    return std::pair{p.group, p.slot};
}

std::optional<std::pair<int, int>> ShortDayDialog::choose(QWidget* parent,
                                                          const ShortDayExplanation& explanation) {
    ShortDayDialog dialog(explanation, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.chosen();
}
