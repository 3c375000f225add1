// The improvement pass against the proven optimum of an exact integer program over the same
// hard rules, on seeded workplaces half of which are small understaffed wards. Needs the `cbc`
// program; the measuring set of the benchmark is larger.
#include "roster/generation.h"
#include "roster/improvement_pass.h"
#include "store/startup_settings.h"
#include "support/exact_roster_model.h"
#include "support/roster_rule_checker.h"
#include "support/temp_database.h"
#include "support/varied_workplace.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <memory>

using namespace Qt::Literals::StringLiterals;
namespace {

TEST(ImprovementOptimumTest, LeavesAtMostATenthOfTheRemovableShortage) {
    if (!ExactSolverAvailable())
        GTEST_SKIP() << "cbc is not installed";
    const int workplaces = qEnvironmentVariableIntValue("ROSTER_OPTIMUM_SET") > 0
                               ? qEnvironmentVariableIntValue("ROSTER_OPTIMUM_SET")
                               : 30;
    int plain = 0, improved = 0, optimum = 0, atOptimum = 0, unproven = 0, worst = 0;
    for (int index = 1; index <= workplaces; ++index) {
        TempDatabase tmp;
        const VariedWorkplace::Workplace w = VariedWorkplace::buildOfSet(tmp.db(), index);
        StartupSettings settings;
        settings.byTeam = w.grouping == Grouping::ByTeam ? 1 : 0;
        auto generated = std::make_unique<RosterModel>();
        ExpandRoster(tmp.db(), *generated, settings, w.start, w.end, w.grouping);
        auto better = std::make_unique<RosterModel>(*generated);
        const ImprovementResult r = ImproveRoster(*better);
        SCOPED_TRACE(testing::Message() << "workplace " << index << ", " << w.staff << " staff");
        EXPECT_EQ(CheckRosterRules(*generated, *better, settings.restInterval), QStringList());
        EXPECT_LE(r.after.unitShortage, r.before.unitShortage);
        if (qEnvironmentVariableIsSet("ROSTER_OPTIMUM_TRACE"))
            std::printf("workplace %3d (%2d staff): group %d leader %d unit %d\n", index, w.staff,
                        r.before.groupShortage, r.before.leaderShortage, r.before.unitShortage);
        if (r.before.unitShortage == 0)
            continue;
        const ExactOptimum exact = SolveExactly(*generated, settings.restInterval, 60);
        ASSERT_TRUE(exact.solved) << exact.error.toStdString();
        if (qEnvironmentVariableIntValue("ROSTER_OPTIMUM_SHOW") == index) {
            const auto show = [](const RosterModel& m) {
                for (const auto& g : m.groups)
                    for (const Person& p : g) {
                        QString row = p.no + (p.leader ? u"L "_s : u"  "_s);
                        for (int d = -4; d <= m.lastDay(); ++d) {
                            const Cell& c = p.cell(d);
                            const QString s = !c.requestShift.isEmpty() ? c.requestShift : c.shift;
                            row += s.isEmpty() ? u"・"_s : s;
                            if (d == 0) row += u"|"_s;
                        }
                        std::printf("%s\n", qPrintable(row));
                    }
                for (int s = 1; s <= m.cache.workShiftCount(); ++s) {
                    QString row = m.cache.workShift(s).abbrev + u"      "_s;
                    for (int d = 1; d <= m.lastDay(); ++d) {
                        const int k = m.requirement.at(3, d, s, 1) - m.assigned.at(3, d, s, 1);
                        row += k > 0 ? QString::number(k) : u"."_s;
                    }
                    std::printf("%s\n", qPrintable(row));
                }
            };
            show(*generated); std::printf("--- improved\n"); show(*better);
            std::printf("--- optimum\n"); show(*exact.roster);
        }
        EXPECT_EQ(CheckRosterRules(*generated, *exact.roster, settings.restInterval),
                  QStringList());
        EXPECT_GE(r.after.unitShortage, exact.unitShortage);
        plain += r.before.unitShortage;
        improved += r.after.unitShortage;
        optimum += exact.unitShortage;
        atOptimum += r.after.unitShortage == exact.unitShortage ? 1 : 0;
        unproven += exact.proven ? 0 : 1;
        worst = std::max(worst, r.after.unitShortage - exact.unitShortage);
        std::printf("workplace %3d (%2d staff): %3d -> %3d, optimum %3d%s, %.1f ms, cbc %.1f s\n",
                    index, w.staff, r.before.unitShortage, r.after.unitShortage,
                    exact.unitShortage, exact.proven ? "" : " (not proven)", r.elapsedMs,
                    exact.seconds);
    }
    std::printf("shortage: plain %d, improved %d, optimum %d; at optimum %d; worst gap %d; "
                "%d not proven\n",
                plain, improved, optimum, atOptimum, worst, unproven);
    EXPECT_LE(10 * (improved - optimum), plain - optimum);
}

} // namespace
