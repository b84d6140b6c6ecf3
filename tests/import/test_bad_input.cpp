// Spreadsheets as clerks meet them: damaged, protected, huge, with formulas,
// headings above the titles, and names no keyboard layout types alike. Each
// bad one is refused by name with kqk untouched; the rest import exactly.
#include "app/session.h"
#include "bench/biff8writer.h"
#include "import/spreadsheetimport.h"
#include "importtestutil.h"
#include "store/datetexts.h"
#include "store/errors.h"
#include "testsupport.h"
#include "xlsxmaker.h"
#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

namespace {

using B = Biff8Writer;
const DateTime Punch = DateTime::fromParts(2010, 11, 1, 7, 52, 11);
const QString PunchSerial = QStringLiteral("40483.327905092594"); // 2010-11-01 07:52:11

B::Row titles() { return {B::text("部门"), B::text("姓名"), B::text("登记号码"), B::text("日期时间")}; }

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

class BadInputTest : public ::testing::Test {
protected:
    BadInputTest()
    {
        DateTexts::setLocale(QLocale(QLocale::C)); // nyr as yyyy-MM-dd
        SpreadsheetImport::run(s, fixturePath("2010-11.xls")); // what must survive every refusal
        before = punchRecords(s.db());
    }
    void TearDown() override { DateTexts::setLocale(QLocale::system()); }

    QString file(const QString& name) const { return dir.filePath(name); }
    SpreadsheetImport::Outcome import(const QString& name) { return SpreadsheetImport::run(s, file(name)); }
    // The rows the import added, without the ones of SetUp.
    QStringList added()
    {
        QStringList out;
        for (const QString& r : punchRecords(s.db()))
            if (!before.contains(r)) out << r;
        return out;
    }

