#include "app/session.h"
#include "import/spreadsheetimport.h"
#include "importtestutil.h"
#include "store/datetexts.h"
#include "store/errors.h"
#include "testsupport.h"
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// After importing 2010-11.*: the repeated row is one record, the row without a
// number is gone, the two departments at one second both stay.
const QStringList MixedRecords = {
    "生产部|李四|0042|2010-11-01 08:03:00|\\N|0|2010-11-01|\\N",
    "生产部|李四|0042|2010-11-01 17:45:00|\\N|0|2010-11-01|\\N",
    "仓库|赵六|1007|2010-11-02 07:59:59|\\N|0|2010-11-02|\\N",
    "仓库|赵六|1007|2010-11-02 18:02:30|\\N|0|2010-11-02|\\N",
    "办公室|张三|213|2010-11-01 07:52:11|\\N|0|2010-11-01|\\N",
    "办公室|张三|213|2010-11-01 17:31:05|\\N|0|2010-11-01|\\N",
    "办公室|张三|213|2010-11-03 07:58:00|\\N|0|2010-11-03|\\N",
    "办公室|张三|213|2010-11-03 12:00:00|\\N|0|2010-11-03|\\N",
    "财务部|张三|213|2010-11-03 12:00:00|\\N|0|2010-11-03|\\N",
};

class ImportTest : public ::testing::Test {
protected:
    void SetUp() override { DateTexts::setLocale(QLocale(QLocale::C)); } // nyr as yyyy-MM-dd
    void TearDown() override { DateTexts::setLocale(QLocale::system()); }

    SpreadsheetImport::Outcome import(const QString& fixture) { return SpreadsheetImport::run(s, fixturePath(fixture)); }
    Database& db() { return s.db(); }

    TempDb t;
    Session s{t.path()};
};

TEST_F(ImportTest, ReadsTheFourColumnsDatesTheRowsAndReopensTheLists)
{
    const auto outcome = import("2010-11.xls");
    EXPECT_EQ(outcome.read, 11);
    EXPECT_EQ(outcome.skippedWithoutTime, 1);
    EXPECT_EQ(punchRecords(db()), MixedRecords);
    EXPECT_EQ(s.progress().lines(), (QStringList{"......", "正在从电子表格导入数据......", "已跳过 1 行：“日期时间”为空。",
                                                 "导入数据完成！", "正在清除重复记录......", "数据整理完成！"}));
    EXPECT_FALSE(s.progress().isVisible());
    EXPECT_FALSE(tableExists(db(), "tmp"));
    ASSERT_TRUE(s.employeeList().isOpen());
    EXPECT_EQ(s.employeeList().currentRow(), 0);
    EXPECT_EQ(s.context().CurrentEmployeeNo, s.employeeList().text("ygbh"));
    EXPECT_EQ(s.punchList().sortSpec(), "dksj ASC");
    EXPECT_GT(s.punchList().recordCount(), 0);
}

TEST_F(ImportTest, XlsXlsxAndCsvImportToIdenticalRows)
{
    for (const char* name : {"2010-11.xlsx", "2010-11.csv", "2010-11-gb18030.csv"}) {
        SCOPED_TRACE(name);
        db().exec("DELETE FROM kqk");
        import(QString::fromUtf8(name));
        EXPECT_EQ(punchRecords(db()), MixedRecords);
    }
}

TEST_F(ImportTest, SameFileTwiceGivesTheRowsOfOnceAndPanelLinesAccumulate)
{
    import("2010-11.xls");
    const QStringList once = punchRecords(db());
    import("2010-11.xls");
    EXPECT_EQ(punchRecords(db()), once);
    import("2010-11.xlsx"); // the same content in the other format adds nothing either
    EXPECT_EQ(punchRecords(db()), once);
    EXPECT_EQ(s.progress().lines().count("......"), 3);
}

TEST_F(ImportTest, AnalysedPunchesGetAnUnanalysedCopy)
{
    import("2010-11.xls");
    db().exec("UPDATE kqk SET bz='正常', js=1 WHERE ygbh='213' AND nyr='2010-11-01'");
    import("2010-11.xls");
    EXPECT_EQ(db().scalar("SELECT count(*) FROM kqk").toInt(), MixedRecords.size() + 2);
    EXPECT_EQ(db().scalar("SELECT count(*) FROM kqk WHERE ygbh='213' AND nyr='2010-11-01' AND js=0").toInt(), 2);
}

