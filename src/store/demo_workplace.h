#pragma once

class Clock;
class Database;

// Fills an empty roster database with a demo ward: the masters from the SQL kept with the
// program (code master, shifts, patterns, staff, daily staffing, creation unit) and the rows
// that depend on today's date: a newcomer joining next month, the last created period (the
// previous month, so the current month is proposed next), the national holidays of the current
// fiscal year, requests for the current month and three months of registered roster history.
// Runs as one transaction; throws DbError (nothing written) when the database is not empty.
void LoadDemoWorkplace(Database& db, const Clock& clock);
