#include "importtestutil.h"
#include "testsupport.h"
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(ImportCli, WritesThePanelLinesAndFailsWithTheMessage)
{
    QTemporaryDir dir;
    ASSERT_EQ(runCli(dir.path(), {"init"}).status, 0);
    const CliResult ok = runCli(dir.path(), {"import", fixturePath("2010-11.csv")});
    EXPECT_EQ(ok.status, 0) << ok.err.toStdString();
    EXPECT_EQ(ok.out, "......\n正在从电子表格导入数据......\n已跳过 1 行：“日期时间”为空。\n导入数据完成！\n"
                      "正在清除重复记录......\n数据整理完成！\n");
    EXPECT_EQ(runCli(dir.path(), {"sql", "select count(*) from kqk"}).out, "count(*)\n9\n");

    const CliResult bad = runCli(dir.path(), {"import", fixturePath("missing-column.xls")});
    EXPECT_EQ(bad.status, 1);
    EXPECT_TRUE(bad.err.contains("“日期时间”")) << bad.err.toStdString();
    EXPECT_EQ(runCli(dir.path(), {"sql", "select count(*) from kqk"}).out, "count(*)\n9\n");
    EXPECT_EQ(runCli(dir.path(), {"import"}).status, 2);
}

} // namespace
