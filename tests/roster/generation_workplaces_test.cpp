// Generation over a hundred seeded workplaces of different shapes: no shift of the night run
// stands without the rest of its run, whatever requests, closed days and leave cut into the
// month (measured before the fill pass left night runs whole: 103 such cells).
#include "roster/generation.h"
#include "store/startup_settings.h"
#include "support/roster_rule_checker.h"
#include "support/temp_database.h"
#include "support/varied_workplace.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

TEST(GenerationWorkplacesTest, NoNightRunShiftIsLeftWithoutItsRun) {
    constexpr int Workplaces = 100;
    for (int seed = 1; seed <= Workplaces; ++seed) {
        TempDatabase tmp;
        const VariedWorkplace::Workplace w = VariedWorkplace::build(tmp.db(), seed);
        const auto m = VariedWorkplace::expand(tmp.db(), w);
        const QStringList lone = CheckGeneratedRuns(*m);
        EXPECT_TRUE(lone.isEmpty()) << "seed " << seed << ":\n" << lone.join(u'\n').toStdString();
    }
}

} // namespace
