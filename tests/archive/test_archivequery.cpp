#include "import/archivequery.h"
#include "store/database.h"
#include "testsupport.h"
#include <gtest/gtest.h>
#include <set>

namespace {

DateTime day(int m, int d, int h = 0) { return DateTime::fromParts(2010, m, d, h); }

class ArchiveQueryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        t.db().exec(QStringLiteral(
            "insert into kqkend (id,bm,xm,ygbh,dksj) values "
            "(1,'行政部','张三','213','2010-11-01 00:00:00'),"
            "(2,'行政部','张三','213','2010-11-01 00:00:01'),"
            "(3,'行政部','张三','213','2010-11-01 23:59:59'),"
            "(4,'导医组','李四','214','2010-11-02 08:00:00'),"
            "(5,'导医组',NULL,'215','2010-11-02 09:00:00'),"
            "(6,'导医组','','216','2010-11-02 10:00:00'),"
            "(7,'导医组','王五',NULL,'2010-11-03 08:00:00'),"
            "(8,'行政部','张三','213','2010-11-02 00:00:00'),"
            "(9,'行政部','Zhang','AB-1','2010-11-03 12:00:00'),"
            "(10,'行政部','张三丰','2130','2010-11-04 00:00:00')"));
    }

    std::set<qint64> ids(const ArchiveCriteria& c)
    {
        q.run(t.db(), c);
        std::set<qint64> out;
        DataSet& ds = q.dataSet();
        for (int row = 0; row < ds.recordCount(); ++row) out.insert(ds.valueAt(row, ds.fieldIndex("id")).toInt());
        return out;
    }

    TempDb t;
    ArchiveQuery q;
};

TEST_F(ArchiveQueryTest, FindsTheRangeFromOneSecondPastMidnightToTheDaysLastSecond)
{
    struct Case {
        const char* name;
        ArchiveCriteria c;
        std::set<qint64> expected;
    };
    const Case cases[] = {
        {"one day", {day(11, 1), day(11, 1), "%", "%"}, {2, 3}},
        {"the times of the dates do not count", {day(11, 1, 13), day(11, 1, 6), "%", "%"}, {2, 3}},
        {"midnight of the start date is never found", {day(11, 2), day(11, 4), "张三", "213"}, {}},
        {"midnight after the start date is inside the range", {day(11, 1), day(11, 2), "张三", "213"}, {2, 3, 8}},
        {"start after end", {day(11, 3), day(11, 1), "%", "%"}, {}},
        {"% matches every field that is not null", {day(11, 1), day(11, 30), "%", "%"}, {2, 3, 4, 6, 8, 9, 10}},
        {"an empty pattern matches the empty text only", {day(11, 1), day(11, 30), "", "%"}, {6}},
        {"blanks around a pattern are ignored", {day(11, 1), day(11, 30), "  张%  ", " 213 "}, {2, 3, 8}},
        {"_ is any one character", {day(11, 1), day(11, 30), "_四", "21_"}, {4}},
        {"no wildcard means the whole text", {day(11, 1), day(11, 30), "张三", "%"}, {2, 3, 8}},
        {"letters match in either case", {day(11, 1), day(11, 30), "zhang", "ab-%"}, {9}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ids(c.c), c.expected);
    }
}

TEST_F(ArchiveQueryTest, BoundsAreTheFirstAndLastSecondOfTheDates)
{
    EXPECT_EQ(ArchiveQuery::lowerBound(day(11, 1, 15)).toIso(), QStringLiteral("2010-11-01 00:00:01"));
    EXPECT_EQ(ArchiveQuery::upperBound(day(11, 1, 15)).toIso(), QStringLiteral("2010-11-01 23:59:59"));
}

TEST_F(ArchiveQueryTest, RunsAgainOnNewCriteriaAndCloses)
{
    EXPECT_EQ(ids({day(11, 1), day(11, 1), "%", "%"}).size(), 2u);
    EXPECT_EQ(ids({day(11, 2), day(11, 2), "%", "%"}), (std::set<qint64>{4, 6}));
    q.close();
    EXPECT_FALSE(q.dataSet().isOpen());
}

} // namespace
