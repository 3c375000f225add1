#pragma once

// What another program sees of the database file: a connection of its own reads only what has
// been committed, and cannot even open while a write is still in progress.
#include "store/database.h"
#include "store/db_error.h"
#include "support/table_rows.h"

#include <QString>
#include <QVariant>
#include <QVariantList>
#include <gtest/gtest.h>
#include <optional>

// One field of a committed row; nothing when no such row has been committed. A file that is
// still being written fails the test.
inline std::optional<QVariant> committedValue(const QString& path, const QString& table,
                                              const QString& index, const QVariantList& key,
                                              const QString& field) {
    try {
        Database other(path, Database::OpenMode::OpenExisting);
        return TableRows::value(other, table, index, key, field);
    } catch (const DbError& e) {
        ADD_FAILURE() << "a second connection cannot read: " << e.message().toStdString();
        return std::nullopt;
    }
}
