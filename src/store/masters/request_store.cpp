#include "store/masters/request_store.h"

#include "store/database.h"

namespace RequestStore {

void save(Database& db, const ShiftRequest& entered) {
    Database::Transaction tx(db);
    ShiftRequest r = ShiftRequest::load(db, entered.kind, entered.staffNo, entered.date)
                         .value_or(ShiftRequest{});
    r.kind = entered.kind;
    r.staffNo = entered.staffNo;
    r.date = entered.date;
    r.planned = entered.planned;
    r.actual.clear();
    r.lateEarly = 0;
    r.dayOffFlag = entered.dayOffFlag;
    r.from.clear();
    r.to.clear();
    r.backup.clear();
    r.appliedOn = entered.appliedOn;
    r.remark = entered.remark;
    r.save(db);
    tx.commit();
}

bool remove(Database& db, int kind, const QString& staffNo, const QString& date) {
    Database::Transaction tx(db);
    const bool found = ShiftRequest::remove(db, kind, staffNo, date);
    tx.commit();
    return found;
}

} // namespace RequestStore