// Rows without a marker get their date again from dksj; rows of the whole
// table that agree in all but id, nulls included, become one.
TEST_F(ImportTest, DatesUnmarkedRowsAndMergesDuplicatesAcrossTheTable)
{
    db().exec("INSERT INTO kqk (bm,xm,ygbh,dksj,bz,js,nyr,shi) VALUES "
              "('d','n','9','2010-10-05 08:00:00',NULL,0,'wrong',NULL),"   // re-dated
              "('d','n','9','2010-10-05 08:00:00',NULL,0,'2010-10-05',NULL)," // then equal to the first
              "('d','n','9','2010-10-06 08:00:00','迟到',5,'by hand','-1')," // marked: left alone
              "('d','n','9','2010-10-07 08:00:00','补卡',0,NULL,'')," // no date: dated
              "(NULL,NULL,'9','2010-10-08 08:00:00',NULL,0,'2010-10-08','')," // null twins
              "(NULL,NULL,'9','2010-10-08 08:00:00',NULL,0,'2010-10-08','')," 
              "('d','n','9',NULL,NULL,0,NULL,NULL)"); // no time: kept, not blocking
    import("a.b.xls");
    const QStringList nines = punchRecords(db()).filter(QRegularExpression("^[^|]*\\|[^|]*\\|9\\|"));
    EXPECT_EQ(nines, (QStringList{"d|n|9|\\N|\\N|0|\\N|\\N", "d|n|9|2010-10-05 08:00:00|\\N|0|2010-10-05|\\N",
                                  "d|n|9|2010-10-06 08:00:00|迟到|5|by hand|-1",
                                  "d|n|9|2010-10-07 08:00:00|补卡|0|2010-10-07|",
                                  "\\N|\\N|9|2010-10-08 08:00:00|\\N|0|2010-10-08|"}));
}

TEST_F(ImportTest, FaultsLeaveKqkAndTheListsAsTheyWere)
{
    import("2010-11.xls");
    db().exec("UPDATE kqk SET bz='正常', js=1 WHERE ygbh='0042'");
    db().exec("UPDATE kqk SET nyr=NULL WHERE ygbh='1007'"); // would be dated by a successful import
    const QString before = dumpKqk(db());
    s.openLists();
    const std::pair<const char*, const char*> faults[] = {
        {"wrong-sheet.xls", "没有名为“wrong-sheet”的工作表"},
        {"missing-column.xls", "缺少列 “日期时间”"},
        {"not-a-spreadsheet.xls", "不是电子表格文件"},
        {"bad-date.xls", "第 3 行的“日期时间”“2010-13-45 25:00”"},
    };
    for (const auto& [name, fault] : faults) {
        SCOPED_TRACE(name);
        try {
            import(QString::fromUtf8(name));
            ADD_FAILURE() << "no error";
        } catch (const TvError& e) {
            EXPECT_TRUE(e.message().contains(QString::fromUtf8(name))) << e.what();
            EXPECT_TRUE(e.message().contains(QString::fromUtf8(fault))) << e.what();
        }
        EXPECT_EQ(dumpKqk(db()), before);
        EXPECT_FALSE(s.progress().isVisible());
        ASSERT_TRUE(s.employeeList().isOpen());
        EXPECT_TRUE(s.punchList().isOpen());
    }
    EXPECT_FALSE(tableExists(db(), "tmp"));
}

// A failure after rows went in (here at the deletion of rows without a number)
// takes the whole import back.
TEST_F(ImportTest, FailureLateInTheImportRollsEverythingBack)
{
    db().exec("INSERT INTO kqk (bm,xm,ygbh,dksj,nyr) VALUES ('d','n','1','2010-10-01 08:00:00',NULL)");
    db().exec("CREATE TRIGGER refuse BEFORE DELETE ON kqk WHEN old.ygbh = '' BEGIN SELECT RAISE(ABORT, 'refused'); END");
    const QString before = dumpKqk(db());
    EXPECT_THROW(import("2010-11.xls"), DatabaseError);
    EXPECT_EQ(dumpKqk(db()), before);
    EXPECT_EQ(db().transactionDepth(), 0);
}

TEST_F(ImportTest, AStrayTmpDoesNotBlockAndNamesNeverEnterTheSql)
{
    db().exec("CREATE TABLE tmp (x INTEGER)");
    QTemporaryDir dir;
    const QString folder = dir.filePath("o'neil] [x$");
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString path = folder + "/2010-11.xls";
    ASSERT_TRUE(QFile::copy(fixturePath("2010-11.xls"), path));
    SpreadsheetImport::run(s, path);
    EXPECT_EQ(punchRecords(db()), MixedRecords);
    EXPECT_FALSE(tableExists(db(), "tmp"));
}

TEST_F(ImportTest, RefusedWhileAnAnalysisRuns)
{
    s.context().AnalysisRunning = 1;
    EXPECT_THROW(import("2010-11.xls"), CommandRefused);
    EXPECT_EQ(db().scalar("SELECT count(*) FROM kqk").toInt(), 0);
    EXPECT_TRUE(s.progress().lines().isEmpty());
}

} // namespace

namespace {

// The newcomer's sample: the .xls and the .csv hold the same month.
TEST_F(ImportTest, SampleExportImportsAlikeFromXlsAndCsv)
{
    SpreadsheetImport::run(s, QStringLiteral(TV_SOURCE_DIR "/samples/2010-11.xls"));
    const QStringList fromXls = punchRecords(db());
    EXPECT_GT(fromXls.size(), 800);
    db().exec("DELETE FROM kqk");
    SpreadsheetImport::run(s, QStringLiteral(TV_SOURCE_DIR "/samples/2010-11.csv"));
    EXPECT_EQ(punchRecords(db()), fromXls);
    EXPECT_EQ(s.employeeList().recordCount(), 12);
}

} // namespace
