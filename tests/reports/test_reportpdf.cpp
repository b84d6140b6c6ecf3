#include "pdftools.h"
#include "reportfixture.h"
#include "testsupport.h"
#include "app/session.h"
#include "reports/TJ_PRT2.h"
#include "reports/reportfonts.h"
#include "reports/reportpdf.h"
#include "reports/statistics.h"
#include "reports/tj_prt.h"
#include "store/database.h"
#include "store/errors.h"
#include <QFile>
#include <QFontMetricsF>
#include <QImage>
#include <QPdfWriter>
#include <gtest/gtest.h>
#include <cmath>

namespace {

// Statistics over a fresh database, the two report layouts over them.
struct Reports {
    explicit Reports(const std::function<void(Database&)>& fill)
    {
        ensureGuiApp();
        fill(tmp.db());
        tmp.database.reset();
        session = std::make_unique<Session>(tmp.path());
        stats = std::make_unique<Statistics>(*session);
        stats->recompute();
        anomaly = std::make_unique<Tftj_prt>(stats->q_tj1());
        attendance = std::make_unique<TFTJ_PRT2>(stats->q_tj2());
    }
    QString write(const QString& name, std::vector<const ReportForm*> forms)
    {
        const QString path = tmp.tmp.filePath(name);
        writeReportsPdf(path, forms);
        return path;
    }
    QString both(const QString& name) { return write(name, {anomaly.get(), attendance.get()}); }

