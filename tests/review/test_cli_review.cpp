#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include "testsupport.h"
#include <gtest/gtest.h>

namespace {

// Under a year-month-day locale, so that nyr reads like "2010/11/30".
CliResult cli(const QString& dir, const QStringList& args)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("LC_ALL", "zh_CN.UTF-8");
    return runCli(dir, args, env);
}

class CliReview : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(cli(dir.path(), {"init"}).status, 0);
        ASSERT_EQ(cli(dir.path(), {"sql", "insert into kqk (bm,xm,ygbh,dksj,bz,js,nyr,shi) values "
                                             "('行政部','张三','213','2010-11-30 07:55:00','正常',1,'2010/11/30',null),"
                                             "('行政部','张三','213','2010-11-30 12:05:00','迟到',5,'2010/11/30','-1'),"
                                             "('行政部','张三','213','2010-11-30 17:00:00','未打卡',1,'2010/11/30',null),"
                                             "('导医组','李四','214','2010-11-30 08:00:00','',0,'2010/11/30',null),"
                                             "('无','无名',null,'2010-11-30 08:00:00','',0,'2010/11/30',null)"})
                      .status,
                  0);
    }
    QString rows(const QString& sql) { return cli(dir.path(), {"sql", sql}).out; }
    QTemporaryDir dir;
};

TEST_F(CliReview, CorrectClicksTheRowThenRunsTheMenuItem)
{
    const CliResult r = cli(dir.path(), {"correct", "8", "2"});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, "id\tbm\txm\tygbh\tdksj\tbz\tjs\tnyr\tshi\n"
                     "1\t行政部\t张三\t213\t2010-11-30 07:55:00\t正常\t1\t2010/11/30\t\\N\n"
                     "2\t行政部\t张三\t213\t2010-11-30 12:05:00\t正常\t1\t2010/11/30\t-1\n");
    EXPECT_EQ(rows("select count(*) from kqk"), "count(*)\n4\n"); // the missing-punch row went

    // "&5" inserts on the clicked row's day, with the clicked row's people.
    ASSERT_EQ(cli(dir.path(), {"correct", "5", "4"}).status, 0);
    EXPECT_EQ(rows("select bm,xm,ygbh,dksj,bz,js,nyr,shi from kqk where id=6"),
              "bm\txm\tygbh\tdksj\tbz\tjs\tnyr\tshi\n导医组\t李四\t214\t2010-11-30 08:08:08\t未打卡\t1\t2010/11/30\t-1\n");
}

TEST_F(CliReview, CorrectSixPrintsTheCalendarsDate)
{
    const CliResult r = cli(dir.path(), {"correct", "6", "1"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "2010/11/30\n");
}

TEST_F(CliReview, CorrectRefusesBadArguments)
{
    EXPECT_EQ(cli(dir.path(), {"correct", "10", "1"}).status, 2);
    EXPECT_EQ(cli(dir.path(), {"correct", "x", "1"}).status, 2);
    EXPECT_EQ(cli(dir.path(), {"correct", "1"}).status, 2);
    const CliResult missing = cli(dir.path(), {"correct", "1", "99"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_TRUE(missing.err.contains("99"));
    EXPECT_EQ(cli(dir.path(), {"correct", "1", "5"}).status, 1); // no number: in no punch list
}

TEST_F(CliReview, MakeupEntersThePunchAsTheWindowDoes)
{
    for (const char* date : {"2010-11-30", "2010/11/30"}) {
        const CliResult r = cli(dir.path(), {"makeup", "213", date, "8:00"});
        ASSERT_EQ(r.status, 0) << r.err.toStdString();
        EXPECT_TRUE(r.out.endsWith("\t行政部\t张三\t213\t2010-11-30 08:00:00\t补卡\t0\t2010/11/30\t\\N\n"))
            << r.out.toStdString();
    }
    EXPECT_EQ(cli(dir.path(), {"makeup", "999", "2010-11-30", "8:00"}).status, 1);
    EXPECT_EQ(cli(dir.path(), {"makeup", "213", "30.11.2010", "8:00"}).status, 1);
    EXPECT_EQ(cli(dir.path(), {"makeup", "213", "2010-11-30", "8:00:00"}).status, 1);
    EXPECT_EQ(cli(dir.path(), {"makeup", "213", "2010-11-30"}).status, 2);
    EXPECT_EQ(rows("select count(*) from kqk where bz='补卡'"), "count(*)\n2\n");
}

} // namespace
