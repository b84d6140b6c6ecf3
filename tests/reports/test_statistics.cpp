#include "reportfixture.h"
#include "testsupport.h"
#include "app/session.h"
#include "reports/statistics.h"
#include "store/database.h"
#include <gtest/gtest.h>
#include <algorithm>

namespace {

// Analysed records: an employee under two departments, two records on one
// date, a null and an empty status, a null counter, a person with only
// normal and repeated punches, and an archived row that must not count.
const std::vector<AnalysedRow> Analysed = {
    {"行政部", "张三", "213", "2010-11-01 07:52:00", "正常", 1, "2010/11/1"},
    {"行政部", "张三", "213", "2010-11-01 17:20:00", "早退", 10, "2010/11/1"},
    {"行政部", "张三", "213", "2010-11-02 08:10:00", "迟到", 7, "2010/11/2"},
    {"行政部", "张三", "213", "2010-11-03 08:15:00", "迟到", 5, "2010/11/3"},
    {"行政部", "张三", "213", "2010-11-03 17:30:00", "未打卡", 1, "2010/11/3"},
    {"导医组", "张三", "213", "2010-11-04 08:03:00", "迟到", 3, "2010/11/4"},
    {"导医组", "李四", "214", "2010-11-01 08:00:00", nullptr, 0, "2010/11/1"},
    {"导医组", "李四", "214", "2010-11-02 08:00:00", "", 0, "2010/11/2"},
    {"导医组", "李四", "214", "2010-11-02 12:00:00", "", -1, "2010/11/2"},
    {"导医组", "李四", "214", "2010-11-03 08:00:00", "???", 1, "2010/11/3"},
    {"导医组", "李四", "214", "2010-11-03 17:00:00", "???", 1, "2010/11/3"},
    {"财务部", "王五", "215", "2010-11-01 08:00:00", "正常", 1, "2010/11/1"},
    {"财务部", "王五", "215", "2010-11-01 08:01:00", "重复打卡", 1, "2010/11/1"},
    {"财务部", "王五", "215", "2010-11-02 08:00:00", "正常", 1, "2010/11/2"},
    {"财务部", "赵六", "216", "2010-11-05 08:30:00", "迟到", -1, "2010/11/5"},
};

QStringList rowsOf(const DataSet& ds)
{
    QStringList rows;
    for (int r = 0; r < ds.recordCount(); ++r) {
        QStringList f;
        for (int c = 0; c < ds.fieldCount(); ++c) {
            const Value v = ds.valueAt(r, c);
            f << (v.isNull() ? QStringLiteral("null") : v.toText());
        }
        rows << f.join(u'|');
    }
    return rows;
}

class StatisticsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        insertAnalysed(tmp.db(), Analysed);
        insertAnalysed(tmp.db(), {{"行政部", "张三", "213", "2010-10-01 08:10:00", "迟到", 9, "2010/10/1"}}, "kqkend");
        tmp.database.reset();
    }
    TempDb tmp;
};

TEST_F(StatisticsTest, AnomalyTotalsSumCountersPerPersonAndStatusWord)
{
    Session session(tmp.path());
    Statistics stats(session);
    stats.recompute();
    DataSet& q = stats.q_tj1();
    EXPECT_EQ(q.fieldNames(), QStringList({"BM", "XM", "YGBH", "BZ", "Expr1004"}));
    // No order is asked for: compare as a set.
    QStringList rows = rowsOf(q);
    rows.sort();
    QStringList expected{
        "导医组|张三|213|迟到|3",
        "导医组|李四|214||0",     // an empty status is a word like any other; a null counter adds nothing
        "导医组|李四|214|???|2",
        "行政部|张三|213|早退|10",
        "行政部|张三|213|迟到|12", // minutes summed over two days
        "行政部|张三|213|未打卡|1",
        "财务部|赵六|216|迟到|null", // only null counters: no total
    };
    expected.sort();
    EXPECT_EQ(rows, expected);
    for (int r = 0; r < q.recordCount(); ++r) {
        const Value total = q.valueAt(r, q.fieldIndex("expr1004"));
        EXPECT_TRUE(total.isNull() || total.type() == Value::Type::Integer) << r;
    }
}

TEST_F(StatisticsTest, AttendanceDaysCountDistinctDatesInPersonOrder)
{
    Session session(tmp.path());
    Statistics stats(session);
    stats.recompute();
    EXPECT_EQ(stats.q_tj2().fieldNames(), QStringList({"BM", "XM", "YGBH", "Expr1003"}));
    // The null status counts as a day; two records on one date count once;
    // the archived day is not counted.
    EXPECT_EQ(rowsOf(stats.q_tj2()), QStringList({
                                         "导医组|张三|213|1",
                                         "导医组|李四|214|3",
                                         "行政部|张三|213|3",
                                         "财务部|王五|215|2",
                                         "财务部|赵六|216|1",
                                     }));
}

TEST_F(StatisticsTest, CountsChangeOnlyWhenRecomputedAndCloseClosesBoth)
{
    Session session(tmp.path());
    Statistics stats(session);
    stats.recompute();
    session.execCommand(QStringLiteral("insert into kqk (bm,xm,ygbh,dksj,bz,js,nyr) values "
                                       "('行政部','张三','213','2010-11-06 08:20:00','迟到',20,'2010/11/6')"));
    auto late = [&] {
        DataSet& q = stats.q_tj1();
        for (int r = 0; r < q.recordCount(); ++r)
            if (q.valueAt(r, q.fieldIndex("bm")).toText() == "行政部" && q.valueAt(r, q.fieldIndex("bz")).toText() == "迟到")
                return q.valueAt(r, q.fieldIndex("Expr1004")).toInt();
        return qint64(-1);
    };
    EXPECT_EQ(late(), 12);
    stats.recompute();
    EXPECT_EQ(late(), 32);
    EXPECT_EQ(stats.q_tj2().valueAt(2, 3).toInt(), 4);
    stats.close();
    EXPECT_FALSE(stats.q_tj1().isOpen());
    EXPECT_FALSE(stats.q_tj2().isOpen());
}

TEST(Statistics, AnEmptyTableGivesTwoEmptyResults)
{
    TempDb tmp;
    tmp.db();
    tmp.database.reset();
    Session session(tmp.path());
    Statistics stats(session);
    stats.recompute();
    EXPECT_TRUE(stats.q_tj1().isOpen() && stats.q_tj1().isEmpty());
    EXPECT_TRUE(stats.q_tj2().isOpen() && stats.q_tj2().isEmpty());
}

} // namespace
