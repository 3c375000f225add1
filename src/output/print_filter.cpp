#include "output/print_filter.h"

#include "roster/roster_model.h"
#include "store/list_services.h"

using namespace Qt::Literals::StringLiterals;

QString NarrowPrintToStaffNamed(Database& db, RosterModel& m, const QString& name) {
    const StaffLookup staff = StaffListService::FindStaffByName(db, name);
    if (staff.no.isEmpty())
        return u"指定された職員は登録されていません。"_s;
    m.filterTeam.clear();
    m.filterStaffNo = staff.no;
    m.groupingMode = Grouping::Everybody;
    return {};
}
