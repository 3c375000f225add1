#include "support/roster_rule_checker.h"

#include "roster/roster_model.h"
#include "roster/tallies.h"

#include <algorithm>
#include <map>
#include <memory>
#include <set>
#include <tuple>

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

QString who(const Person& p) {
    return p.no;
}

std::vector<const Person*> everybody(const RosterModel& m) {
    std::vector<const Person*> all;
    for (const auto& g : m.groups)
        for (const Person& p : g)
            all.push_back(&p);
    return all;
}

bool working(const RosterModel& m, const QString& s) {
    if (s.isEmpty() || s == m.cache.restShift)
        return false;
    return std::any_of(m.cache.workShifts.begin(), m.cache.workShifts.end(),
                       [&](const WorkShiftInfo& w) { return w.abbrev == s; });
}

// Days of a run laid over the calendar: closed and unavailable days are stepped over.
bool steppedOver(const RosterModel& m, const Person& p, int d) {
    return (d >= 1 && m.isClosed(d)) || p.cell(d).unavailable == 1;
}

// Cells holding one of the run's working shifts that no whole placement of the run accounts
// for. A placement takes the run's shifts on consecutive days, closed and unavailable days
// stepped over; one cut off by the first lead day or by the period's end is whole as far as it
// goes. The rest shift is also an ordinary day off and needs no run around it.
std::set<std::pair<int, QString>> fragments(const RosterModel& m, const Person& p) {
    std::set<std::pair<int, QString>> out;
    if (m.cache.patterns[4].empty())
        return out;
    const std::vector<QString>& run = m.cache.patterns[4].front().shifts;
    const int length = static_cast<int>(run.size());
    std::vector<int> days;
    for (int d = First; d <= m.lastDay(); ++d)
        if (!steppedOver(m, p, d))
            days.push_back(d);
    const int n = static_cast<int>(days.size());
    const auto wholeFrom = [&](int start) {
        for (int k = 0; k < length; ++k) {
            const int j = start + k;
            if (j >= n)
                return true;
            if (j >= 0 &&
                shiftOf(m, p, days[static_cast<size_t>(j)]) != run[static_cast<size_t>(k)])
                return false;
        }
        return true;
    };
    for (int j = 0; j < n; ++j) {
        const QString s = shiftOf(m, p, days[static_cast<size_t>(j)]);
        if (s.isEmpty() || s == m.cache.restShift)
            continue;
        bool whole = false, inRun = false;
        for (int k = 0; k < length && !whole; ++k)
            if (run[static_cast<size_t>(k)] == s) {
                inRun = true;
                whole = wholeFrom(j - k);
            }
        if (inRun && !whole)
            out.insert({days[static_cast<size_t>(j)], s});
    }
    return out;
}

// How a run may lie and still be whole. Generation lays a run around requests, from a request
// on a closed day too, stepping over requested days and days an earlier run took, and may leave
// a request where the run's closing rest day would go.
struct RunLeniency {
    bool aroundRequests = false;
};

// Cells holding one of the run's working shifts that no run as generation lays it accounts for.
std::set<std::pair<int, QString>> generatedFragments(const RosterModel& m, const Person& p,
                                                     RunLeniency lenient) {
    std::set<std::pair<int, QString>> out;
    if (m.cache.patterns[4].empty())
        return out;
    const std::vector<QString>& run = m.cache.patterns[4].front().shifts;
    size_t needed = run.size();
    if (lenient.aroundRequests)
        while (needed > 1 && run[needed - 1] == m.cache.restShift)
            --needed;
    std::set<int> covered;
    for (int d = First; d <= Last; ++d) {
        // A request starts its run even on a closed day.
        const bool requested = lenient.aroundRequests && p.cell(d).requestShift == run.front();
        if (shiftOf(m, p, d) != run.front() && !requested)
            continue;
        std::vector<int> days{d};
        for (int e = d + 1; e <= Last && days.size() < run.size(); ++e) {
            // A run laid from a request goes on past days already taken, by another request or
            // by the run of an earlier request.
            const bool taken = !p.cell(e).requestShift.isEmpty() || covered.count(e) > 0;
            if (steppedOver(m, p, e) || (lenient.aroundRequests && taken))
                continue;
            if (shiftOf(m, p, e) != run[days.size()])
                break;
            days.push_back(e);
        }
        // A run cut off by the end of the model is whole as far as the model goes.
        if (days.size() >= needed || days.back() + 1 > Last)
            covered.insert(days.begin(), days.end());
    }
    for (int d = First; d <= Last; ++d) {
        const QString s = shiftOf(m, p, d);
        if (s.isEmpty() || s == m.cache.restShift || covered.count(d))
            continue;
        if (std::find(run.begin(), run.end(), s) != run.end())
            out.insert({d, s});
    }
    return out;
}

