#pragma once

#include <QStringList>

class Database;
struct RosterModel;

// Writes the model into the database in one transaction: the roster rows, the requests and,
// when the model was loaded with requests (RequestsMode::Load), the period as the last created
// one. Returns the messages to show (exclamation, OK); throws DbError with nothing written.
QStringList RegisterRoster(Database& db, const RosterModel& m);

// The steps of RegisterRoster; each expects to run inside the caller's transaction.
void WriteRosterRows(Database& db, const RosterModel& m);
void WriteRequestRows(Database& db, const RosterModel& m);
QStringList AdvanceCreatedPeriod(Database& db, const RosterModel& m);
