#include "support/exact_roster_model.h"

#include "roster/generation.h"
#include "roster/improvement_pass.h"
#include "roster/roster_model.h"
#include "roster/roster_objective.h"
#include "roster/tallies.h"
#include "store/database.h"
#include "store/startup_settings.h"
#include "support/roster_rule_checker.h"
#include "support/varied_workplace.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <cstdio>
#include <map>
#include <set>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int First = RosterBounds::FirstDay;
constexpr int Last = RosterBounds::LastDay;

QString shiftOf(const RosterModel& m, const Person& p, int d) {
    if (d >= 1 && m.isClosed(d))
        return {};
    const Cell& c = p.cell(d);
    if (!c.actualShift.isEmpty())
        return c.actualShift;
    return c.requestShift.isEmpty() ? c.shift : c.requestShift;
}

struct Term {
    QString var;
    int coef = 1;
};

// A linear expression: the terms over variables plus a constant.
struct Expr {
    std::vector<Term> terms;
    int constant = 0;
};

class Builder final {
public:
    Builder(const RosterModel& m, int restInterval) : m_(m), restInterval_(restInterval) {
        shifts_ = m.cache.workShiftCount();
        rest_ = m.cache.workShiftIndex(m.cache.restShift);
        last_ = std::min(m.lastDay(), RosterBounds::MaxPeriodDay);
        for (int g = 1; g <= 2; ++g)
            for (int slot = 1; slot <= m.groupCount(g); ++slot) {
                people_.push_back(&m.person(g, slot));
                groups_.push_back(g);
                slots_.push_back(slot);
            }
        if (!m.cache.patterns[4].empty())
            run_ = m.cache.patterns[4].front().shifts;
    }

    QString lp();
    // The editable cells' shifts in the solution, to be written into a copy of the model.
    void apply(const std::map<QString, double>& values, RosterModel& out) const;

private:
    bool editable(size_t i, int d) const {
        const Person& p = *people_[i];
        const Cell& c = p.cell(d);
        return p.shiftType == 1 && d >= 1 && d <= last_ && !m_.isClosed(d) &&
               c.requestShift.isEmpty() && c.actualShift.isEmpty() && c.unavailable != 1 &&
               m_.cache.workShiftIndex(c.shift) != 0;
    }
    QString x(size_t i, int d, int s) const { return u"x%1_%2_%3"_s.arg(i).arg(d).arg(s); }
    bool working(int s) const { return s != 0 && s != rest_; }
    // 1 when the cell holds shift s, as an expression.
    Expr holds(size_t i, int d, int s) const {
        if (editable(i, d))
            return {{{x(i, d, s), 1}}, 0};
        return {{}, m_.cache.workShiftIndex(shiftOf(m_, *people_[i], d)) == s && s != 0 ? 1 : 0};
    }
    void add(Expr& into, const Expr& e, int sign = 1) const {
        for (const Term& t : e.terms)
            into.terms.push_back({t.var, t.coef * sign});
        into.constant += e.constant * sign;
    }
    // expr (sense) rhs, the constant moved to the right.
    void row(const Expr& e, const char* sense, int rhs) {
        if (e.terms.empty())
            return;
        QString line = u" r%1:"_s.arg(rows_++);
        int n = 0;
        for (const Term& t : e.terms) {
            line +=
                (t.coef < 0 ? u" - "_s : u" + "_s) +
                (std::abs(t.coef) == 1 ? QString() : QString::number(std::abs(t.coef)) + u" "_s) +
                t.var;
            if (++n % 8 == 0)
                line += u"\n"_s;
        }
        out_ << line << u" "_s << QString::fromLatin1(sense) << u" "_s << (rhs - e.constant)
             << u"\n"_s;
    }

    void cells();
    void counts(size_t i);
    void workingRuns(size_t i);
    void prohibited(size_t i);
    void runs(size_t i);
    void days();

    const RosterModel& m_;
    int restInterval_ = 0;
    int shifts_ = 0, rest_ = 0, last_ = 0, rows_ = 0;
    std::vector<const Person*> people_;
    std::vector<int> groups_, slots_;
    std::vector<QString> run_;
    QString text_;
    QTextStream out_{&text_};
    std::vector<QString> binaries_;
    QString objective_;
};

void Builder::cells() {
    for (size_t i = 0; i < people_.size(); ++i)
        for (int d = 1; d <= last_; ++d) {
            if (!editable(i, d))
                continue;
            Expr one;
            for (int s = 1; s <= shifts_; ++s) {
                one.terms.push_back({x(i, d, s), 1});
                binaries_.push_back(x(i, d, s));
            }
            row(one, "=", 1);
        }
}

