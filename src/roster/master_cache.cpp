#include "roster/master_cache.h"

#include "roster/roster_model.h"
#include "store/code_kind.h"
#include "store/creation_mode.h"
#include "store/database.h"
#include "store/records/code_entry.h"
#include "store/records/daily_requirement.h"
#include "store/records/pattern_row.h"
#include "store/records/shift_definition.h"
#include "store/table.h"
#include "store/text_values.h"

using namespace Qt::Literals::StringLiterals;

namespace {

// Limits the entry screens enforce, so nothing stored is left out here: ten replacement
// entries (the code master refuses an eleventh), and the seven weekdays of a weekday pattern.
// Patterns, their positions and the leave shifts are kept however many there are.
constexpr int MaxWeekdayPositions = 7;
constexpr int MaxReplacementEntries = 10;

struct Figures {
    int minStaff, leaders, teamStaff, teamLeaders, early, late;
};

// Writes one day's figures for one shift. `levelOneStaff` is what goes into figure 1 of the
// group levels: the per-team staff count, except for day-of-month rules, which put the
// minimum staff there.
void writeFigures(RosterModel& m, int day, int shift, const Figures& f, int levelOneStaff) {
    auto& r = m.requirement;
    r.at(Level::Unit, day, shift, Figure::Staff) = f.minStaff;
    r.at(Level::Unit, day, shift, Figure::Leaders) = f.leaders;
    r.at(Level::Unit, day, shift, Figure::TeamStaff) = f.teamStaff;
    r.at(Level::Unit, day, shift, Figure::TeamLeaders) = f.teamLeaders;
    r.at(Level::Unit, day, shift, Figure::Early) = f.early;
    r.at(Level::Unit, day, shift, Figure::Late) = f.late;
    const int levels = m.loaded.grouping == Grouping::Everybody ? 1 : 2;
    for (int level = 1; level <= 2; ++level) {
        const bool used = level <= levels;
        r.at(level, day, shift, Figure::Staff) = used ? levelOneStaff : 0;
        r.at(level, day, shift, Figure::Leaders) = used ? f.teamLeaders : 0;
        r.at(level, day, shift, Figure::TeamStaff) = used ? f.teamStaff : 0;
        r.at(level, day, shift, Figure::TeamLeaders) = used ? f.teamLeaders : 0;
    }
}

// Days 1..31 of the period up to the first day without a date.
int lastDatedDay(const RosterModel& m) {
    int d = 0;
    while (d < RosterBounds::MaxPeriodDay && !m.day(d + 1).date.isEmpty())
        ++d;
    return d;
}

int weekdaySundayFirst(const QString& date) {
    const QDate d = TextValues::parseDateText(date);
    return d.isValid() ? d.dayOfWeek() % 7 + 1 : 0;
}

int dayOfMonth(const QString& date) {
    const QDate d = TextValues::parseDateText(date);
    return d.isValid() ? d.day() : 0;
}

QString timeText(const QString& stored) {
    return TextValues::normaliseTime(stored).value_or(stored);
}

void applyRequirementRows(Database& db, RosterModel& m, int kind) {
    const int last = lastDatedDay(m);
    for (const DailyRequirement& r : DailyRequirement::loadKind(db, kind)) {
        const int s = m.cache.workShiftIndex(r.shiftAbbrev);
        if (s <= 0)
            continue;
        const Figures f{r.minStaff,    r.leaders,    r.teamStaff,
                        r.teamLeaders, r.earlyStaff, r.lateStaff};
        for (int d = 1; d <= last; ++d) {
            const QString& date = m.day(d).date;
            const bool hit =
                kind == 1 ? weekdaySundayFirst(date) == r.day : dayOfMonth(date) == r.day;
            if (hit)
                writeFigures(m, d, s, f, kind == 1 ? f.teamStaff : f.minStaff);
        }
    }
}

} // namespace

void LoadShiftSettings(Database& db, RosterModel& m) {
    auto abbrev = [&db](int kind, int no) {
        const std::optional<CodeEntry> code = CodeEntry::load(db, kind, no);
        return code ? code->abbrev : QString();
    };
    m.cache.noShiftWorkShift = abbrev(CodeKind::FixedShifts, CodeKind::NoShiftWorkShiftNo);
    m.cache.restShift = abbrev(CodeKind::FixedShifts, CodeKind::RestShiftNo);
    m.cache.refShift = abbrev(CodeKind::ReferenceShift, CodeKind::SettingNo);
}

void LoadReplacementOrder(Database& db, RosterModel& m) {
    for (const CodeEntry& code : CodeEntry::loadKind(db, CodeKind::ReplacementOrder))
        if (static_cast<int>(m.cache.replacementOrder.size()) < MaxReplacementEntries)
            m.cache.replacementOrder.push_back(code.abbrev);
}

