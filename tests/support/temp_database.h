#pragma once

#include "store/database.h"

#include <QTemporaryDir>
#include <memory>

// A fresh roster database in its own temporary folder.
class TempDatabase {
public:
    TempDatabase()
        : db_(std::make_unique<Database>(Database::pathIn(dir_.path()),
                                         Database::OpenMode::CreateIfMissing)) {}
    Database& db() { return *db_; }
    QString dir() const { return dir_.path(); }
    QString path() const { return Database::pathIn(dir_.path()); }
    void close() { db_.reset(); }

private:
    QTemporaryDir dir_;
    std::unique_ptr<Database> db_;
};
