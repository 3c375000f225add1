// roster-cli init: makes a new, empty roster database in the data folder, or with --demo
// one that holds the demo ward.
#include "app/cli_command.h"
#include "store/database.h"
#include "store/db_error.h"
#include "store/demo_workplace.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace {

// A database this command has just created is removed again when filling it fails, so that
// a later init finds nothing in the way. A file that was there before is never touched.
void removeCreated(const QString& path) {
    for (const QString& suffix : {u""_s, u"-wal"_s, u"-shm"_s, u"-journal"_s})
        QFile::remove(path + suffix);
}

int runInit(CliContext& ctx, const QStringList& args) {
    bool demo = false;
    for (const QString& a : args) {
        if (a == u"--demo"_s) {
            demo = true;
        } else {
            ctx.err << u"不明な引数です: "_s << a << Qt::endl;
            return 2;
        }
    }
    if (!QFileInfo(ctx.dataDir).isDir()) {
        ctx.err << u"データフォルダ「%1」がありません。"_s.arg(
                       QDir::toNativeSeparators(ctx.dataDir))
                << Qt::endl;
        return 1;
    }
    const QString path = Database::pathIn(ctx.dataDir);
    // Checked before anything opens the path: an existing file, whatever it holds, stays
    // exactly as it is.
    if (QFileInfo(path).exists() || QFileInfo(path).isSymLink()) {
        ctx.err << u"「%1」は既にあります。既存のデータベースは上書きしません。"_s.arg(
                       QDir::toNativeSeparators(path))
                << Qt::endl;
        return 1;
    }
    std::unique_ptr<Database> db;
    try {
        db = std::make_unique<Database>(path, Database::OpenMode::CreateIfMissing);
        if (demo)
            LoadDemoWorkplace(*db, ctx.clock);
    } catch (const DbError& e) {
        const bool created = db && db->created();
        db.reset();
        if (created)
            removeCreated(path);
        ctx.err << e.message() << Qt::endl;
        return 1;
    }
    db.reset();
    ctx.out << (demo ? u"デモデータ入りのデータベース「%1」を作成しました。"_s
                     : u"データベース「%1」を作成しました。"_s)
                   .arg(QDir::toNativeSeparators(path))
            << Qt::endl;
    return 0;
}

const CliRegistrar registrar({u"init"_s, u"init [--demo]"_s, runInit});

} // namespace
