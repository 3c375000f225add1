#pragma once

#include <QByteArray>
#include <QString>

struct ImprovementResult;
struct RosterModel;

// The roster's JSON object with three more members: "changed", the cells the improvement pass
// changed ({"no", "day", "date", "before", "after"} each), and "before" and "after", the
// objective terms ({"unitShortage", "groupShortage", "leaderShortage", "nightSpread",
// "weekendOffSpread"}).
QByteArray ImprovedRosterJson(const RosterModel& m, const ImprovementResult& r);

// Two lines for the text output: the objective terms before and after and the changed cells.
QString ImprovementSummaryText(const RosterModel& m, const ImprovementResult& r);
