#pragma once

#include "roster/roster_model.h"
#include "roster/run_shape.h"
#include "roster/short_day.h"

#include <array>
#include <vector>

// Explains short days of one model. What every explanation needs (each person's working-shift
// index per day and days per shift) is worked out once, so that a report explaining every
// short day of a month stays cheap. The model must outlive the explainer and stay unchanged.
class ShortDayExplainer final {
public:
    explicit ShortDayExplainer(const RosterModel& m);
    ShortDayExplanation explain(int day, int shift, int level) const;

private:
    struct Member {
        int group = 0, slot = 0;
        const Person* p = nullptr;
        std::array<int, RosterBounds::DayCount> shiftOn{}; // working-shift index per day
        ShiftCounts days{};                                // days per working shift in the period
    };
    void block(const Member& who, int day, int s, ShortDayPerson& out) const;
    int leadersOn(int day, int s, int level) const;

    const RosterModel& m_;
    RunShape run_;
    std::vector<Member> members_;
};

// Lists every person of the level on `day` with what stops them taking working shift `shift`,
// and ranks the people who could take it by how few days of that shift they have (display
// order on a tie). Reads only the model; its counts need not be current.
ShortDayExplanation ExplainShortDay(const RosterModel& m, int day, int shift, int level);
