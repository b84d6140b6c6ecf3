#include "import/punchrows.h"
#include "import/sheetreader.h"
#include "store/datetexts.h"
#include "store/errors.h"
#include "testsupport.h"
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QStringList punchLines(const PunchRows& rows)
{
    QStringList out;
    for (const ImportedPunch& p : rows.punches) out << QStringList{p.bm, p.xm, p.ygbh, p.dksj.toIso()}.join(u'|');
    return out;
}

PunchRows readFixture(const QString& name)
{
    const QString path = fixturePath(name);
    return PunchColumns::read(SheetReader::read(path), path);
}

// The rows of 2010-11.* in sheet order: the repeated row and the row without a
// number are still there (the import removes them), the row without a time
// and the empty row are not.
const QStringList MixedPunches = {
    "办公室|张三|213|2010-11-01 07:52:11", "办公室|张三|213|2010-11-01 17:31:05",
    "生产部|李四|0042|2010-11-01 08:03:00", "生产部|李四|0042|2010-11-01 17:45:00",
    "仓库|赵六|1007|2010-11-02 07:59:59",   "仓库|赵六|1007|2010-11-02 18:02:30",
    "办公室|张三|213|2010-11-01 07:52:11", "办公室|王五||2010-11-02 08:10:00",
    "办公室|张三|213|2010-11-03 07:58:00", "财务部|张三|213|2010-11-03 12:00:00",
    "办公室|张三|213|2010-11-03 12:00:00",
};

TEST(SheetReaders, EveryFormatDeliversTheSamePunchesOfTheMixedExport)
{
    for (const char* name : {"2010-11.xls", "2010-11.xlsx", "2010-11.csv", "2010-11-gb18030.csv"}) {
        SCOPED_TRACE(name);
        const PunchRows rows = readFixture(QString::fromUtf8(name));
        EXPECT_EQ(punchLines(rows), MixedPunches);
        EXPECT_EQ(rows.skippedWithoutTime, 1);
    }
}

TEST(SheetReaders, SheetIsNamedLikeTheFileWithoutItsLastExtension)
{
    EXPECT_EQ(SheetReader::expectedSheetName("/x/y/a.b.xls"), "a.b");
    const SheetData sheet = SheetReader::read(fixturePath("a.b.xls"));
    EXPECT_EQ(sheet.sheetName, "a.b");
    EXPECT_EQ(punchLines(PunchColumns::read(sheet, "a.b.xls")), QStringList{"办公室|张三|213|2010-11-04 08:01:00"});
    // An .xlsx with one sheet is read whatever that sheet is called.
    const PunchRows single = readFixture("any-name.xlsx");
    EXPECT_EQ(punchLines(single), QStringList{"办公室|张三|213|2010-11-04 08:01:00"});
}

TEST(SheetReaders, SerialNumbersAreExactToTheSecond)
{
    // Every second of a day, as the double a spreadsheet stores for it.
    const qint64 day = 40483; // 2010-11-01
    for (qint64 s = 0; s < DateTime::SecondsPerDay; ++s) {
        const double serial = double(day) + double(s) / 86400.0;
        ASSERT_EQ(serialToDateTime(serial, false).seconds(), day * DateTime::SecondsPerDay + s) << s;
    }
    EXPECT_EQ(serialToDateTime(40483.5, true).toIso(), "2014-11-02 12:00:00");
}

TEST(SheetReaders, PunchTimeTexts)
{
    DateTexts::setLocale(QLocale(QLocale::English, QLocale::UnitedStates)); // M/d/yyyy
    struct Case {
        const char* text;
        const char* iso; // nullptr: refused
    } cases[] = {
        {"2010-11-01 07:52:11", "2010-11-01 07:52:11"}, {"2010/11/1 7:52", "2010-11-01 07:52:00"},
        {"2010-11-01 7:05", "2010-11-01 07:05:00"},     {" 2010-11-01T07:52:11 ", "2010-11-01 07:52:11"},
        {"2010-11-01", "2010-11-01 00:00:00"},          {"11/2/2010 17:31", "2010-11-02 17:31:00"},
        {"11/2/2010 17:31:09", "2010-11-02 17:31:09"},  {"2010-13-01 07:00", nullptr},
        {"2010-02-30 07:00", nullptr},                  {"2010-11-01 24:00", nullptr},
        {"2010-11-01 07:60:00", nullptr},               {"07:52:11", nullptr},
        {"昨天", nullptr},                               {"40483.5", nullptr},
    };
    for (const Case& c : cases) {
        DateTime dt;
        const bool ok = PunchColumns::parsePunchTime(QString::fromUtf8(c.text), dt);
        EXPECT_EQ(ok, c.iso != nullptr) << c.text;
        if (ok && c.iso) {
            EXPECT_EQ(dt.toIso(), c.iso) << c.text;
        }
    }
    DateTexts::setLocale(QLocale::system());
}

TEST(SheetReaders, CsvQuotingSeparatorsAndEmptyFields)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("q.csv");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("\"日期时间\",部门,姓名,登记号码,备注\n"
            "2010-11-01 08:00:00,\"生产部,一车间\",\"王\"\"五\",7,\"两行\n说明\"\n"
            ",,,,\n"
            "2010-11-01 17:00:00,生产部,王五,,\n"
            "2010-11-01 18:00:00,生产部,王五"); // no final line break, short row
    f.close();
    const SheetData sheet = SheetReader::read(path);
    const PunchRows rows = PunchColumns::read(sheet, path);
    EXPECT_EQ(punchLines(rows), (QStringList{"生产部,一车间|王\"五|7|2010-11-01 08:00:00", "生产部|王五||2010-11-01 17:00:00",
                                             "生产部|王五||2010-11-01 18:00:00"}));
    ASSERT_EQ(sheet.rows.size(), 3u);
    EXPECT_EQ(sheet.rows[1].number, 5); // the quoted line break counts
}

// Each fault is refused with a message that names the file and what is wrong.
TEST(SheetReaders, FaultsAreNamed)
{
    struct Case {
        const char* fixture;
        QStringList mentions;
    } cases[] = {
        {"wrong-sheet.xls", {"wrong-sheet.xls", "“wrong-sheet”", "Sheet1"}},
        {"missing-column.xls", {"missing-column.xls", "“missing-column”", "“日期时间”"}},
        {"not-a-spreadsheet.xls", {"not-a-spreadsheet.xls", "不是电子表格"}},
        {"bad-date.xls", {"bad-date.xls", "“bad-date”", "第 3 行", "“日期时间”", "2010-13-45 25:00"}},
        {"no-such-file.xls", {"no-such-file.xls", "无法打开"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fixture);
        try {
            readFixture(QString::fromUtf8(c.fixture));
            ADD_FAILURE() << "no error";
        } catch (const TvError& e) {
            for (const QString& m : c.mentions) EXPECT_TRUE(e.message().contains(m)) << e.what();
        }
    }
}

TEST(SheetReaders, BrokenWorkbooksAreRefused)
{
    QTemporaryDir dir;
    QFile src(fixturePath("2010-11.xls"));
    ASSERT_TRUE(src.open(QIODevice::ReadOnly));
    const QByteArray head = src.read(1500);
    for (const char* name : {"cut.xls", "cut.xlsx"}) {
        const QString path = dir.filePath(name);
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(name).endsWith("x") ? QByteArray("PK\x03\x04garbage") : head);
        f.close();
        EXPECT_THROW(SheetReader::read(path), CommandRefused) << name;
    }
}

} // namespace
