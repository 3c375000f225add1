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
        if (i + 1 < args.size()) {
            for (const auto& [name, target] : options.values) {
                if (a == name) {
                    *target = args[++i];
                    known = true;
                    break;
                }
            }
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

int RunOnDatabase(CliContext& ctx,
                  const std::function<int(Database& db, const StartupSettings& settings)>& work) {
    return RunOnDatabase(ctx, Database::OpenMode::OpenExisting, work);
}

int RunOnDatabase(CliContext& ctx, Database::OpenMode mode,
                  const std::function<int(Database& db, const StartupSettings& settings)>& work) {
    try {
        Database db(Database::pathIn(ctx.dataDir), mode);
        StartupSettings settings;
        for (const QString& message : LoadStartupSettings(db, settings))
            ctx.err << message << Qt::endl;
        return work(db, settings);
    } catch (const DbError& e) {
        ctx.err << e.message() << Qt::endl;
    } catch (const std::exception& e) {
        ctx.err << QString::fromUtf8(e.what()) << Qt::endl;
    }
    return 1;
}
