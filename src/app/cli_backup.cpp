// roster-cli backup: a complete copy of the data file, safe to take while the program runs,
// by default as the Rotavellbkup.mdb that the reorganisation reads.
#include "app/cli_args.h"
#include "store/backup_copy.h"
#include "store/database.h"
#include "store/db_error.h"
#include "store/reorganisation.h"

#include <QDir>

using namespace Qt::Literals::StringLiterals;

namespace {

int runBackup(CliContext& ctx, const QStringList& args) {
    QString to;
    bool overwrite = false;
    const QString bad = ParseCliOptions(
        args, {.values = {{u"--to"_s, &to}}, .switches = {{u"--overwrite"_s, &overwrite}}});
    if (!bad.isEmpty()) {
        ctx.err << bad << Qt::endl;
        return 2;
    }
    const QString target = to.isEmpty() ? Reorganisation::backupPathIn(ctx.dataDir)
                                        : QDir::cleanPath(QDir::current().absoluteFilePath(to));
    // Only read: the copy can be taken from a file on read-only media too.
    return RunOnDatabase(
        ctx, Database::OpenMode::ReadOnly, [&](Database& db, const StartupSettings&) {
            const BackupCopy::Check c = BackupCopy::check(db, target, overwrite);
            switch (c.refusal) {
            case BackupCopy::Refusal::None:
                break;
            case BackupCopy::Refusal::Exists:
                ctx.err << c.message << u"上書きするには --overwrite を付けて下さい。"_s
                        << Qt::endl;
                return 1;
            case BackupCopy::Refusal::NotAFile:
            case BackupCopy::Refusal::IsTheDataFile:
                ctx.err << c.message << Qt::endl;
                return 2;
            }
            BackupCopy::write(db, target, overwrite);
            ctx.out << u"バックアップを作成しました: %1"_s.arg(QDir::toNativeSeparators(target))
                    << Qt::endl;
            return 0;
        });
}

const CliRegistrar registrar({u"backup"_s, u"backup [--to FILE] [--overwrite]"_s, runBackup});

} // namespace