// A day the shift assignment pass may leave on its own: it lies on the line of days before a
// requested shift of the run, at the run position that makes it lead up to the request. The run
// is built backward from the request one day per position, so an earlier position whose day was
// taken is simply missing.
bool beforeARequest(const RosterModel& m, const Person& p, int d, const QString& shift) {
    const std::vector<QString>& run = m.cache.patterns[4].front().shifts;
    const int n = static_cast<int>(run.size());
    for (int r = d + 1; r <= std::min(Last, d + n - 1); ++r) {
        const QString& asked = p.cell(r).requestShift;
        const auto at = std::find(run.begin(), run.end(), asked);
        if (asked.isEmpty() || at == run.end())
            continue;
        const int position = static_cast<int>(at - run.begin()) - (r - d);
        if (position >= 0 && run[static_cast<size_t>(position)] == shift)
            return true;
    }
    return false;
}

std::set<std::pair<int, int>> prohibitedAt(const RosterModel& m, const Person& p) {
    std::set<std::pair<int, int>> out;
    for (const Pattern& pattern : m.cache.patterns[2]) {
        const int n = pattern.length();
        if (n == 0)
            continue;
        for (int start = First; start + n - 1 <= Last; ++start) {
            bool match = true;
            for (int k = 0; k < n && match; ++k)
                match = shiftOf(m, p, start + k) == pattern.shifts[static_cast<size_t>(k)];
            if (match)
                out.insert({pattern.no, start});
        }
    }
    return out;
}

std::map<QString, int> shiftCounts(const RosterModel& m, const Person& p) {
    std::map<QString, int> n;
    for (int d = 1; d <= m.lastDay(); ++d)
        if (!m.isClosed(d))
            ++n[shiftOf(m, p, d)];
    return n;
}

int longestWorkingRun(const RosterModel& m, const Person& p) {
    int longest = 0, run = 0;
    for (int d = First; d <= m.lastDay(); ++d) {
        run = working(m, shiftOf(m, p, d)) ? run + 1 : 0;
        if (d >= 1)
            longest = std::max(longest, run);
    }
    return longest;
}

// People short of the night shift (the run's first shift) per (level, day), counted from the
// cells.
std::map<std::pair<int, int>, int> nightShortage(const RosterModel& m) {
    std::map<std::pair<int, int>, int> out;
    if (m.cache.patterns[4].empty() || m.cache.patterns[4].front().shifts.empty())
        return out;
    const QString& night = m.cache.patterns[4].front().shifts.front();
    const int s = m.cache.workShiftIndex(night);
    const int last = std::min(m.lastDay(), RosterBounds::MaxPeriodDay);
    for (int d = 1; d <= last && s != 0; ++d) {
        if (m.isClosed(d))
            continue;
        for (int level = 1; level <= 3; ++level) {
            int people = 0;
            for (int g = 1; g <= 2; ++g)
                if (level == 3 || level == g)
                    for (const Person& p : m.group(g))
                        people += shiftOf(m, p, d) == night ? 1 : 0;
            out[{level, d}] = std::max(0, m.requirement.at(level, d, s, Figure::Staff) - people);
        }
    }
    return out;
}

// Leaders short per (level, day, shift), counted from the cells.
std::map<std::tuple<int, int, QString>, int> leaderShortage(const RosterModel& m) {
    std::map<std::tuple<int, int, QString>, int> out;
    const int last = std::min(m.lastDay(), RosterBounds::MaxPeriodDay);
    for (int d = 1; d <= last; ++d) {
        if (m.isClosed(d))
            continue;
        for (int s = 1; s <= m.cache.workShiftCount(); ++s) {
            const QString& abbrev = m.cache.workShift(s).abbrev;
            for (int level = 1; level <= 3; ++level) {
                int leaders = 0;
                for (int g = 1; g <= 2; ++g)
                    if (level == 3 || level == g)
                        for (const Person& p : m.group(g))
                            leaders += p.leader == 1 && shiftOf(m, p, d) == abbrev ? 1 : 0;
                out[{level, d, abbrev}] =
                    std::max(0, m.requirement.at(level, d, s, Figure::Leaders) - leaders);
            }
        }
    }
    return out;
}

bool sameCell(const Cell& a, const Cell& b) {
    return a.shift == b.shift && a.early == b.early && a.actualShift == b.actualShift &&
           a.actualEarly == b.actualEarly && a.requestShift == b.requestShift &&
           a.requestKind == b.requestKind && a.unavailable == b.unavailable;
}

} // namespace