// A shift's maximum over the period's days (or the count the person already had), and the
// rest days the person had.
void Builder::counts(size_t i) {
    const Person& p = *people_[i];
    for (int s = 1; s <= shifts_; ++s) {
        Expr n;
        int before = 0;
        for (int d = 1; d <= m_.lastDay(); ++d) {
            if (m_.isClosed(d))
                continue;
            add(n, holds(i, d, s));
            before += m_.cache.workShiftIndex(shiftOf(m_, p, d)) == s ? 1 : 0;
        }
        row(n, "<=", std::max(before, m_.cache.workShift(s).max));
        if (s == rest_)
            row(n, ">=", before);
    }
}

// No stretch of working days longer than the longest the person had (nor past the rest
// interval when that was kept).
void Builder::workingRuns(size_t i) {
    const Person& p = *people_[i];
    const auto workingDay = [&](int d) {
        const QString s = shiftOf(m_, p, d);
        return !s.isEmpty() && working(m_.cache.workShiftIndex(s));
    };
    int longest = 0, current = 0;
    for (int d = First; d <= m_.lastDay(); ++d) {
        current = workingDay(d) ? current + 1 : 0;
        if (d >= 1)
            longest = std::max(longest, current);
    }
    const int cap = longest <= restInterval_ ? std::min(longest, restInterval_) : longest;
    for (int a = std::max(First, 1 - cap); a + cap <= m_.lastDay(); ++a) {
        Expr w;
        bool open = false;
        for (int d = a; d <= a + cap; ++d) {
            open = open || editable(i, d);
            for (int s = 1; s <= shifts_; ++s)
                if (working(s))
                    add(w, holds(i, d, s));
        }
        if (open)
            row(w, "<=", cap);
    }
}

void Builder::prohibited(size_t i) {
    const Person& p = *people_[i];
    for (const Pattern& pattern : m_.cache.patterns[2]) {
        const int n = pattern.length();
        for (int start = First; n > 0 && start + n - 1 <= Last; ++start) {
            Expr e;
            bool possible = true, open = false, before = true;
            for (int k = 0; k < n && possible; ++k) {
                const int d = start + k;
                const QString& want = pattern.shifts[static_cast<size_t>(k)];
                before = before && shiftOf(m_, p, d) == want;
                if (editable(i, d)) {
                    const int s = m_.cache.workShiftIndex(want);
                    possible = s != 0;
                    open = true;
                    if (possible)
                        e.terms.push_back({x(i, d, s), 1});
                } else {
                    possible = shiftOf(m_, p, d) == want;
                }
            }
            if (possible && open && !before)
                row(e, "<=", static_cast<int>(e.terms.size()) - 1);
        }
    }
}

// Every day that holds one of the run's working shifts lies in a whole placement of the run
// (closed and unavailable days stepped over, a placement cut off by the first lead day or the
// period's end whole as far as it goes); a day the generation left outside any run may stay so.
void Builder::runs(size_t i) {
    if (run_.empty())
        return;
    const Person& p = *people_[i];
    const int length = static_cast<int>(run_.size());
    std::vector<int> seq;
    for (int d = First; d <= m_.lastDay(); ++d)
        if (!((d >= 1 && m_.isClosed(d)) || p.cell(d).unavailable == 1))
            seq.push_back(d);
    const int n = static_cast<int>(seq.size());
    // Per position in seq and shift, the placements that put that shift there.
    std::map<std::pair<int, QString>, Expr> cover;
    std::set<std::pair<int, QString>> always;
    std::set<int> wasCovered;
    for (int start = 1 - length; start < n; ++start) {
        bool whole = true;
        for (int k = 0; k < length && start + k < n && whole; ++k)
            whole = start + k < 0 || shiftOf(m_, p, seq[static_cast<size_t>(start + k)]) ==
                                         run_[static_cast<size_t>(k)];
        for (int k = 0; k < length && start + k < n && whole; ++k)
            wasCovered.insert(start + k);
    }
    for (int start = 1 - length; start < n; ++start) {
        bool possible = true, open = false;
        const QString y = u"y%1_%2"_s.arg(i).arg(start + length);
        std::vector<std::pair<int, int>> places; // (position, run index)
        for (int k = 0; k < length && start + k < n && possible; ++k) {
            if (start + k < 0)
                continue;
            const int d = seq[static_cast<size_t>(start + k)];
            const QString& want = run_[static_cast<size_t>(k)];
            if (editable(i, d))
                open = true;
            else
                possible = shiftOf(m_, p, d) == want;
            places.emplace_back(start + k, k);
        }
        if (!possible)
            continue;
        for (const auto& [j, k] : places) {
            const QString& want = run_[static_cast<size_t>(k)];
            if (!open) {
                always.insert({j, want});
                continue;
            }
            if (editable(i, seq[static_cast<size_t>(j)]))
                row({{{y, 1},
                      {x(i, seq[static_cast<size_t>(j)], m_.cache.workShiftIndex(want)), -1}},
                     0},
                    "<=", 0);
            cover[{j, want}].terms.push_back({y, 1});
        }
        if (open)
            binaries_.push_back(y);
    }
    std::set<QString> runShifts(run_.begin(), run_.end());
    runShifts.erase(m_.cache.restShift);
    for (int j = 0; j < n; ++j) {
        const int d = seq[static_cast<size_t>(j)];
        const bool fragment = !wasCovered.count(j);
        for (const QString& s : runShifts) {
            if (always.count({j, s}) || (fragment && shiftOf(m_, p, d) == s))
                continue;
            Expr e = cover[{j, s}];
            if (editable(i, d)) {
                e.terms.push_back({x(i, d, m_.cache.workShiftIndex(s)), -1});
                row(e, ">=", 0);
            } else if (shiftOf(m_, p, d) == s) {
                // Held before by a run that needs open cells: one of those runs must stay.
                row(e, ">=", 1);
            }
        }
    }
}

