#include "output/print_filter.h"

#include "store/list_services.h"

using namespace Qt::Literals::StringLiterals;

NamedStaffFilter FilterToStaffNamed(Database& db, const QString& name) {
    const StaffLookup staff = StaffListService::FindStaffByName(db, name);
    if (staff.no.isEmpty())
        return {{}, u"指定された職員は登録されていません。"_s};
    return {RosterFilter::staff(staff.no), {}};
}
