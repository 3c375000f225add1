#pragma once

#include <QString>
#include <QStringList>

class Database;
struct RosterModel;

// The refusal of registering a generated roster whose period was registered elsewhere (another
// window, another program) after it was generated.
inline const QString RegisteredElsewhereMessage =
    QStringLiteral("勤務表は他で登録されています。展開からやり直して下さい。");

// Writes the model into the database in one transaction: the roster rows, the requests and,
// when the model was loaded with requests (RequestsMode::Load), the period as the last created
// one. Returns the messages to show (exclamation, OK); throws DbError with nothing written.
// A generated roster is refused (DbError with RegisteredElsewhereMessage, nothing written)
// when the last created period is no longer the one its load found; once registered, the model
// takes its own period as the one found, so registering it again is not refused.
QStringList RegisterRoster(Database& db, RosterModel& m);

// The steps of RegisterRoster; each expects to run inside the caller's transaction.
// Throws DbError with RegisteredElsewhereMessage when the stored last created period differs
// from m.createdSeen; a missing row passes (AdvanceCreatedPeriod reports it).
void CheckCreatedPeriodUnchanged(Database& db, const RosterModel& m);
void WriteRosterRows(Database& db, const RosterModel& m);
void WriteRequestRows(Database& db, const RosterModel& m);
QStringList AdvanceCreatedPeriod(Database& db, const RosterModel& m);