// Whole-unit shortage in the objective; leaders and the night never shorter than before.
void Builder::days() {
    const QString night = run_.empty() ? QString() : run_.front();
    for (int d = 1; d <= last_; ++d) {
        if (m_.isClosed(d))
            continue;
        for (int s = 1; s <= shifts_; ++s) {
            for (int level = 1; level <= 3; ++level) {
                Expr all, leaders;
                int all0 = 0, leaders0 = 0;
                for (size_t i = 0; i < people_.size(); ++i) {
                    if (level != 3 && groups_[i] != level)
                        continue;
                    const Expr h = holds(i, d, s);
                    const int had =
                        m_.cache.workShiftIndex(shiftOf(m_, *people_[i], d)) == s ? 1 : 0;
                    add(all, h);
                    all0 += had;
                    if (people_[i]->leader == 1) {
                        add(leaders, h);
                        leaders0 += had;
                    }
                }
                const int needLeaders = m_.requirement.at(level, d, s, Figure::Leaders);
                row(leaders, ">=", std::min(needLeaders, leaders0));
                const int need = m_.requirement.at(level, d, s, Figure::Staff);
                if (s == m_.cache.workShiftIndex(night))
                    row(all, ">=", std::min(need, all0));
                if (level != 3 || m_.cache.workShift(s).shortageFlag != 1 || need <= 0)
                    continue;
                const QString u = u"u%1_%2"_s.arg(d).arg(s);
                objective_ +=
                    u" + "_s + u + (objective_.count(u'+') % 8 == 7 ? u"\n"_s : QString());
                all.terms.push_back({u, 1});
                row(all, ">=", need);
            }
        }
    }
}

QString Builder::lp() {
    cells();
    for (size_t i = 0; i < people_.size(); ++i) {
        if (people_[i]->shiftType != 1)
            continue;
        counts(i);
        workingRuns(i);
        prohibited(i);
        runs(i);
    }
    days();
    QString all = u"Minimize\n obj: dummy"_s + objective_ + u"\nSubject To\n"_s + text_ +
                  u" fix: dummy = 0\nBinaries\n"_s;
    for (size_t k = 0; k < binaries_.size(); ++k)
        all += binaries_[k] + (k % 10 == 9 ? u"\n"_s : u" "_s);
    return all + u"\nEnd\n"_s;
}

void Builder::apply(const std::map<QString, double>& values, RosterModel& out) const {
    for (size_t i = 0; i < people_.size(); ++i)
        for (int d = 1; d <= last_; ++d) {
            if (!editable(i, d))
                continue;
            for (int s = 1; s <= shifts_; ++s) {
                const auto it = values.find(x(i, d, s));
                if (it == values.end() || it->second < 0.5)
                    continue;
                Cell& c = out.person(groups_[i], slots_[i]).cell(d);
                const QString abbrev = m_.cache.workShift(s).abbrev;
                if (c.shift != abbrev) {
                    c.shift = abbrev;
                    c.early = 0;
                }
            }
        }
    TallyAll(out);
}

} // namespace

