#include "output/roster_workbook_export.h"

#include "output/roster_workbook.h"
#include "output/stored_roster_print.h"
#include "roster/cumulative_totals.h"
#include "roster/night_settings.h"
#include "roster/quality_report.h"
#include "roster/registered_period.h"
#include "roster/report_loader.h"
#include "roster/roster_model.h"
#include "store/startup_settings.h"
#include "store/text_values.h"

#include <memory>

using namespace Qt::Literals::StringLiterals;

QString ExportRosterWorkbook(Database& db, const StartupSettings& settings,
                             const RosterModel& choice, const QString& path,
                             const std::function<std::uint32_t(int)>& paletteRgb) {
    const QString& from = choice.periodStart;
    const QString& to = choice.periodEnd;
    if (!HoldsRegisteredRoster(db, from, to))
        return u"%1 ～ %2 の勤務表は登録されていません。"_s.arg(from, to);

    auto roster = std::make_unique<RosterModel>();
    roster->periodStart = from;
    roster->periodEnd = to;
    roster->groupingMode = choice.groupingMode;
    roster->filterTeam = choice.filterTeam;
    roster->filterStaffNo = choice.filterStaffNo;
    LoadRosterForPrint(db, settings, *roster);
    if (const QString nothing = NothingToPrintMessage(*roster); !nothing.isEmpty())
        return nothing;

    // The totals as the totals command counts them: everybody in display order, a chosen team
    // as its block.
    auto totals = std::make_unique<RosterModel>();
    totals->filterTeam = choice.filterTeam;
    totals->filterStaffNo = choice.filterStaffNo;
    totals->groupingMode = choice.filterTeam.isEmpty() ? Grouping::Everybody : Grouping::ByTeam;
    SetMonthColumns(*totals, TextValues::parseDateText(from), TextValues::parseDateText(to),
                    CumulativeTotals::MaxColumns);
    LoadTotals(db, settings, *totals);

    auto reported = std::make_unique<RosterModel>();
    LoadRosterForReport(db, settings, *reported, from, to);
    const QualityReport quality = BuildQualityReport(*reported, NightSettings::load(db));

    return WriteRosterWorkbook(
        path, {*roster, *totals, quality, *reported, settings.weekdayColour, paletteRgb});
}
