#include "reviewfixture.h"
#include "review/corrections.h"
#include "store/errors.h"

namespace {

using PunchGrid::RowMark;

TEST_F(ReviewTest, CancelRowOnEachStatusWord)
{
    struct Case {
        const char* bz;
        Value js;
        const char* shi;
        bool deleted;
        const char* bzAfter;
        Value jsAfter;
    };
    const Case cases[] = {
        {"正常", 1, nullptr, false, "", 0},
        {"迟到", 7, nullptr, false, "", 0},
        {"早退", 3, "-1", false, "", 0},
        {"重复打卡", 1, nullptr, false, "", 0},
        {"???", 1, nullptr, false, "", 0},
        {"未打卡", 1, nullptr, true, "", 0},   // inserted by the analysis
        {"未打卡", 1, "-1", true, "", 0},      // inserted by "&5"
        {"补卡", 1, nullptr, false, "补卡", 0}, // counted again by the next run
        {"", 0, nullptr, false, "", 0},         // unanalysed: unchanged
        {"打卡", 1, nullptr, false, "", 0},     // a piece of "重复打卡" matches
        {"正常 ", 1, nullptr, false, "正常 ", 1}, // not trimmed: no match
        {"请假", 1, nullptr, false, "请假", 1},
    };
    std::vector<qint64> ids;
    int hour = 0;
    for (const Case& c : cases)
        ids.push_back(add213(QStringLiteral("2010-11-01 %1:00:00").arg(++hour, 2, 10, QLatin1Char('0')), c.bz, c.js,
                             c.shi ? QString::fromUtf8(c.shi) : QString()));
    for (size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        click(ids[i]);
        s().titleSort(s().punchList(), "bz");
        Corrections(s()).cancelRow();
        const auto row = stored(ids[i]);
        ASSERT_EQ(!row, c.deleted) << c.bz;
        if (row) {
            EXPECT_EQ(row->bz, QString::fromUtf8(c.bzAfter)) << c.bz;
            EXPECT_EQ(row->js, c.jsAfter) << c.bz;
        }
        // Reloaded and sorted by time, on its first row, whatever the row did.
        EXPECT_EQ(s().punchList().sortSpec(), "dksj ASC");
        EXPECT_EQ(s().punchList().currentRow(), 0);
        EXPECT_EQ(s().punchList().recordCount(), count());
    }
}

TEST_F(ReviewTest, SingleRowMarksAndDelete)
{
    const qint64 late = add213("2010-11-01 08:10:00", "迟到", 10);
    const qint64 normal = add213("2010-11-01 12:00:00", "正常", 1);
    const qint64 early = add213("2010-11-01 16:00:00", "", 0);
    const qint64 last = add213("2010-11-01 17:00:00", "正常", 1);

    click(late);
    s().titleSort(s().punchList(), "dksj"); // DESC: the marks do not reload or re-sort
    Corrections(s()).markNormal();
    EXPECT_EQ(stored(late)->bz, "正常");
    EXPECT_EQ(stored(late)->js, Value(1));
    EXPECT_EQ(stored(late)->shi, "");

    ASSERT_TRUE(PunchGrid::selectPunch(s(), normal));
    Corrections(s()).markLate(); // js kept: the statistics count one minute late
    EXPECT_EQ(stored(normal)->bz, "迟到");
    EXPECT_EQ(stored(normal)->js, Value(1));
    EXPECT_EQ(stored(normal)->shi, "-1");
    EXPECT_EQ(PunchGrid::rowMark(s(), s().punchList().currentRow()), RowMark::HandMarked);

    ASSERT_TRUE(PunchGrid::selectPunch(s(), early));
    Corrections(s()).markEarly();
    EXPECT_EQ(stored(early)->bz, "早退");
    EXPECT_EQ(stored(early)->js, Value(0));
    EXPECT_EQ(stored(early)->shi, "-1");
    EXPECT_EQ(s().punchList().sortSpec(), "dksj DESC");

    ASSERT_TRUE(PunchGrid::selectPunch(s(), last)); // first row, newest first
    Corrections(s()).deleteRow();
    EXPECT_FALSE(stored(last));
    EXPECT_EQ(s().punchList().value("id"), Value(early)); // moved on to the next row
}

TEST_F(ReviewTest, MarksOnAnEmptyOrClosedPunchListDoNothing)
{
    s().openLists(); // no rows at all
    const QString before = dump();
    for (int key : {1, 2, 3, 4}) EXPECT_NO_THROW(Corrections(s()).run(key)) << key;
    s().closeLists();
    for (int key : {1, 2, 3, 4}) EXPECT_NO_THROW(Corrections(s()).run(key)) << key;
    EXPECT_EQ(dump(), before);
}

TEST_F(ReviewTest, InsertMissingUsesTheLastClickedDay)
{
    const qint64 day1 = add213("2010-11-01 07:55:00", "正常", 1);
    const qint64 day2 = add213("2010-11-02 07:55:00", "正常", 1);
    click(day1);
    ASSERT_TRUE(PunchGrid::selectPunch(s(), day2)); // moved without a click
    const int rows = s().punchList().recordCount();
    Corrections(s()).insertMissing();

    DataSet& list = s().punchList();
    EXPECT_EQ(list.recordCount(), rows + 1);
    EXPECT_EQ(list.currentRow(), rows); // appended, not re-sorted
    const auto row = stored(list.integer("id"));
    ASSERT_TRUE(row);
    EXPECT_EQ(row->dksj, "2010-11-01 08:08:08");
    EXPECT_EQ(row->nyr, "2010/11/1");
    EXPECT_EQ(row->bz, "未打卡");
    EXPECT_EQ(row->js, Value(1));
    EXPECT_EQ(row->shi, "-1");
    EXPECT_EQ(list.text("bm"), "行政部");
    EXPECT_EQ(list.text("xm"), "张三");
    EXPECT_EQ(list.text("ygbh"), "213");
}

TEST_F(ReviewTest, InsertMissingIsRefusedWithoutAReadableDay)
{
    add213("2010-11-01 07:55:00", "正常", 1);
    s().openLists();
    const QString before = dump();
    const int rows = s().punchList().recordCount();
    for (const char* day : {"", "2010/13/45", "2010-11-01x"}) {
        s().context().CurrentDay = QString::fromUtf8(day);
        EXPECT_THROW(Corrections(s()).insertMissing(), CommandRefused) << day;
        EXPECT_EQ(s().punchList().recordCount(), rows) << day;
        EXPECT_FALSE(s().punchList().hasPendingChanges()) << day;
    }
    EXPECT_EQ(dump(), before);
}

TEST_F(ReviewTest, MakeupDateIsTheCurrentRowsDay)
{
    const qint64 a = add213("2010-11-01 07:55:00", "正常", 1);
    const qint64 b = add213("2010-11-30 07:55:00", "正常", 1);
    click(a);
    ASSERT_TRUE(PunchGrid::selectPunch(s(), b));
    EXPECT_EQ(Corrections(s()).makeupDate().toIso(), "2010-11-30 00:00:00");
    s().db().exec("update kqk set nyr='' where id=:id", {{":id", Value(b)}});
    s().punchList().refresh();
    EXPECT_THROW(Corrections(s()).makeupDate(), ConversionError);
}

TEST_F(ReviewTest, CancelDayResetsOnlyCountedRowsOfThatDay)
{
    const qint64 normal = add213("2010-11-01 07:55:00", "正常", 1);
    const qint64 lateUnderAMinute = add213("2010-11-01 08:00:30", "迟到", 0);
    const qint64 makeupUncounted = add213("2010-11-01 12:00:00", "补卡", 0);
    const qint64 makeupCounted = add213("2010-11-01 13:00:00", "补卡", 1);
    const qint64 missing = add213("2010-11-01 17:00:00", "未打卡", 1);
    const qint64 nextDay = add213("2010-11-02 07:55:00", "正常", 1);
    click(normal);
    int repaints = 0;
    QObject::connect(&s().punchList(), &DataSet::rowChanged, [&] { ++repaints; });
    Corrections(s()).cancelDay();

    EXPECT_EQ(stored(normal)->bz, "");
    EXPECT_EQ(stored(normal)->js, Value(0));
    EXPECT_EQ(stored(lateUnderAMinute)->bz, "迟到");
    EXPECT_EQ(stored(makeupUncounted)->bz, "补卡");
    EXPECT_EQ(stored(makeupCounted)->bz, "补卡");
    EXPECT_EQ(stored(makeupCounted)->js, Value(0));
    EXPECT_FALSE(stored(missing));
    EXPECT_EQ(stored(nextDay)->bz, "正常");
    EXPECT_EQ(repaints, 0); // the grids did not follow the walk
    EXPECT_FALSE(s().punchList().controlsDisabled());
    EXPECT_EQ(s().punchList().sortSpec(), "dksj ASC");
}

TEST_F(ReviewTest, DayNormalOnAMixedDay)
{
    const qint64 normal = add213("2010-11-01 07:55:00", "正常", 1);
    const qint64 late = add213("2010-11-01 12:05:00", "正常", 1);
    const qint64 missing = add213("2010-11-01 13:00:00", "未打卡", 1);
    const qint64 makeup = add213("2010-11-01 17:00:00", "补卡", 0);
    const qint64 unanalysed = add213("2010-11-01 18:30:00", "", 0);
    const qint64 nextDay = add213("2010-11-02 08:20:00", "迟到", 20);
    click(late);
    Corrections(s()).markLate(); // red from now on
    Corrections(s()).dayNormal();

    EXPECT_FALSE(stored(missing));
    EXPECT_FALSE(stored(makeup));
    for (qint64 id : {normal, late, unanalysed}) {
        EXPECT_EQ(stored(id)->bz, "正常") << id;
        EXPECT_EQ(stored(id)->js, Value(1)) << id;
    }
    EXPECT_EQ(stored(late)->shi, "-1");
    EXPECT_EQ(stored(nextDay)->bz, "迟到");
    EXPECT_EQ(stored(nextDay)->js, Value(20));
    ASSERT_TRUE(PunchGrid::selectPunch(s(), late));
    EXPECT_EQ(PunchGrid::rowMark(s(), s().punchList().currentRow()), RowMark::HandMarked);
    EXPECT_EQ(s().punchList().recordCount(), 4);
}

TEST_F(ReviewTest, CancelPersonOverSeveralDays)
{
    std::vector<qint64> reset;
    std::vector<qint64> gone;
    std::vector<qint64> uncounted;
    for (int day = 1; day <= 3; ++day) {
        const QString d = QStringLiteral("2010-11-%1 ").arg(day, 2, 10, QLatin1Char('0'));
        reset.push_back(add213(d + "07:55:00", "正常", 1));
        reset.push_back(add213(d + "12:10:00", "迟到", 10, "-1"));
        reset.push_back(add213(d + "17:40:00", "???", 1));
        reset.push_back(add213(d + "19:00:00", "重复打卡", 1));
        gone.push_back(add213(d + "13:00:00", "未打卡", 1));
        uncounted.push_back(add213(d + "16:00:00", "补卡", 1));
    }
    const qint64 otherEmployee = add("214", "2010-11-01 08:00:00", "正常", 1, {}, "导医组", "李四");
    click(reset.front());
    int repaints = 0;
    QObject::connect(&s().punchList(), &DataSet::rowChanged, [&] { ++repaints; });
    Corrections(s()).cancelPerson();

    for (qint64 id : reset) {
        EXPECT_EQ(stored(id)->bz, "") << id;
        EXPECT_EQ(stored(id)->js, Value(0)) << id;
    }
    for (qint64 id : gone) EXPECT_FALSE(stored(id)) << id;
    for (qint64 id : uncounted) {
        EXPECT_EQ(stored(id)->bz, "补卡") << id;
        EXPECT_EQ(stored(id)->js, Value(0)) << id;
    }
    EXPECT_EQ(stored(otherEmployee)->bz, "正常");
    EXPECT_EQ(stored(reset[1])->shi, "-1"); // nothing sets the red marker back
    EXPECT_EQ(repaints, 0);
    EXPECT_FALSE(s().punchList().controlsDisabled());
    EXPECT_EQ(s().punchList().recordCount(), 15);
}

TEST_F(ReviewTest, ALeftOverDelRowGoesWithTheNextClosingStep)
{
    const qint64 row = add213("2010-11-01 07:55:00", "", 0);
    for (int key : {0, 7, 8, 9}) {
        const qint64 stray = add("214", "2010-11-01 08:00:00", "", 0, "del", "导医组", "李四");
        click(row);
        Corrections(s()).run(key);
        EXPECT_FALSE(stored(stray)) << key;
        EXPECT_TRUE(stored(row)) << key;
    }
}

TEST_F(ReviewTest, AFailedDayOrPersonCommandLeavesTheTableAsItWas)
{
    const qint64 first = add213("2010-11-01 07:55:00", "正常", 1);
    add213("2010-11-01 12:00:00", "未打卡", 1);
    const qint64 blocked = add213("2010-11-01 17:00:00", "早退", 5);
    add213("2010-11-02 07:55:00", "正常", 1);
    s().db().exec(QStringLiteral("create trigger refuse before update on kqk when old.id=%1 "
                                 "begin select raise(abort, 'row is locked'); end")
                      .arg(blocked));
    click(first);
    const QString before = dump();
    for (int key : {7, 8, 9}) {
        EXPECT_THROW(Corrections(s()).run(key), DatabaseError) << key;
        EXPECT_EQ(dump(), before) << key;
        // The list shows the stored rows again, and the grids follow it.
        DataSet& list = s().punchList();
        EXPECT_FALSE(list.controlsDisabled()) << key;
        EXPECT_FALSE(list.hasPendingChanges()) << key;
        ASSERT_TRUE(PunchGrid::selectPunch(s(), first));
        EXPECT_EQ(list.text("bz"), "正常") << key;
        EXPECT_EQ(list.recordCount(), 4) << key;
    }
}

TEST_F(ReviewTest, DataChangingCommandsAreRefusedWhileAnAnalysisRuns)
{
    const qint64 row = add213("2010-11-01 07:55:00", "正常", 1);
    add213("2010-11-01 12:00:00", "未打卡", 1);
    click(row);
    const QString before = dump();
    s().context().AnalysisRunning = 1;
    for (int key : {0, 1, 2, 3, 4, 5, 7, 8, 9}) EXPECT_THROW(Corrections(s()).run(key), CommandRefused) << key;
    EXPECT_EQ(Corrections(s()).run(6)->toIso(), "2010-11-01 00:00:00");
    EXPECT_EQ(dump(), before);
}

} // namespace
