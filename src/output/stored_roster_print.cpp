#include "output/stored_roster_print.h"

#include "roster/roster_model.h"

using namespace Qt::Literals::StringLiterals;

QString NothingToPrintMessage(const RosterModel& model) {
    if (model.groupCount(1) + model.groupCount(2) > 0)
        return {};
    return u"指定された期間に勤務する職員がいないため、印刷する勤務表がありません"_s;
}
