#include "pdftools.h"
#include "reportfixture.h"
#include "xlsxreader.h"
#include "store/database.h"
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include "testsupport.h"
#include <gtest/gtest.h>

namespace {

// Runs the command line as on a machine without a display.
CliResult cli(const QString& dir, const QStringList& args)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* v : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) env.remove(v);
    return runCli(dir, args, env);
}

class CliReports : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto db = Database::open(dir.filePath("kq.mdb"));
        insertAnalysed(*db, {
                                {"行政部", "张三", "213", "2010-11-01 08:10:00", "迟到", 7, "2010/11/1"},
                                {"行政部", "张三", "213", "2010-11-02 08:15:00", "迟到", 5, "2010/11/2"},
                                {"导医组", "李\t四", "214", "2010-11-01 08:00:00", "", -1, "2010/11/1"},
                            });
    }
    QTemporaryDir dir;
};

TEST_F(CliReports, StatsPrintsBothResultSetsUnderTheirNames)
{
    const CliResult r = cli(dir.path(), {"stats"});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, "q_tj1\n"
                     "BM\tXM\tYGBH\tBZ\tExpr1004\n"
                     "导医组\t李\\t四\t214\t\t\\N\n"
                     "行政部\t张三\t213\t迟到\t12\n"
                     "q_tj2\n"
                     "BM\tXM\tYGBH\tExpr1003\n"
                     "导医组\t李\\t四\t214\t1\n"
                     "行政部\t张三\t213\t2\n");
    EXPECT_EQ(cli(dir.path(), {"stats", "extra"}).status, 2);
}

TEST_F(CliReports, ReportWritesThePdfAndTheWorkbookWithoutADisplay)
{
    const QString pdf = dir.filePath("r.pdf"), xlsx = dir.filePath("r.xlsx");
    const CliResult r = cli(dir.path(), {"report", "--pdf", pdf, "--xlsx", xlsx});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(pdfPages(pdf), 2);
    const QString text = pdfText(pdf);
    for (const char* t : {"考勤异常统计", "出勤天数统计", "行政部 张三 213 迟到 12", "行政部 张三 213 2"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(t))) << t;
    const auto sheets = readXlsx(xlsx);
    ASSERT_EQ(sheets.size(), 2u);
    EXPECT_EQ(sheets[1].rows.back(), QStringList({"行政部", "张三", "213", "2"}));

    EXPECT_EQ(cli(dir.path(), {"report", "--xlsx", dir.filePath("only.xlsx")}).status, 0);
    EXPECT_TRUE(QFile::exists(dir.filePath("only.xlsx")));
}

TEST_F(CliReports, ReportRefusesBadArgumentsAndUnwritableFiles)
{
    EXPECT_EQ(cli(dir.path(), {"report"}).status, 2);
    EXPECT_EQ(cli(dir.path(), {"report", "--pdf"}).status, 2);
    EXPECT_EQ(cli(dir.path(), {"report", "--csv", "x"}).status, 2);
    const CliResult r = cli(dir.path(), {"report", "--pdf", dir.filePath("no/such/dir/r.pdf")});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains("无法导出PDF文件")) << r.err.toStdString();
}

} // namespace
