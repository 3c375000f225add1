#include "engine_fixture.h"
#include "roster/generation.h"
#include "roster/registration.h"
#include "store/db_error.h"
#include "store/startup_settings.h"
#include "support/sql_values.h"

using namespace Qt::Literals::StringLiterals;
using namespace SampleWorkplace;

namespace {

class RegistrationTest : public EngineFixture {
protected:
    void expand(const QString& start = u"2024/04/01"_s, const QString& end = u"2024/04/30"_s) {
        model = std::make_unique<RosterModel>();
        ExpandRoster(db(), m(), StartupSettings{}, start, end, Grouping::Everybody);
    }
    QString single(const QString& sql) { return sqlText(db(), sql); }
    int rows(const QString& where = u"1"_s) {
        return single(u"SELECT count(*) FROM \"勤務表\" WHERE "_s + where).toInt();
    }
    // Every stored roster row and the created period, as one text.
    QString snapshot() {
        return single(u"SELECT group_concat(r, '|') FROM (SELECT \"勤_職員番号\" || \"勤_勤務日\" "
                      "|| \"勤_予定\" || \"勤_予定早出\" AS r FROM \"勤務表\" ORDER BY 1)"_s) +
               single(u"SELECT \"作_作成From\" || \"作_作成To\" FROM \"作成単位\" WHERE "
                      "\"作_区分\" = 2"_s);
    }
    QString rosterField(const QString& field, const QString& no, const QString& date) {
        return single(u"SELECT \"%1\" FROM \"勤務表\" WHERE \"勤_職員番号\" = '%2' AND "
                      "\"勤_勤務日\" = '%3'"_s.arg(field, no, date));
    }
};

TEST_F(RegistrationTest, AGroupOfFortyFiveIsGeneratedCountedAndRegisteredInFull) {
    build(db(), 45, 1, 20, 5);
    addCalendarDay(db(), u"2024/04/29"_s, 1);
    expand();
    ASSERT_EQ(m().groupCount(1), 45);
    for (const Person& p : m().group(1)) {
        int counted = 0;
        for (int s = 1; s <= 4; ++s)
            counted += p.count[static_cast<size_t>(s)];
        EXPECT_EQ(counted, 29) << p.no.toStdString(); // every open day holds a working shift
        EXPECT_TRUE(p.cell(29).shift.isEmpty());
    }
    const int day = shiftIndex(u"日"_s), night = shiftIndex(u"夜"_s);
    for (int d = 1; d <= 30; ++d) {
        if (d == 29)
            continue;
        EXPECT_GE(m().assigned.at(Level::Unit, d, day, Figure::Staff), 20) << d;
        EXPECT_GE(m().assigned.at(Level::Unit, d, night, Figure::Staff), 5) << d;
        EXPECT_GE(m().assigned.at(Level::Unit, d, day, Figure::Leaders), 1) << d;
    }
    EXPECT_TRUE(RegisterRoster(db(), m(), Registering::NewRoster).isEmpty());
    EXPECT_EQ(rows(), 45 * 29);
    EXPECT_EQ(rows(u"\"勤_職員番号\" = '0045'"_s), 29);
    EXPECT_EQ(single(u"SELECT \"作_作成To\" FROM \"作成単位\" WHERE \"作_区分\" = 2"_s),
              u"2024/04/30"_s);
}

TEST_F(RegistrationTest, RegisteringAgainEditsTheRowsItWroteBefore) {
    build(db(), 6, 1, 3, 1);
    addStaff(db(), staff(u"J"_s, u"途中"_s, 1, 0, 1, 1, {}, u"2024/04/10"_s));
    expand();
    RegisterRoster(db(), m(), Registering::NewRoster);
    const int first = rows();
    EXPECT_EQ(first, 7 * 30 - 9);
    EXPECT_EQ(rows(u"\"勤_職員番号\" = 'J' AND \"勤_勤務日\" < '2024/04/10'"_s), 0);

    person(u"0001"_s).cell(5).shift = u"明"_s;
    person(u"J"_s).cell(5).shift = u"日"_s; // before joining: still no row
    RegisterRoster(db(), m(), Registering::NewRoster);
    EXPECT_EQ(rows(), first);
    EXPECT_EQ(rosterField(u"勤_予定"_s, u"0001"_s, u"2024/04/05"_s), u"明"_s);

    // A day the new roster leaves out loses the old row; a correction leaves such days alone.
    person(u"0001"_s).cell(6).unavailable = 1;
    person(u"0002"_s).cell(6).shift.clear();
    RegisterRoster(db(), m(), Registering::Correction);
    EXPECT_EQ(rows(), first);
    RegisterRoster(db(), m(), Registering::NewRoster);
    EXPECT_EQ(rows(), first - 2);
    EXPECT_EQ(rows(u"\"勤_勤務日\" = '2024/04/06' AND \"勤_職員番号\" IN ('0001', '0002')"_s), 0);
}

TEST_F(RegistrationTest, RowsCarryRequestsMarksAndOnlyDifferingActualShifts) {
    build(db(), 4, 1, 2, 1);
    addRequest(db(), 1, u"0002"_s, u"2024/04/03"_s, u"有"_s);
    addRequest(db(), 2, u"0003"_s, u"2024/04/04"_s, u"明"_s);
    expand();
    Person& a = person(u"0001"_s);
    a.cell(1).shift = u"日"_s;
    a.cell(1).early = 2; // the day shift allows early duty
    a.cell(2).shift = u"夜"_s;
    a.cell(2).early = 2; // the night shift does not
    a.cell(3).shift = u"日"_s;
    a.cell(3).actualShift = u"日"_s; // as planned: not stored
    a.cell(4).shift = u"日"_s;
    a.cell(4).actualShift = u"休"_s;
    EXPECT_TRUE(RegisterRoster(db(), m(), Registering::NewRoster).isEmpty());

    EXPECT_EQ(rosterField(u"勤_予定早出"_s, u"0001"_s, u"2024/04/01"_s), u"2"_s);
    EXPECT_EQ(rosterField(u"勤_予定早出"_s, u"0001"_s, u"2024/04/02"_s), u"0"_s);
    EXPECT_EQ(rosterField(u"勤_実績"_s, u"0001"_s, u"2024/04/03"_s), QString());
    EXPECT_EQ(rosterField(u"勤_実績"_s, u"0001"_s, u"2024/04/04"_s), u"休"_s);
    // A requested day is registered with its request, even where the passes left it empty.
    EXPECT_EQ(rosterField(u"勤_予定"_s, u"0002"_s, u"2024/04/03"_s), u"有"_s);
    EXPECT_EQ(rosterField(u"勤_予定"_s, u"0003"_s, u"2024/04/04"_s), u"明"_s);
    EXPECT_EQ(single(u"SELECT count(*) FROM \"休暇希望\""_s), u"2"_s);
    EXPECT_EQ(single(u"SELECT \"希_申請日\" FROM \"休暇希望\" WHERE \"希_区分\" = 2"_s), QString());
    EXPECT_EQ(single(u"SELECT \"希_予定略称\" FROM \"休暇希望\" WHERE \"希_区分\" = 1"_s), u"有"_s);
}

TEST_F(RegistrationTest, AFailureHalfwayLeavesTheDatabaseAsItWas) {
    build(db(), 4, 1, 2, 1);
    db().exec(u"CREATE TRIGGER refuse BEFORE INSERT ON \"勤務表\" WHEN (SELECT count(*) FROM "
              "\"勤務表\") >= 50 BEGIN SELECT RAISE(ABORT, 'disk full'); END"_s);
    expand();
    EXPECT_THROW(RegisterRoster(db(), m(), Registering::NewRoster), DbError);
    EXPECT_EQ(rows(), 0);
    EXPECT_EQ(single(u"SELECT \"作_作成To\" FROM \"作成単位\" WHERE \"作_区分\" = 2"_s),
              u"2024/03/31"_s);
}

TEST_F(RegistrationTest, AMissingCreationRowIsReportedAndThePeriodNotAdvancedAfterEarlyLate) {
    build(db(), 2, 1, 1, 0);
    expand();
    // as the early/late screen registers
    EXPECT_TRUE(RegisterRoster(db(), m(), Registering::Correction).isEmpty());
    EXPECT_EQ(single(u"SELECT \"作_作成To\" FROM \"作成単位\" WHERE \"作_区分\" = 2"_s),
              u"2024/03/31"_s);
    db().exec(u"DELETE FROM \"作成単位\" WHERE \"作_区分\" = 2"_s);
    EXPECT_EQ(RegisterRoster(db(), m(), Registering::NewRoster),
              QStringList{u"作成単位･基本の登録を確認して下さい。"_s});
    EXPECT_EQ(rows(), 2 * 30);
}

// A purge or another program that changes the period's requests between expansion and
// registration: the registration writes nothing and says so; a change outside the period or
// of somebody not in the roster does not stop it.
TEST_F(RegistrationTest, RequestsChangedElsewhereAfterExpansionRefuseTheRegistration) {
    struct Case {
        const char* what;
        const char* sql;
        bool refused;
    };
    const std::vector<Case> cases{
        {"purged", "DELETE FROM 休暇希望 WHERE 希_勤務日 BETWEEN '2024/04/01' AND '2024/04/30'",
         true},
        {"changed", "UPDATE 休暇希望 SET 希_予定略称 = '夜' WHERE 希_職員NO = '0002'", true},
        {"added",
         "INSERT INTO 休暇希望 (希_区分, 希_職員NO, 希_勤務日, 希_予定略称) "
         "VALUES (1, '0003', '2024/04/20', '有')",
         true},
        {"outside the period",
         "INSERT INTO 休暇希望 (希_区分, 希_職員NO, 希_勤務日) "
         "VALUES (1, '0003', '2024/05/02')",
         false},
        {"somebody not on the roster",
         "INSERT INTO 休暇希望 (希_区分, 希_職員NO, 希_勤務日) "
         "VALUES (1, '9999', '2024/04/02')",
         false},
    };
    const QString allRequests =
        u"SELECT group_concat(希_職員NO || 希_勤務日 || ifnull(希_予定略称, '')) FROM 休暇希望"_s;
    build(db(), 4, 1, 2, 1);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        db().exec(u"DELETE FROM 休暇希望; DELETE FROM 勤務表"_s);
        addRequest(db(), 1, u"0001"_s, u"2024/04/05"_s, u"有"_s);
        addRequest(db(), 2, u"0002"_s, u"2024/04/06"_s, u"日"_s);
        expand();
        {
            Database other(tmp.path(), Database::OpenMode::OpenExisting);
            other.exec(QString::fromUtf8(c.sql));
        }
        const QString before = snapshot();
        const QString requests = single(allRequests);
        if (!c.refused) {
            EXPECT_TRUE(RegisterRoster(db(), m(), Registering::NewRoster).isEmpty());
            EXPECT_EQ(rows(), 4 * 30);
            continue;
        }
        try {
            RegisterRoster(db(), m(), Registering::NewRoster);
            ADD_FAILURE() << "registered over requests changed elsewhere";
        } catch (const DbError& e) {
            EXPECT_EQ(e.message(), RequestsChangedElsewhereMessage);
        }
        EXPECT_EQ(snapshot(), before);
        EXPECT_EQ(single(allRequests), requests);
    }
}

