#include "store/database.h"
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct CliResult {
    int status;
    QString out, err;
};

CliResult runCli(const QString& dir, const QStringList& args)
{
    QProcess p;
    p.setWorkingDirectory(dir);
    p.start(QStringLiteral(TV_CLI), args);
    p.waitForFinished(60000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

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

} // namespace
