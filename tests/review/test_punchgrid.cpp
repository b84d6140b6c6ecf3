#include "reviewfixture.h"
#include "review/corrections.h"

namespace {

using PunchGrid::RowMark;

TEST_F(ReviewTest, CellClickTakesTheRowsContextAndKeepsCurrentRowAndOrder)
{
    add213("2010-11-01 07:55:00", "正常", 1);
    const qint64 late = add213("2010-11-01 12:40:00", "迟到", 10, "-1");
    add213("2010-11-02 07:58:00", "正常", 1);
    const qint64 other = add("214", "2010-11-02 08:00:00", "正常", 1, {}, "导医组", "李四");
    s().openLists();
    ASSERT_TRUE(PunchGrid::selectEmployee(s(), "213"));
    DataSet& list = s().punchList();

    // Before any click nothing is teal; the hand-marked row is red.
    for (int row = 0; row < list.recordCount(); ++row)
        EXPECT_EQ(PunchGrid::rowMark(s(), row), row == 1 ? RowMark::HandMarked : RowMark::None) << row;

    s().titleSort(list, "dksj"); // newest first
    ASSERT_TRUE(PunchGrid::selectPunch(s(), late));
    const int row = list.currentRow();
    // Another program changed the row meanwhile: the click's refresh shows it.
    s().db().exec("update kqk set js=12 where id=:id", {{":id", Value(late)}});
    PunchGrid::cellClick(s());

    EXPECT_EQ(s().highlightDay(), "2010/11/1");
    EXPECT_EQ(s().context().CurrentDay, "2010/11/1");
    EXPECT_EQ(s().context().CurrentDept, "行政部");
    EXPECT_EQ(s().context().CurrentName, "张三");
    EXPECT_EQ(s().context().CurrentEmployeeNo, "213");
    EXPECT_EQ(list.currentRow(), row);
    EXPECT_EQ(list.sortSpec(), "dksj DESC");
    EXPECT_EQ(list.integer("js"), 12);
    // Rows 0..2 newest first: 11-02 normal, 11-01 late (red wins), 11-01 normal.
    EXPECT_EQ(PunchGrid::rowMark(s(), 0), RowMark::None);
    EXPECT_EQ(PunchGrid::rowMark(s(), 1), RowMark::HandMarked);
    EXPECT_EQ(PunchGrid::rowMark(s(), 2), RowMark::HighlightedDay);

    // The highlight survives a change of employee: 214's rows of that date are teal.
    click(other);
    ASSERT_TRUE(PunchGrid::selectEmployee(s(), "213"));
    EXPECT_EQ(PunchGrid::rowMark(s(), 2), RowMark::HighlightedDay); // 11-02, by time
    EXPECT_EQ(PunchGrid::rowMark(s(), 0), RowMark::None);
}

TEST_F(ReviewTest, DatesAreComparedAsText)
{
    const qint64 a = add213("2010-11-01 07:55:00", "正常", 1);
    const qint64 b = add213("2010-11-01 17:00:00", "正常", 1);
    s().db().exec("update kqk set nyr='2010-11-01' where id=:id", {{":id", Value(b)}});
    click(a);
    EXPECT_EQ(PunchGrid::rowMark(s(), 0), RowMark::HighlightedDay);
    EXPECT_EQ(PunchGrid::rowMark(s(), 1), RowMark::None);
}

} // namespace
