#pragma once

// A child process run as someone who may not write where only the owner may.
#include "support/cli_run.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

inline void makeOpen(const QString& path, QFileDevice::Permissions extra = {}) {
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                    QFileDevice::ExeOwner | QFileDevice::ReadOther |
                                    QFileDevice::ExeOther | extra);
}

// Someone who may not write where only the owner may. Root ignores permissions, so a test run
// as root runs the child as nobody, with a runtime folder of its own (Qt asks for one) and its
// own copy of the program: nobody may not pass through the checkout's folders when the
// checkout lives in a private home folder.
class OrdinaryUser final {
public:
    static constexpr uid_t kNobody = 65534;

    OrdinaryUser() {
        const QString runtime = dir_.path() + QStringLiteral("/runtime");
        QDir().mkpath(runtime);
        QFile::setPermissions(runtime, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                           QFileDevice::ExeOwner);
        runtime_ = runtime.toLocal8Bit();
        program_ = QStringLiteral(ROSTER_CLI);
        if (::geteuid() != 0)
            return;
        makeOpen(dir_.path());
        if (::chown(runtime_.constData(), kNobody, kNobody) != 0)
            ADD_FAILURE() << "chown " << runtime_.constData();
        const QString copy = dir_.path() + QStringLiteral("/roster-cli");
        if (!QFile::copy(program_, copy))
            ADD_FAILURE() << "copy " << program_.toStdString() << " to " << copy.toStdString();
        makeOpen(copy);
        program_ = copy;
    }

    // Empty when nobody can reach the temporary folders; otherwise the folder that stops them,
    // for a test to skip with.
    QString unreachable() const {
        if (::geteuid() != 0)
            return {};
        for (QString dir = QFileInfo(dir_.path()).absolutePath();;
             dir = QFileInfo(dir).absolutePath()) {
            struct stat st {};
            const bool passes =
                ::stat(QFile::encodeName(dir).constData(), &st) == 0 &&
                ((st.st_mode & S_IXOTH) || (st.st_uid == kNobody && (st.st_mode & S_IXUSR)));
            if (!passes)
                return QStringLiteral("uid %1 may not pass through %2, the temporary folder's "
                                      "parent; set TMPDIR to a folder anyone may enter")
                    .arg(kNobody)
                    .arg(dir);
            if (dir == QDir::rootPath())
                return {};
        }
    }

    // roster-cli run as this user.
    CliRun cli(const QStringList& args) const {
        return runProgram(program_, args, become(), environment());
    }

private:
    std::function<void()> become() const {
        return [] {
            if (::geteuid() == 0 && (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)) {
                static const char why[] = "cannot become the ordinary user\n";
                [[maybe_unused]] const auto n = ::write(2, why, sizeof why - 1);
                ::_exit(99);
            }
        };
    }
    QProcessEnvironment environment() const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), QString::fromLocal8Bit(runtime_));
        return env;
    }

    QTemporaryDir dir_;
    QByteArray runtime_;
    QString program_;
};

// Skips the test when the ordinary user cannot reach the temporary folders at all.
#define SKIP_UNLESS_REACHABLE(user)                                                                \
    if (const QString why_ = (user).unreachable(); !why_.isEmpty())                                \
    GTEST_SKIP() << why_.toStdString()
