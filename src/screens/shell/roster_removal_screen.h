#pragma once

#include "screens/screen_base.h"
#include "store/roster_removal.h"

#include <QString>
#include <functional>

class QLineEdit;
class QRadioButton;

// Removes roster data of a span of days, after optionally keeping the removed roster rows in a
// CSV file: the term-end purge (期末処理) proposes the fiscal year the kept number of years back
// and removes the requests of the span too; the roster deletion (勤務取消) takes any span and
// removes roster rows only.
class RosterRemovalScreen final : public EntryScreen {
    Q_OBJECT
public:
    using Kind = RosterRemoval::Kind;
    // Asks for a folder, starting in the one given; empty when the clerk cancels.
    using FolderChooser = std::function<QString(QWidget* parent, const QString& start)>;

    RosterRemovalScreen(AppContext& ctx, Kind kind, QWidget* parent = nullptr);

    void setFolderChooser(FolderChooser chooser) { chooseFolder_ = std::move(chooser); }
    const QString& folder() const { return folder_; }

private:
    void buildUi();
    void proposeSpan();
    void browse();
    bool checkStart();
    bool checkEnd();
    bool checkRelation();
    void confirm();

    Kind kind_;
    FolderChooser chooseFolder_;
    QString folder_; // absolute

    QRadioButton* noCsv_;
    QRadioButton* csv_;
    QLineEdit* folderBox_;
    QLineEdit* fileName_;
    QLineEdit* start_;
    QLineEdit* end_;
};
