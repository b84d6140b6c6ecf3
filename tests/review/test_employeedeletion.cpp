#include "reviewfixture.h"
#include "review/employeedeletion.h"
#include "store/errors.h"

namespace {

TEST_F(ReviewTest, DeletingAnEmployeeTakesEveryRowOfTheNumber)
{
    add213("2010-11-01 07:55:00", "正常", 1);
    add("213", "2010-11-02 07:55:00", "正常", 1, {}, "后勤", "张三"); // a second entry, same number
    add("214", "2010-11-01 08:00:00", "正常", 1, {}, "导医组", "李四");
    s().openLists();
    ASSERT_TRUE(PunchGrid::selectEmployee(s(), "213"));

    const auto target = EmployeeDeletion::describe(s());
    EXPECT_EQ(target.records, 2);
    const QString q = EmployeeDeletion::question(target);
    EXPECT_TRUE(q.contains("张三") && q.contains("213") && q.contains(" 2 ")) << q.toStdString();
    EmployeeDeletion::remove(s(), target);

    EXPECT_EQ(count(), 1);
    EXPECT_EQ(s().employeeList().recordCount(), 1);
    EXPECT_EQ(s().employeeList().text("ygbh"), "214");
    EXPECT_EQ(s().punchList().text("ygbh"), "214");
}

TEST_F(ReviewTest, TheEntryWithoutNumberCanBeDeletedAndAnEmptyListRefuses)
{
    add("", "2010-11-01 07:55:00", "", 0); // replaced by null below
    s().db().exec("update kqk set ygbh=null");
    s().openLists();
    const auto target = EmployeeDeletion::describe(s());
    EXPECT_TRUE(target.ygbh.isNull());
    EXPECT_EQ(target.records, 1);
    EmployeeDeletion::remove(s(), target);
    EXPECT_EQ(count(), 0);
    EXPECT_THROW(EmployeeDeletion::describe(s()), CommandRefused);
}

} // namespace
