#include "app/session.h"
#include "settings/shiftsettings.h"
#include "settings/slotrules.h"
#include "store/errors.h"
#include "testsupport.h"
#include <gtest/gtest.h>

namespace {

TEST(SlotRulesTest, SlotTimesReadAsHoursAndMinutes)
{
    for (const char* good : {"0:00", "8:00", "08:05", "23:59", " 7:30 ", "12:00"})
        EXPECT_TRUE(SlotRules::isSlotTime(QString::fromUtf8(good))) << good;
    for (const char* bad : {"", "  ", "8", "8:", ":30", "8:0", "8:5O", "24:00", "7:60", "800", "8.00", "8：00",
                            "８:００", "8:00:00", "108:00", "-1:00", "8 :00", "a8:00"})
        EXPECT_FALSE(SlotRules::isSlotTime(QString::fromUtf8(bad))) << bad;
}

TEST(SlotRulesTest, OnlyTheDispatchedCodesAreEvaluated)
{
    for (const char* code : {"1/1", "1/2", "2/2", "1/4", "2/4", "3/4", "4/4"})
        EXPECT_TRUE(SlotRules::isEvaluatedCode(QString::fromUtf8(code))) << code;
    for (const char* code : {"", "1/3", "5/4", " 1/4", "1/4 ", "1/2;", "０/4"})
        EXPECT_FALSE(SlotRules::isEvaluatedCode(QString::fromUtf8(code))) << code;
}

class SlotTimeCheckTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Row 2 predates the check: its time is bad but nobody touched it yet.
        t.db().exec(QStringLiteral("insert into dksjszk (id,bcm,dkc,dksj) values (1,'A','1/2','8:00'),(2,'A','2/2','17.00')"));
    }
    QString storedTime(int id)
    {
        return t.db().scalar(QStringLiteral("select dksj from dksjszk where id=:id"), {{":id", Value(id)}}).toText();
    }
    TempDb t;
};

TEST_F(SlotTimeCheckTest, ABadTimeIsRefusedWhenPostedNamingTheTextAndAGoodOnePosts)
{
    Session s(t.path());
    ShiftSettings settings(s);
    settings.openDataSets();
    DataSet& ds = s.slotSet();
    ds.first();
    ds.setText(QStringLiteral("dksj"), QStringLiteral("8:3O"));
    try {
        ds.next(); // leaving the row posts it
        FAIL() << "posted";
    } catch (const CommandRefused& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("\"8:3O\""))) << e.what();
    }
    EXPECT_EQ(ds.currentRow(), 0);
    EXPECT_TRUE(ds.hasPendingChanges());
    EXPECT_EQ(storedTime(1), "8:00");

    ds.setText(QStringLiteral("dksj"), QStringLiteral("8:30"));
    ds.next();
    EXPECT_EQ(storedTime(1), "8:30");

    // An insert without a time is refused too; the analysis could not read it.
    ds.append();
    ds.setText(QStringLiteral("bcm"), QStringLiteral("B"));
    EXPECT_THROW(ds.post(), CommandRefused);
    ds.setText(QStringLiteral("dksj"), QStringLiteral("9:00"));
    ds.post();
    EXPECT_EQ(t.db().scalar(QStringLiteral("select count(*) from dksjszk where bcm='B' and dksj='9:00'")).toInt(), 1);
}

TEST_F(SlotTimeCheckTest, RowsWhoseTimeIsLeftAloneStillPost)
{
    Session s(t.path());
    ShiftSettings settings(s);
    settings.openDataSets();
    DataSet& ds = s.slotSet();
    ds.first();
    settings.switchShiftOff(); // reaches the old row with "17.00" as well
    EXPECT_EQ(t.db().scalar(QStringLiteral("select count(*) from dksjszk where x='X'")).toInt(), 2);
    ds.moveTo(1);
    ds.setValue(QStringLiteral("cz"), Value(-1)); // as the analysis marks a slot
    EXPECT_NO_THROW(ds.post());
    ds.setText(QStringLiteral("dksj"), QStringLiteral("17.00"));
    EXPECT_THROW(ds.post(), CommandRefused); // retyping the bad text is checked
}

} // namespace
