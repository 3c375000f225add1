#include "app/cli_args.h"

#include "store/database.h"
#include "store/db_error.h"
#include "store/startup_settings.h"

#include <exception>

using namespace Qt::Literals::StringLiterals;

QString ParseCliOptions(const QStringList& args, const CliOptions& options) {
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        bool known = false;
        for (const auto& [name, target] : options.values) {
            if (a != name)
                continue;
            // An option given without its value, or with an empty one, is not an option left
            // out: the caller would take it as a default.
            if (i + 1 >= args.size() || args[i + 1].isEmpty())
                return u"%1 の値を指定してください"_s.arg(name);
            *target = args[++i];
            known = true;
            break;
        }
        for (const auto& [name, target] : options.switches) {
            if (!known && a == name) {
                *target = true;
                known = true;
            }
        }
        if (!known)
            return u"不明な引数です: "_s + a;
    }
    return {};
}

int RunOnDatabase(CliContext& ctx, Database::OpenMode mode, const CliWorkWithMessages& work) {
    try {
        Database db(Database::pathIn(ctx.dataDir), mode);
        StartupSettings settings;
        const QStringList messages = LoadStartupSettings(db, settings);
        return work(db, settings, messages);
    } catch (const DbError& e) {
        ctx.err << e.message() << Qt::endl;
    } catch (const std::exception& e) {
        ctx.err << QString::fromUtf8(e.what()) << Qt::endl;
    }
    return 1;
}

int RunOnDatabase(CliContext& ctx, Database::OpenMode mode, const CliWork& work) {
    return RunOnDatabase(ctx, mode,
                         CliWorkWithMessages([&](Database& db, const StartupSettings& settings,
                                                 const QStringList& startupMessages) {
                             for (const QString& message : startupMessages)
                                 ctx.err << message << Qt::endl;
                             return work(db, settings);
                         }));
}

int RunOnDatabase(CliContext& ctx, const CliWork& work) {
    return RunOnDatabase(ctx, Database::OpenMode::OpenExisting, work);
}

QString CliOutputFailed() {
    return u"出力を書き込めませんでした。ディスクの空きを確認して下さい。"_s;
}

QString CliReportFailed() {
    return u"処理は終了しましたが、結果を出力できませんでした。もう一度実行する必要はありません。"
           u"ディスクの空きを確認して下さい。"_s;
}
