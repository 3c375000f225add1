#pragma once

#include "store/records/pattern_row.h"

#include <QString>
#include <optional>
#include <vector>

class Database;

// Pattern names are unique within a kind only: the name index spans every kind, so a look-up
// by name names the kind too, or takes the first pattern of any kind.
namespace PatternLookup {

// The header rows (position 0) of the patterns of any kind named `name`, in name-index order.
std::vector<PatternRow> headersNamed(Database& db, const QString& name);

// The header rows (position 0) of the patterns of `kind` named `name`, in name-index order.
std::vector<PatternRow> headersNamed(Database& db, int kind, const QString& name);

// The header of the pattern of `kind` named `name`; the first one when the name is doubled.
std::optional<PatternRow> header(Database& db, int kind, const QString& name);

// Whether a pattern of `kind` other than number `no` already has the name `name`.
bool nameTakenByOther(Database& db, int kind, int no, const QString& name);

} // namespace PatternLookup
