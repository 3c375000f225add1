#pragma once

#include <QString>
#include <vector>

struct RosterModel;

// Cells the clerk holds by hand (固定) on the creation screen.

// Why the person's day cannot be held: a closed day, a requested day, a day the person is not
// available or one without a shift of the period; empty when it can.
QString PinProblem(const RosterModel& m, int group, int slot, int day);
// Holds the cell or lets it go; returns whether it is held now. The caller checks PinProblem.
bool TogglePin(RosterModel& m, int group, int slot, int day);
bool IsPinned(const RosterModel& m, int group, int slot, int day);

// A held cell, by staff number, so that it finds its person in a roster loaded afresh.
struct PinnedShift {
    QString staffNo;
    int day = 0;
    QString shift;
    int early = 0;
    bool operator==(const PinnedShift&) const = default;
};
std::vector<PinnedShift> PinnedShifts(const RosterModel& m);

// Before generation: every held cell whose person is still listed and whose day is still open
// becomes a request of its shift, so the passes count it and build the runs around it.
void HoldPinsAsRequests(RosterModel& m, const std::vector<PinnedShift>& pins);
// After generation: the held cells are shifts again, held, and nothing is left requested.
void ReleasePinRequests(RosterModel& m);
