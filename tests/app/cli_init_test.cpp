#include "store/database.h"
#include "store/schema.h"
#include "support/cli_run.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlite3.h>

using namespace Qt::Literals::StringLiterals;

namespace {

QByteArray contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Rows of a pragma or query as "a|b|c" lines, read straight from the file without the store.
QStringList query(const QString& path, const QString& sql) {
    sqlite3* db = nullptr;
    QStringList rows;
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) ==
        SQLITE_OK) {
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &st, nullptr) == SQLITE_OK) {
            while (sqlite3_step(st) == SQLITE_ROW) {
                QStringList cols;
                for (int i = 0; i < sqlite3_column_count(st); ++i)
                    cols << QString::fromUtf8(
                        reinterpret_cast<const char*>(sqlite3_column_text(st, i)));
                rows << cols.join(u"|"_s);
            }
        }
        sqlite3_finalize(st);
    }
    sqlite3_close_v2(db);
    return rows;
}

QString q(const QString& name) {
    return u"\""_s + name + u"\""_s;
}

} // namespace

TEST(CliInit, CreatesAnEmptyDatabaseWhoseTablesColumnsAndIndexesMatchTheSchema) {
    QTemporaryDir dir;
    const CliRun r = cli({u"--data-dir"_s, dir.path(), u"init"_s});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    const QString path = Database::pathIn(dir.path());
    EXPECT_TRUE(r.out.contains(QDir::toNativeSeparators(path)));
    EXPECT_FALSE(QFile::exists(path + u"-wal"_s)); // closed cleanly

    QStringList expectedTables;
    for (const auto& t : Schema::tables())
        expectedTables << t.name;
    expectedTables.sort();
    EXPECT_EQ(query(path, u"SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name"_s),
              expectedTables);

    for (const auto& t : Schema::tables()) {
        SCOPED_TRACE(t.name.toStdString());
        QStringList expectedColumns;
        for (const auto& f : t.fields)
            expectedColumns << f.name + u"|"_s +
                                   (f.kind == FieldKind::Integer ? u"INTEGER"_s : u"TEXT"_s);
        EXPECT_EQ(query(path, u"SELECT name, type FROM pragma_table_info(%1) ORDER BY cid"_s.arg(
                                  u"'"_s + t.name + u"'"_s)),
                  expectedColumns);

        QStringList expectedIndexes, actualIndexes;
        for (const auto& ix : t.indexes)
            expectedIndexes << ix.physicalName + u"|"_s + (ix.unique ? u"1"_s : u"0"_s);
        for (const auto& row : query(path, u"PRAGMA index_list(%1)"_s.arg(q(t.name)))) {
            const QStringList cols = row.split(u'|');
            if (cols.value(3) == u"c"_s) // created by CREATE INDEX, not an automatic one
                actualIndexes << cols.value(1) + u"|"_s + cols.value(2);
        }
        expectedIndexes.sort();
        actualIndexes.sort();
        EXPECT_EQ(actualIndexes, expectedIndexes);

        for (const auto& ix : t.indexes) {
            QStringList parts;
            for (const auto& row :
                 query(path, u"SELECT name FROM pragma_index_info(%1) ORDER BY seqno"_s.arg(
                                 u"'"_s + ix.physicalName + u"'"_s)))
                parts << row;
            EXPECT_EQ(parts, QStringList(ix.parts.begin(), ix.parts.end()))
                << ix.name.toStdString();
        }
        EXPECT_EQ(query(path, u"SELECT COUNT(*) FROM %1"_s.arg(q(t.name))), QStringList{u"0"_s});
    }
    // The store opens what init made.
    EXPECT_NO_THROW(Database(path, Database::OpenMode::OpenExisting));
}

TEST(CliInit, DemoFillsTheNewDatabaseRelativeToToday) {
    QTemporaryDir dir;
    const CliRun r = cli({u"--data-dir"_s, dir.path(), u"init"_s, u"--demo"_s});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    const QString path = Database::pathIn(dir.path());
    EXPECT_EQ(query(path, u"SELECT COUNT(*) FROM 職員"_s), QStringList{u"24"_s});
    const QDate month(QDate::currentDate().year(), QDate::currentDate().month(), 1);
    EXPECT_EQ(query(path, u"SELECT 作_作成From, 作_作成To FROM 作成単位 WHERE 作_区分 = 2"_s),
              QStringList{month.addMonths(-1).toString(u"yyyy/MM/dd|"_s) +
                          month.addDays(-1).toString(u"yyyy/MM/dd"_s)});
    EXPECT_EQ(query(path, u"SELECT MIN(勤_勤務日) FROM 勤務表"_s),
              QStringList{month.addMonths(-3).toString(u"yyyy/MM/dd"_s)});
}

TEST(CliInit, RefusesAnExistingFileAndLeavesItByteForByte) {
    QTemporaryDir dir;
    const QString path = Database::pathIn(dir.path());
    ASSERT_EQ(cli({u"--data-dir"_s, dir.path(), u"init"_s, u"--demo"_s}).status, 0);
    const QByteArray valid = contents(path);
    ASSERT_FALSE(valid.isEmpty());
    for (const QStringList& extra : {QStringList{}, QStringList{u"--demo"_s}}) {
        const CliRun r = cli(QStringList{u"--data-dir"_s, dir.path(), u"init"_s} + extra);
        EXPECT_EQ(r.status, 1);
        EXPECT_TRUE(r.err.contains(QDir::toNativeSeparators(path))) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(u"既にあります"_s)) << r.err.toStdString();
        EXPECT_EQ(contents(path), valid);
    }

    // A foreign file (here random bytes, as an old file of another format would be).
    QTemporaryDir other;
    const QString foreign = Database::pathIn(other.path());
    QByteArray noise(8192, '\0');
    for (auto& b : noise)
        b = static_cast<char>(QRandomGenerator::global()->bounded(256));
    {
        QFile f(foreign);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(noise);
    }
    const CliRun r = cli({u"--data-dir"_s, other.path(), u"init"_s, u"--demo"_s});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains(QDir::toNativeSeparators(foreign))) << r.err.toStdString();
    EXPECT_EQ(contents(foreign), noise);
    EXPECT_EQ(QDir(other.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{Database::fileName()});
}

TEST(CliInit, MissingFolderFailsAndBadCommandLinesExitWithTwo) {
    QTemporaryDir dir;
    const QString missing = dir.filePath(u"ない"_s);
    CliRun r = cli({u"--data-dir"_s, missing, u"init"_s});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains(u"データフォルダ"_s)) << r.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(missing));

    EXPECT_EQ(cli({u"--data-dir"_s, dir.path(), u"init"_s, u"--bogus"_s}).status, 2);
    EXPECT_EQ(cli({u"--data-dir"_s, dir.path(), u"initialise"_s}).status, 2);
    EXPECT_EQ(cli({u"--data-dir"_s, dir.path()}).status, 2);
    EXPECT_EQ(cli({u"init"_s, u"--data-dir"_s}).status, 2);
    r = cli({});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.err.contains(u"init [--demo]"_s)) << r.err.toStdString();
    // None of these made a database.
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
}
