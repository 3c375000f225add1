#include "store/archive_file.h"

#include "store/db_error.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryFile>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace {

QByteArray native(const QString& path) {
    return QFile::encodeName(path);
}

bool syncFolderOf(const QString& path) {
    const int fd = ::open(native(QFileInfo(path).absolutePath()).constData(),
                          O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = ::fsync(fd) == 0;
    ::close(fd);
    return synced;
}

// A name beside `path` that nothing has: hidden, so a run killed halfway leaves nothing that
// looks like the file itself.
QString besideName(const QString& path, const QString& what) {
    const QFileInfo info(path);
    return info.absolutePath() + u"/."_s + info.fileName() + u'.' + what +
           QString::number(QRandomGenerator::global()->generate64(), 36);
}

// Gives the file at `from` the name `to` only while `to` is free.
int renameNoReplace(const QByteArray& from, const QByteArray& to) {
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return errno;
    // A file system without the flag: a hard link also fails on a name that is taken.
    if (::link(from.constData(), to.constData()) == 0) {
        ::unlink(from.constData());
        return 0;
    }
    return errno;
}

} // namespace

QString ArchiveFile::targetProblem(const QString& path, const QString& dataFile) {
    const QString shown = QDir::toNativeSeparators(path);
    const QByteArray name = native(path);
    struct stat st {};
    const bool exists = ArchiveFile::exists(path);
    if (exists) {
        if (::stat(name.constData(), &st) != 0 || !(S_ISREG(st.st_mode) || S_ISDIR(st.st_mode)))
            return u"出力ファイル %1 は通常のファイルではありません。別の名前を指定して下さい。"_s
                .arg(shown);
        if (S_ISDIR(st.st_mode))
            return u"出力ファイル %1 はフォルダです。ファイルの名前を指定して下さい。"_s.arg(shown);
    }
    const QFileInfo info(path);
    const QString real = exists ? info.canonicalFilePath() : info.absoluteFilePath();
    // Replacing the open database file would lose everything written after it.
    const QString data = QFileInfo(dataFile).canonicalFilePath();
    if (!data.isEmpty() && (real == data || real == data + u"-wal"_s || real == data + u"-shm"_s ||
                            real == data + u"-journal"_s))
        return u"出力ファイル %1 はデータベースのファイルです。別の名前を指定して下さい。"_s.arg(
            shown);
    const QString folder = QFileInfo(real).absolutePath();
    struct stat dir {};
    if (::stat(native(folder).constData(), &dir) != 0)
        return {};
    if (::access(native(folder).constData(), W_OK | X_OK) != 0)
        return u"出力ファイル %1 のフォルダに書き込めません。フォルダの権限を確認して下さい。"_s
            .arg(shown);
    // Replacing a name another user holds in a shared folder such as /tmp is how a stranger's
    // file, or a link planted under that name, would be overwritten: not even root does it.
    if (exists && (dir.st_mode & S_ISVTX) && st.st_uid != ::geteuid())
        return u"出力ファイル %1 は他のユーザーのファイルです。別の名前を指定して下さい。"_s.arg(
            shown);
    return {};
}

bool ArchiveFile::exists(const QString& path) {
    struct stat st {};
    return ::lstat(native(path).constData(), &st) == 0;
}

ArchiveFile::ArchiveFile(const QString& path, Existing existing, QString dataFile)
    : shown_(QDir::toNativeSeparators(path)), dataFile_(std::move(dataFile)), existing_(existing) {
    const QFileInfo info(path);
    // Renaming onto a link would replace the link; the file it names is the one meant.
    target_ =
        info.isSymLink() && info.isFile() ? info.canonicalFilePath() : info.absoluteFilePath();
}

ArchiveFile::~ArchiveFile() {
    if (!kept_)
        takeBack();
}

void ArchiveFile::cannotWrite() const {
    throw DbError(u"出力ファイル %1 を作成できません。"_s.arg(shown_));
}

void ArchiveFile::write(const QByteArray& bytes) {
    if (const QString problem = targetProblem(target_, dataFile_); !problem.isEmpty())
        throw DbError(problem);
    if (existing_ == Existing::Refuse && exists(target_))
        throw DbError(u"出力ファイル %1 は既にあります。"_s.arg(shown_));
    const QFileInfo target(target_);
    temp_ = std::make_unique<QTemporaryFile>(target.absolutePath() + u"/."_s + target.fileName() +
                                             u".XXXXXX"_s);
    if (!temp_->open())
        cannotWrite();
    temp_->setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                          QFile::ReadOther);
    if (temp_->write(bytes) != bytes.size() || !temp_->flush())
        cannotWrite();
}

void ArchiveFile::sync() {
    // A full disk may show only here, or when the file is closed.
    if (::fsync(temp_->handle()) != 0)
        cannotWrite();
    temp_->close();
    if (temp_->error() != QFileDevice::NoError)
        cannotWrite();
}

void ArchiveFile::place() {
    const QByteArray target = native(target_);
    if (existing_ == Existing::Replace && exists(target_)) {
        // A second name for the older file keeps it while the target name changes over in one
        // step; without hard links it moves aside for the moment.
        for (int tries = 0; tries < 100 && aside_.isEmpty(); ++tries) {
            const QString aside = besideName(target_, u"old"_s);
            asideIsLink_ = ::link(target.constData(), native(aside).constData()) == 0;
            if (asideIsLink_ ||
                (errno != EEXIST && ::rename(target.constData(), native(aside).constData()) == 0))
                aside_ = aside;
            else if (errno != EEXIST)
                cannotWrite();
        }
        if (aside_.isEmpty())
            cannotWrite();
    }
    const QByteArray temp = native(temp_->fileName());
    const int failed = existing_ == Existing::Replace
                           ? (::rename(temp.constData(), target.constData()) == 0 ? 0 : errno)
                           : renameNoReplace(temp, target);
    if (failed != 0) {
        // The older file is still under the target's name when it got a second name.
        if (!aside_.isEmpty() && asideIsLink_)
            ::unlink(native(aside_).constData());
        else if (!aside_.isEmpty())
            ::rename(native(aside_).constData(), target.constData());
        aside_.clear();
        if (failed == EEXIST)
            throw DbError(u"出力ファイル %1 は既にあります。"_s.arg(shown_));
        cannotWrite();
    }
    temp_->setAutoRemove(false);
    placed_ = true;
}

void ArchiveFile::syncFolder() {
    if (!syncFolderOf(target_))
        cannotWrite();
}

void ArchiveFile::keep() {
    kept_ = true;
    if (!aside_.isEmpty())
        ::unlink(native(aside_).constData());
    aside_.clear();
}

bool ArchiveFile::takeBack() noexcept {
    kept_ = true; // once is enough
    if (!placed_) {
        temp_.reset(); // removes the temporary file
        return true;
    }
    placed_ = false;
    const QByteArray target = native(target_);
    const bool restored = aside_.isEmpty()
                              ? ::unlink(target.constData()) == 0
                              : ::rename(native(aside_).constData(), target.constData()) == 0;
    aside_.clear();
    return syncFolderOf(target_) && restored;
}