void LoadPatternTables(Database& db, RosterModel& m) {
    auto& patterns = m.cache.patterns;
    Table t(db, PatternRow::table);
    t.setIndex(PatternRow::Index::key);
    t.seek(Seek::GreaterEqual, {1, 0, 0});
    // Rows come in key order: a pattern's header (position 0), then its positions in order.
    for (; !t.eof(); t.moveNext()) {
        const PatternRow row = PatternRow::fromRow(t);
        if (row.kind < 1 || row.kind > 5)
            continue;
        auto& list = patterns[static_cast<size_t>(row.kind)];
        if (row.position == 0) {
            list.push_back(Pattern{});
            list.back().no = row.no;
            continue;
        }
        // Positions of a pattern whose header is missing belong to no pattern.
        if (list.empty() || list.back().no != row.no)
            continue;
        Pattern& p = list.back();
        if (row.kind != 5 || p.length() < MaxWeekdayPositions)
            p.shifts.push_back(row.shiftAbbrev);
    }
    // Pair each base pattern with the mandatory pattern of the same ordinal.
    const auto& mandatory = patterns[4];
    for (size_t p = 0; p < patterns[1].size(); ++p) {
        Pattern& base = patterns[1][p];
        if (base.shifts.empty())
            break;
        const QString first = p < mandatory.size() && !mandatory[p].shifts.empty()
                                  ? mandatory[p].shifts.front()
                                  : QString();
        const int mandatoryLength = p < mandatory.size() ? mandatory[p].length() : 0;
        int j = 0;
        for (int pos = 1; pos <= base.length() && !first.isEmpty(); ++pos)
            if (base.shifts[static_cast<size_t>(pos - 1)] == first) {
                j = pos;
                break;
            }
        base.mandatoryStart = j;
        base.basePassed = j > 0 ? j - 1 : 0;
        base.mandatoryEnd = mandatoryLength + j;
        base.baseRemainder = base.length() - j - mandatoryLength + 1;
    }
}

void LoadShiftTable(Database& db, RosterModel& m) {
    Table t(db, ShiftDefinition::table);
    t.setIndex(ShiftDefinition::Index::byWorking);
    for (t.moveFirst(); !t.eof(); t.moveNext()) {
        const ShiftDefinition s = ShiftDefinition::fromRow(t);
        if (s.working == 1) {
            if (static_cast<int>(m.cache.workShifts.size()) < RosterBounds::MaxWorkShifts) {
                WorkShiftInfo w;
                w.abbrev = s.abbrev;
                w.shortageFlag = s.shortageFlag;
                w.restWorkKind = s.restWorkKind;
                w.paidFlag = s.paidFlag;
                w.minStaff = s.minStaff;
                w.leaders = s.leaders;
                w.teamStaff = s.teamStaff;
                w.teamLeaders = s.teamLeaders;
                w.earlyKind = s.earlyKind;
                w.earlyStaff = s.earlyStaff;
                w.lateStaff = s.lateStaff;
                w.max = s.max;
                if (w.restWorkKind == 0) {
                    w.start = timeText(s.start);
                    w.end = timeText(s.end);
                }
                if (w.earlyKind == 1 || w.earlyKind == 2) {
                    w.earlyStart = timeText(s.earlyStart);
                    w.earlyEnd = timeText(s.earlyEnd);
                }
                if (w.earlyKind == 1 || w.earlyKind == 3) {
                    w.lateStart = timeText(s.lateStart);
                    w.lateEnd = timeText(s.lateEnd);
                }
                m.cache.workShifts.push_back(w);
            }
        } else {
            LeaveShiftInfo l{s.abbrev, s.restWorkKind, s.paidFlag, s.shortageFlag};
            if (l.paidFlag == 1)
                m.cache.paidLeaveAbbrev = l.abbrev;
            m.cache.leaveShifts.push_back(l);
        }
    }
}

void InitRequirementMatrix(RosterModel& m) {
    const int last = lastDatedDay(m);
    for (int d = 1; d <= last; ++d)
        for (int s = 1; s <= static_cast<int>(m.cache.workShifts.size()); ++s) {
            const WorkShiftInfo& w = m.cache.workShift(s);
            if (w.abbrev.isEmpty())
                break;
            writeFigures(
                m, d, s,
                {w.minStaff, w.leaders, w.teamStaff, w.teamLeaders, w.earlyStaff, w.lateStaff},
                w.teamStaff);
        }
}

void ApplyWeekdayRequirements(Database& db, RosterModel& m) {
    applyRequirementRows(db, m, 1);
}

void ApplyDateRequirements(Database& db, RosterModel& m) {
    applyRequirementRows(db, m, 2);
}

void ClearHolidayRequirements(RosterModel& m) {
    const int last = lastDatedDay(m);
    for (int d = 1; d <= last; ++d)
        if (m.day(d).holidayFlag == 1)
            m.requirement.clearDays(d, d);
}

void MapReplacementOrder(RosterModel& m) {
    m.cache.replacementIndex.clear();
    for (const QString& abbrev : m.cache.replacementOrder) {
        if (abbrev.isEmpty())
            break;
        m.cache.replacementIndex.push_back(m.cache.workShiftIndex(abbrev));
    }
}

void LoadMasterCache(Database& db, RosterModel& m) {
    m.cache = MasterCache{};
    m.requirement.clear();
    Database::Transaction read(db, Database::Transaction::Kind::Read);
    LoadShiftSettings(db, m);
    LoadReplacementOrder(db, m);
    LoadPatternTables(db, m);
    LoadShiftTable(db, m);
    InitRequirementMatrix(m);
    ApplyWeekdayRequirements(db, m);
    ApplyDateRequirements(db, m);
    ClearHolidayRequirements(m);
    MapReplacementOrder(m);
    const CreationMode mode = ReadCreationModeSetting(db);
    m.cache.creationModeA = mode.a;
    m.cache.creationModeB = mode.b;
    read.commit();
}
