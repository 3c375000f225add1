#pragma once

#include "screens/screen_base.h"

#include <QString>

// The warning before a database reorganisation (警告): says what a reorganisation without a
// prepared backup costs, and on 確定 asks whether the backup is ready, runs the
// reorganisation from Rotavellbkup.mdb in the data folder and closes. ＣＡＮＣＥＬ closes
// without doing anything. バックアップ作成 writes that Rotavellbkup.mdb from the data file
// (asking first when one is there already). The menu reloads its settings once the screen has
// closed.
class ReorganisationWarningScreen final : public EntryDialog {
    Q_OBJECT
public:
    explicit ReorganisationWarningScreen(AppContext& ctx, QWidget* parent = nullptr);

    // Where the backup is read from: Rotavellbkup.mdb beside the data file.
    const QString& backupPath() const { return backupPath_; }

private:
    void buildUi();
    void confirm();
    void makeBackup();

    QString backupPath_;
};
