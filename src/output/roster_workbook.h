#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <functional>

struct QualityReport;
struct RosterModel;

// What the roster workbook holds, each part loaded as its own output loads it: the registered
// roster as the roster sheet prints it, the period's per-person totals of the same people, and
// the quality report of the period with the model it was built from (which holds the requests,
// for their colour).
struct RosterWorkbookContent {
    const RosterModel& roster;
    const RosterModel& totals;
    const QualityReport& quality;
    const RosterModel& requests;
    std::array<int, 7> weekdayColour{};           // palette numbers, 0 Sunday
    std::function<std::uint32_t(int)> paletteRgb; // palette number -> 0xRRGGBB
};

// Writes the workbook (sheets 勤務表, 累計 and 品質) to `path`, whole or not at all: it is
// written under a temporary name beside the target and renamed over it once complete. Returns
// an empty string when written, else the message naming the file and what failed.
QString WriteRosterWorkbook(const QString& path, const RosterWorkbookContent& content);

// Why `path` cannot take a workbook (a folder, a missing or unwritable folder), naming the file;
// empty when it can. Leaves nothing behind.
QString RosterWorkbookTargetProblem(const QString& path);

// "勤務表_yyyymm.xlsx" for a period starting on `periodStart` ("yyyy/mm/dd").
QString RosterWorkbookDefaultName(const QString& periodStart);
