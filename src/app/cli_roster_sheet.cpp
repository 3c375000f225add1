#include "app/cli_roster_sheet.h"

#include "output/print_period_check.h"
#include "roster/roster_load.h"
#include "store/code_kind.h"
#include "store/database.h"
#include "store/list_services.h"
#include "store/startup_settings.h"
#include "store/table.h"
#include "store/text_values.h"

using namespace Qt::Literals::StringLiterals;

QString CheckRosterSheetOptions(RosterSheetOptions& o) {
    if (!o.team.isEmpty() && !o.staff.isEmpty())
        return u"--team と --staff は同時に指定できません"_s;
    if (QString e = PrintStartDateError(o.from); !e.isEmpty())
        return e;
    if (QString e = PrintEndDateError(o.to); !e.isEmpty())
        return e;
    o.from = *TextValues::normaliseDate(o.from);
    o.to = TextValues::normaliseDate(o.to).value_or(QString());
    return o.from == o.to ? QString() : PrintPeriodError(PrintKind::Roster, o.from, o.to);
}

QString ChooseRosterSheet(Database& db, const StartupSettings& settings,
                          const RosterSheetOptions& o, RosterQuery& query) {
    query.from = o.from;
    query.to = o.to;
    query.grouping = (o.byTeam || settings.byTeam == 1) ? Grouping::ByTeam : Grouping::Everybody;
    if (!o.staff.isEmpty()) {
        Table staff(db, u"職員"_s);
        staff.setIndex(u"key_職員"_s);
        staff.seek(Seek::Equal, {o.staff});
        if (staff.noMatch())
            return u"指定された職員は登録されていません。"_s;
        query.narrowTo(RosterFilter::staff(o.staff), query.grouping);
    } else if (!o.team.isEmpty()) {
        // The screen offers only registered teams; an unknown name would print the second
        // block under the wrong heading.
        if (!CodeListService::FillCodeList(db, CodeKind::Team).contains(o.team))
            return u"指定されたチームは登録されていません。"_s;
        query.narrowTo(RosterFilter::ofTeam(o.team), query.grouping);
    }
    return {};
}
