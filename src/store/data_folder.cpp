#include "store/data_folder.h"

#include "store/database.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

using namespace Qt::Literals::StringLiterals;

DataFolder DataFolder::choose(const Facts& facts) {
    if (!facts.requested.isEmpty())
        return {facts.requested, false, false};
    const bool installed = !facts.programDirWritable ||
                           (!facts.programDirHasDatabase && isSystemFolder(facts.programDir));
    // Without a home folder there is no user folder: the program's own is the only choice.
    if (installed && !facts.userDataDir.isEmpty())
        return {facts.userDataDir, true, false};
    return {facts.programDir, false, false};
}

bool DataFolder::isSystemFolder(const QString& dir) {
    const QString clean = QDir::cleanPath(dir);
    for (const QString& root : {u"/usr"_s, u"/opt"_s, u"/bin"_s, u"/sbin"_s}) {
        if (clean == root || clean.startsWith(root + u'/'))
            return true;
    }
    return false;
}

DataFolder DataFolder::find(const QString& requested) {
    Facts facts;
    facts.programDir = QCoreApplication::applicationDirPath();
    facts.programDirWritable = QFileInfo(facts.programDir).isWritable();
    facts.programDirHasDatabase = QFileInfo::exists(Database::pathIn(facts.programDir));
    if (!requested.isEmpty())
        facts.requested = QDir(requested).absolutePath();
    facts.userDataDir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    DataFolder folder = choose(facts);
    if (folder.inUserData && !QFileInfo(folder.path).isDir())
        folder.createdNow = QDir().mkpath(folder.path);
    return folder;
}

QString DataFolder::applicationName() {
    return u"roster"_s;
}
