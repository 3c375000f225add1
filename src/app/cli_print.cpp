// roster-cli print: the print screen's roster sheet output, into a PDF file.
#include "app/cli_args.h"
#include "app/cli_roster_sheet.h"
#include "output/roster_print.h"
#include "output/stored_roster_print.h"
#include "print/fonts.h"
#include "print/pdf_file_output.h"
#include "roster/registered_period.h"
#include "roster/roster_load.h"
#include "store/database.h"
#include "store/startup_settings.h"

using namespace Qt::Literals::StringLiterals;

namespace {

struct PrintOptions {
    RosterSheetOptions sheet;
    QString pdf;
};

QString parse(const QStringList& args, PrintOptions& o) {
    QString bad = ParseCliOptions(args, {.values = {{u"--from"_s, &o.sheet.from},
                                                    {u"--to"_s, &o.sheet.to},
                                                    {u"--pdf"_s, &o.pdf},
                                                    {u"--team"_s, &o.sheet.team},
                                                    {u"--staff"_s, &o.sheet.staff}},
                                         .switches = {{u"--by-team"_s, &o.sheet.byTeam}}});
    if (!bad.isEmpty())
        return bad;
    if (o.pdf.isEmpty())
        return u"--pdf で出力先のファイルを指定してください"_s;
    return CheckRosterSheetOptions(o.sheet);
}

int runPrint(CliContext& ctx, const QStringList& args) {
    PrintOptions o;
    if (const QString bad = parse(args, o); !bad.isEmpty()) {
        ctx.err << bad << Qt::endl;
        return 2;
    }
    if (const QString bad = PdfFileOutput::targetProblem(o.pdf); !bad.isEmpty()) {
        ctx.err << bad << Qt::endl;
        return 2;
    }
    // Printing only reads: it works on a read-only file or folder.
    constexpr auto readOnly = Database::OpenMode::ReadOnly;
    return RunOnDatabase(ctx, readOnly, [&](Database& db, const StartupSettings& settings) {
        RosterQuery query;
        query.purpose = LoadPurpose::Print;
        if (const QString bad = ChooseRosterSheet(db, settings, o.sheet, query); !bad.isEmpty()) {
            ctx.err << bad << Qt::endl;
            return 2;
        }

        if (!HoldsRegisteredRoster(db, o.sheet.from, o.sheet.to)) {
            ctx.err << u"%1 ～ %2 の勤務表は登録されていません。"_s.arg(o.sheet.from, o.sheet.to)
                    << Qt::endl;
            return 1;
        }
        Fonts::installSubstitutions();
        const RosterModel model = LoadRoster(db, settings, query);
        if (const QString nothing = NothingToPrintMessage(model); !nothing.isEmpty()) {
            ctx.err << nothing << Qt::endl;
            return 1;
        }
        PdfFileOutput::write(o.pdf, u"勤務シフト表"_s, [&](Sheet& sheet) {
            PrintRoster(model, settings.weekdayColour, sheet);
        });
        ctx.out << u"勤務表の印刷を終了しました"_s << Qt::endl;
        return 0;
    });
}

const CliRegistrar registrar{CliCommand{
    u"print"_s,
    u"print --from yyyy/mm/dd --to yyyy/mm/dd --pdf FILE [--team NAME | --staff NO] [--by-team]"_s,
    runPrint}};

} // namespace
