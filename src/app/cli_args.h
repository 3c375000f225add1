#pragma once

#include "app/cli_command.h"
#include "store/database.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <utility>
#include <vector>

struct StartupSettings;

// What a roster-cli command accepts: options that take the next argument as their value, and
// switches that stand alone.
struct CliOptions {
    std::vector<std::pair<QString, QString*>> values;
    std::vector<std::pair<QString, bool*>> switches;
};

// Reads the arguments into the options' targets. Returns "<option> の値を指定してください" for a
// value option with nothing or an empty text after it, "不明な引数です: <argument>" for an
// argument that is neither, empty when every argument was read.
QString ParseCliOptions(const QStringList& args, const CliOptions& options);

using CliWork = std::function<int(Database& db, const StartupSettings& settings)>;
// Work that shows the startup messages itself, so that a command which reports the same
// problem again can show it once.
using CliWorkWithMessages = std::function<int(Database& db, const StartupSettings& settings,
                                              const QStringList& startupMessages)>;

// Opens the database of the data folder, loads its startup settings (their messages go to the
// error stream) and runs `work`, whose result is the exit status. A database or other error
// becomes its message on the error stream and status 1.
int RunOnDatabase(CliContext& ctx, const CliWork& work);
// The same with the file opened in `mode`; work that only reads opens it ReadOnly.
int RunOnDatabase(CliContext& ctx, Database::OpenMode mode, const CliWork& work);
int RunOnDatabase(CliContext& ctx, Database::OpenMode mode, const CliWorkWithMessages& work);

// "出力を書き込めませんでした。…": the output (a file on a full disk, say) did not take what a
// command wrote.
QString CliOutputFailed();
// "…は終了しましたが…": the same after the command's work was stored (exit status 3).
QString CliReportFailed();
