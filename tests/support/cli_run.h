#pragma once

// Runs the command-line program the way a script would and collects what it gave back.
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <functional>

struct CliRun {
    int status = -1; // the exit status; -1 when the program crashed or did not end in time
    QString out, err;
};

// Runs `program`. A run that has not ended after a minute is killed. `inChild` runs in the
// child before the program starts (a resource limit, another user). A program that could not
// be started leaves the reason in `err`, so the failing assertion says why.
inline CliRun runProgram(const QString& program, const QStringList& args,
                         const std::function<void()>& inChild, const QProcessEnvironment& env) {
    QProcess p;
    if (inChild)
        p.setChildProcessModifier(inChild);
    p.setProcessEnvironment(env);
    p.start(program, args);
    CliRun r;
    if (!p.waitForStarted(60000)) {
        r.err = QStringLiteral("%1 could not be started: %2").arg(program, p.errorString());
        return r;
    }
    if (!p.waitForFinished(60000)) {
        p.kill();
        p.waitForFinished();
        r.err = QStringLiteral("%1 did not end within a minute").arg(program);
        return r;
    }
    r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

inline CliRun cliWith(const QStringList& args, const std::function<void()>& inChild,
                      const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment()) {
    return runProgram(QStringLiteral(ROSTER_CLI), args, inChild, env);
}

inline CliRun cli(const QStringList& args) {
    return cliWith(args, {});
}

// The same on the database in `dataDir`.
inline CliRun cli(const QString& dataDir, const QStringList& args) {
    return cli(QStringList{QStringLiteral("--data-dir"), dataDir} + args);
}
