#include "testsupport.h"
#include "store/database.h"
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(ArchiveCli, ArchivesThenQueriesAsTsv)
{
    QTemporaryDir dir;
    {
        auto db = Database::open(dir.filePath("kq.mdb"));
        db->exec(QStringLiteral(
            "insert into kqk (bm,xm,ygbh,dksj,bz,js,nyr) values "
            "('行政部','张三','213','2010-11-01 07:52:11','正常',1,'2010/11/1'),"
            "('行政部','张三','213','2010-11-01 07:52:11','正常',1,'2010/11/1'),"
            "('导医组','李四','214','2010-11-02 08:01:00',NULL,0,'2010/11/2'),"
            "('导医组','李四','214','2010-11-03 00:00:00',NULL,0,'2010/11/3')"));
    }
    const CliResult a = runCli(dir.path(), {"archive"});
    EXPECT_EQ(a.status, 0) << a.err.toStdString();
    EXPECT_EQ(a.out, "archived 3 records, removed 4 rows from kqk\n");
    EXPECT_EQ(runCli(dir.path(), {"archive"}).out, "archived 0 records, removed 0 rows from kqk\n");

    const QString header = "id\tbm\txm\tygbh\tdksj\tbz\tjs\tnyr\tshi\n";
    const CliResult all = runCli(dir.path(), {"query", "2010-11-01", "2010-11-30"});
    EXPECT_EQ(all.status, 0) << all.err.toStdString();
    EXPECT_EQ(all.out.count('\n'), 4);
    EXPECT_TRUE(all.out.startsWith(header));
    EXPECT_EQ(runCli(dir.path(), {"query", "2010-11-03", "2010-11-03"}).out, header); // a midnight punch

    const CliResult one = runCli(dir.path(), {"query", "2010-11-01", "2010-11-30", " 张% ", "213"});
    EXPECT_EQ(one.out, header + "1\t行政部\t张三\t213\t2010-11-01 07:52:11\t正常\t1\t2010/11/1\t\\N\n");
    EXPECT_EQ(runCli(dir.path(), {"query", "2010-11-02", "2010-11-02", "%", "%"}).out.count('\n'), 2);
}

TEST(ArchiveCli, BadArgumentsAreUsageErrors)
{
    QTemporaryDir dir;
    ASSERT_EQ(runCli(dir.path(), {"init"}).status, 0);
    EXPECT_EQ(runCli(dir.path(), {"archive", "now"}).status, 2);
    EXPECT_EQ(runCli(dir.path(), {"query", "2010-11-01"}).status, 2);
    EXPECT_EQ(runCli(dir.path(), {"query", "2010-11-01", "2010-11-02", "a", "b", "c"}).status, 2);
    const CliResult bad = runCli(dir.path(), {"query", "yesterday", "2010-11-02"});
    EXPECT_EQ(bad.status, 2);
    EXPECT_TRUE(bad.err.contains("yesterday"));
}

} // namespace