// Two windows on one file: both expand April, the first registers it, the second is refused
// with nothing of its own written.
TEST_F(RegistrationTest, APeriodRegisteredElsewhereAfterExpansionIsRefusedUntouched) {
    build(db(), 4, 1, 2, 1);
    expand();
    Database other(tmp.path(), Database::OpenMode::OpenExisting);
    auto owned = std::make_unique<RosterModel>();
    RosterModel& second = *owned;
    ExpandRoster(other, second, StartupSettings{}, u"2024/04/01"_s, u"2024/04/30"_s,
                 Grouping::Everybody);
    for (int d = 1; d <= 30; ++d)
        second.person(1, 1).cell(d).shift = u"夜"_s; // what must not reach the file

    EXPECT_TRUE(RegisterRoster(db(), m(), Registering::NewRoster).isEmpty());
    const QString before = snapshot();
    try {
        RegisterRoster(other, second, Registering::NewRoster);
        ADD_FAILURE() << "registered over the other window's roster";
    } catch (const DbError& e) {
        EXPECT_EQ(e.message(), RegisteredElsewhereMessage);
    }
    EXPECT_EQ(snapshot(), before);
    EXPECT_LT(rows(u"\"勤_職員番号\" = '0001' AND \"勤_予定\" = '夜'"_s), 30);

    // Re-expanded, the second window registers; its own model may then register again.
    ExpandRoster(other, second, StartupSettings{}, u"2024/05/01"_s, u"2024/05/31"_s,
                 Grouping::Everybody);
    EXPECT_TRUE(RegisterRoster(other, second, Registering::NewRoster).isEmpty());
    EXPECT_TRUE(RegisterRoster(other, second, Registering::NewRoster).isEmpty());
    EXPECT_EQ(single(u"SELECT \"作_作成To\" FROM \"作成単位\" WHERE \"作_区分\" = 2"_s),
              u"2024/05/31"_s);
    // The first window's April roster is stale now that May is the last created period.
    EXPECT_THROW(RegisterRoster(db(), m(), Registering::NewRoster), DbError);
}