QStringList CheckRosterRules(const RosterModel& before, const RosterModel& after,
                             int restInterval) {
    QStringList v;
    const auto people0 = everybody(before);
    const auto people1 = everybody(after);
    if (people0.size() != people1.size())
        return {u"the staff differ"_s};
    const int last = std::min(before.lastDay(), RosterBounds::MaxPeriodDay);

    for (size_t i = 0; i < people0.size(); ++i) {
        const Person& a = *people0[i];
        const Person& b = *people1[i];
        if (a.no != b.no) {
            v << u"staff order differs at %1"_s.arg(i);
            continue;
        }
        for (int d = First; d <= Last; ++d) {
            const Cell& ca = a.cell(d);
            const Cell& cb = b.cell(d);
            if (sameCell(ca, cb))
                continue;
            const bool open = d >= 1 && d <= last && !before.isClosed(d) &&
                              ca.requestShift.isEmpty() && ca.unavailable != 1 && a.shiftType == 1;
            const bool onlyShift =
                ca.actualShift == cb.actualShift && ca.actualEarly == cb.actualEarly &&
                ca.requestShift == cb.requestShift && ca.requestKind == cb.requestKind &&
                ca.unavailable == cb.unavailable;
            if (!open || !onlyShift)
                v << u"%1 day %2: a cell that must stay was changed"_s.arg(who(a)).arg(d);
            else if (ca.shift == cb.shift)
                v << u"%1 day %2: mark changed on an unchanged cell"_s.arg(who(a)).arg(d);
            else if (cb.early != 0)
                v << u"%1 day %2: changed cell kept its mark"_s.arg(who(a)).arg(d);
        }

        const auto frag0 = fragments(before, a);
        for (const auto& f : fragments(after, b))
            if (!frag0.count(f))
                v << u"%1 day %2: %3 outside a whole run"_s.arg(who(a)).arg(f.first).arg(f.second);

        const auto prohibited0 = prohibitedAt(before, a);
        for (const auto& f : prohibitedAt(after, b))
            if (!prohibited0.count(f))
                v << u"%1 day %2: prohibited pattern %3"_s.arg(who(a)).arg(f.second).arg(f.first);

        const auto count0 = shiftCounts(before, a);
        const auto count1 = shiftCounts(after, b);
        const auto countOf = [](const std::map<QString, int>& c, const QString& s) {
            const auto it = c.find(s);
            return it == c.end() ? 0 : it->second;
        };
        for (const WorkShiftInfo& w : after.cache.workShifts) {
            const int n0 = countOf(count0, w.abbrev), n1 = countOf(count1, w.abbrev);
            if (n1 > n0 && n1 > w.max)
                v << u"%1: %2 x%3 above its maximum %4"_s.arg(who(a), w.abbrev).arg(n1).arg(w.max);
        }
        const QString& rest = after.cache.restShift;
        if (countOf(count1, rest) < countOf(count0, rest))
            v << u"%1: rest days %2 below %3"_s.arg(who(a))
                     .arg(countOf(count1, rest))
                     .arg(countOf(count0, rest));

        const int run0 = longestWorkingRun(before, a), run1 = longestWorkingRun(after, b);
        if (run1 > run0 || (run0 <= restInterval && run1 > restInterval))
            v << u"%1: working run %2 longer than %3"_s.arg(who(a)).arg(run1).arg(run0);
    }

    const auto leaders0 = leaderShortage(before);
    for (const auto& [key, n] : leaderShortage(after))
        if (n > leaders0.at(key))
            v << u"day %1 %2 level %3: leaders short %4, was %5"_s.arg(std::get<1>(key))
                     .arg(std::get<2>(key))
                     .arg(std::get<0>(key))
                     .arg(n)
                     .arg(leaders0.at(key));

    const auto nights0 = nightShortage(before);
    for (const auto& [key, n] : nightShortage(after))
        if (n > nights0.at(key))
            v << u"day %1 level %2: night short %3, was %4"_s.arg(key.second)
                     .arg(key.first)
                     .arg(n)
                     .arg(nights0.at(key));

    // The tallies must be those of the cells.
    auto recount = std::make_unique<RosterModel>(after);
    TallyAll(*recount);
    for (int level = 1; level <= 3; ++level)
        for (int d = 1; d <= RosterBounds::MaxPeriodDay; ++d)
            for (int s = 1; s <= RosterBounds::MaxWorkShifts; ++s)
                for (const Figure f : AllFigures)
                    if (recount->assigned.at(level, d, s, f) != after.assigned.at(level, d, s, f))
                        v << u"day %1 shift %2 level %3: count not current"_s.arg(d).arg(s).arg(
                            level);
    const auto recounted = everybody(*recount);
    for (size_t i = 0; i < people1.size(); ++i)
        if (recounted[i]->count != people1[i]->count)
            v << u"%1: per-person counts not current"_s.arg(who(*people1[i]));
    return v;
}

QStringList CheckGeneratedRuns(const RosterModel& generated) {
    QStringList v;
    if (generated.cache.patterns[4].empty())
        return v;
    const int last = std::min(generated.lastDay(), RosterBounds::MaxPeriodDay);
    for (const Person* p : everybody(generated))
        for (const auto& [d, shift] : generatedFragments(generated, *p, {.aroundRequests = true})) {
            const Cell& c = p->cell(d);
            // Lead days and requests are what the generation started from.
            if (d < 1 || d > last || !c.requestShift.isEmpty() || c.shift.isEmpty())
                continue;
            if (!beforeARequest(generated, *p, d, shift))
                v << u"%1 day %2: %3 outside a whole run"_s.arg(who(*p)).arg(d).arg(shift);
        }
    return v;
}
