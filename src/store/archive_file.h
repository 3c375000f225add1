#pragma once

#include <QByteArray>
#include <QString>
#include <memory>

class QTemporaryFile;

// A file that keeps what a database change is about to remove. It must be complete on disk,
// under its own name, before the change commits, and it must go again when the change fails:
//
//   write() + sync()      a temporary file beside the target, all bytes on disk;
//   place() + syncFolder() the temporary file takes the target's name, the name is on disk;
//   keep()                the change committed: a file it replaced is dropped;
//   takeBack()            the change failed: the file placed goes, a file it replaced returns.
//
// A file replaced by place() is kept under a temporary name until keep() or takeBack(), so a
// failed change leaves the folder as it was. Destroying the object without keep() takes back.
// Every failure throws DbError with a message naming the file.
class ArchiveFile final {
public:
    enum class Existing { Refuse, Replace };

    // Why `path` can never take the file, naming it: a folder, anything but a regular file (a
    // device, a pipe, a socket, a link to one or to nothing), a folder the user may not write,
    // or a name another user owns in a folder where only owners may replace names (sticky),
    // or the database file `dataFile` or one of its side files.
    // Empty when it can; a missing folder is left to the writing to report.
    static QString targetProblem(const QString& path, const QString& dataFile);
    static bool exists(const QString& path);

    ArchiveFile(const QString& path, Existing existing, QString dataFile);
    ~ArchiveFile();
    ArchiveFile(const ArchiveFile&) = delete;
    ArchiveFile& operator=(const ArchiveFile&) = delete;

    void write(const QByteArray& bytes);
    void sync();
    void place();
    void syncFolder();
    void keep();
    // Returns false when the folder could not be put back as it was.
    bool takeBack() noexcept;

private:
    [[noreturn]] void cannotWrite() const;

    QString shown_;  // the name as the user gave it
    QString target_; // where the file goes: a link to a regular file is followed
    QString dataFile_;
    Existing existing_;
    std::unique_ptr<QTemporaryFile> temp_;
    QString aside_;            // the replaced file, until keep() or takeBack()
    bool asideIsLink_ = false; // a second name, not moved away from the target's
    bool placed_ = false;
    bool kept_ = false;
};
