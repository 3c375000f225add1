#pragma once

#include "store/records/code_entry.h"

class Database;

// Writing the code master one entry at a time, each write its own transaction.
namespace CodeStore {

// The most entries of the replacement order the master cache reads.
inline constexpr int kMaxReplacementOrder = 10;

enum class Saved { Stored, ReplacementOrderFull };

// Adds or overwrites the entry; a new replacement-order entry beyond the most the master
// cache reads is refused, since it would be stored and then silently ignored by every roster.
Saved save(Database& db, const CodeEntry& entry);
// False when there was no such entry.
bool remove(Database& db, int kind, int no);

} // namespace CodeStore
