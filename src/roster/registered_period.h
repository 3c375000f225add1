#pragma once

#include <QString>

class Database;

// Whether `勤務表` already holds registered roster rows (kind 1) dated `from`..`to`: registering
// that period again replaces them, hand corrections and early/late marks included.
bool HoldsRegisteredRoster(Database& db, const QString& from, const QString& to);
