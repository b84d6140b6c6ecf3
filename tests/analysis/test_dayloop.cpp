#include "enginefixture.h"

namespace {

TEST_F(EngineTest, DayWindowExcludesBothBounds)
{
    punch("2010-11-02 06:59:59", "1", "正常", 1);
    punch("2010-11-02 07:00:00", "1", "正常", 1);
    punch("2010-11-02 07:00:01", "1", "正常", 1);
    punch("2010-11-02 08:00:00");
    punch("2010-11-02 23:59:59");
    punch("2010-11-03 00:00:00");
    punch("2010-11-02 08:00:00", "2"); // another employee
    slot("A", "1/2", "8:00");
    session->openOnShow();
    AnalysisContext& c = session->context();
    c.AnalysisRunning = 1;
    c.CurrentEmployeeNo = "1";
    c.CurrentDay = "2010-11-02";
    c.DayAnchor = *DateTime::fromIso("2010-11-02 08:00:00");
    engine->fx1();
    QStringList inWindow;
    for (const auto& r : db().query("select dksj from kqkday order by dksj").rows) inWindow << r[0].toStorageText();
    EXPECT_EQ(inWindow, (QStringList{"2010-11-02 07:00:01", "2010-11-02 08:00:00", "2010-11-02 23:59:59"}));
}

TEST_F(EngineTest, EachDayIsAnalysedOnceFromItsFirstUnanalysedPunch)
{
    workedDayShifts();
    punch("2010-11-01 07:40:00", "1", "正常", 1); // analysed before: not an anchor
    for (const char* p : {"2010-11-01 07:52:00", "2010-11-01 12:03:00", "2010-11-01 13:25:00",
                          "2010-11-01 17:41:00", "2010-11-02 08:58:00", "2010-11-02 18:05:00"})
        punch(p);
    punch("2010-11-02 12:00:00", "1", Value(), Value()); // null js: never an anchor, left alone
    analyse();
    EXPECT_EQ(session->context().ProcessedDays, ";;;1 2010-11-01;1 2010-11-02");
    const QStringList lines = session->progress().lines();
    EXPECT_EQ(lines.first(), "正在分析打卡数据，请耐心等待......");
    EXPECT_EQ(lines.mid(1, 6), (QStringList{"", "d n 2010-11-01  打卡信息分析......", "正在分析班次......", "A",
                                            "正在标记分析结果......", ""}));
    EXPECT_EQ(lines.last(), "完成分析！");
    EXPECT_FALSE(session->progress().isVisible());
    EXPECT_EQ(rows().filter("08:58:00").join(""), "08:58:00 正常 1");
    EXPECT_EQ(rows().filter("12:00:00").join(""), "12:00:00  ");

    // A second run right after starts afresh and finds nothing left to analyse.
    engine->analyseEmployee("1");
    EXPECT_EQ(session->context().ProcessedDays, ";;");
    EXPECT_EQ(session->progress().lines(), (QStringList{"正在分析打卡数据，请耐心等待......", "完成分析！"}));
    punch("2010-11-03 08:59:00");
    engine->analyseEmployee("1");
    EXPECT_EQ(session->context().ProcessedDays, ";;;1 2010-11-03");
}

TEST_F(EngineTest, PostPassMarksRepeatsAndCountsLeftOverMakeUps)
{
    slot("A", "1/4", "8:00");
    slot("A", "4/4", "17:30");
    punch("2010-11-01 07:50:00");
    punch("2010-11-01 07:55:00");                   // a repeat
    punch("2010-11-01 17:35:00");
    punch("2010-11-01 22:00:00", "1", "补卡", 0);   // outside every window
    punch("2010-11-01 10:00:00", "1", "abc", 0);    // another word stays
    punch("2010-11-01 10:30:00", "1", Value(), Value()); // null js stays
    analyse();
    EXPECT_EQ(rows(), (QStringList{"07:50:00 正常 1", "07:55:00 重复打卡 1", "10:00:00 abc 0", "10:30:00  ",
                                   "17:35:00 正常 1", "22:00:00 补卡 1"}));
    EXPECT_EQ(engine->caption(), "开始分析");
    EXPECT_EQ(session->punchList().sortSpec(), "dksj ASC");
    EXPECT_EQ(session->punchList().recordCount(), 6);
}

TEST_F(EngineTest, StopDuringMatchingLeavesTheDayUnmarked)
{
    workedDayShifts();
    for (const char* p : {"2010-11-01 07:52:00", "2010-11-01 12:03:00", "2010-11-02 07:58:00"}) punch(p);
    int pauses = 0;
    session->setPauseHook([&] {
        if (++pauses == 2) engine->SpeedButton2Click(); // the stop click, after the first day's matching
    });
    analyse();
    EXPECT_TRUE(engine->wasStopped());
    EXPECT_EQ(pauses, 3); // start, first day's matching, the stop click's own; later days never match
    EXPECT_EQ(rows(), (QStringList{"07:52:00  0", "12:03:00  0", "07:58:00  0"}));
    EXPECT_EQ(session->context().AnalysisRunning, 0);
    EXPECT_EQ(engine->caption(), "开始分析");
    EXPECT_FALSE(session->progress().isVisible());
    EXPECT_FALSE(session->slotSet().controlsDisabled());
    EXPECT_EQ(db().scalar("select sum(bz) from dksjszk").toInt(), 4); // matching's counts stay
}

TEST_F(EngineTest, FailingDayIsRolledBackAndEarlierDaysStay)
{
    slot("A", "1/2", "8:00");
    punch("2010-11-01 07:58:00");
    db().exec("insert into kqk (bm,xm,ygbh,dksj,js,nyr) values ('d','n','1','2010-11-02 07:58:00',0,'bad day')");
    session->openOnShow();
    EXPECT_THROW(engine->analyseEmployee("1"), TvError);
    EXPECT_EQ(rows(), (QStringList{"07:58:00 正常 1", "07:58:00  0"}));
    EXPECT_EQ(db().scalar("select count(*) from kqk").toInt(), 2);
    EXPECT_EQ(session->context().AnalysisRunning, 0);
    EXPECT_EQ(session->context().ProcessedDays, ";;;1 2010-11-01");
}

TEST_F(EngineTest, ChoosingAnotherEmployeeIsRefusedDuringARun)
{
    slot("A", "1/2", "8:00");
    punch("2010-11-01 07:58:00");
    punch("2010-11-01 07:58:00", "2");
    bool refused = false;
    session->setPauseHook([&] {
        DataSet& list = session->employeeList();
        try {
            list.moveTo(list.currentRow() == 0 ? 1 : 0);
        } catch (const CommandRefused&) {
            refused = true;
        }
    });
    analyse();
    EXPECT_TRUE(refused);
    EXPECT_EQ(rows("2"), QStringList{"07:58:00  0"});
}

struct EligibilityCase {
    const char* name;
    const char* dept;
    const char* person;
    const char* number;
    Value mrk;
    const char* but;
    Value expectedKg;
    const char* expectedX;
};

class Eligibility : public EngineTest, public ::testing::WithParamInterface<EligibilityCase> {};

TEST_P(Eligibility, SwitchFollowsDefaultAndExceptions)
{
    const auto& c = GetParam();
    slot("A", "1/2", "8:00");
    slot("A", "2/2", "17:00");
    slot("Z", "1/2", "9:00"); // no switch row: never off
    switchRow("A", c.mrk, c.but);
    session->openOnShow();
    AnalysisContext& ctx = session->context();
    ctx.AnalysisRunning = 1;
    ctx.CurrentDept = QString::fromUtf8(c.dept);
    ctx.CurrentName = QString::fromUtf8(c.person);
    ctx.CurrentEmployeeNo = QString::fromUtf8(c.number);
    engine->fx01();
    engine->fx2(); // writes nothing by itself; the day's end does
    EXPECT_EQ(db().scalar("select k_g from bcmsz").toStorageText(), c.expectedKg.toStorageText());
    EXPECT_EQ(db().scalar("select k_g is null from bcmsz").toInt(), c.expectedKg.isNull() ? 1 : 0);
}

const EligibilityCase EligibilityCases[] = {
    {"deptOff", "导医组", "张三", "213", 1, ";导医组;", -1, "X"},
    {"otherDeptOn", "行政部", "张三", "213", 1, ";导医组;", 1, ""},
    {"nameNumberOn", "行政部", "张三", "213", -1, ";张三213;", 1, ""},
    {"deptInsideLongerText", "导医", "李四", "9", 1, ";导医组;", -1, "X"},
    {"keyInsideLongerNumber", "", "张三", "21", 1, ";张三213;", -1, "X"},
    {"emptyDeptOnlyKey", "", "王五", "7", -1, ";;导医组;", -1, "X"},
    {"zeroDefaultStaysOn", "导医组", "张三", "213", 0, ";导医组;", 0, ""},
    {"emptyDefault", "导医组", "张三", "213", Value(), ";导医组;", Value(), ""},
};

INSTANTIATE_TEST_SUITE_P(Cases, Eligibility, ::testing::ValuesIn(EligibilityCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(EngineTest, EligibilityMarksSlotsOfSwitchedOffShiftsAtTheDaysEnd)
{
    slot("A", "1/2", "8:00");
    slot("Z", "1/2", "9:00");
    switchRow("A", 1, ";导医组;");
    db().exec("update kqk set bm='导医组'");
    punch("2010-11-01 08:58:00");
    db().exec("update kqk set bm='导医组'");
    analyse();
    EXPECT_EQ(db().scalar("select k_g from bcmsz").toInt(), -1);
    EXPECT_EQ(slotColumn("x"), "X,");
    EXPECT_EQ(session->context().ChosenShift, "Z");

    // Run flag off: neither table changes.
    db().exec("update bcmsz set k_g=5");
    session->context().AnalysisRunning = 0;
    engine->fx01();
    EXPECT_EQ(db().scalar("select k_g from bcmsz").toInt(), 5);
}

} // namespace

namespace {

TEST_F(EngineTest, StopInTheFirstPauseLeavesTheGridsRepainting)
{
    slot("A", "1/2", "8:00");
    punch("2010-11-01 07:58:00");
    session->setPauseHook([&] {
        if (session->context().AnalysisRunning) engine->SpeedButton2Click();
    });
    analyse();
    EXPECT_TRUE(engine->wasStopped());
    EXPECT_FALSE(session->slotSet().controlsDisabled());
    EXPECT_FALSE(session->punchList().controlsDisabled());
    EXPECT_EQ(rows(), QStringList{"07:58:00  0"});
}

TEST_F(EngineTest, SortingTheSlotGridDuringARunKeepsEachSlotsValues)
{
    workedDayShifts();
    for (const char* p : {"2010-11-01 07:52:00", "2010-11-01 12:03:00", "2010-11-01 13:25:00", "2010-11-01 17:41:00"})
        punch(p);
    session->setPauseHook([&] {
        if (session->slotSet().isOpen()) session->slotSet().sort("bcm DESC"); // a title click meanwhile
    });
    analyse();
    EXPECT_EQ(slotColumn("bz"), "1,2,2,1,1,1");
    EXPECT_EQ(slotColumn("cz1"), "4,43,45,5,34,38");
    EXPECT_EQ(slotColumn("cz"), "-1,-1,-1,-1,0,0");
    // The grid's rows show the same values as the table.
    DataSet& ds = session->slotSet();
    for (int i = 0; i < ds.recordCount(); ++i) {
        const qint64 id = ds.valueAt(i, ds.fieldIndex("id")).toInt();
        EXPECT_EQ(ds.valueAt(i, ds.fieldIndex("cz1")).toInt(),
                  db().scalar("select cz1 from dksjszk where id=:i", {{":i", Value(id)}}).toInt());
    }
}

} // namespace