    TempDb tmp;
    std::unique_ptr<Session> session;
    std::unique_ptr<Statistics> stats;
    std::unique_ptr<Tftj_prt> anomaly;
    std::unique_ptr<TFTJ_PRT2> attendance;
};

QString person(int i) { return QStringLiteral("员%1").arg(i, 3, 10, QLatin1Char('0')); }

const PdfWord* findWord(const std::vector<PdfWord>& words, int page, const QString& text)
{
    for (const PdfWord& w : words)
        if (w.page == page && w.text == text) return &w;
    return nullptr;
}

double mm(double points) { return points / PointsPerMm; }

// Top edges, in mm from the paper's edge, of the full-width black lines drawn
// across the table on one rendered page.
std::vector<double> ruleTops(const QString& png, double dpi)
{
    const QImage img(png);
    const double pxPerMm = dpi / 25.4;
    const int x0 = int(12 * pxPerMm), x1 = int(76 * pxPerMm);
    std::vector<double> tops;
    bool inLine = false;
    for (int y = 0; y < img.height(); ++y) {
        int dark = 0;
        for (int x = x0; x < x1; ++x) dark += qGray(img.pixel(x, y)) < 128;
        const bool line = dark > 0.95 * (x1 - x0);
        if (line && !inLine) tops.push_back(y / pxPerMm);
        inLine = line;
    }
    return tops;
}

struct PagingCase {
    int rows;
    int anomalyPages;
    int attendancePages;
};

class ReportPaging : public ::testing::TestWithParam<PagingCase> {};

// The first page holds the title band and 29 rows; later pages 31 anomaly or
// 32 attendance rows.
TEST_P(ReportPaging, PagesFollowTheBandHeights)
{
    const PagingCase c = GetParam();
    Reports r([&](Database& db) { insertPeople(db, c.rows); });
    EXPECT_EQ(pdfPages(r.write("anomaly.pdf", {r.anomaly.get()})), c.anomalyPages);
    EXPECT_EQ(pdfPages(r.write("attendance.pdf", {r.attendance.get()})), c.attendancePages);
    EXPECT_EQ(pdfPages(r.both("both.pdf")), c.anomalyPages + c.attendancePages);
}

INSTANTIATE_TEST_SUITE_P(Rows, ReportPaging,
                         ::testing::Values(PagingCase{0, 1, 1}, PagingCase{5, 1, 1}, PagingCase{29, 1, 1},
                                           PagingCase{30, 2, 2}, PagingCase{61, 3, 2}, PagingCase{70, 3, 3}),
                         [](const auto& info) { return "rows" + std::to_string(info.param.rows); });

TEST(ReportPdf, ThreePagesCarryEveryRowAndTheTitleBandOnlyFirst)
{
    Reports r([](Database& db) { insertPeople(db, 70); });
    const QString pdf = r.both("reports-70.pdf");
    ASSERT_EQ(pdfPages(pdf), 6);
    keepPagesAsPng(pdf, QStringLiteral("report-70rows"));

    const QString first = pdfText(pdf, 1, 1);
    for (const char* t : {"考勤异常统计", "编号", "累计"}) EXPECT_TRUE(first.contains(QString::fromUtf8(t))) << t;
    const QString firstOfSecond = pdfText(pdf, 4, 4);
    for (const char* t : {"出勤天数统计", "编号", "出勤天数"}) EXPECT_TRUE(firstOfSecond.contains(QString::fromUtf8(t))) << t;
    for (int page : {2, 3, 5, 6}) {
        const QString text = pdfText(pdf, page, page);
        for (const char* t : {"统计", "编号", "累计", "部 门", "姓 名", "出勤天数"})
            EXPECT_FALSE(text.contains(QString::fromUtf8(t))) << "page " << page << ": " << t;
    }
    // Every row once in each report, in the data set's order.
    for (auto [firstPage, lastPage] : {std::pair{1, 3}, std::pair{4, 6}}) {
        const QString text = pdfText(pdf, firstPage, lastPage);
        int at = 0;
        for (int i = 1; i <= 70; ++i) {
            const QString row = QStringLiteral("行政部 %1 %2").arg(person(i)).arg(1000 + i);
            EXPECT_EQ(text.count(row), 1) << row.toStdString();
            const int pos = text.indexOf(row);
            EXPECT_GT(pos, at - 1) << row.toStdString();
            at = pos;
        }
    }
    const QString anomalyText = pdfText(pdf, 1, 3);
    EXPECT_TRUE(anomalyText.contains(QStringLiteral("%1 1011 迟到 12").arg(person(11))));
    EXPECT_TRUE(pdfText(pdf, 4, 6).contains(QStringLiteral("%1 1070 1").arg(person(70))));
}

// Heading boxes take their text's size at the listed left edges; the two
// blanks of "部  门" etc. show as a gap of two blank widths.
TEST(ReportPdf, TitleHeadingsAndFieldsSitWhereTheLayoutPutsThem)
{
    Reports r([](Database& db) { insertPeople(db, 3); });
    const QString pdf = r.both("positions.pdf");
    keepPagesAsPng(pdf, QStringLiteral("report-3rows"));
    const auto words = pdfWords(pdf);

    QPdfWriter probe(QStringLiteral("/dev/null"));
    probe.setResolution(72);
    const double blank = QFontMetricsF(ReportFonts::font(ReportLayouts::FontRole::Heading), &probe).horizontalAdvance(u' ');
    ASSERT_GT(blank, 0);

    struct Heading {
        int page;
        const char* first;
        const char* second; // after the two blanks; null for a heading without
        double left;
    };
    const Heading headings[] = {
        {1, "部", "门", 2.1},  {1, "姓", "名", 17.2}, {1, "编号", nullptr, 32.5}, {1, "备", "注", 47.6},
        {1, "累计", nullptr, 63.0}, {2, "部", "门", 3.7}, {2, "姓", "名", 19.1}, {2, "编号", nullptr, 35.5},
        {2, "出勤天数", nullptr, 50.5},
    };
    for (const Heading& h : headings) {
        const PdfWord* w = findWord(words, h.page, QString::fromUtf8(h.first));
        ASSERT_TRUE(w) << h.first;
        EXPECT_NEAR(mm(w->xMin), 10 + h.left, 0.6) << h.first;
        EXPECT_NEAR(mm(w->yMin), 10 + 14.8, 1.0) << h.first;
        if (!h.second) continue;
        const PdfWord* w2 = findWord(words, h.page, QString::fromUtf8(h.second));
        ASSERT_TRUE(w2) << h.second;
        EXPECT_NEAR(w2->xMin - w->xMax, 2 * blank, 0.5 * blank) << h.first << h.second;
    }
    // Titles centred in their boxes.
    const PdfWord* t1 = findWord(words, 1, QStringLiteral("考勤异常统计"));
    const PdfWord* t2 = findWord(words, 2, QStringLiteral("出勤天数统计"));
    ASSERT_TRUE(t1 && t2);
    EXPECT_NEAR(mm((t1->xMin + t1->xMax) / 2), 10 + 0.0 + 76.5 / 2, 1.0);
    EXPECT_NEAR(mm((t2->xMin + t2->xMax) / 2), 10 + 2.1 + 74.1 / 2, 1.0);
    EXPECT_NEAR(mm(t1->yMin), 10 + 3.4, 1.0);
    // The second row's number, centred in its field box of its detail band.
    const PdfWord* n1 = findWord(words, 1, QStringLiteral("1002"));
    const PdfWord* n2 = findWord(words, 2, QStringLiteral("1002"));
    ASSERT_TRUE(n1 && n2);
    EXPECT_NEAR(mm((n1->xMin + n1->xMax) / 2), 10 + 32.3 + 10.3 / 2, 0.5);
    EXPECT_NEAR(mm(n1->yMin), 10 + 22.0 + 8.7 + 2.1, 1.0);
    EXPECT_NEAR(mm((n2->xMin + n2->xMax) / 2), 10 + 35.2 + 10.3 / 2, 0.5);
    EXPECT_NEAR(mm(n2->yMin), 10 + 22.8 + 8.5 + 2.1, 1.0);
}

// An empty data set prints the title band and one detail band with its rule;
// each row adds a band with its rule under it.
TEST(ReportPdf, RulesUnderTitleHeadingsAndEveryDetailBand)
{
    for (int rows : {0, 1, 3}) {
        Reports r([&](Database& db) { insertPeople(db, rows); });
        const QString pdf = r.write("anomaly.pdf", {r.anomaly.get()});
        const QString name = QStringLiteral("report-anomaly-%1rows").arg(rows);
        const QStringList pages = keepPagesAsPng(pdf, name, 200);
        ASSERT_EQ(pages.size(), 1);
        std::vector<double> expected{10 + 12.7, 10 + 21.4};
        for (int b = 0; b < std::max(rows, 1); ++b) expected.push_back(10 + 22.0 + b * 8.7 + 7.4);
        const std::vector<double> found = ruleTops(pages[0], 200);
        ASSERT_EQ(found.size(), expected.size()) << "rows " << rows;
        for (size_t i = 0; i < found.size(); ++i) EXPECT_NEAR(found[i], expected[i], 0.3) << "rows " << rows << " rule " << i;
        const QString text = pdfText(pdf);
        EXPECT_TRUE(text.contains(QStringLiteral("考勤异常统计")));
        EXPECT_EQ(text.contains(QStringLiteral("员0")), rows > 0);
    }
}

TEST(ReportPdf, LongTextsWrapInsideTheirFixedBoxes)
{
    Reports r([](Database& db) {
        insertAnalysed(db, {{"一二三四五六七八九十", "AB CD EF GH IJ KL", "77", "2010-11-01 08:05:00", "迟到", 4, "2010/11/1"}});
    });
    const QString pdf = r.write("wrap.pdf", {r.anomaly.get()});
    keepPagesAsPng(pdf, QStringLiteral("report-wrap"), 200);
    const QString text = pdfText(pdf);
    EXPECT_TRUE(text.contains(QStringLiteral("一二三")));
    EXPECT_FALSE(text.contains(QStringLiteral("十"))); // wrapped below the box
    EXPECT_TRUE(text.contains(QStringLiteral("AB")));
    EXPECT_FALSE(text.contains(QStringLiteral("KL")));
    for (const PdfWord& w : pdfWords(pdf)) {
        if (w.text.startsWith(QStringLiteral("一"))) {
            EXPECT_GE(mm(w.xMin), 10 + 1.1 - 0.1);
            EXPECT_LE(mm(w.xMax), 10 + 1.1 + 14.0 + 0.1);
            EXPECT_LE(mm(w.yMax), 10 + 22.0 + 2.1 + 4.5 + 0.6);
        }
    }
}

TEST(ReportPdf, AFailedExportLeavesTheOldFileWhole)
{
    Reports r([](Database& db) { insertPeople(db, 2); });
    EXPECT_THROW(r.write("no/such/dir/x.pdf", {r.anomaly.get()}), CommandRefused);
    const QString path = r.both("kept.pdf");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray before = f.readAll();
    f.close();
    r.stats->close(); // the second report's data is gone
    EXPECT_THROW(writeReportsPdf(path, {r.anomaly.get(), r.attendance.get()}), CommandRefused);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), before);
}

} // namespace
