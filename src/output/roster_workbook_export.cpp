#include "output/roster_workbook_export.h"

#include "output/roster_workbook.h"
#include "output/stored_roster_print.h"
#include "roster/cumulative_totals.h"
#include "roster/night_settings.h"
#include "roster/quality_report.h"
#include "roster/registered_period.h"
#include "roster/roster_load.h"
#include "store/startup_settings.h"
#include "store/text_values.h"

#include <memory>

using namespace Qt::Literals::StringLiterals;

QString ExportRosterWorkbook(Database& db, const StartupSettings& settings,
                             const RosterQuery& choice, const QString& path,
                             const std::function<std::uint32_t(int)>& paletteRgb) {
    const QString& from = choice.from;
    const QString& to = choice.to;
    if (!HoldsRegisteredRoster(db, from, to))
        return u"%1 ～ %2 の勤務表は登録されていません。"_s.arg(from, to);

    RosterQuery print = choice;
    print.purpose = LoadPurpose::Print;
    auto roster = std::make_unique<RosterModel>(LoadRoster(db, settings, print));
    if (const QString nothing = NothingToPrintMessage(*roster); !nothing.isEmpty())
        return nothing;

    // The totals as the totals command counts them: everybody in display order, a chosen team
    // as its block.
    RosterQuery counted;
    counted.purpose = LoadPurpose::Totals;
    counted.narrowTo(choice.filter, Grouping::Everybody);
    counted.columns = MonthColumns(TextValues::parseDateText(from), TextValues::parseDateText(to),
                                   CumulativeTotals::MaxColumns);
    auto totals = std::make_unique<RosterModel>(LoadRoster(db, settings, counted));

    RosterQuery report;
    report.purpose = LoadPurpose::Report;
    report.from = from;
    report.to = to;
    auto reported = std::make_unique<RosterModel>(LoadRoster(db, settings, report));
    const QualityReport quality = BuildQualityReport(*reported, NightSettings::load(db));

    return WriteRosterWorkbook(
        path, {*roster, *totals, quality, *reported, settings.weekdayColour, paletteRgb});
}
