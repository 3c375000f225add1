#include "support/screens/entry_screen_fixture.h"

#include <QLineEdit>
#include <QPushButton>
#include <QWidget>
#include <string>

using namespace Qt::Literals::StringLiterals;

namespace {

class ControlLookupTest : public EntryScreenFixture {};

// A misspelt objectName must fail the one test with the name, not crash the test program.
TEST_F(ControlLookupTest, AMissingControlStopsTheTestAndNamesIt) {
    QWidget screen;
    auto* box = new QLineEdit(&screen);
    box->setObjectName(u"職員番号"_s);
    EXPECT_EQ(child<QLineEdit>(&screen, u"職員番号"_s), box);

    const auto message = [&](auto lookup) -> std::string {
        try {
            lookup();
        } catch (const MissingControl& e) {
            return e.what();
        }
        return "nothing thrown";
    };
    EXPECT_EQ(message([&] { child<QLineEdit>(&screen, u"職員名"_s); }),
              "no control \"職員名\" of type QLineEdit");
    // The right name on a control of another type is missing too.
    EXPECT_EQ(message([&] { child<QPushButton>(&screen, u"職員番号"_s); }),
              "no control \"職員番号\" of type QPushButton");
    // Every helper that looks a control up stops the same way.
    EXPECT_THROW(type(&screen, u"職員名"_s, u"1"_s), MissingControl);
    EXPECT_THROW(click(&screen, u"確定"_s), MissingControl);
}

} // namespace
