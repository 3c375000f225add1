#include "store/period_rule.h"

#include "store/text_values.h"

Period NextPeriod(int unit, int unitCount, const QString& lastEnd) {
    const QDate last = TextValues::parseDateText(lastEnd);
    if (!last.isValid())
        return {};
    const QDate start = last.addDays(1);
    QDate next;
    switch (unit) {
    case 1:
        next = start.addMonths(1);
        break;
    case 2:
        next = start.addDays(qint64(unitCount) * 7);
        break;
    default:
        next = start.addDays(unitCount);
        break;
    }
    Period period{TextValues::dateText(start), TextValues::dateText(next.addDays(-1))};
    // A period reaching past 9999/12/31 has no date text: none is proposed.
    if (period.start.isEmpty() || period.end.isEmpty())
        return {};
    return period;
}