bool ExactSolverAvailable() {
    return !QStandardPaths::findExecutable(u"cbc"_s).isEmpty();
}

ExactOptimum SolveExactly(const RosterModel& generated, int restInterval, int timeLimitSeconds) {
    ExactOptimum r;
    QElapsedTimer clock;
    clock.start();
    QTemporaryDir dir;
    Builder builder(generated, restInterval);
    const QString model = dir.filePath(u"roster.lp"_s), solution = dir.filePath(u"roster.sol"_s);
    {
        QFile f(model);
        if (!f.open(QIODevice::WriteOnly)) {
            r.error = u"cannot write "_s + model;
            return r;
        }
        f.write(builder.lp().toUtf8());
    }
    QProcess cbc;
    cbc.start(u"cbc"_s, {model, u"sec"_s, QString::number(timeLimitSeconds), u"threads"_s, u"1"_s,
                         u"solve"_s, u"solu"_s, solution});
    if (!cbc.waitForFinished(1000 * (timeLimitSeconds + 60))) {
        r.error = u"cbc did not finish"_s;
        return r;
    }
    QFile f(solution);
    if (!f.open(QIODevice::ReadOnly)) {
        r.error = u"no solution: "_s + QString::fromUtf8(cbc.readAllStandardOutput().right(400));
        return r;
    }
    const QString status = QString::fromUtf8(f.readLine());
    std::map<QString, double> values;
    static const QRegularExpression line(u"^\\s*\\d+\\s+(\\S+)\\s+(\\S+)"_s);
    while (!f.atEnd()) {
        const auto match = line.match(QString::fromUtf8(f.readLine()));
        if (match.hasMatch())
            values[match.captured(1)] = match.captured(2).toDouble();
    }
    r.proven = status.startsWith(u"Optimal"_s);
    r.solved = status.contains(u"objective value"_s);
    if (!r.solved) {
        r.error = status.trimmed();
        return r;
    }
    r.roster = std::make_unique<RosterModel>(generated);
    builder.apply(values, *r.roster);
    r.unitShortage = MeasureObjective(*r.roster).unitShortage;
    r.seconds = static_cast<double>(clock.elapsed()) / 1000.0;
    return r;
}

OptimumComparison CompareWithOptimum(int workplaces, int timeLimitSeconds, bool trace) {
    OptimumComparison c;
    for (int index = 1; index <= workplaces; ++index) {
        QTemporaryDir dir;
        Database db(Database::pathIn(dir.path()), Database::OpenMode::CreateIfMissing);
        const VariedWorkplace::Workplace w = VariedWorkplace::buildOfSet(db, index);
        const auto generated = VariedWorkplace::expand(db, w);
        const StartupSettings settings;
        auto improved = std::make_unique<RosterModel>(*generated);
        const ImprovementResult r = ImproveRoster(*improved);
        const QString where = u"workplace %1: "_s.arg(index);
        for (const QString& v : CheckRosterRules(*generated, *improved, settings.restInterval))
            c.violations << where + v;
        c.worseThanPlain += r.after.unitShortage > r.before.unitShortage ? 1 : 0;
        c.slowestPassMs = std::max(c.slowestPassMs, r.elapsedMs);
        if (r.before.unitShortage == 0)
            continue;
        const ExactOptimum exact =
            SolveExactly(*generated, settings.restInterval, timeLimitSeconds);
        if (!exact.solved) {
            c.violations << where + u"no solution: "_s + exact.error;
            continue;
        }
        for (const QString& v : CheckRosterRules(*generated, *exact.roster, settings.restInterval))
            c.violations << where + u"solver: "_s + v;
        if (exact.unitShortage > r.after.unitShortage)
            c.violations << where + u"the pass beat the solver"_s;
        ++c.shortWorkplaces;
        c.plain += r.before.unitShortage;
        c.improved += r.after.unitShortage;
        c.optimum += exact.unitShortage;
        c.atOptimum += r.after.unitShortage == exact.unitShortage ? 1 : 0;
        c.unproven += exact.proven ? 0 : 1;
        c.worstGap = std::max(c.worstGap, r.after.unitShortage - exact.unitShortage);
        c.slowestSolverSeconds = std::max(c.slowestSolverSeconds, exact.seconds);
        if (trace)
            std::printf(
                "workplace %3d (%2d staff): %3d -> %3d, optimum %3d%s, %.1f ms, cbc %.1f s\n",
                index, w.staff, r.before.unitShortage, r.after.unitShortage, exact.unitShortage,
                exact.proven ? "" : " (not proven)", r.elapsedMs, exact.seconds);
    }
    return c;
}
