// roster-cli print: the print screen's roster sheet output, into a PDF file.
#include "app/cli_args.h"
#include "output/print_period_check.h"
#include "output/roster_print.h"
#include "output/stored_roster_print.h"
#include "print/fonts.h"
#include "print/pdf_file_output.h"
#include "roster/registered_period.h"
#include "roster/roster_load.h"
#include "store/code_kind.h"
#include "store/database.h"
#include "store/list_services.h"
#include "store/startup_settings.h"
#include "store/table.h"
#include "store/text_values.h"

using namespace Qt::Literals::StringLiterals;

namespace {

struct PrintOptions {
    QString from, to, pdf, team, staff;
    bool byTeam = false;
};

QString parse(const QStringList& args, PrintOptions& o) {
    QString bad = ParseCliOptions(args, {.values = {{u"--from"_s, &o.from},
                                                    {u"--to"_s, &o.to},
                                                    {u"--pdf"_s, &o.pdf},
                                                    {u"--team"_s, &o.team},
                                                    {u"--staff"_s, &o.staff}},
                                         .switches = {{u"--by-team"_s, &o.byTeam}}});
    if (!bad.isEmpty())
        return bad;
    if (o.pdf.isEmpty())
        return u"--pdf で出力先のファイルを指定してください"_s;
    if (!o.team.isEmpty() && !o.staff.isEmpty())
        return u"--team と --staff は同時に指定できません"_s;
    // The same checks, in the same order, as the print screen.
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
        query.from = o.from;
        query.to = o.to;
        query.grouping =
            (o.byTeam || settings.byTeam == 1) ? Grouping::ByTeam : Grouping::Everybody;
        if (!o.staff.isEmpty()) {
            if (!staffExists(db, o.staff)) {
                ctx.err << u"指定された職員は登録されていません。"_s << Qt::endl;
                return 2;
            }
            query.narrowTo(RosterFilter::staff(o.staff), query.grouping);
        } else if (!o.team.isEmpty()) {
            // The screen offers only registered teams; an unknown name would print the
            // second block under the wrong heading.
            if (!CodeListService::FillCodeList(db, CodeKind::Team).contains(o.team)) {
                ctx.err << u"指定されたチームは登録されていません。"_s << Qt::endl;
                return 2;
            }
            query.narrowTo(RosterFilter::ofTeam(o.team), query.grouping);
        }

        if (!HoldsRegisteredRoster(db, o.from, o.to)) {
            ctx.err << u"%1 ～ %2 の勤務表は登録されていません。"_s.arg(o.from, o.to) << Qt::endl;
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
