#pragma once

class FieldChecks;
class QLineEdit;

// The date boxes of the roster and output screens. Each check marks a bad box with its message and,
// when the text is a date, rewrites it in the normal yyyy/mm/dd form.
namespace DateFieldChecks {

// The first date of a roster to create or change.
bool rosterStart(FieldChecks& checks, QLineEdit* box);
// Its last date; left empty it is accepted and cleared (the period check decides).
bool rosterEnd(FieldChecks& checks, QLineEdit* box);
// The first date of a printout.
bool printStart(FieldChecks& checks, QLineEdit* box);
// The last date of a printout (may be left empty where the printout allows it).
bool printEnd(FieldChecks& checks, QLineEdit* box);
// The start of a totals window, which stands for the first day of its month.
bool monthStart(FieldChecks& checks, QLineEdit* box);

} // namespace DateFieldChecks
