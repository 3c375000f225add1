#include "screens/output/roster_print_screen.h"

#include "output/print_filter.h"
#include "output/print_period_check.h"
#include "output/roster_print.h"
#include "output/roster_workbook.h"
#include "output/roster_workbook_export.h"
#include "output/stored_roster_print.h"
#include "output/totals_print.h"
#include "print/colour_table.h"
#include "roster/cumulative_totals.h"
#include "roster/generation.h"
#include "roster/night_settings.h"
#include "roster/quality_report.h"
#include "roster/registered_period.h"
#include "roster/report_loader.h"
#include "screens/app_context.h"
#include "screens/date_field_checks.h"
#include "screens/output/preview_print_output.h"
#include "screens/roster/quality_window.h"
#include "store/code_kind.h"
#include "store/database.h"
#include "store/fiscal_year.h"
#include "store/list_services.h"
#include "store/text_values.h"
#include "widgets/busy_cursor.h"
#include "widgets/field_checks.h"
#include "widgets/form_parts.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace {
const QString Title = u"勤務表出力"_s;
const QString KindRoster = u"勤務表"_s;
const QString TargetAll = u"全員"_s;
const QString TargetStaff = u"個別指定"_s;
const QString TargetTeam = u"チーム指定"_s;

} // namespace

RosterPrintScreen::RosterPrintScreen(AppContext& context, std::unique_ptr<PrintOutput> output,
                                     QWidget* parent)
    : EntryScreen(context, u"勤務印刷"_s, u"勤務表･累計表 出力"_s, Title, parent),
      output_(std::move(output)) {
    if (!output_)
        output_ = std::make_unique<PreviewPrintOutput>();
    // The overwrite question is the screen's own, with いいえ as its default.
    chooseSaveFile_ = [](QWidget* owner, const QString& proposed) {
        return QFileDialog::getSaveFileName(owner, u"Excel出力"_s, proposed,
                                            u"Excel ブック (*.xlsx)"_s, nullptr,
                                            QFileDialog::DontConfirmOverwrite);
    };
    buildUi();

    query_.grouping = ctx().settings.byTeam == 1 ? Grouping::ByTeam : Grouping::Everybody;

    kindList_->addItems({KindRoster, u"月別勤務累計表"_s, u"年度勤務累計表"_s});
    targetList_->addItems({TargetAll, TargetStaff});
    if (ctx().settings.byTeam == 1)
        targetList_->addItem(TargetTeam);
    staffList_->hide();
    teamList_->hide();
    startEdit_->setText(ctx().settings.periodStart);
    endEdit_->setText(ctx().settings.periodEnd);
}

void RosterPrintScreen::buildUi() {
    auto label = [this](const QString& caption, const QString& name = QString()) {
        auto* l = new QLabel(caption, this);
        if (!name.isEmpty())
            l->setObjectName(name);
        return l;
    };
    auto list = [this](const QString& name) {
        auto* l = new QListWidget(this);
        l->setObjectName(name);
        return l;
    };
    kindList_ = list(u"出力指示"_s);
    kindList_->setMaximumHeight(80);
    targetList_ = list(u"出力対象"_s);
    targetList_->setMaximumHeight(80);
    staffLabel_ = label(QString(), u"登録職員一覧"_s);
    staffList_ = list(u"LST職員"_s);
    teamLabel_ = label(QString(), u"登録チーム一覧"_s);
    teamList_ = list(u"チーム一覧"_s);
    startEdit_ = FormParts::box(u"表開始日"_s, this);
    endEdit_ = FormParts::box(u"表終了日"_s, this);
    for (auto* e : {startEdit_, endEdit_})
        e->setMaxLength(10);
    QPushButton* print = FormParts::button(u"印刷"_s, u"確定"_s, this);
    QPushButton* close = FormParts::button(u"終了"_s, u"終了"_s, this);
    QPushButton* quality = FormParts::button(u"品質"_s, u"品質"_s, this);
    QPushButton* excel = FormParts::button(u"Excel出力"_s, u"Excel出力"_s, this);

    auto* form = new QGridLayout;
    form->addWidget(label(u"出力指示"_s), 0, 0, Qt::AlignTop);
    form->addWidget(kindList_, 0, 1);
    form->addWidget(label(u"出力対象"_s), 1, 0, Qt::AlignTop);
    form->addWidget(targetList_, 1, 1);
    form->addWidget(label(u"出力開始日"_s), 2, 0);
    form->addWidget(startEdit_, 2, 1);
    form->addWidget(label(u"出力終了日"_s), 3, 0);
    form->addWidget(endEdit_, 3, 1);
    auto* left = new QVBoxLayout;
    left->addLayout(form);
    left->addStretch();
    left->addLayout(FormParts::buttonRow({quality, excel, print, close}));

    auto* right = new QVBoxLayout;
    right->addWidget(staffLabel_);
    right->addWidget(staffList_, 1);
    right->addWidget(teamLabel_);
    right->addWidget(teamList_, 1);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 3);
    layout->addLayout(right, 2);
    resize(560, 380);

    FormParts::chainTabOrder(
        {kindList_, targetList_, startEdit_, endEdit_, quality, excel, print, close});

    connect(targetList_, &QListWidget::currentRowChanged, this, &RosterPrintScreen::onTargetChosen);
    // A name or team reached with the arrow keys is the one printed, as the highlight shows.
    FormParts::onItemChosen(staffList_, this,
                            [this](QListWidgetItem* item) { onStaffClicked(item); });
    FormParts::onItemChosen(teamList_, this,
                            [this](QListWidgetItem* item) { onTeamClicked(item); });
    connect(print, &QPushButton::clicked, this, &RosterPrintScreen::onPrintClicked);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    connect(quality, &QPushButton::clicked, this, &RosterPrintScreen::onQualityClicked);
    connect(excel, &QPushButton::clicked, this, &RosterPrintScreen::onExcelClicked);
    checks().onFocusLost(startEdit_, [this] { checkStart(); });
    checks().onFocusLost(endEdit_, [this] { checkEnd(); });
}

