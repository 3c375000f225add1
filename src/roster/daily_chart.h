#pragma once

#include <QString>
#include <array>
#include <optional>
#include <vector>

struct RosterModel;
struct WorkShiftInfo;

// Who works when on one day: per person, 48 half-hour cells from 08:00 of the day to 08:00 of
// the next, each holding the abbreviation of the shift that covers it. Built from a model
// loaded in view mode over three days, the day before the chart's day being day 1.
struct DailyChart final {
    static constexpr int kHalfHours = 48;
    static constexpr int kStartMinute = 8 * 60; // the chart opens at 08:00
    static constexpr int kMinutesPerDay = 24 * 60;

    // A run of equal painted cells of one row, shown as one band.
    struct Band {
        int first = 0; // cell index 0..47
        int count = 0;
        QString text;
        bool operator==(const Band&) const = default;
    };

    struct Row {
        QString no, name;
        std::array<QString, kHalfHours> cells;
        std::vector<Band> bands() const;
    };

    std::vector<Row> rows; // staff group 1, then group 2, in the model's order

    // Days 1, 2 and 3 of the model are the day before, the chart's day and the day after; they
    // are painted in this order so a later day's shift wins a cell both cover. Each day's shift
    // is its actual one where held, else the planned one; only working shifts with both times
    // paint.
    static DailyChart build(const RosterModel& model);

    // Paints `shift` worked on the day `dayOffset` days from the chart's day (-1, 0 or 1): a
    // cell is covered when start <= cell start < end, an end before the start (or equal to it)
    // lying on the next day.
    static void paint(std::array<QString, kHalfHours>& cells, const WorkShiftInfo& shift,
                      int dayOffset);

    // Minutes since midnight of "hh:mm", nothing when it is not such a time.
    static std::optional<int> minutesOf(const QString& time);

    // The hour the heading shows over cell pair `pair` (0..23): 8, 9, ..., 23, 0, ..., 7.
    static int hourOfPair(int pair) { return (kStartMinute / 60 + pair) % 24; }
};
