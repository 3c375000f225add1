#pragma once

class Sheet;
struct QualityReport;

// The quality window on paper, A4 landscape: the night hours, nights and weekend days off per
// person as bars (with the nights' mean as a line), the period's days with their shortage,
// the findings, then the per-person table on the pages after.
void PrintQualityReport(const QualityReport& r, Sheet& sheet);
