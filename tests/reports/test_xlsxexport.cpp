#include "reportfixture.h"
#include "testsupport.h"
#include "xlsxreader.h"
#include "app/session.h"
#include "reports/statistics.h"
#include "reports/xlsxexport.h"
#include "store/database.h"
#include "store/errors.h"
#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

class XlsxExport : public ::testing::Test {
protected:
    void SetUp() override
    {
        insertAnalysed(tmp.db(), {
                                     {"行政部", "张三", "213", "2010-11-01 08:10:00", "迟到", 7, "2010/11/1"},
                                     {"行政部", "张三", "213", "2010-11-02 08:15:00", "迟到", 5, "2010/11/2"},
                                     {"行政部", "张三", "213", "2010-11-02 17:30:00", "正常", 1, "2010/11/2"},
                                     {"导医组", "李四", "214", "2010-11-01 08:00:00", "迟到", -1, "2010/11/1"},
                                 });
        tmp.database.reset();
        session = std::make_unique<Session>(tmp.path());
        stats = std::make_unique<Statistics>(*session);
        stats->recompute();
    }
    TempDb tmp;
    std::unique_ptr<Session> session;
    std::unique_ptr<Statistics> stats;
};

TEST_F(XlsxExport, BothTablesAreSheetsUnderTheGridTitles)
{
    const QString path = tmp.tmp.filePath("stats.xlsx");
    exportXlsx(path, statisticsSheets(stats->q_tj1(), stats->q_tj2()));
    const auto sheets = readXlsx(path);
    ASSERT_EQ(sheets.size(), 2u);
    EXPECT_EQ(sheets[0].name, "考勤异常统计");
    EXPECT_EQ(sheets[1].name, "出勤天数统计");
    // The null total stays an empty cell, not 0.
    const std::vector<QStringList> anomaly{{"部门", "姓名", "员工编号", "备注", "累计"},
                                           {"导医组", "李四", "214", "迟到"},
                                           {"行政部", "张三", "213", "迟到", "12"}};
    EXPECT_EQ(sheets[0].rows, anomaly);
    const std::vector<QStringList> attendance{{"部门", "姓名", "员工编号", "出勤天数"},
                                              {"导医组", "李四", "214", "1"},
                                              {"行政部", "张三", "213", "2"}};
    EXPECT_EQ(sheets[1].rows, attendance);
}

TEST_F(XlsxExport, EmptyTablesKeepTheirTitleRow)
{
    session->execCommand("delete from kqk");
    stats->recompute();
    const QString path = tmp.tmp.filePath("empty.xlsx");
    exportXlsx(path, statisticsSheets(stats->q_tj1(), stats->q_tj2()));
    const auto sheets = readXlsx(path);
    ASSERT_EQ(sheets.size(), 2u);
    EXPECT_EQ(sheets[0].rows, std::vector<QStringList>({{"部门", "姓名", "员工编号", "备注", "累计"}}));
    EXPECT_EQ(sheets[1].rows, std::vector<QStringList>({{"部门", "姓名", "员工编号", "出勤天数"}}));
}

TEST_F(XlsxExport, AFailedExportLeavesTheOldFileAndNoLitter)
{
    const QString path = tmp.tmp.filePath("stats.xlsx");
    exportXlsx(path, statisticsSheets(stats->q_tj1(), stats->q_tj2()));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray before = f.readAll();
    f.close();
    auto sheets = statisticsSheets(stats->q_tj1(), stats->q_tj2());
    sheets[1].name = "a/b:c"; // not a sheet name
    EXPECT_THROW(exportXlsx(path, sheets), CommandRefused);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), before);
    const QStringList left = QDir(tmp.dir()).entryList({"*.xlsx*", ".xlsx*"}, QDir::Files | QDir::Hidden);
    EXPECT_EQ(left, QStringList({"stats.xlsx"}));
    EXPECT_THROW(exportXlsx(tmp.tmp.filePath("no/such/dir/x.xlsx"), sheets), CommandRefused);
}

} // namespace