void RosterPrintScreen::onTargetChosen() {
    const QListWidgetItem* item = targetList_->currentItem();
    const QString target = item ? item->text() : QString();
    if (target == TargetAll) {
        staffList_->hide();
        teamList_->hide();
        staffLabel_->clear();
        teamLabel_->clear();
        // A name clicked before printed one person ungrouped; everybody is printed the way
        // the workplace groups its staff.
        query_.narrowTo(RosterFilter::everybody(),
                        ctx().settings.byTeam == 1 ? Grouping::ByTeam : Grouping::Everybody);
    } else if (target == TargetStaff) {
        teamList_->hide();
        teamLabel_->clear();
        staffLabel_->setText(u"登録職員一覧"_s);
        act([&] {
            staffList_->clear();
            staffList_->addItems(StaffListService::FillStaffList(ctx().db));
        });
        staffList_->show();
    } else if (target == TargetTeam) {
        staffList_->hide();
        staffLabel_->clear();
        teamLabel_->setText(u"登録チーム一覧"_s);
        act([&] {
            teamList_->clear();
            teamList_->addItems(CodeListService::FillCodeList(ctx().db, CodeKind::Team));
        });
        teamList_->show();
    }
}

void RosterPrintScreen::onStaffClicked(QListWidgetItem* item) {
    act([&] {
        const NamedStaffFilter named = FilterToStaffNamed(ctx().db, item->text());
        if (!named.refusal.isEmpty())
            inform(named.refusal);
        else
            query_.narrowTo(named.filter, query_.grouping);
    });
}

void RosterPrintScreen::onTeamClicked(QListWidgetItem* item) {
    query_.narrowTo(RosterFilter::ofTeam(item->text()), query_.grouping);
}

void RosterPrintScreen::checkStart() {
    DateFieldChecks::printStart(checks(), startEdit_);
}

void RosterPrintScreen::checkEnd() {
    DateFieldChecks::printEnd(checks(), endEdit_);
}

bool RosterPrintScreen::takePeriod(const std::function<QString()>& periodError) {
    checks().reset();
    checkStart();
    checkEnd();
    if (!checks().hasError()) {
        const QString error = periodError();
        checks().check(endEdit_, error.isEmpty(), error);
    }
    if (checks().reportIfFailed())
        return false;
    FieldChecks::setTextColour(startEdit_, true);
    FieldChecks::setTextColour(endEdit_, true);
    query_.from = startEdit_->text();
    query_.to = endEdit_->text();
    return true;
}

void RosterPrintScreen::onPrintClicked() {
    const QListWidgetItem* kindItem = kindList_->currentItem();
    const int kindRow = kindItem ? kindList_->row(kindItem) : -1;
    const bool taken = takePeriod([&] {
        if (kindRow < 0) // the missing choice is reported once the dates are right
            return PrintOrderError(startEdit_->text(), endEdit_->text());
        return PrintPeriodError(static_cast<PrintKind>(kindRow), startEdit_->text(),
                                endEdit_->text());
    });
    if (!taken)
        return;

    if (kindRow < 0) {
        inform(u"出力指示を選択してください"_s);
        return;
    }
    if (kindRow != 0) {
        printTotals(static_cast<PrintKind>(kindRow));
        return;
    }
    bool printed = false;
    act([&] {
        {
            BusyCursor busy;
            RosterQuery print = query_;
            print.purpose = LoadPurpose::Print;
            model_ = LoadRoster(ctx().db, ctx().settings, print);
        }
        if (const QString nothing = NothingToPrintMessage(model_); !nothing.isEmpty()) {
            inform(nothing);
            return;
        }
        printed = output_->print(this, u"勤務シフト表"_s, [this](Sheet& sheet) {
            PrintRoster(model_, ctx().settings.weekdayColour, sheet);
        });
    });
    if (printed)
        inform(u"勤務表の印刷を終了しました"_s);
}

