// roster-cli totals: the per-person shift counts by month, as tab-separated text for a
// spreadsheet.
#include "app/cli_args.h"
#include "roster/cumulative_totals.h"
#include "roster/roster_load.h"
#include "store/code_kind.h"
#include "store/database.h"
#include "store/list_services.h"
#include "store/startup_settings.h"
#include "store/table.h"
#include "store/text_values.h"

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int MaxMonths = CumulativeTotals::MaxColumns;

struct TotalsOptions {
    QString monthFrom, months, from, to, team, staff;
    QDate start, end;   // the window once read
    int monthCount = 0; // whole months from `start`, 0 with --from/--to
};

QString readDate(const QString& typed, const QString& missing, const QString& wrong, QDate& out) {
    if (typed.isEmpty())
        return missing;
    const auto normal = TextValues::normaliseDate(typed);
    if (!normal)
        return wrong;
    out = TextValues::parseDateText(*normal);
    return {};
}

QString parse(const QStringList& args, TotalsOptions& o) {
    QString bad = ParseCliOptions(args, {.values = {{u"--month-from"_s, &o.monthFrom},
                                                    {u"--months"_s, &o.months},
                                                    {u"--from"_s, &o.from},
                                                    {u"--to"_s, &o.to},
                                                    {u"--team"_s, &o.team},
                                                    {u"--staff"_s, &o.staff}},
                                         .switches = {}});
    if (!bad.isEmpty())
        return bad;
    if (!o.team.isEmpty() && !o.staff.isEmpty())
        return u"--team と --staff は同時に指定できません"_s;
    const bool byMonths = !o.monthFrom.isEmpty() || !o.months.isEmpty();
    const bool byDates = !o.from.isEmpty() || !o.to.isEmpty();
    if (byMonths == byDates)
        return u"--month-from と --months、または --from と --to を指定してください"_s;
    if (byMonths) {
        if (QString e = readDate(o.monthFrom, u"開始日に入力してください"_s,
                                 u"開始日に正しく入力してください"_s, o.start);
            !e.isEmpty())
            return e;
        o.start = QDate(o.start.year(), o.start.month(), 1);
        bool ok = false;
        o.monthCount = o.months.toInt(&ok);
        if (!ok || o.monthCount < 1 || o.monthCount > MaxMonths)
            return u"--months は1から6で指定してください"_s;
        return {};
    }
    if (QString e = readDate(o.from, u"開始日に入力してください"_s,
                             u"開始日に正しく入力してください"_s, o.start);
        !e.isEmpty())
        return e;
    if (QString e = readDate(o.to, u"終了日に入力してください"_s,
                             u"終了日に正しく入力してください"_s, o.end);
        !e.isEmpty())
        return e;
    if (o.start > o.end) // one day will do
        return u"日付の関係を正しく入力してください"_s;
    // Every month needs its own column, and a month number may not come round again.
    if (TextValues::diffMonths(o.start, o.end) >= MaxMonths)
        return u"--from と --to は6ヶ月以内で指定してください"_s;
    return {};
}

bool staffExists(Database& db, const QString& no) {
    Table staff(db, u"職員"_s);
    staff.setIndex(u"key_職員"_s);
    staff.seek(Seek::Equal, {no});
    return !staff.noMatch();
}

void writeTable(QTextStream& out, const RosterModel& m) {
    const int shifts = m.cache.workShiftCount();
    const QStringList labels = TotalsColumnLabels(m);
    QStringList header{u"職員NO"_s, u"氏名"_s};
    for (const QString& label : labels)
        for (int s = 1; s <= shifts; ++s)
            header << label + m.cache.workShift(s).abbrev;
    for (int s = 1; s <= shifts; ++s)
        header << u"合計"_s + m.cache.workShift(s).abbrev;
    out << QChar(0xFEFF) << TextValues::tsvRow(header) << '\n';
    for (const auto& [g, slot] : TotalsStaff(m)) {
        const Person& p = m.person(g, slot);
        QStringList line{p.no, p.name};
        auto counts = [&](int column) {
            for (int s = 1; s <= shifts; ++s)
                line << QString::number(
                    p.cumulative[1][static_cast<size_t>(column)][static_cast<size_t>(s)]);
        };
        for (int column = 1; column <= labels.size(); ++column)
            counts(column);
        counts(CumulativeTotals::TotalColumn);
        out << TextValues::tsvRow(line) << '\n';
    }
    out.flush();
}

int runTotals(CliContext& ctx, const QStringList& args) {
    TotalsOptions o;
    if (const QString bad = parse(args, o); !bad.isEmpty()) {
        ctx.err << bad << Qt::endl;
        return 2;
    }
    constexpr auto readOnly = Database::OpenMode::ReadOnly;
    return RunOnDatabase(ctx, readOnly, [&](Database& db, const StartupSettings& settings) {
        // Everybody is listed in display order; a team is the block the loader puts it in.
        RosterQuery query;
        query.purpose = LoadPurpose::Totals;
        if (!o.staff.isEmpty()) {
            if (!staffExists(db, o.staff)) {
                ctx.err << u"指定された職員は登録されていません。"_s << Qt::endl;
                return 2;
            }
            query.narrowTo(RosterFilter::staff(o.staff), Grouping::Everybody);
        } else if (!o.team.isEmpty()) {
            if (!CodeListService::FillCodeList(db, CodeKind::Team).contains(o.team)) {
                ctx.err << u"指定されたチームは登録されていません。"_s << Qt::endl;
                return 2;
            }
            query.narrowTo(RosterFilter::ofTeam(o.team), Grouping::Everybody);
        }
        query.columns = o.monthCount > 0 ? WholeMonthColumns(o.start, o.monthCount)
                                         : MonthColumns(o.start, o.end, MaxMonths);
        const RosterModel model = LoadRoster(db, settings, query);
        writeTable(ctx.out, model);
        return 0;
    });
}

const CliRegistrar registrar{
    CliCommand{u"totals"_s,
               u"totals (--month-from yyyy/mm/01 --months 1-6 | --from yyyy/mm/dd --to yyyy/mm/dd) "
               u"[--team NAME | --staff NO]"_s,
               runTotals}};

} // namespace
