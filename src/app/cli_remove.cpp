// roster-cli purge / delete-roster: the term-end purge and the roster deletion for scripted
// year-end work.
#include "app/cli_args.h"
#include "store/database.h"
#include "store/roster_removal.h"
#include "store/text_values.h"

#include <QDir>

using namespace Qt::Literals::StringLiterals;

namespace {

int runRemoval(CliContext& ctx, const QStringList& args, RosterRemoval::Kind kind) {
    QString from, to, csv;
    bool overwrite = false;
    QString bad = ParseCliOptions(
        args, {.values = {{u"--from"_s, &from}, {u"--to"_s, &to}, {u"--csv"_s, &csv}},
               .switches = {{u"--overwrite"_s, &overwrite}}});
    if (bad.isEmpty() && (from.isEmpty() || to.isEmpty()))
        bad = u"--from と --to は両方指定してください"_s;
    const auto first = TextValues::normaliseDate(from);
    const auto last = TextValues::normaliseDate(to);
    if (bad.isEmpty() && !first)
        bad = u"開始日に正しく入力してください"_s;
    if (bad.isEmpty() && !last)
        bad = u"終了日に正しく入力してください"_s;
    // A script may remove a single day, which the screens take as a wrong order.
    if (bad.isEmpty() && *first > *last)
        bad = u"日付の関係を正しく入力してください"_s;
    const QString path = csv.isEmpty() ? QString() : QDir::current().absoluteFilePath(csv);
    if (bad.isEmpty() && !path.isEmpty())
        bad = ArchiveFile::targetProblem(path, Database::pathIn(ctx.dataDir));
    if (!bad.isEmpty()) {
        ctx.err << bad << Qt::endl;
        return 2;
    }
    if (!path.isEmpty() && !overwrite && ArchiveFile::exists(path)) {
        ctx.err
            << u"出力ファイル %1 は既にあります。上書きする場合は --overwrite を指定して下さい。"_s
                   .arg(QDir::toNativeSeparators(path))
            << Qt::endl;
        return 1;
    }
    const auto existing =
        overwrite ? ArchiveFile::Existing::Replace : ArchiveFile::Existing::Refuse;
    return RunOnDatabase(ctx, [&](Database& db, const StartupSettings&) {
        const RosterRemoval::Result r = RosterRemoval::run(db, kind, *first, *last, path, existing);
        ctx.committed = true;
        ctx.out << u"期間: %1 ～ %2"_s.arg(*first, *last) << Qt::endl;
        ctx.out << u"勤務表: %1 行削除"_s.arg(r.rosterRows) << Qt::endl;
        if (kind == RosterRemoval::Kind::Purge)
            ctx.out << u"休暇希望: %1 行削除"_s.arg(r.requestRows) << Qt::endl;
        if (!path.isEmpty())
            ctx.out << u"CSV: %1"_s.arg(QDir::toNativeSeparators(path)) << Qt::endl;
        return 0;
    });
}

const CliRegistrar purge{{u"purge"_s,
                          u"purge --from yyyy/mm/dd --to yyyy/mm/dd [--csv FILE [--overwrite]]"_s,
                          [](CliContext& ctx, const QStringList& args) {
                              return runRemoval(ctx, args, RosterRemoval::Kind::Purge);
                          }}};

const CliRegistrar deleteRoster{
    {u"delete-roster"_s,
     u"delete-roster --from yyyy/mm/dd --to yyyy/mm/dd [--csv FILE [--overwrite]]"_s,
     [](CliContext& ctx, const QStringList& args) {
         return runRemoval(ctx, args, RosterRemoval::Kind::Deletion);
     }}};

} // namespace
