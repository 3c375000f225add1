#pragma once

#include <QString>

struct Period {
    QString start; // "yyyy/mm/dd"
    QString end;
};

// The period a creation screen proposes: the day after the last created period, lasting one
// creation unit (1 month, 2 weeks ×count, 3 days ×count). Empty when lastEnd is not a date or
// the period would end after 9999/12/31.
Period NextPeriod(int unit, int unitCount, const QString& lastEnd);
