#include "output/stored_roster_print.h"
#include "roster/roster_load.h"
#include "store/clock.h"
#include "store/demo_workplace.h"
#include "store/startup_settings.h"
#include "support/temp_database.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

// Printing one person who takes no part in the period (joined after it, or on leave over all
// of it) has nothing to print, and says so instead of printing an empty sheet.
TEST(StoredRosterPrint, NothingToPrintForSomeoneOutsideThePeriod) {
    TempDatabase tmp;
    LoadDemoWorkplace(tmp.db(), FixedClock(QDate(2024, 4, 1)));
    tmp.db().exec(
        u"UPDATE 職員 SET 職員_配属日 = '', 職員_休職from = '2024/03/01', 職員_休職To = '' "
        u"WHERE 職員_no = '1004'"_s);
    StartupSettings settings;
    LoadStartupSettings(tmp.db(), settings);

    struct Case {
        QString staffNo;
        bool printable;
    };
    for (const Case& c : {Case{u"1003"_s, true}, Case{u"2012"_s, false}, // joins 2024/05/15
                          Case{u"1004"_s, false}, Case{QString(), true}}) {
        RosterQuery query;
        query.purpose = LoadPurpose::Print;
        query.from = u"2024/04/01"_s;
        query.to = u"2024/04/30"_s;
        query.filter = RosterFilter::staff(c.staffNo);
        const RosterModel model = LoadRoster(tmp.db(), settings, query);
        EXPECT_EQ(NothingToPrintMessage(model).isEmpty(), c.printable) << c.staffNo.toStdString();
    }
}
