#pragma once

#include <QString>

class Database;

// The creation-mode setting kept in code-master row (80, 1): the surplus priority code in
// 個_略称 (a) and the automatic/manual code in 個_名称 (b).
struct CreationMode {
    QString a = QStringLiteral("1");
    QString b = QStringLiteral("1");
};

// A missing row reads as "1" and "1".
CreationMode ReadCreationModeSetting(Database& db);
// Adds the row when missing, else edits it.
void WriteCreationModeSetting(Database& db, const CreationMode& mode);
// Mode 0 reads into `setting`, mode 1 writes it; any other mode does nothing.
void CreationModeSetting(Database& db, int mode, CreationMode& setting);
