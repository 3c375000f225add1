#pragma once

#include <QString>

class Database;

// A complete, consistent copy of the open database in another file, made while the program
// may be writing it (SQLite's online backup), so the copy never mixes two states of the file.
namespace BackupCopy {

enum class Refusal {
    None,
    NotAFile,      // the target is a folder, a device or the like, or its folder is missing
    IsTheDataFile, // the target is the data file itself, by another name or through a link
    Exists,        // the target exists and overwriting was not allowed
};

// Why `target` may not take a copy of `db`, and the message that says so (naming the file);
// Refusal::None with an empty message when it may.
struct Check {
    Refusal refusal = Refusal::None;
    QString message;
};
Check check(const Database& db, const QString& target, bool overwrite);

// Writes the copy under a temporary name beside `target`, makes it reach the disk, and only
// then gives it the target's name, so what carries that name is always a whole copy. Throws
// DbError when `check` refuses the target or the copy fails; the temporary file is removed.
void write(Database& db, const QString& target, bool overwrite);

} // namespace BackupCopy
