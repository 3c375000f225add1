// roster-cli export: the registered roster of a period as an Excel workbook.
#include "app/cli_args.h"
#include "app/cli_roster_sheet.h"
#include "output/roster_workbook.h"
#include "output/roster_workbook_export.h"
#include "print/colour_table.h"
#include "roster/roster_load.h"
#include "store/database.h"
#include "store/startup_settings.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::Literals::StringLiterals;

namespace {

struct ExportOptions {
    RosterSheetOptions sheet;
    QString xlsx;
    bool overwrite = false;
};

QString parse(const QStringList& args, ExportOptions& o) {
    QString bad = ParseCliOptions(
        args, {.values = {{u"--from"_s, &o.sheet.from},
                          {u"--to"_s, &o.sheet.to},
                          {u"--xlsx"_s, &o.xlsx},
                          {u"--team"_s, &o.sheet.team},
                          {u"--staff"_s, &o.sheet.staff}},
               .switches = {{u"--by-team"_s, &o.sheet.byTeam}, {u"--overwrite"_s, &o.overwrite}}});
    if (!bad.isEmpty())
        return bad;
    if (o.xlsx.isEmpty())
        return u"--xlsx で出力先のファイルを指定してください"_s;
    return CheckRosterSheetOptions(o.sheet);
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
        if (const QString bad = ChooseRosterSheet(db, settings, o.sheet, choice); !bad.isEmpty()) {
            ctx.err << bad << Qt::endl;
            return 2;
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
