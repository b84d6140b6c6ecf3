#include "reviewfixture.h"
#include "review/makeup.h"
#include "store/errors.h"

namespace {

class MakeupTest : public ReviewTest {
protected:
    void SetUp() override
    {
        ReviewTest::SetUp();
        add213("2010-11-29 07:55:00", "正常", 1);
        add("214", "2010-11-29 08:00:00", "正常", 1, {}, "导医组", "李四");
        s().db().exec("insert into dksjszk (bcm,dkc,dksj) values ('白班','1/2','8:00'),('白班','2/2','17:30')");
        s().openLists();
        s().slotSet().open();
    }
};

TEST_F(MakeupTest, TheThirtiethOfNovemberAtEight)
{
    ASSERT_TRUE(PunchGrid::selectEmployee(s(), "213"));
    const int rows = s().punchList().recordCount();
    Makeup::enterFromSlotSet(s(), " 2010/11/30 ");

    DataSet& list = s().punchList();
    EXPECT_EQ(list.recordCount(), rows + 1); // the main grid shows it, not re-sorted
    EXPECT_EQ(list.currentRow(), rows);
    const auto row = stored(list.integer("id"));
    ASSERT_TRUE(row);
    EXPECT_EQ(row->dksj, "2010-11-30 08:00:00");
    EXPECT_EQ(row->bz, "补卡");
    EXPECT_EQ(row->js, Value(0));
    EXPECT_EQ(row->nyr, "2010/11/30");
    EXPECT_TRUE(list.value("shi").isNull());
    EXPECT_EQ(list.text("bm"), "行政部");
    EXPECT_EQ(list.text("xm"), "张三");
    EXPECT_EQ(list.text("ygbh"), "213");
}

TEST_F(MakeupTest, TheDepartmentComesFromTheReloadedPunchList)
{
    // 215 worked in two departments; its first punch by time says which one.
    add("215", "2010-11-28 08:00:00", "", 0, {}, "后勤", "王五");
    add("215", "2010-11-29 08:00:00", "", 0, {}, "保卫", "王五");
    s().closeLists();
    s().openLists();
    DataSet& employees = s().employeeList();
    for (int i = 0; i < employees.recordCount(); ++i)
        if (employees.valueAt(i, employees.fieldIndex("bm")).toText() == "保卫") employees.moveTo(i);
    ASSERT_EQ(employees.text("bm"), "保卫");
    EXPECT_EQ(s().context().CurrentEmployeeNo, "215"); // the main window followed
    s().slotSet().last();
    Makeup::enterFromSlotSet(s(), "2010/11/30");
    EXPECT_EQ(s().punchList().text("bm"), "后勤");
    EXPECT_EQ(stored(s().punchList().integer("id"))->dksj, "2010-11-30 17:30:00");
}

TEST_F(MakeupTest, RefusedWithoutEmployeeSlotOrReadableTime)
{
    struct Case {
        const char* what;
        const char* label;
        std::function<void(Session&)> prepare;
    };
    const Case cases[] = {
        {"bad day", "2010/13/40", [](Session&) {}},
        {"empty label", "", [](Session&) {}},
        {"day and month swapped", "30/11/2010", [](Session&) {}},
        {"slot time not a time", "2010/11/30", [](Session& s) { s.db().exec("update dksjszk set dksj='8点'"); s.slotSet().refresh(); }},
        {"slot set closed", "2010/11/30", [](Session& s) { s.slotSet().close(); }},
        {"no slot row", "2010/11/30", [](Session& s) { s.db().exec("delete from dksjszk"); s.slotSet().reopen(); }},
        {"no employee", "2010/11/30", [](Session& s) { s.db().exec("delete from kqk"); s.closeLists(); s.openLists(); }},
    };
    for (const Case& c : cases) {
        c.prepare(s());
        const QString before = dump();
        const int rows = s().punchList().recordCount();
        EXPECT_THROW(Makeup::enterFromSlotSet(s(), QString::fromUtf8(c.label)), CommandRefused) << c.what;
        EXPECT_EQ(s().punchList().recordCount(), rows) << c.what;
        EXPECT_FALSE(s().punchList().hasPendingChanges()) << c.what;
        EXPECT_EQ(dump(), before) << c.what;
    }
}

TEST_F(MakeupTest, RefusedWhileAnAnalysisRuns)
{
    s().context().AnalysisRunning = 1;
    EXPECT_THROW(Makeup::enter(s(), "2010/11/30", "8:00"), CommandRefused);
    EXPECT_EQ(count(), 2);
}

} // namespace