    QTemporaryDir dir;
    TempDb t;
    Session s{t.path()};
    QStringList before;
};

struct Refusal {
    const char* file;
    std::function<void(const QString& path)> make;
    QStringList mentions;
};

TEST_F(BadInputTest, RefusedByNameWithKqkUntouched)
{
    const auto cut = [](const char* fixture) {
        return [fixture](const QString& path) {
            const QByteArray all = fileBytes(fixturePath(fixture));
            writeBytes(path, all.left(all.size() / 2));
        };
    };
    const Refusal cases[] = {
        {"cut.xls", cut("2010-11.xls"), {"不是可读的 Excel 97-2003 工作簿：文件已损坏或不完整"}},
        {"cut.xlsx", cut("2010-11.xlsx"), {"不是可读的 Excel 工作簿（.xlsx）"}},
        {"no-directory.xls",
         [](const QString& path) { // the compound file's directory sector wiped
             QByteArray all = fileBytes(fixturePath("2010-11.xls"));
             const quint32 dirSector = quint8(all[0x30]) | quint8(all[0x31]) << 8 | quint8(all[0x32]) << 16;
             all.replace((dirSector + 1) * 512, 512, QByteArray(512, '\0'));
             writeBytes(path, all);
         },
         {"不是可读的 Excel 97-2003 工作簿：文件中没有工作簿数据"}},
        {"damaged.xlsx",
         [](const QString& path) { // the sheet's compressed bytes garbled: its checksum fails
             writeXlsx(path, titleRow(1) + QStringLiteral(R"(<row r="2"><c r="A2"><v>1</v></c></row>)").repeated(200));
             QByteArray all = fileBytes(path);
             const qsizetype at = all.indexOf("xl/worksheets/sheet1.xml") + 60;
             for (int i = 0; i < 16; ++i) all[at + i] = char(all[at + i] ^ 0x5A);
             writeBytes(path, all);
         },
         {"无法读取工作表“Sheet1”（文件已损坏）"}},
        {"protected.xls",
         [](const QString& path) {
             B::Options o;
             o.passwordProtected = true; // named unlike the file: encryption garbles the names
             B::write(path, QStringLiteral("Sheet1"), {titles(), {B::text("d"), B::text("n"), B::text("1"), B::dateTime(Punch)}}, o);
         },
         {"工作簿设有密码保护"}},
        {"protected.xlsx",
         [](const QString& path) { // how Excel saves an .xlsx with a password to open
             B::writeCompoundFile(path, {{QStringLiteral("EncryptionInfo"), QByteArray("\x04\x00\x04\x00\x40\x00\x00\x00", 8)},
                                         {QStringLiteral("EncryptedPackage"), QByteArray(8192, '\x77')}});
         },
         {"工作簿设有密码保护"}},
        {"formula.xls",
         [](const QString& path) {
             B::write(path, QStringLiteral("formula"),
                      {titles(), {B::text("d"), B::text("n"), B::text("1"), B::dateTime(Punch)},
                       {B::text("d"), B::text("n"), B::text("1"), B::formula(B::serialOf(Punch) + 1, true)}});
         },
         {"第 3 行的“日期时间”是公式", "另存为 .xlsx"}},
        {"uncalculated.xlsx",
         [](const QString& path) {
             writeXlsx(path, titleRow(1) + QStringLiteral(R"(<row r="2">)") + inlineCell("A2", "d") + inlineCell("B2", "n")
                                  + inlineCell("C2", "1") + QStringLiteral(R"(<c r="D2" s="1"><f>DATE(2010,11,1)</f></c></row>)"));
         },
         {"第 2 行的“日期时间”是没有计算结果的公式"}},
        {"error.xlsx",
         [](const QString& path) {
             writeXlsx(path, titleRow(1) + QStringLiteral(R"(<row r="2">)") + inlineCell("A2", "d")
                                  + QStringLiteral(R"(<c r="B2" t="e"><f>VLOOKUP(C2,X!A:B,2,0)</f><v>#N/A</v></c>)")
                                  + inlineCell("C2", "1") + QStringLiteral(R"(<c r="D2" s="1"><v>%1</v></c></row>)").arg(PunchSerial));
         },
         {"第 2 行的“姓名”是错误值“#N/A”"}},
    };
    const QString kqk = dumpKqk(s.db());
    for (const Refusal& c : cases) {
        SCOPED_TRACE(c.file);
        c.make(file(QString::fromUtf8(c.file)));
        try {
            import(QString::fromUtf8(c.file));
            ADD_FAILURE() << "imported";
        } catch (const TvError& e) {
            EXPECT_TRUE(e.message().contains(QString::fromUtf8(c.file))) << e.what();
            for (const QString& m : c.mentions) EXPECT_TRUE(e.message().contains(m)) << e.what();
        }
        EXPECT_EQ(dumpKqk(s.db()), kqk);
        EXPECT_TRUE(s.employeeList().isOpen());
    }
}

TEST_F(BadInputTest, AFullSheetOf65536RowsImportsEveryPunch)
{
    std::vector<B::Row> rows{titles()};
    for (int i = 1; i < 65536; ++i)
        rows.push_back({B::text("生产部"), B::text("工人"), B::number(100000 + i), B::dateTime(Punch.addSeconds(60 * i))});
    B::write(file("full.xls"), QStringLiteral("full"), rows);
    EXPECT_EQ(import("full.xls").read, 65535);
    const QStringList rowsIn = added();
    ASSERT_EQ(rowsIn.size(), 65535);
    EXPECT_EQ(rowsIn.first(), "生产部|工人|100001|2010-11-01 07:53:11|\\N|0|2010-11-01|\\N");
    EXPECT_EQ(rowsIn.last(), "生产部|工人|165535|2010-12-16 20:07:11|\\N|0|2010-12-16|\\N");
}

// Cached results are what Excel showed; they import like typed values.
TEST_F(BadInputTest, FormulaCellsImportTheirStoredResults)
{
    writeXlsx(file("formulas.xlsx"),
              titleRow(1) + QStringLiteral(R"(<row r="2"><c r="A2" t="str"><f>"办"&amp;"公室"</f><v>办公室</v></c>)")
                   + inlineCell("B2", "张三") + QStringLiteral(R"(<c r="C2" t="str"><f>TEXT(213,"0000")</f><v>0213</v></c>)")
                   + QStringLiteral(R"(<c r="D2" s="1"><f>DATE(2010,11,1)+TIME(7,52,11)</f><v>%1</v></c></row>)").arg(PunchSerial));
    import("formulas.xlsx");
    EXPECT_EQ(added(), QStringList{"办公室|张三|0213|2010-11-01 07:52:11|\\N|0|2010-11-01|\\N"});
}

// A heading merged across the columns stands above the titles.
TEST_F(BadInputTest, AMergedHeadingAboveTheTitlesIsPassedOver)
{
    B::Options merged;
    merged.merged = {{0, 0, 0, 3}};
    B::write(file("heading.xls"), QStringLiteral("heading"),
             {{B::text("2010年11月 考勤记录")}, titles(), {B::text("d"), B::text("n"), B::text("7"), B::dateTime(Punch)}}, merged);
    writeXlsx(file("heading.xlsx"),
              QStringLiteral(R"(<row r="1">)") + inlineCell("A1", "2010年11月 考勤记录") + QStringLiteral("</row>") + titleRow(2)
                   + QStringLiteral(R"(<row r="3">)") + inlineCell("A3", "d") + inlineCell("B3", "n") + inlineCell("C3", "8")
                   + QStringLiteral(R"(<c r="D3" s="1"><v>%1</v></c></row>)").arg(PunchSerial),
               QStringLiteral(R"(<mergeCell ref="A1:D1"/>)"));
    import("heading.xls");
    import("heading.xlsx");
    EXPECT_EQ(added(), (QStringList{"d|n|7|2010-11-01 07:52:11|\\N|0|2010-11-01|\\N",
                                    "d|n|8|2010-11-01 07:52:11|\\N|0|2010-11-01|\\N"}));
}

// Emoji (outside the 16-bit plane), full-width letters and digits, and text
// numbers with leading zeros arrive as written, from every format.
TEST_F(BadInputTest, NamesAndNumbersKeepEveryCharacter)
{
    const QString dept = QStringLiteral("研发部🚀"), name = QStringLiteral("Ｌｉ　小明😀"), number = QStringLiteral("０２１３");
    const auto row = [&](const QString& ygbh) { return B::Row{B::text(dept), B::text(name), B::text(ygbh), B::dateTime(Punch)}; };
    B::write(file("texts.xls"), QStringLiteral("texts"), {titles(), row("0213"), row(number)});
    writeXlsx(file("texts.xlsx"), titleRow(1) + QStringLiteral(R"(<row r="2">)") + inlineCell("A2", dept) + inlineCell("B2", name)
                                       + QStringLiteral(R"(<c r="C2" t="s"><v>0</v></c>)")
                                       + QStringLiteral(R"(<c r="D2" s="1"><v>%1</v></c></row>)").arg(PunchSerial),
                                   QString(), QStringLiteral("<si><t>00214</t></si>"));
    writeBytes(file("texts.csv"),
               QStringLiteral("部门,姓名,登记号码,日期时间\r\n%1,%2,00215,2010-11-01 07:52:11\r\n").arg(dept, name).toUtf8());
    for (const char* f : {"texts.xls", "texts.xlsx", "texts.csv"}) import(QString::fromUtf8(f));
    const QString tail = QStringLiteral("|2010-11-01 07:52:11|\\N|0|2010-11-01|\\N");
    const QString who = dept + u'|' + name + u'|';
    EXPECT_EQ(added(), (QStringList{who + "00214" + tail, who + "00215" + tail, who + "0213" + tail, who + number + tail}));
}

} // namespace
