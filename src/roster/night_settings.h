#pragma once

#include <QString>
#include <optional>

class Database;

// The ward's night window and the least night hours a person must have to count towards the
// ward's monthly average. Minutes are counted from midnight; a window whose end is not after
// its start runs past midnight.
struct NightSettings final {
    int windowStart = 22 * 60;
    int windowEnd = 5 * 60;
    double minimumHours = 16;

    // The audited ceiling of the ward's average night hours per month.
    static constexpr double AverageLimit = 72;

    // "hh:mm-hh:mm" of the window.
    QString windowText() const;

    // The stored settings (code master kind 時間表示, rows 2 and 3); a missing or unreadable
    // row leaves its default.
    static NightSettings load(Database& db);
    // "22:00-05:00", "22:00～05:00" or "22:00~05:00" as (start, end) minutes; nothing when it
    // is not two times.
    static std::optional<std::pair<int, int>> parseWindow(const QString& text);
    // "hh:mm" as minutes from midnight; nothing when it is not a time.
    static std::optional<int> parseTime(const QString& text);

    // Minutes of a shift from `start` to `end` (minutes from midnight of its own day; an end
    // not after the start runs into the next day, up to 24 hours) that fall inside the window,
    // counting the window of the day before, the day itself and the day after.
    int minutesInside(int start, int end) const;
    // The same for an absolute stretch of minutes, day d starting at d * 1440.
    int minutesInsideSpan(qint64 from, qint64 to, int firstDay, int lastDay) const;
};
