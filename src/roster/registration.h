#pragma once

#include <QString>
#include <QStringList>

class Database;
struct RosterModel;

// The refusal of registering a generated roster whose period was registered elsewhere (another
// window, another program) after it was generated.
inline const QString RegisteredElsewhereMessage =
    QStringLiteral("勤務表は他で登録されています。展開からやり直して下さい。");

// The refusal of registering a generated roster whose period's requests were changed or
// removed elsewhere (a term-end purge, another program) after it was generated.
inline const QString RequestsChangedElsewhereMessage =
    QStringLiteral("休暇希望は他で変更されています。展開からやり直して下さい。");

// What a registration records besides the cells.
enum class Registering {
    // A roster just generated: it replaces every planned row of the period, and the period
    // becomes the last one created.
    NewRoster,
    // A registered roster corrected (its early/late marks, a change): days it leaves out keep
    // their rows, and the period is not recorded again.
    Correction,
};

// Writes the model into the database in one transaction: the roster rows, the requests and,
// for a new roster, the period as the last created one. Returns the messages to show (exclamation,
// OK); throws DbError with nothing written. A generated roster is refused (DbError with
// RegisteredElsewhereMessage, nothing written) when the last created period is no longer the one
// its load found, and likewise (with RequestsChangedElsewhereMessage) when the period's requests
// are no longer the ones it was built from; once registered, the model takes what it wrote as what
// it found, so registering it again is not refused.
QStringList RegisterRoster(Database& db, RosterModel& m, Registering how);

// The steps of RegisterRoster; each expects to run inside the caller's transaction.
// Throws DbError with RegisteredElsewhereMessage when the stored last created period differs
// from m.createdSeen; a missing row passes (AdvanceCreatedPeriod reports it).
void CheckCreatedPeriodUnchanged(Database& db, const RosterModel& m);
// Throws DbError with RequestsChangedElsewhereMessage when the stored requests differ from
// m.requestsSeen; passes when the model holds no digest.
void CheckRequestsUnchanged(Database& db, const RosterModel& m);

// A digest of the stored requests (kind, staff, date, shifts) from PeriodStart to PeriodEnd of
// the people in the model.
QByteArray StoredRequestsDigest(Database& db, const RosterModel& m);
void WriteRosterRows(Database& db, const RosterModel& m, Registering how);
void WriteRequestRows(Database& db, const RosterModel& m);
QStringList AdvanceCreatedPeriod(Database& db, const RosterModel& m);
