#pragma once

#include <QSet>
#include <QString>

class Database;

// The backup recorded for one person's leave day: the staff number of the backup roster row
// (kind 2) that covers `takerNo` on `date`, empty when none does.
//
// The taker's paid-leave row of the day names its backup's staff number, which with the date
// is the cover's key. Only where that row names no stored cover (a day off that is not paid
// leave has no such row) is the cover found by the taker's name, among the covers of the day
// that no leave row names and that are not in `attributed` (covers already found for other
// takers of the same day), so a namesake's cover is never taken for the taker's.
QString RecordedCover(Database& db, const QString& takerNo, const QString& takerName,
                      const QString& date, const QSet<QString>& attributed = {});
