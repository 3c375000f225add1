#pragma once

// A child process run as someone who may not write where only the owner may.
#include <QDir>
#include <QFile>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <unistd.h>

inline void makeOpen(const QString& path, QFileDevice::Permissions extra = {}) {
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                    QFileDevice::ExeOwner | QFileDevice::ReadOther |
                                    QFileDevice::ExeOther | extra);
}

// Someone who may not write where only the owner may. Root ignores permissions, so a test run
// as root runs the child as nobody, with a runtime folder of its own (Qt asks for one).
class OrdinaryUser final {
public:
    OrdinaryUser() {
        const QString runtime = dir_.path() + QStringLiteral("/runtime");
        QDir().mkpath(runtime);
        QFile::setPermissions(runtime, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                           QFileDevice::ExeOwner);
        runtime_ = runtime.toLocal8Bit();
        if (::geteuid() == 0) {
            makeOpen(dir_.path());
            if (::chown(runtime_.constData(), 65534, 65534) != 0)
                ADD_FAILURE() << "chown " << runtime_.constData();
        }
    }
    // To run in the child before it starts.
    std::function<void()> become() const {
        return [] {
            if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
                ::_exit(99);
        };
    }
    QProcessEnvironment environment() const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), QString::fromLocal8Bit(runtime_));
        return env;
    }

private:
    QTemporaryDir dir_;
    QByteArray runtime_;
};
