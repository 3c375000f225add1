#include "store/backup_copy.h"

#include "store/database.h"
#include "store/db_error.h"
#include "store/reorganisation.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace {

QString shown(const QString& path) {
    return QDir::toNativeSeparators(path);
}

// Flushes a file or folder to the disk; false (errno set) when the system could not.
bool syncPath(const QString& path, int flags) {
    const int fd = ::open(QFile::encodeName(path).constData(), flags | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool ok = ::fsync(fd) == 0;
    const int saved = errno;
    ::close(fd);
    errno = saved;
    return ok;
}

QString systemReason() {
    return QString::fromLocal8Bit(std::strerror(errno));
}

} // namespace

BackupCopy::Check BackupCopy::check(const Database& db, const QString& target, bool overwrite) {
    const QFileInfo info(target);
    if (Reorganisation::sameFile(db.path(), target))
        return {Refusal::IsTheDataFile,
                u"「%1」はデータベースそのものです。別のファイルを指定して下さい。"_s.arg(
                    shown(target))};
    if (!QFileInfo(info.absolutePath()).isDir())
        return {Refusal::NotAFile,
                u"フォルダ「%1」がありません。"_s.arg(shown(info.absolutePath()))};
    // A link is followed: what matters is what would be replaced.
    if (info.exists() && !info.isFile())
        return {Refusal::NotAFile,
                u"「%1」は普通のファイルではありません。別のファイルを指定して下さい。"_s.arg(
                    shown(target))};
    if (info.exists() && !overwrite)
        return {Refusal::Exists, u"「%1」は既にあります。"_s.arg(shown(target))};
    return {};
}

void BackupCopy::write(Database& db, const QString& target, bool overwrite) {
    const Check c = check(db, target, overwrite);
    if (c.refusal != Refusal::None)
        throw DbError(c.message);
    const QFileInfo info(target);
    const QString folder = info.absolutePath();
    const QString failed = u"バックアップ「%1」を作成できません。"_s.arg(shown(target));

    QTemporaryFile temp(QDir(folder).filePath(u".%1.XXXXXX"_s.arg(info.fileName())));
    temp.setAutoRemove(false);
    if (!temp.open())
        throw DbError(failed +
                      u"フォルダの権限と空きを確認して下さい。（%1）"_s.arg(temp.errorString()));
    const QString working = temp.fileName();
    temp.close();
    try {
        // Readable as the data file is; a temporary file starts readable by its owner alone.
        QFile::setPermissions(working,
                              QFileInfo(db.path()).permissions() | QFileDevice::WriteOwner);
        db.copyInto(working);
        if (!syncPath(working, O_RDONLY))
            throw DbError(u"ディスクに書き込めません。（%1）"_s.arg(systemReason()));
        const QByteArray from = QFile::encodeName(working);
        const QByteArray to = QFile::encodeName(info.absoluteFilePath());
        // Without leave to overwrite, a file that appeared meanwhile is not replaced either.
        const bool named = overwrite ? std::rename(from.constData(), to.constData()) == 0
                                     : ::link(from.constData(), to.constData()) == 0;
        if (!named)
            throw DbError(errno == EEXIST ? u"「%1」は既にあります。"_s.arg(shown(target))
                                          : u"名前を付けられません。（%1）"_s.arg(systemReason()));
        if (!overwrite)
            QFile::remove(working);
        if (!syncPath(folder, O_RDONLY | O_DIRECTORY))
            throw DbError(u"フォルダ「%1」をディスクに書き込めません。（%2）"_s.arg(
                shown(folder), systemReason()));
    } catch (const DbError& e) {
        QFile::remove(working);
        throw DbError(failed + e.message());
    }
}
