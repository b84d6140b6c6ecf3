#include "store/database.h"
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include "testsupport.h"
#include <gtest/gtest.h>

namespace {

TEST(CliBasic, InitThenSqlPrintsTheSettingsAsTsv)
{
    QTemporaryDir dir;
    EXPECT_EQ(runCli(dir.path(), {"init"}).status, 0);
    const CliResult again = runCli(dir.path(), {"init"});
    EXPECT_EQ(again.status, 1);
    EXPECT_FALSE(again.err.isEmpty());
    const CliResult r = runCli(dir.path(), {"sql", "select name,val from qtszk order by name"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "name\tval\nys\t3\nzwdk\t30\n");
}

TEST(CliBasic, PlainSqliteCannotReadTheFile)
{
    QTemporaryDir dir;
    ASSERT_EQ(runCli(dir.path(), {"init"}).status, 0);
    if (!QFile::exists("/usr/bin/sqlite3")) GTEST_SKIP() << "no sqlite3 tool";
    QProcess p;
    p.setWorkingDirectory(dir.path());
    p.start("/usr/bin/sqlite3", {"kq.mdb", ".tables"});
    p.waitForFinished(30000);
    EXPECT_NE(p.exitCode(), 0);
    EXPECT_TRUE(QString::fromUtf8(p.readAllStandardError()).contains("not a database"));
}

TEST(CliBasic, TsvEscapesNullsNumbersAndDates)
{
    QTemporaryDir dir;
    const QString db = dir.filePath("other.mdb");
    ASSERT_EQ(runCli(dir.path(), {"--db", db, "init"}).status, 0);
    EXPECT_EQ(runCli(dir.path(), {"--db", db, "sql",
                                  "insert into kqk (bm,xm,dksj) values ('a\tb', 'c\\d\ne\r', '2010-11-01 07:52:11')"})
                  .out,
              QString());
    const CliResult r = runCli(dir.path(), {"--db", db, "sql", "select bm,xm,ygbh,dksj,js,1.5 as f,3.0 as g from kqk"});
    EXPECT_EQ(r.out, "bm\txm\tygbh\tdksj\tjs\tf\tg\na\\tb\tc\\\\d\\ne\\r\t\\N\t2010-11-01 07:52:11\t0\t1.5\t3\n");
}

TEST(CliBasic, FailuresAndUsageGiveTheirExitStatus)
{
    QTemporaryDir dir;
    runCli(dir.path(), {"init"});
    const CliResult bad = runCli(dir.path(), {"sql", "select * from nosuchtable"});
    EXPECT_EQ(bad.status, 1);
    EXPECT_TRUE(bad.err.contains("nosuchtable"));
    EXPECT_EQ(runCli(dir.path(), {"sql"}).status, 2);
    EXPECT_EQ(runCli(dir.path(), {"nosuchcommand"}).status, 2);
    EXPECT_EQ(runCli(dir.path(), {}).status, 2);
}

TEST(CliBasic, AnalyseRunsOneEmployeeAndPrintsTheProgressLines)
{
    QTemporaryDir dir;
    ASSERT_EQ(runCli(dir.path(), {"init"}).status, 0);
    runCli(dir.path(), {"sql", "insert into dksjszk (bcm,dkc,dksj,bz,cz,cz1) values ('A','1/2','8:00',0,0,0),"
                               "('A','2/2','17:00',0,0,0)"});
    runCli(dir.path(), {"sql", "insert into kqk (bm,xm,ygbh,dksj,nyr) values ('d','n','7','2010-11-01 07:58:00',"
                               "'2010-11-01'),('d','n','7','2010-11-01 17:05:00','2010-11-01')"});
    const CliResult r = runCli(dir.path(), {"analyse", "7"});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.startsWith("正在分析打卡数据，请耐心等待......\n")) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains("\nA\n"));
    EXPECT_TRUE(r.out.endsWith("完成分析！\n"));
    EXPECT_EQ(runCli(dir.path(), {"sql", "select bz, js from kqk order by dksj"}).out, "bz\tjs\n正常\t1\n正常\t1\n");
    EXPECT_EQ(runCli(dir.path(), {"analyse", "--all"}).status, 0);
    const CliResult unknown = runCli(dir.path(), {"analyse", "999"});
    EXPECT_EQ(unknown.status, 1);
    EXPECT_TRUE(unknown.err.contains("999"));
    EXPECT_EQ(runCli(dir.path(), {"analyse"}).status, 2);
}

} // namespace
