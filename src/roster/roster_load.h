#pragma once

#include "roster/roster_model.h"

#include <QString>

class Database;
struct StartupSettings;

// What a roster is loaded for. Each purpose fixes how the stored rows fill the cells, whether
// the requests are read, and which counts follow the load.
enum class LoadPurpose {
    Generate,       // the requests, an actual shift standing for the planned one, the five
                    // lead days, the tallies and the three months of history before the period
    View,           // planned and actual shifts apart, nothing counted
    Print,          // as View, with the tallies
    PersonalSheets, // an actual shift standing for the planned one and the lead days, tallied
    Report,         // as Print with the requests and the five lead days in view form
    Totals,         // the staff and shifts of the columns' window and their cumulative totals
};

struct RosterQuery {
    LoadPurpose purpose = LoadPurpose::View;
    QString from, to; // the period, "yyyy/mm/dd"; Totals loads the columns' window instead
    Grouping grouping = Grouping::Everybody;
    RosterFilter filter;
    TotalsColumns columns; // Totals only

    // One person is loaded ungrouped and one team as its own block; everybody keeps
    // `everybodyGrouping`.
    void narrowTo(const RosterFilter& f, Grouping everybodyGrouping) {
        filter = f;
        if (!f.staffNo.isEmpty())
            grouping = Grouping::Everybody;
        else if (!f.team.isEmpty())
            grouping = Grouping::ByTeam;
        else
            grouping = everybodyGrouping;
    }
};

// Loads the roster `query` asks for inside one read transaction. Throws DbError when the
// database cannot be read.
RosterModel LoadRoster(Database& db, const StartupSettings& settings, const RosterQuery& query);
