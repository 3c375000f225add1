#pragma once

#include <QString>

struct RosterModel;

// The message when a loaded model holds nobody to print (the chosen person joined after the
// period or is on leave over all of it, or nobody belongs to the choice); empty otherwise.
QString NothingToPrintMessage(const RosterModel& model);