// The columns are laid over the entered dates and the fields rewritten to the window counted:
// months past the fourth are cut off, fiscal years widen it to whole years.
void RosterPrintScreen::printTotals(PrintKind kind) {
    const QDate from = TextValues::parseDateText(startEdit_->text());
    const QDate to = TextValues::parseDateText(endEdit_->text());
    if (kind == PrintKind::YearTotals) {
        std::optional<FiscalYear::Start> start;
        if (!act([&] { start = FiscalYear::loadStart(ctx().db); }))
            return;
        if (!start) {
            inform(u"年度開始日を登録して下さい。"_s);
            return;
        }
        query_.columns = YearColumns(*start, from, to, CumulativeTotals::MaxPrintedColumns);
    } else {
        query_.columns = MonthColumns(from, to, CumulativeTotals::MaxPrintedColumns);
    }
    startEdit_->setText(query_.columns.windowStart);
    endEdit_->setText(query_.columns.windowEnd);
    const bool byYear = kind == PrintKind::YearTotals;
    bool printed = false;
    act([&] {
        {
            BusyCursor busy;
            RosterQuery totals = query_;
            totals.purpose = LoadPurpose::Totals;
            model_ = LoadRoster(ctx().db, ctx().settings, totals);
        }
        if (const QString nothing = NothingToPrintMessage(model_); !nothing.isEmpty()) {
            inform(nothing);
            return;
        }
        printed = output_->print(this, byYear ? u"年度別勤務累計表"_s : u"月別勤務累計表"_s,
                                 [this](Sheet& sheet) { PrintMonthYearTotals(model_, sheet); });
    });
    if (printed)
        inform(u"勤務表の印刷を終了しました"_s);
}

QualityWindow* RosterPrintScreen::qualityWindow() const {
    return qualityWindow_;
}

// The quality of the registered roster of the entered dates (actual shifts over planned ones),
// judged on its own model so that the print choices stay as they are.
void RosterPrintScreen::onQualityClicked() {
    checks().reset();
    checkStart();
    checkEnd();
    if (!checks().hasError()) {
        const QString error = CheckGenerationPeriod(startEdit_->text(), endEdit_->text());
        checks().check(endEdit_, error.isEmpty(), error);
    }
    if (checks().reportIfFailed())
        return;
    const QString from = startEdit_->text();
    const QString to = endEdit_->text();
    std::optional<QualityReport> report;
    bool registered = false;
    const bool done = actBusy([&] {
        registered = HoldsRegisteredRoster(ctx().db, from, to);
        if (!registered)
            return;
        auto model = std::make_unique<RosterModel>();
        LoadRosterForReport(ctx().db, ctx().settings, *model, from, to);
        report = BuildQualityReport(*model, NightSettings::load(ctx().db));
    });
    if (!done)
        return;
    if (!registered) {
        inform(u"%1 ～ %2 の勤務表は登録されていません。"_s.arg(from, to));
        return;
    }
    if (qualityWindow_)
        qualityWindow_->close();
    qualityWindow_ = new QualityWindow(std::move(*report), *output_, this);
    qualityWindow_->show();
}

// The registered roster of the entered dates, for the chosen people, as an Excel workbook.
// A folder that exists: the one last written to in this run, else the data folder.
QString RosterPrintScreen::workbookFolder() {
    return QFileInfo(ctx().workbookFolder).isDir() ? ctx().workbookFolder
                                                   : QFileInfo(ctx().db.path()).absolutePath();
}

void RosterPrintScreen::onExcelClicked() {
    if (!takePeriod([&] {
            return PrintPeriodError(PrintKind::Roster, startEdit_->text(), endEdit_->text());
        }))
        return;

    const QString proposed =
        QDir(workbookFolder()).filePath(RosterWorkbookDefaultName(query_.from));
    QString path = chooseSaveFile_(this, proposed);
    if (path.isEmpty())
        return;
    if (!path.endsWith(u".xlsx"_s, Qt::CaseInsensitive))
        path += u".xlsx"_s;
    const QFileInfo target(path);
    const QString shown = QDir::toNativeSeparators(target.absoluteFilePath());
    if (target.exists() && !target.isDir() &&
        !askDefaultNo(u"「%1」は既にあります。上書きしますか？"_s.arg(shown)))
        return;
    if (const QString problem = RosterWorkbookTargetProblem(path); !problem.isEmpty()) {
        inform(problem);
        return;
    }
    QString failed;
    if (!actBusy([&] {
            failed = ExportRosterWorkbook(ctx().db, ctx().settings, query_, path, ColourTable::rgb);
        }))
        return;
    if (!failed.isEmpty()) {
        inform(failed);
        return;
    }
    ctx().workbookFolder = target.absolutePath();
    inform(u"Excelファイル「%1」に出力しました。"_s.arg(shown));
}
