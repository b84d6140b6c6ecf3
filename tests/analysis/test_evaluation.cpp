#include "enginefixture.h"

namespace {

using Evaluator = void (AnalysisEngine::*)();

struct SlotCase {
    const char* name;
    Evaluator evaluator;
    const char* slotTime;
    std::vector<const char*> punches; // times on 2010-11-01
    QStringList expected;            // rows afterwards, by time
    int grace = 3, missing = 30;
};

class SlotEvaluation : public EngineTest, public ::testing::WithParamInterface<SlotCase> {};

TEST_P(SlotEvaluation, ClaimsMarksOrInserts)
{
    const SlotCase& c = GetParam();
    for (const char* p : c.punches) punch((QByteArray("2010-11-01 ") + p).constData());
    atSlot((QByteArray("2010-11-01 ") + c.slotTime).constData(), c.grace, c.missing);
    (engine.get()->*c.evaluator)();
    EXPECT_EQ(rows(), c.expected);
}

const SlotCase Cases[] = {
    {"onTimeEarly", &AnalysisEngine::fx1_4, "08:00:00", {"07:10:00"}, {"07:10:00 正常 1"}},
    {"withinGrace", &AnalysisEngine::fx1_4, "08:00:00", {"08:02:59"}, {"08:02:59 正常 1"}},
    {"late3", &AnalysisEngine::fx1_4, "08:00:00", {"08:03:30"}, {"08:03:30 迟到 3"}},
    {"late29", &AnalysisEngine::fx1_4, "08:00:00", {"08:29:30"}, {"08:29:30 迟到 29"}},
    {"pastMissing", &AnalysisEngine::fx1_4, "08:00:00", {"08:30:01"}, {"08:00:00 未打卡 1", "08:30:01  0"}},
    {"beforeWindow", &AnalysisEngine::fx1_4, "08:00:00", {"03:59:59"}, {"03:59:59  0", "08:00:00 未打卡 1"}},
    {"windowStart", &AnalysisEngine::fx1_4, "08:00:00", {"04:00:01"}, {"04:00:01 正常 1"}},
    {"underAMinuteCountsOne", &AnalysisEngine::fx1_4, "08:00:00", {"08:00:40"}, {"08:00:40 迟到 1"}, 0, 30},
    {"missingNotAboveGrace", &AnalysisEngine::fx1_4, "08:00:00", {"08:09:00"}, {"08:09:00 正常 1"}, 10, 10},
    {"earliestClaimed", &AnalysisEngine::fx1_4, "08:00:00", {"07:50:00", "07:55:00"},
     {"07:50:00 正常 1", "07:55:00  0"}},
    {"thirdSlotTwoHours", &AnalysisEngine::fx3_4, "13:30:00", {"11:30:00", "11:30:01"},
     {"11:30:00  0", "11:30:01 正常 1"}},
    {"oneOfOneMissing", &AnalysisEngine::fx1_1, "08:00:00", {}, {"08:00:00 未打卡 1"}},
    {"oneOfOneLate", &AnalysisEngine::fx1_1, "08:00:00", {"08:10:00"}, {"08:10:00 迟到 10"}},
    {"offOnTime", &AnalysisEngine::fx4_4, "17:30:00", {"17:29:01"}, {"17:29:01 正常 1"}},
    {"offEarly1", &AnalysisEngine::fx4_4, "17:30:00", {"17:28:59"}, {"17:28:59 早退 1"}},
    {"offEarly29", &AnalysisEngine::fx4_4, "17:30:00", {"17:00:30"}, {"17:00:30 早退 29"}},
    {"offBeforeWindow", &AnalysisEngine::fx4_4, "17:30:00", {"16:59:59"}, {"16:59:59  0", "17:30:00 未打卡 1"}},
    {"offLateStillNormal", &AnalysisEngine::fx4_4, "17:30:00", {"21:29:00"}, {"21:29:00 正常 1"}},
    {"latestClaimed", &AnalysisEngine::fx4_4, "17:30:00", {"17:35:00", "17:40:00"},
     {"17:35:00  0", "17:40:00 正常 1"}},
    {"secondOfFourEarliest", &AnalysisEngine::fx2_4, "12:00:00", {"12:01:00", "12:05:00"},
     {"12:01:00 正常 1", "12:05:00  0"}},
    {"secondOfFourTwoHours", &AnalysisEngine::fx2_4, "12:00:00", {"14:00:00"}, {"12:00:00 未打卡 1", "14:00:00  0"}},
};

INSTANTIATE_TEST_SUITE_P(Evaluators, SlotEvaluation, ::testing::ValuesIn(Cases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(EngineTest, MakeUpPunchIsCountedWhateverItsTime)
{
    punch("2010-11-01 08:20:00", "1", "补卡", 0);
    atSlot("2010-11-01 08:00:00");
    engine->fx1_4();
    EXPECT_EQ(rows(), QStringList{"08:20:00 补卡 1"});
}

TEST_F(EngineTest, InsertedMissingRowCarriesTheDayAndEmployee)
{
    atSlot("2010-11-01 12:00:00");
    engine->fx2_4();
    const auto r = db().query("select bm,xm,ygbh,dksj,bz,js,nyr,shi from kqk").rows;
    ASSERT_EQ(r.size(), 1u);
    QStringList fields;
    for (const Value& v : r[0]) fields << v.toStorageText();
    EXPECT_EQ(fields.join('|'), "d|n|1|2010-11-01 12:00:00|未打卡|1|2010-11-01|");
    EXPECT_TRUE(r[0][7].isNull());
}

struct OvernightCase {
    const char* onDuty;
    const char* offDuty;
    const char* expectedDay;
};

class Overnight : public EngineTest, public ::testing::WithParamInterface<OvernightCase> {};

TEST_P(Overnight, OffDutySlotLessThanThreeHoursAfterOnDutyMovesToTheNextDay)
{
    const auto& c = GetParam();
    atSlot((QByteArray("2010-11-01 ") + c.onDuty).constData());
    engine->fx1_4(); // nothing to claim: a missing row, and the on-duty time
    db().exec("delete from kqk");
    atSlot((QByteArray("2010-11-01 ") + c.offDuty).constData());
    engine->fx2_2();
    const auto r = db().query("select dksj, nyr from kqk").rows;
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0][0].toStorageText(), QString::fromLatin1(c.expectedDay) + " " + c.offDuty);
    EXPECT_EQ(r[0][1].toText(), QString::fromLatin1(c.expectedDay));
}

INSTANTIATE_TEST_SUITE_P(Rule, Overnight,
                         ::testing::Values(OvernightCase{"20:00:00", "08:00:00", "2010-11-02"},
                                           OvernightCase{"08:00:00", "17:00:00", "2010-11-01"},
                                           OvernightCase{"08:00:00", "11:30:00", "2010-11-01"},
                                           OvernightCase{"08:00:00", "11:00:00", "2010-11-01"},
                                           OvernightCase{"08:00:00", "10:30:00", "2010-11-02"}));

TEST_F(EngineTest, NightShiftIsWalkedOnDutyFirst)
{
    // "2/2" stored before "1/2": the walk still evaluates the on-duty slot first.
    slot("夜班", "2/2", "8:00");
    slot("夜班", "1/2", "20:00");
    punch("2010-11-01 19:55:00");
    punch("2010-11-02 08:05:00");
    analyse();
    const QStringList r = rows();
    ASSERT_GE(r.size(), 2);
    EXPECT_EQ(r[0], "19:55:00 正常 1");
    EXPECT_EQ(r[1], "08:05:00 正常 1");
}

TEST_F(EngineTest, UnknownCodeIsPassedOver)
{
    slot("A", "1/4", "8:00");
    slot("A", "5/5", "9:00");
    punch("2010-11-01 07:58:00");
    analyse();
    EXPECT_EQ(session->context().ChosenShift, "A");
    EXPECT_EQ(rows(), QStringList{"07:58:00 正常 1"}); // no missing row for 5/5
}

} // namespace
