#include "app/session.h"
#include "store/errors.h"
#include "testsupport.h"
#include <gtest/gtest.h>

namespace {

class SessionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        t.db().exec(QStringLiteral(
            "insert into kqk (bm,xm,ygbh,dksj,nyr) values "
            "('d1','n1','1','2010-11-01 17:00:00','2010-11-01'),('d1','n1','1','2010-11-01 08:00:00','2010-11-01'),"
            "('d2','n1','1','2010-11-02 08:00:00','2010-11-02'),('d1','n2','2','2010-11-01 08:00:00','2010-11-01'),"
            "('d3','n3',NULL,'2010-11-01 08:00:00','2010-11-01')"));
        t.database.reset();
    }
    TempDb t;
};

TEST_F(SessionTest, ChoosingAnEmployeeShowsAllPunchesOfTheNumberByTime)
{
    Session s(t.path());
    s.openLists();
    DataSet& emp = s.employeeList();
    ASSERT_EQ(emp.recordCount(), 4);
    auto rowOf = [&](const char* bm) {
        for (int i = 0; i < emp.recordCount(); ++i)
            if (emp.valueAt(i, emp.fieldIndex("bm")).toText() == bm) return i;
        return -1;
    };
    // The null number forms its own entry, which shows nothing.
    emp.moveTo(rowOf("d3"));
    EXPECT_EQ(s.punchList().recordCount(), 0);
    emp.moveTo(rowOf("d1")); // d1 n1 1
    EXPECT_EQ(s.context().CurrentEmployeeNo, "1");
    EXPECT_EQ(s.punchList().recordCount(), 3); // both departments
    EXPECT_EQ(s.punchList().sortSpec(), "dksj ASC");
    EXPECT_EQ(s.punchList().dateTime("dksj").toIso(), "2010-11-01 08:00:00");
    s.titleSort(s.punchList(), "dksj");
    EXPECT_EQ(s.punchList().sortSpec(), "dksj DESC");
    emp.moveTo(rowOf("d2")); // d2 n1 1: selecting resets the order to time ascending
    EXPECT_EQ(s.punchList().sortSpec(), "dksj ASC");
}

TEST_F(SessionTest, SortToggleIsSharedByEveryGrid)
{
    Session s(t.path());
    s.openLists();
    s.titleSort(s.punchList(), "dksj");
    EXPECT_TRUE(s.punchList().sortSpec().endsWith("DESC"));
    s.titleSort(s.employeeList(), "xm");
    EXPECT_TRUE(s.employeeList().sortSpec().endsWith("ASC"));
    s.titleSort(s.punchList(), "dksj");
    EXPECT_TRUE(s.punchList().sortSpec().endsWith("DESC"));
}

TEST_F(SessionTest, EmptyTableLeavesTheEmployeeNumberAlone)
{
    Database::open(t.path())->exec("delete from kqk");
    Session s(t.path());
    s.context().CurrentEmployeeNo = "keep";
    s.openLists();
    EXPECT_EQ(s.employeeList().recordCount(), 0);
    EXPECT_EQ(s.punchList().recordCount(), 0);
    EXPECT_EQ(s.context().CurrentEmployeeNo, "keep");
}

TEST_F(SessionTest, SettingsLoadTakesTheLastExactKeyAndStopsAtABadValue)
{
    {
        auto db = Database::open(t.path());
        db->exec("insert into qtszk (name,val) values ('ys','7'),('YS','9'),(' ys','8'),('other','x')");
    }
    Session s(t.path());
    s.loadSettings();
    EXPECT_EQ(s.context().GraceMinutes, 7);
    EXPECT_EQ(s.context().MissingMinutes, 30);
    {
        auto db = Database::open(t.path());
        db->exec("delete from qtszk");
        db->exec("insert into qtszk (name,val) values ('ys','5'),('zwdk','abc'),('ys','6')");
    }
    Session s2(t.path());
    EXPECT_THROW(s2.loadSettings(), ConversionError);
    EXPECT_EQ(s2.context().GraceMinutes, 5);
    EXPECT_EQ(s2.context().MissingMinutes, 0);
}

} // namespace
