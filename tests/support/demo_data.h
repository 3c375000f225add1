#pragma once

#include "store/database.h"

#include <QDir>
#include <QFile>
#include <QString>

// Loads the demo workplace (data/demo/*.sql, in file order) into a database.
inline void LoadDemoData(Database& db) {
    const QDir dir(QStringLiteral(ROSTER_SOURCE_DIR "/data/demo"));
    const QStringList files = dir.entryList({QStringLiteral("*.sql")}, QDir::Files, QDir::Name);
    for (const QString& name : files) {
        QFile f(dir.filePath(name));
        if (f.open(QIODevice::ReadOnly))
            db.exec(QString::fromUtf8(f.readAll()));
    }
}
