// roster-cli export: the registered roster of a period as an Excel workbook.
#include "app/cli_args.h"
#include "output/print_period_check.h"
#include "output/roster_workbook.h"
#include "output/roster_workbook_export.h"
#include "print/colour_table.h"
#include "roster/roster_load.h"
#include "store/code_kind.h"
#include "store/database.h"
#include "store/list_services.h"
#include "store/startup_settings.h"
#include "store/table.h"
#include "store/text_values.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::Literals::StringLiterals;

namespace {

struct ExportOptions {
    QString from, to, xlsx, team, staff;
    bool byTeam = false, overwrite = false;
};

QString parse(const QStringList& args, ExportOptions& o) {
    QString bad = ParseCliOptions(
        args, {.values = {{u"--from"_s, &o.from},
                          {u"--to"_s, &o.to},
                          {u"--xlsx"_s, &o.xlsx},
                          {u"--team"_s, &o.team},
                          {u"--staff"_s, &o.staff}},
               .switches = {{u"--by-team"_s, &o.byTeam}, {u"--overwrite"_s, &o.overwrite}}});
    if (!bad.isEmpty())
        return bad;
    if (o.xlsx.isEmpty())
        return u"--xlsx で出力先のファイルを指定してください"_s;
    if (!o.team.isEmpty() && !o.staff.isEmpty())
        return u"--team と --staff は同時に指定できません"_s;
    // The checks of the print screen's roster sheet, in its order.
    if (QString e = PrintStartDateError(o.from); !e.isEmpty())
        return e;
    if (QString e = PrintEndDateError(o.to); !e.isEmpty())
        return e;
    o.from = *TextValues::normaliseDate(o.from);
    o.to = TextValues::normaliseDate(o.to).value_or(QString());
    return o.from == o.to ? QString() : PrintPeriodError(PrintKind::Roster, o.from, o.to);
}

bool staffExists(Database& db, const QString& no) {
    Table staff(db, u"職員"_s);
    staff.setIndex(u"key_職員"_s);
    staff.seek(Seek::Equal, {no});
    return !staff.noMatch();
}

int runExport(CliContext& ctx, const QStringList& args) {
    ExportOptions o;
    if (const QString bad = parse(args, o); !bad.isEmpty()) {
        ctx.err << bad << Qt::endl;
        return 2;
    }
    if (QFileInfo::exists(o.xlsx) && !QFileInfo(o.xlsx).isDir() && !o.overwrite) {
        ctx.err << u"「%1」は既にあります。上書きするには --overwrite を指定して下さい。"_s.arg(
                       QDir::toNativeSeparators(QFileInfo(o.xlsx).absoluteFilePath()))
                << Qt::endl;
        return 2;
    }
    if (const QString bad = RosterWorkbookTargetProblem(o.xlsx); !bad.isEmpty()) {
        ctx.err << bad << Qt::endl;
        return 2;
    }
    // Exporting only reads: it works on a read-only file or folder.
    constexpr auto readOnly = Database::OpenMode::ReadOnly;
    return RunOnDatabase(ctx, readOnly, [&](Database& db, const StartupSettings& settings) {
        RosterQuery choice;
        choice.from = o.from;
        choice.to = o.to;
        choice.grouping =
            (o.byTeam || settings.byTeam == 1) ? Grouping::ByTeam : Grouping::Everybody;
        if (!o.staff.isEmpty()) {
            if (!staffExists(db, o.staff)) {
                ctx.err << u"指定された職員は登録されていません。"_s << Qt::endl;
                return 2;
            }
            choice.narrowTo(RosterFilter::staff(o.staff), choice.grouping);
        } else if (!o.team.isEmpty()) {
            if (!CodeListService::FillCodeList(db, CodeKind::Team).contains(o.team)) {
                ctx.err << u"指定されたチームは登録されていません。"_s << Qt::endl;
                return 2;
            }
            choice.narrowTo(RosterFilter::ofTeam(o.team), choice.grouping);
        }
        const QString failed = ExportRosterWorkbook(db, settings, choice, o.xlsx, ColourTable::rgb);
        if (!failed.isEmpty()) {
            ctx.err << failed << Qt::endl;
            return 1;
        }
        ctx.out << u"Excelファイル「%1」に出力しました。"_s.arg(
                       QDir::toNativeSeparators(QFileInfo(o.xlsx).absoluteFilePath()))
                << Qt::endl;
        return 0;
    });
}

const CliRegistrar registrar{
    CliCommand{u"export"_s,
               u"export --from yyyy/mm/dd --to yyyy/mm/dd --xlsx FILE [--team NAME | --staff NO] "
               u"[--by-team] [--overwrite]"_s,
               runExport}};

} // namespace
