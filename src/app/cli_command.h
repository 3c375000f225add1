#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>
#include <functional>
#include <vector>

class Clock;

struct CliContext {
    QString dataDir; // --data-dir, the executable's folder or the user's (DataFolder)
    QTextStream& out;
    QTextStream& err;
    const Clock& clock;
    // Set by a command once its work is stored: output that fails after that must not read as
    // a failure a script would retry.
    bool committed = false;
};

// One roster-cli command. Exit status: 0 done, 1 failure, 2 bad input, 3 done but its report
// could not be written.
struct CliCommand {
    QString name;
    QString usage;
    std::function<int(CliContext&, const QStringList& args)> run;
};

// Commands register themselves from their own file (one file per command).
class CliRegistry final {
public:
    static std::vector<CliCommand>& commands() {
        static std::vector<CliCommand> all;
        return all;
    }
};

struct CliRegistrar {
    explicit CliRegistrar(CliCommand command) {
        CliRegistry::commands().push_back(std::move(command));
    }
};
