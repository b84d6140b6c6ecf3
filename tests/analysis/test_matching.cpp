#include "enginefixture.h"

namespace {

TEST_F(EngineTest, WorkedDayChoosesTheFourSlotShift)
{
    workedDayShifts();
    for (const char* p : {"2010-11-01 07:52:00", "2010-11-01 12:03:00", "2010-11-01 13:25:00", "2010-11-01 17:41:00"})
        punch(p);
    analyse();
    EXPECT_EQ(session->context().ChosenShift, "A");
    EXPECT_EQ(slotColumn("bz"), "1,2,2,1,1,1");
    EXPECT_EQ(slotColumn("cz1"), "4,43,45,5,34,38");
    EXPECT_EQ(slotColumn("cz"), "-1,-1,-1,-1,0,0"); // the chosen shift's marker
    EXPECT_EQ(rows(), (QStringList{"07:52:00 正常 1", "12:03:00 正常 1", "13:25:00 正常 1", "17:41:00 正常 1"}));
    EXPECT_TRUE(session->progress().lines().contains("A"));
}

TEST_F(EngineTest, ThresholdIsStrictlyAboveSixTenths)
{
    workedDayShifts();
    punch("2010-11-01 07:52:00"); // A reaches 0.25, B 0.5
    analyse();
    EXPECT_EQ(session->context().ChosenShift, "no");
    EXPECT_EQ(rows(), QStringList{"07:52:00 ??? 1"});

    // Three hits over five slots is exactly 0.6: not chosen.
    db().exec("delete from dksjszk");
    db().exec("delete from kqk");
    for (const char* t : {"8:00", "14:00", "22:00"}) slot("C", "1/2", t);
    for (const char* t : {"12:00", "18:00"}) slot("C", "2/2", t);
    for (const char* p : {"2010-11-02 08:00:00", "2010-11-02 12:00:00", "2010-11-02 14:00:00"}) punch(p);
    engine->analyseEmployee("1");
    EXPECT_EQ(db().scalar("select sum(bz) from dksjszk").toInt(), 3);
    EXPECT_EQ(session->context().ChosenShift, "no");
}

TEST_F(EngineTest, HitsLieStrictlyWithinSixtyOfTheMinimum)
{
    slot("P", "1/2", "8:00");  // scores 0
    slot("Q", "1/2", "10:00"); // 120 / 2 = 60: the band's edge, no hit
    slot("R", "1/2", "9:59");  // 59: a hit
    punch("2010-11-01 08:00:00");
    analyse();
    EXPECT_EQ(slotColumn("bz"), "1,0,1");
}

TEST_F(EngineTest, SwitchedOffSlotStillSetsTheMinimum)
{
    slot("S", "1/2", "8:00");
    slot("T", "1/2", "10:00");
    switchRow("S", -1, "");
    punch("2010-11-01 08:00:00");
    analyse();
    EXPECT_EQ(slotColumn("x"), "X,");
    EXPECT_EQ(slotColumn("bz"), "0,0"); // T is 60 above the minimum of the off slot
    EXPECT_EQ(session->context().ChosenShift, "no");
}

TEST_F(EngineTest, TiesGoToMoreSlotsThenToTheSmallerAverageScore)
{
    slot("G", "1/2", "8:00");  // 10 late: 20
    slot("H", "1/2", "8:30");  // 20 early: 10
    slot("I", "1/2", "8:00");
    slot("I", "2/2", "8:20");  // 10 early for an off-duty slot: 20
    punch("2010-11-01 08:10:00");
    analyse();
    EXPECT_EQ(session->context().ChosenShift, "I");
    db().exec("delete from dksjszk where bcm='I'");
    db().exec("update kqk set bz=null, js=0");
    engine->analyseEmployee("1");
    EXPECT_EQ(session->context().ChosenShift, "H");
}

TEST_F(EngineTest, BadSlotTimeStopsWithShiftSlotAndText)
{
    slot("A", "1/4", "8:00");
    slot("A", "2/4", "12:0x");
    punch("2010-11-01 07:52:00");
    session->openOnShow();
    try {
        engine->analyseEmployee("1");
        FAIL();
    } catch (const TvError& e) {
        EXPECT_TRUE(e.message().contains("A") && e.message().contains("2/4") && e.message().contains("12:0x"))
            << e.message().toStdString();
    }
    EXPECT_EQ(rows(), QStringList{"07:52:00  0"});
    EXPECT_EQ(session->context().AnalysisRunning, 0);
    EXPECT_EQ(engine->caption(), "开始分析");
    EXPECT_FALSE(session->slotSet().controlsDisabled());
}

} // namespace
