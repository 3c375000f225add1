#include "store/database.h"
#include "store/db_error.h"
#include "store/statement.h"
#include "support/temp_database.h"

#include <QVariant>
#include <functional>
#include <gtest/gtest.h>
#include <stdexcept>

using namespace Qt::Literals::StringLiterals;

namespace {

using Type = Statement::ColumnType;

// What `SELECT ?` gives back for one bound value.
struct Echo {
    const char* what;
    std::function<void(Statement&)> bind;
    Type type;
    QVariant value;
    QString text;
};

TEST(Statement, EachBoundTypeReadsBackAsItself) {
    TempDatabase tmp;
    const qint64 big = 5'000'000'000LL;
    const std::vector<Echo> cases = {
        {"int", [](Statement& s) { s.bind(1, -7); }, Type::Integer, QVariant(qint64(-7)), u"-7"_s},
        {"int64", [&](Statement& s) { s.bind(1, big); }, Type::Integer, QVariant(big),
         u"5000000000"_s},
        {"double", [](Statement& s) { s.bind(1, 2.5); }, Type::Real, QVariant(2.5), u"2.5"_s},
        {"text", [](Statement& s) { s.bind(1, u"夜勤"_s); }, Type::Text, QVariant(u"夜勤"_s),
         u"夜勤"_s},
        {"utf-8 bytes", [](Statement& s) { s.bind(1, u"明け"_s.toUtf8()); }, Type::Text,
         QVariant(u"明け"_s), u"明け"_s},
        // The tables never hold a Null text the program wrote: an unset text is empty.
        {"null text", [](Statement& s) { s.bind(1, QString()); }, Type::Text,
         QVariant(QString(u""_s)), QString()},
        {"null", [](Statement& s) { s.bindNull(1); }, Type::Null, QVariant(), QString()},
        {"null variant", [](Statement& s) { s.bind(1, QVariant()); }, Type::Null, QVariant(),
         QString()},
        {"int variant", [](Statement& s) { s.bind(1, QVariant(3)); }, Type::Integer,
         QVariant(qint64(3)), u"3"_s},
        {"text variant", [](Statement& s) { s.bind(1, QVariant(u"休"_s)); }, Type::Text,
         QVariant(u"休"_s), u"休"_s},
    };
    Statement st = tmp.db().prepare(u"SELECT ?"_s);
    for (const Echo& c : cases) {
        SCOPED_TRACE(c.what);
        st.reset(Statement::Reset::ClearBindings);
        c.bind(st);
        ASSERT_TRUE(st.step());
        EXPECT_EQ(st.type(0), c.type);
        EXPECT_EQ(st.isNull(0), c.type == Type::Null);
        EXPECT_EQ(st.value(0), c.value);
        EXPECT_EQ(st.text(0), c.text);
        EXPECT_FALSE(st.step());
    }
    st.reset(Statement::Reset::ClearBindings);
    st.bind(1, big);
    ASSERT_TRUE(st.step());
    EXPECT_EQ(st.int64(0), big);
    EXPECT_DOUBLE_EQ(st.real(0), 5e9);
}

TEST(Statement, BoundTextsNeedNotOutliveTheCall) {
    TempDatabase tmp;
    Statement st = tmp.db().prepare(u"SELECT ?1 || ?2"_s);
    st.bind(1, u"早"_s.repeated(40)).bind(2, QString(u"遅"_s.repeated(40)).toUtf8());
    // Fresh allocations would reuse freed bytes that the statement still pointed at.
    const QStringList noise(100, u"x"_s.repeated(120));
    ASSERT_TRUE(st.step());
    EXPECT_EQ(st.text(0), u"早"_s.repeated(40) + u"遅"_s.repeated(40));
    EXPECT_EQ(noise.size(), 100);
}

TEST(Statement, NamedParametersAndTheirNumbersBindTheSameSlot) {
    TempDatabase tmp;
    Statement st = tmp.db().prepare(u"SELECT :a, ?2, :a || ?2"_s);
    st.bind(u":a"_s, u"日"_s).bind(u"?2"_s, 4);
    ASSERT_TRUE(st.step());
    EXPECT_EQ(st.text(0), u"日"_s);
    EXPECT_EQ(st.integer(1), 4);
    EXPECT_EQ(st.text(2), u"日4"_s);
    EXPECT_THROW(st.bind(u":missing"_s, 1), DbError);
    EXPECT_THROW(st.bind(3, 1), DbError);
}

TEST(Statement, ResetRerunsWithTheBindingsOrWithoutThem) {
    TempDatabase tmp;
    Statement st = tmp.db().prepare(u"SELECT ?"_s);
    st.bind(1, u"夜"_s);
    ASSERT_TRUE(st.step());
    st.reset();
    ASSERT_TRUE(st.step());
    EXPECT_EQ(st.text(0), u"夜"_s);
    st.reset(Statement::Reset::ClearBindings);
    ASSERT_TRUE(st.step());
    EXPECT_TRUE(st.isNull(0));
}

TEST(Statement, AFailingStepThrowsNamingTheFileAndTheWorkAndCanRunAgain) {
    TempDatabase tmp;
    Statement ins =
        tmp.db().prepare(u"INSERT INTO \"カレンダー\" VALUES (?, 1, '')"_s, u"祝日の登録"_s);
    ins.bind(1, u"2024/05/03"_s).run();
    try {
        ins.run();
        FAIL() << "a second row under the same key was accepted";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.message().contains(tmp.path())) << e.message().toStdString();
        EXPECT_TRUE(e.message().contains(u"祝日の登録"_s)) << e.message().toStdString();
    }
    ins.setConflictMessage(u"同じ日があります。"_s);
    try {
        ins.run();
        FAIL() << "a second row under the same key was accepted";
    } catch (const DbError& e) {
        EXPECT_EQ(e.message(), u"同じ日があります。"_s);
    }
    ins.bind(1, u"2024/05/04"_s).run();
    Statement count = tmp.db().prepare(u"SELECT COUNT(*) FROM \"カレンダー\""_s);
    ASSERT_TRUE(count.step());
    EXPECT_EQ(count.integer(0), 2);
    EXPECT_THROW(tmp.db().prepare(u"SELECT nothing FROM \"カレンダー\""_s), DbError);
}