// Rows that the early/late marks or a change rewrite do not move the period: no check applies.
TEST_F(RegistrationTest, OnlyARegistrationThatAdvancesThePeriodIsChecked) {
    build(db(), 2, 1, 1, 0);
    expand();
    db().exec(u"UPDATE \"作成単位\" SET \"作_作成To\" = '2024/04/30' WHERE \"作_区分\" = 2"_s);
    EXPECT_TRUE(RegisterRoster(db(), m(), Registering::Correction).isEmpty());
    EXPECT_EQ(rows(), 2 * 30);
    EXPECT_THROW(RegisterRoster(db(), m(), Registering::NewRoster), DbError);
}

TEST_F(RegistrationTest, PeriodChecksRefuseReversedAndOverlongPeriods) {
    EXPECT_EQ(CheckGenerationPeriod(u"2024/04/01"_s, u"2024/04/01"_s),
              u"日付の大小関係を正しく入力してください"_s);
    EXPECT_EQ(CheckGenerationPeriod(u"2024/04/02"_s, u"2024/04/01"_s),
              u"日付の大小関係を正しく入力してください"_s);
    EXPECT_EQ(CheckGenerationPeriod(u"2024/04/01"_s, u"2024/05/02"_s), QString());
    EXPECT_EQ(CheckGenerationPeriod(u"2024/04/01"_s, u"2024/05/03"_s),
              u"1ｹ月以上の作成は出来ません"_s);
}

} // namespace
