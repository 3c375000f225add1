#pragma once

#include <QString>

// The folder that holds Rotavell.mdb. A portable copy keeps its data next to the program;
// an installed program (in a system folder or one the user cannot write) keeps it in the
// user's own application data folder; --data-dir overrides both.
struct DataFolder {
    // What the choice depends on, gathered by find() or given by a test.
    struct Facts {
        QString programDir; // the folder of the running executable
        bool programDirWritable = true;
        bool programDirHasDatabase = false;
        QString requested;   // --data-dir, empty when not given
        QString userDataDir; // the user's application data folder
    };

    QString path;
    bool inUserData = false; // chosen because the program is installed
    bool createdNow = false; // find() made the folder just now

    static DataFolder choose(const Facts& facts);
    // Folders an installed program runs from: /usr/..., /opt/..., /bin, /sbin.
    static bool isSystemFolder(const QString& dir);

    // Chooses for this program and user (`requested` as given on the command line), and
    // makes the user's folder when that is the one chosen and it is missing. Needs the
    // application object and its name set first.
    static DataFolder find(const QString& requested);

    // The application name the GUI and the command line share, so both find the same
    // application data folder (~/.local/share/roster).
    static QString applicationName();
};
