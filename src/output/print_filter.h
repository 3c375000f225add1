#pragma once

#include "roster/roster_load.h"

#include <QString>

class Database;

// The staff member listed under `name` as a printout's filter, or the refusal when nobody is
// registered under that name.
struct NamedStaffFilter {
    RosterFilter filter;
    QString refusal;
};
NamedStaffFilter FilterToStaffNamed(Database& db, const QString& name);
