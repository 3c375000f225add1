#include "store/demo_workplace.h"

#include "store/clock.h"
#include "store/code_kind.h"
#include "store/database.h"
#include "store/db_error.h"
#include "store/holidays.h"
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

QString codeValue(Database& db, int kind, int no, const QString& field) {
    Table t(db, u"個マスタ"_s);
    t.setIndex(u"key_個ﾏｽﾀｰ"_s);
    t.seek(Seek::Equal, {kind, no});
    return t.noMatch() ? QString() : t.text(field);
}

std::vector<Person> readStaff(Database& db) {
    std::vector<Person> staff;
    Table t(db, u"職員"_s);
    t.setIndex(u"idx_表示順"_s);
    for (t.moveFirst(); !t.eof(); t.moveNext())
        staff.push_back({t.text(u"職員_no"_s), TextValues::parseDateText(t.text(u"職員_配属日"_s)),
                         t.integer(u"職員_シフト有無"_s), t.integer(u"職員_特定シフトNO"_s),
                         t.text(u"職員_チーム"_s), t.integer(u"職員_責任者"_s) == 1,
                         t.integer(u"職員_早出有無"_s) == 1});
    return staff;
}

// Pattern number -> the shifts of its positions in order, for one pattern kind.
std::map<int, QStringList> readPatterns(Database& db, int kind) {
    std::map<int, QStringList> out;
    Table t(db, u"ｼﾌﾄﾊﾟﾀｰﾝ"_s);
    t.setIndex(u"key_ﾊﾟﾀﾝ"_s);
    for (t.seek(Seek::GreaterEqual, {kind, 0, 0}); !t.eof() && t.integer(u"パタ_区分"_s) == kind;
         t.moveNext())
        if (t.integer(u"パタ_連番"_s) > 0)
            out[t.integer(u"パタ_NO"_s)] << t.text(u"パタ_シフト略称"_s);
    return out;
}

struct ShiftFacts {
    int dayOffKind = 0; // 基本_休出区分
    int earlyKind = 0;  // 基本_早出区分
};

ShiftFacts shiftFacts(Database& db, const QString& abbrev) {
    Table t(db, u"シフト基本"_s);
    t.setIndex(u"key_基本"_s);
    t.seek(Seek::Equal, {abbrev});
    if (t.noMatch())
        return {};
    return {t.integer(u"基本_休出区分"_s), t.integer(u"基本_早出区分"_s)};
}

void addNewcomer(Database& db, const QDate& assigned) {
    Table t(db, u"職員"_s);
    t.addNew();
    t.set(u"職員_no"_s, u"2012"_s);
    t.set(u"職員_表示順"_s, u"024"_s);
    t.set(u"職員_名漢字"_s, u"石川 美咲"_s);
    t.set(u"職員_名カナ"_s, u"ｲｼｶﾜ ﾐｻｷ"_s);
    t.set(u"職員_住所"_s, u"東京都府中市片町1-8-3"_s);
    t.set(u"職員_電話"_s, u"042-360-7718"_s);
    t.set(u"職員_携帯"_s, u"080-6203-9914"_s);
    t.set(u"職員_誕生日"_s, u"2001/05/09"_s);
    t.set(u"職員_配属日"_s, dateText(assigned));
    t.set(u"職員_区分"_s, 1);
    t.set(u"職員_性別"_s, 2);
    t.set(u"職員_シフト有無"_s, 1);
    t.set(u"職員_早出有無"_s, 1);
    t.set(u"職員_特定シフトNO"_s, 1);
    t.set(u"職員_チーム"_s, u"Bチーム"_s);
    t.set(u"職員_備考"_s, u"中途採用"_s);
    t.update();
}

void addCreatedPeriod(Database& db, const QDate& from, const QDate& to) {
    Table t(db, u"作成単位"_s);
    t.addNew();
    t.set(u"作_区分"_s, 2);
    t.set(u"作_単位"_s, 1);
    t.set(u"作_単位数"_s, 1);
    t.set(u"作_開始日"_s, u"1"_s);
    t.set(u"作_作成From"_s, dateText(from));
    t.set(u"作_作成To"_s, dateText(to));
    t.update();
}

// The fiscal year that contains `today`, from its start kept in the code master as "mm/dd".
std::pair<QDate, QDate> fiscalYear(Database& db, const QDate& today) {
    static const QRegularExpression re(u"^\\s*(\\d{1,2})/(\\d{1,2})\\s*$"_s);
    const auto m =
        re.match(codeValue(db, CodeKind::FiscalYearStart, CodeKind::SettingNo, u"個_名称"_s));
    const int month = m.hasMatch() ? m.captured(1).toInt() : 4;
    const int day = m.hasMatch() ? m.captured(2).toInt() : 1;
    QDate start(today.year(), month, day);
    if (!start.isValid())
        start = QDate(today.year(), 4, 1);
    if (start > today)
        start = start.addYears(-1);
    return {start, start.addYears(1).addDays(-1)};
}

void addHolidayCalendar(Database& db, const QDate& today) {
    const auto [start, end] = fiscalYear(db, today);
    Table t(db, u"カレンダー"_s);
    for (const auto& h : NationalHolidays(start, end)) {
        t.addNew();
        t.set(u"カレ_年月日"_s, dateText(h.date));
        t.set(u"カレ_休日FLG"_s, 1);
        t.set(u"カレ_備考"_s, h.name);
        t.update();
    }
}

void addRequest(Table& t, int kind, const QString& staffNo, const QDate& day, const QString& shift,
                int dayOff, const QDate& applied, const QString& remark) {
    t.addNew();
    t.set(u"希_区分"_s, kind);
    t.set(u"希_職員NO"_s, staffNo);
    t.set(u"希_勤務日"_s, dateText(day));
    t.set(u"希_予定略称"_s, shift);
    t.set(u"希_休FLG"_s, dayOff);
    t.set(u"希_申請日"_s, dateText(applied));
    t.set(u"希_備考"_s, remark);
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
    Table t(db, u"休暇希望"_s);
    for (const auto& r : requests)
        addRequest(t, r.kind, r.staffNo, monthStart.addDays(r.day - 1), r.shift,
                   shiftFacts(db, r.shift).dayOffKind, applied, r.remark);
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
    using namespace CodeKind;
    const QString workDay = codeValue(db, FixedShifts, NoShiftWorkShiftNo, u"個_略称"_s);
    const QString rest = codeValue(db, FixedShifts, RestShiftNo, u"個_略称"_s);
    const QString dayShift = codeValue(db, ReferenceShift, SettingNo, u"個_略称"_s);
    const QString paid = u"有"_s;
    const bool dayShiftHasDuties = shiftFacts(db, dayShift).earlyKind != 0;
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

    Table roster(db, u"勤務表"_s);
    Table requests(db, u"休暇希望"_s);
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
                    addRequest(requests, 1, p.no, d, paid, shiftFacts(db, paid).dayOffKind,
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
            roster.addNew();
            roster.set(u"勤_区分"_s, 1);
            roster.set(u"勤_職員番号"_s, staff[i].no);
            roster.set(u"勤_勤務日"_s, dateText(d));
            roster.set(u"勤_予定"_s, shift[i]);
            roster.set(u"勤_予定早出"_s, mark[i]);
            roster.set(u"勤_チーム"_s, staff[i].team);
            roster.set(u"勤_バタン"_s, QString::number(staff[i].pattern));
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