TEST(Statement, IsFinalizedWhenItsOwnerGoesIncludingDuringUnwindingAndMoves) {
    TempDatabase tmp;
    Database& db = tmp.db();
    ASSERT_EQ(db.openStatementCount(), 0);
    try {
        Statement st = db.prepare(u"SELECT 1 UNION ALL SELECT 2"_s);
        ASSERT_TRUE(st.step()); // left in the middle of its rows
        EXPECT_EQ(db.openStatementCount(), 1);
        throw std::runtime_error("user action failed");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(db.openStatementCount(), 0);
    {
        Statement a = db.prepare(u"SELECT 1"_s);
        Statement b = std::move(a);
        EXPECT_FALSE(a.isValid());
        EXPECT_EQ(db.openStatementCount(), 1);
        a = db.prepare(u"SELECT 2"_s);
        b = std::move(a); // finalizes what b held
        EXPECT_EQ(db.openStatementCount(), 1);
        ASSERT_TRUE(b.step());
        EXPECT_EQ(b.integer(0), 2);
    }
    EXPECT_EQ(db.openStatementCount(), 0);
}

TEST(Statement, OnlyStepsThatWriteTellTheDatabase) {
    TempDatabase tmp;
    Database& db = tmp.db();
    Statement read = db.prepare(u"SELECT COUNT(*) FROM \"勤務表\""_s);
    const auto before = db.writeGeneration();
    read.step();
    EXPECT_TRUE(read.isReadOnly());
    EXPECT_EQ(db.writeGeneration(), before);
    Statement write = db.prepare(u"DELETE FROM \"勤務表\""_s);
    EXPECT_FALSE(write.isReadOnly());
    write.run();
    EXPECT_GT(db.writeGeneration(), before);
}

} // namespace
