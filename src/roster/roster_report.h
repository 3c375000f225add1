#pragma once

#include <QString>

struct RosterModel;

// A readable grid of the generated period: staff x days, per-person counts, and per working
// shift the head count of each day against its requirement (short days marked "!").
QString RosterReportText(const RosterModel& m);

// The whole model as one JSON object (period, shifts, days, staff with cells and counts, and
// the daily counts against requirements per level and shift).
QByteArray RosterReportJson(const RosterModel& m);
