#include "store/demo_workplace.h"

#include "store/clock.h"
#include "store/code_kind.h"
#include "store/database.h"
#include "store/db_error.h"
#include "store/fiscal_year.h"
#include "store/holidays.h"
#include "store/records/calendar_day.h"
#include "store/records/code_entry.h"
#include "store/records/creation_unit.h"
#include "store/records/pattern_row.h"
#include "store/records/roster_row.h"
#include "store/records/shift_definition.h"
#include "store/records/shift_request.h"
#include "store/records/staff_member.h"
#include "store/schema.h"
#include "store/table.h"
#include "store/text_values.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <map>
#include <set>

using namespace Qt::Literals::StringLiterals;
using TextValues::dateText;

namespace {

const QString demoFolder = u":/data/demo"_s;

struct Person {
    QString no;
    QDate assigned;
    int shiftType = 0;
    int pattern = 0;
    QString team;
    bool leader = false;
    bool earlyAllowed = false;
};

struct DemoRequest {
    QString staffNo;
    int kind;
    int day;
    QString shift;
    QString remark;
};

void requireEmpty(Database& db) {
    for (const auto& def : Schema::tables()) {
        Table t(db, def.name);
        t.moveFirst();
        if (!t.eof())
            throw DbError(u"「%1」には既にデータがあります。デモデータは空のデータベースにだけ"
                          u"読み込めます。"_s.arg(db.path()));
    }
}

void runScripts(Database& db) {
    const QStringList files = QDir(demoFolder).entryList({u"*.sql"_s}, QDir::Files, QDir::Name);
    if (files.isEmpty())
        throw DbError(u"デモデータ（%1）が見つかりません。"_s.arg(demoFolder));
    for (const auto& name : files) {
        QFile f(demoFolder + u"/"_s + name);
        if (!f.open(QIODevice::ReadOnly))
            throw DbError(u"デモデータ「%1」を読めません。"_s.arg(name));
        db.exec(QString::fromUtf8(f.readAll()));
    }
}

CodeEntry code(Database& db, int kind, int no) {
    return CodeEntry::load(db, kind, no).value_or(CodeEntry{});
}

std::vector<Person> readStaff(Database& db) {
    std::vector<Person> staff;
    Table t(db, StaffMember::table);
    t.setIndex(StaffMember::Index::byDisplayOrder);
    for (t.moveFirst(); !t.eof(); t.moveNext()) {
        const StaffMember s = StaffMember::fromRow(t);
        staff.push_back({s.no, TextValues::parseDateText(s.assignedFrom), s.shiftType,
                         s.fixedPattern, s.team, s.leader == 1, s.earlyAllowed == 1});
    }
    return staff;
}

// Pattern number -> the shifts of its positions in order, for one pattern kind.
std::map<int, QStringList> readPatterns(Database& db, int kind) {
    std::map<int, QStringList> out;
    for (const PatternRow& row : PatternRow::loadKind(db, kind))
        if (row.position > 0)
            out[row.no] << row.shiftAbbrev;
    return out;
}

ShiftDefinition shiftDefinition(Database& db, const QString& abbrev) {
    return ShiftDefinition::load(db, abbrev).value_or(ShiftDefinition{});
}

void addNewcomer(Database& db, const QDate& assigned) {
    StaffMember s;
    s.no = u"2012"_s;
    s.displayOrder = u"024"_s;
    s.name = u"石川 美咲"_s;
    s.kana = u"ｲｼｶﾜ ﾐｻｷ"_s;
    s.address = u"東京都府中市片町1-8-3"_s;
    s.phone = u"042-360-7718"_s;
    s.mobile = u"080-6203-9914"_s;
    s.birthDate = u"2001/05/09"_s;
    s.assignedFrom = dateText(assigned);
    s.category = 1;
    s.sex = 2;
    s.shiftType = 1;
    s.earlyAllowed = 1;
    s.fixedPattern = 1;
    s.team = u"Bチーム"_s;
    s.remark = u"中途採用"_s;
    s.save(db);
}

void addCreatedPeriod(Database& db, const QDate& from, const QDate& to) {
    CreationUnit c;
    c.kind = 2;
    c.unit = 1;
    c.unitCount = 1;
    c.startDay = u"1"_s;
    c.createdFrom = dateText(from);
    c.createdTo = dateText(to);
    c.save(db);
}

// The fiscal year that contains `today`; a start the code master lacks counts as 04/01.
std::pair<QDate, QDate> fiscalYear(Database& db, const QDate& today) {
    const FiscalYear year =
        FiscalYear::containing(FiscalYear::loadStart(db).value_or(FiscalYear::Start{}), today);
    return {year.start, year.end};
}

// The demo is a ward staffed around the clock: national holidays are named on the calendar
// but stay working days (a closed day would send everybody to rest and count nobody).
void addHolidayCalendar(Database& db, const QDate& today) {
    const auto [start, end] = fiscalYear(db, today);
    for (const auto& h : NationalHolidays(start, end))
        CalendarDay{dateText(h.date), 0, h.name}.save(db);
}

// Rows are added through one open table: the file is new, so there is nothing to overwrite.
void addRequest(Table& t, int kind, const QString& staffNo, const QDate& day, const QString& shift,
                int dayOff, const QDate& applied, const QString& remark) {
    ShiftRequest r;
    r.kind = kind;
    r.staffNo = staffNo;
    r.date = dateText(day);
    r.planned = shift;
    r.dayOffFlag = dayOff;
    r.appliedOn = dateText(applied);
    r.remark = remark;
    t.addNew();
    r.writeTo(t);
    t.update();
}

void addRequests(Database& db, const QDate& monthStart) {
    const std::vector<DemoRequest> requests = {
        {u"1007"_s, 2, 3, u"休"_s, u"家族の行事"_s}, {u"1002"_s, 1, 8, u"有"_s, QString()},
        {u"2003"_s, 2, 11, u"休"_s, u"資格試験"_s},  {u"1006"_s, 1, 14, u"有"_s, u"旅行"_s},
        {u"1010"_s, 2, 17, u"休"_s, QString()},      {u"1012"_s, 2, 20, u"休"_s, QString()},
        {u"2005"_s, 1, 21, u"有"_s, QString()},      {u"2008"_s, 1, 24, u"有"_s, u"通院"_s},
        {u"2009"_s, 2, 27, u"日"_s, u"研修参加"_s},
    };
    const QDate applied = monthStart.addMonths(-1).addDays(19);
    Table t(db, ShiftRequest::table);
    for (const auto& r : requests)
        addRequest(t, r.kind, r.staffNo, monthStart.addDays(r.day - 1), r.shift,
                   shiftDefinition(db, r.shift).restWorkKind, applied, r.remark);
}

// Three months of registered roster before `periodStart`: everybody follows their own pattern,
// people without shift work and on the weekday pattern rest at weekends and on holidays, a
// few paid-leave days are taken, and each day's day shift has one early and one late duty.
void addHistory(Database& db, const QDate& periodStart) {
    const QDate from = periodStart.addMonths(-3);
    const QDate to = periodStart.addDays(-1);
    const std::vector<Person> staff = readStaff(db);
    const std::map<int, QStringList> basePatterns = readPatterns(db, 1);
    const std::map<int, QStringList> specificPatterns = readPatterns(db, 3);
    const std::map<int, QStringList> weekdayPatterns = readPatterns(db, 5);
    const QString workDay = code(db, CodeKind::FixedShifts, CodeKind::NoShiftWorkShiftNo).abbrev;
    const QString rest = code(db, CodeKind::FixedShifts, CodeKind::RestShiftNo).abbrev;
    const QString dayShift = code(db, CodeKind::ReferenceShift, CodeKind::SettingNo).abbrev;
    const QString paid = u"有"_s;
    const bool dayShiftHasDuties = shiftDefinition(db, dayShift).earlyKind != 0;
    std::set<QDate> holidays;
    for (const auto& h : NationalHolidays(from, to))
        holidays.insert(h.date);

    // Leaders get distinct starting points in the rotation first, so every position of the
    // pattern (the night shift among them) has a leader on most days.
    std::vector<int> offset(staff.size(), 0);
    int leaders = 0, others = 0;
    for (size_t i = 0; i < staff.size(); ++i)
        if (staff[i].shiftType == 1 || staff[i].shiftType == 3)
            offset[i] = staff[i].leader ? leaders++ : others++;

    Table roster(db, RosterRow::table);
    Table requests(db, ShiftRequest::table);
    std::vector<QDate> leaveMonth(staff.size());
    int dayIndex = 0;
    for (QDate d = from; d <= to; d = d.addDays(1), ++dayIndex) {
        const bool offDay = holidays.contains(d) || d.dayOfWeek() >= Qt::Saturday;
        const int monthIndex = TextValues::diffMonths(from, d);
        std::vector<QString> shift(staff.size());
        std::vector<size_t> dutyCandidates;
        for (size_t i = 0; i < staff.size(); ++i) {
            const Person& p = staff[i];
            if (!p.assigned.isValid() || p.assigned > d)
                continue;
            if (p.shiftType == 1 || p.shiftType == 3) {
                const auto& patterns = p.shiftType == 1 ? basePatterns : specificPatterns;
                const auto found = patterns.find(p.pattern);
                if (found == patterns.end() || found->second.isEmpty())
                    continue;
                const QStringList& seq = found->second;
                shift[i] = seq[(dayIndex + offset[i]) % seq.size()];
                // One paid-leave day a month for every fourth person, in turn.
                const QDate leaveFrom(d.year(), d.month(), 10 + static_cast<int>(i % 10));
                if (shift[i] == dayShift && (offset[i] + monthIndex) % 4 == 0 && d >= leaveFrom &&
                    leaveMonth[i] != QDate(d.year(), d.month(), 1)) {
                    leaveMonth[i] = QDate(d.year(), d.month(), 1);
                    shift[i] = paid;
                    addRequest(requests, 1, p.no, d, paid, shiftDefinition(db, paid).restWorkKind,
                               QDate(d.year(), d.month(), 1).addDays(-15), QString());
                }
            } else if (p.shiftType == 5) {
                const auto found = weekdayPatterns.find(p.pattern);
                if (found == weekdayPatterns.end() || found->second.size() < 7)
                    continue;
                shift[i] = holidays.contains(d) ? rest : found->second[d.dayOfWeek() % 7];
            } else if (p.shiftType == 2) {
                shift[i] = offDay ? rest : workDay;
            }
            if (dayShiftHasDuties && p.earlyAllowed && p.shiftType != 2 && shift[i] == dayShift)
                dutyCandidates.push_back(i);
        }
        std::vector<int> mark(staff.size(), 0);
        if (const size_t n = dutyCandidates.size(); n > 0) {
            mark[dutyCandidates[dayIndex % n]] = 2;
            if (n > 1)
                mark[dutyCandidates[(dayIndex + n / 2) % n]] = 3;
        }
        for (size_t i = 0; i < staff.size(); ++i) {
            if (shift[i].isEmpty())
                continue;
            RosterRow row;
            row.kind = 1;
            row.staffNo = staff[i].no;
            row.date = dateText(d);
            row.planned = shift[i];
            row.plannedEarly = mark[i];
            row.team = staff[i].team;
            row.pattern = QString::number(staff[i].pattern);
            roster.addNew();
            row.writeTo(roster);
            roster.update();
        }
    }
}

} // namespace

void LoadDemoWorkplace(Database& db, const Clock& clock) {
    const QDate today = clock.today();
    const QDate monthStart(today.year(), today.month(), 1);
    Database::Transaction tx(db);
    requireEmpty(db);
    runScripts(db);
    addNewcomer(db, monthStart.addMonths(1).addDays(14));
    addCreatedPeriod(db, monthStart.addMonths(-1), monthStart.addDays(-1));
    addHolidayCalendar(db, today);
    addRequests(db, monthStart);
    addHistory(db, monthStart);
    tx.commit();
}
