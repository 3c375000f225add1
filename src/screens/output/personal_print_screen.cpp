#include "screens/output/personal_print_screen.h"

#include "output/print_filter.h"
#include "output/print_period_check.h"
#include "output/stored_roster_print.h"
#include "screens/app_context.h"
#include "screens/date_field_checks.h"
#include "screens/output/preview_print_output.h"
#include "store/list_services.h"
#include "widgets/busy_cursor.h"
#include "widgets/field_checks.h"
#include "widgets/form_parts.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace {
const QString TargetAll = u"全員"_s;
const QString TargetStaff = u"個別指定"_s;
} // namespace

PersonalPrintScreen::PersonalPrintScreen(AppContext& context, std::unique_ptr<PrintOutput> output,
                                         QWidget* parent)
    : EntryScreen(context, u"個別印刷"_s, u"個人勤務表出力"_s, u"個別勤務表出力"_s, parent),
      output_(std::move(output)) {
    if (!output_)
        output_ = std::make_unique<PreviewPrintOutput>();
    buildUi();

    query_.grouping = everybodyGrouping();

    titleEdit_->setText(u"シフト勤務表"_s);
    targetList_->addItems({TargetAll, TargetStaff});
    staffList_->hide();
    startEdit_->setText(ctx().settings.periodStart);
    endEdit_->setText(ctx().settings.periodEnd);
}

// Everybody is printed the way the workplace groups its staff, so the first team's sheets
// come first where it works by team.
Grouping PersonalPrintScreen::everybodyGrouping() const {
    return ctx().settings.byTeam == 1 ? Grouping::ByTeam : Grouping::Everybody;
}

void PersonalPrintScreen::buildUi() {
    auto label = [this](const QString& caption, const QString& name = QString()) {
        auto* l = new QLabel(caption, this);
        if (!name.isEmpty())
            l->setObjectName(name);
        return l;
    };
    titleEdit_ = FormParts::box(u"タイトル"_s, this);
    targetList_ = new QListWidget(this);
    targetList_->setObjectName(u"出力対象"_s);
    targetList_->setMaximumHeight(60);
    staffLabel_ = label(QString(), u"登録職員一覧"_s);
    staffList_ = new QListWidget(this);
    staffList_->setObjectName(u"LST職員"_s);
    startEdit_ = FormParts::box(u"表開始日"_s, this);
    endEdit_ = FormParts::box(u"表終了日"_s, this);
    for (auto* e : {startEdit_, endEdit_})
        e->setMaxLength(10);
    QPushButton* print = FormParts::button(u"印刷"_s, u"確定"_s, this);
    QPushButton* close = FormParts::button(u"終了"_s, u"終了"_s, this);

    auto* form = new QGridLayout;
    form->addWidget(label(u"出力タイトル"_s), 0, 0);
    form->addWidget(titleEdit_, 0, 1);
    form->addWidget(label(u"出力対象"_s), 1, 0, Qt::AlignTop);
    form->addWidget(targetList_, 1, 1);
    form->addWidget(label(u"出力開始日"_s), 2, 0);
    form->addWidget(startEdit_, 2, 1);
    form->addWidget(label(u"出力終了日"_s), 3, 0);
    form->addWidget(endEdit_, 3, 1);
    auto* left = new QVBoxLayout;
    left->addLayout(form);
    left->addStretch();
    left->addLayout(FormParts::buttonRow({print, close}));

    auto* right = new QVBoxLayout;
    right->addWidget(staffLabel_);
    right->addWidget(staffList_, 1);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 3);
    layout->addLayout(right, 2);
    resize(560, 340);

    // The staff list follows the choice that shows it, so the keyboard reaches it next.
    FormParts::chainTabOrder(
        {titleEdit_, targetList_, staffList_, startEdit_, endEdit_, print, close});

    connect(targetList_, &QListWidget::currentRowChanged, this,
            &PersonalPrintScreen::onTargetChosen);
    // A name reached with the arrow keys is the one printed, as the highlight shows.
    FormParts::onItemChosen(staffList_, this,
                            [this](QListWidgetItem* item) { onStaffClicked(item); });
    connect(print, &QPushButton::clicked, this, &PersonalPrintScreen::onPrintClicked);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    checks().onFocusLost(startEdit_, [this] { checkStart(); });
    checks().onFocusLost(endEdit_, [this] { checkEnd(); });
}

void PersonalPrintScreen::onTargetChosen() {
    const QListWidgetItem* item = targetList_->currentItem();
    const QString target = item ? item->text() : QString();
    if (target == TargetAll) {
        staffList_->hide();
        staffLabel_->clear();
        query_.narrowTo(RosterFilter::everybody(), everybodyGrouping());
    } else if (target == TargetStaff) {
        staffLabel_->setText(u"登録職員一覧"_s);
        act([&] {
            staffList_->clear();
            staffList_->addItems(StaffListService::FillStaffList(ctx().db));
        });
        staffList_->show();
    }
}

void PersonalPrintScreen::onStaffClicked(QListWidgetItem* item) {
    act([&] {
        const NamedStaffFilter named = FilterToStaffNamed(ctx().db, item->text());
        if (!named.refusal.isEmpty())
            inform(named.refusal);
        else
            query_.narrowTo(named.filter, everybodyGrouping());
    });
}

void PersonalPrintScreen::checkStart() {
    DateFieldChecks::printStart(checks(), startEdit_);
}

void PersonalPrintScreen::checkEnd() {
    DateFieldChecks::printEnd(checks(), endEdit_);
}

void PersonalPrintScreen::onPrintClicked() {
    checks().reset();
    checkStart();
    checkEnd();
    if (!checks().hasError()) {
        const QString error =
            PrintPeriodError(PrintKind::Roster, startEdit_->text(), endEdit_->text());
        checks().check(endEdit_, error.isEmpty(), error);
    }
    if (checks().reportIfFailed())
        return;
    FieldChecks::setTextColour(startEdit_, true);
    FieldChecks::setTextColour(endEdit_, true);
    query_.from = startEdit_->text();
    query_.to = endEdit_->text();

    bool printed = false;
    act([&] {
        {
            BusyCursor busy;
            shiftNames_ = LoadPersonalSheets(ctx().db, ctx().settings, query_, model_);
        }
        if (const QString nothing = NothingToPrintMessage(model_); !nothing.isEmpty()) {
            inform(nothing);
            return;
        }
        const QString title = titleEdit_->text();
        printed = output_->print(this, title, [this, &title](Sheet& sheet) {
            PrintPersonalSheets(model_, shiftNames_, ctx().settings.weekdayColour, title, sheet);
        });
    });
    if (printed)
        inform(u"個別勤務表出力を終了しました"_s);
}
