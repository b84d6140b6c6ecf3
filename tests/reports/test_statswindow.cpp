#include "pdftools.h"
#include "reportfixture.h"
#include "app/dialogs.h"
#include "app/gridview.h"
#include "app/kq.h"
#include "app/session.h"
#include "reports/tj.h"
#include "store/database.h"
#include <QFile>
#include <QHeaderView>
#include <QPrinterInfo>
#include <QTemporaryDir>
#include <QtTest>

class TestStatsWindow : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        Dialogs::setScripted(true);
        Dialogs::clearRecorded();
        m_dir = std::make_unique<QTemporaryDir>();
        m_path = m_dir->filePath(QStringLiteral("kq.mdb"));
        auto db = Database::open(m_path);
        insertAnalysed(*db, {
                                {"行政部", "张三", "213", "2010-11-01 08:10:00", "迟到", 7, "2010/11/1"},
                                {"行政部", "张三", "213", "2010-11-01 17:30:00", "正常", 1, "2010/11/1"},
                                {"导医组", "李四", "214", "2010-11-01 08:00:00", nullptr, 0, "2010/11/1"},
                            });
        m_session = std::make_unique<Session>(m_path);
        m_main = std::make_unique<Tfkq>(*m_session);
        createSecondaryWindows(m_main->windows(), *m_session);
        m_ftj = qobject_cast<Tftj*>(m_main->windows().ftj);
        QVERIFY(m_ftj);
    }

    void cleanup()
    {
        m_main.reset();
        m_session.reset();
    }

    void showsBothGridsAsLaidOutAndReadOnly()
    {
        QCOMPARE(m_ftj->windowTitle(), QStringLiteral("统计"));
        QVERIFY(!(m_ftj->windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(!m_ftj->q_tj1().isOpen()); // nothing is counted before the first showing
        showWindow(m_ftj);
        QVERIFY(QTest::qWaitForWindowExposed(m_ftj));
        QCOMPARE(m_ftj->size(), QSize(581, 480));

        struct Col {
            GridView* grid;
            int col;
            const char* title;
            int width;
        };
        const Col cols[] = {{m_ftj->DBGrid1(), 0, "部门", 56}, {m_ftj->DBGrid1(), 1, "姓名", 56},
                            {m_ftj->DBGrid1(), 2, "员工编号", 56}, {m_ftj->DBGrid1(), 3, "备注", 67},
                            {m_ftj->DBGrid1(), 4, "累计", 56},   {m_ftj->DBGrid2(), 0, "部门", 50},
                            {m_ftj->DBGrid2(), 1, "姓名", 50},   {m_ftj->DBGrid2(), 2, "员工编号", 50},
                            {m_ftj->DBGrid2(), 3, "出勤天数", 52}};
        for (const Col& c : cols) {
            QCOMPARE(c.grid->model()->headerData(c.col, Qt::Horizontal).toString(), QString::fromUtf8(c.title));
            QCOMPARE(c.grid->columnWidth(c.col), c.width);
            QCOMPARE(c.grid->model()->data(c.grid->model()->index(0, c.col), Qt::TextAlignmentRole).value<Qt::Alignment>(),
                     Qt::AlignCenter);
            QVERIFY(!(c.grid->model()->flags(c.grid->model()->index(0, c.col)) & Qt::ItemIsEditable));
        }
        QCOMPARE(m_ftj->DBGrid1()->model()->columnCount(), 5);
        QCOMPARE(m_ftj->DBGrid2()->model()->columnCount(), 4);
        QCOMPARE(m_ftj->DBGrid2()->width(), 242);
        QCOMPARE(m_ftj->DBGrid2()->geometry().right(), m_ftj->width() - 1);
        QCOMPARE(m_ftj->Button1()->text(), QStringLiteral("打印"));
        QCOMPARE(m_ftj->Button1()->geometry(), QRect(104, 400, 75, 25));

        // One anomaly row (the null status is no anomaly), two attendance rows.
        QCOMPARE(m_ftj->DBGrid1()->model()->rowCount(), 1);
        QCOMPARE(m_ftj->DBGrid1()->model()->index(0, 4).data().toString(), QStringLiteral("7"));
        QCOMPARE(m_ftj->DBGrid2()->model()->rowCount(), 2);

        // Titles do not sort.
        emit m_ftj->DBGrid2()->horizontalHeader()->sectionClicked(1);
        QCOMPARE(m_ftj->q_tj2().sortSpec(), QString());
        QCOMPARE(m_session->sortToggle(), 1);
        m_ftj->grab().save(QStringLiteral(TV_BINARY_DIR "/screenshots/statistics-window.png"));
    }

    void keepsTheOldCountsUntilReopened()
    {
        showWindow(m_ftj);
        QVERIFY(QTest::qWaitForWindowExposed(m_ftj));
        m_session->execCommand(QStringLiteral("update kqk set bz='迟到', js=9 where ygbh='214'"));
        showWindow(m_ftj); // already shown: only comes to the front
        QCOMPARE(m_ftj->DBGrid1()->model()->rowCount(), 1);
        m_ftj->close();
        QVERIFY(!m_ftj->q_tj1().isOpen());
        QVERIFY(!m_ftj->q_tj2().isOpen());
        showWindow(m_ftj);
        QVERIFY(QTest::qWaitForWindowExposed(m_ftj));
        QCOMPARE(m_ftj->DBGrid1()->model()->rowCount(), 2);
        QCOMPARE(m_ftj->q_tj1().value(QStringLiteral("bm")).toText(), QStringLiteral("导医组"));
        QCOMPARE(m_ftj->q_tj1().value(QStringLiteral("Expr1004")).toInt(), 9);
    }

    void printingWithoutAPrinterSaysNothingWasPrinted()
    {
        showWindow(m_ftj);
        const QStringList nothingPrinted(QStringLiteral("没有默认打印机，报表“考勤异常统计”、“出勤天数统计”未打印。"));
        m_ftj->setPrinterSource([] { return std::unique_ptr<QPrinter>(); });
        m_ftj->Button1()->click();
        QCOMPARE(Dialogs::recordedMessages(), nothingPrinted);
        if (!QPrinterInfo::defaultPrinter().isNull()) QSKIP("this machine has a default printer");
        Dialogs::clearRecorded();
        m_ftj->setPrinterSource(defaultPrinter);
        m_ftj->Button1()->click();
        QCOMPARE(Dialogs::recordedMessages(), nothingPrinted);
    }

    // Each report is a job of its own, the anomaly report first; a printer
    // failing on the second job names what did and did not print.
    void printsBothReportsAsTwoJobsAndReportsAFailingPrinter()
    {
        showWindow(m_ftj);
        QStringList outputs;
        m_ftj->setPrinterSource([&] {
            auto p = std::make_unique<QPrinter>(QPrinter::HighResolution);
            p->setOutputFormat(QPrinter::PdfFormat);
            outputs << m_dir->filePath(QStringLiteral("job%1.pdf").arg(outputs.size() + 1));
            p->setOutputFileName(outputs.last());
            return p;
        });
        m_ftj->Button1()->click();
        QCOMPARE(Dialogs::recordedMessages(), QStringList());
        QCOMPARE(outputs.size(), 2);
        QVERIFY(pdfText(outputs[0]).contains(QStringLiteral("考勤异常统计")));
        QVERIFY(pdfText(outputs[1]).contains(QStringLiteral("出勤天数统计")));
        QCOMPARE(pdfPages(outputs[0]), 1);

        int jobs = 0;
        m_ftj->setPrinterSource([&] {
            auto p = std::make_unique<QPrinter>(QPrinter::HighResolution);
            p->setOutputFormat(QPrinter::PdfFormat);
            p->setOutputFileName(++jobs == 1 ? m_dir->filePath(QStringLiteral("ok.pdf"))
                                             : m_dir->filePath(QStringLiteral("no/such/dir/x.pdf")));
            return p;
        });
        m_ftj->Button1()->click();
        QCOMPARE(Dialogs::recordedMessages().size(), 1);
        const QString msg = Dialogs::recordedMessages().first();
        QVERIFY2(msg.contains(QStringLiteral("报表“出勤天数统计”未打印")), qPrintable(msg));
        QVERIFY2(msg.contains(QStringLiteral("已送往打印机：“考勤异常统计”")), qPrintable(msg));
    }

    void exportsBothReportsToAPdfAndBothTablesToAWorkbook()
    {
        showWindow(m_ftj);
        m_ftj->exportPdfButton()->click(); // cancelled: nothing written, nothing said
        QCOMPARE(Dialogs::recordedMessages(), QStringList());
        Dialogs::queueFileName(m_dir->filePath(QStringLiteral("统计")));
        m_ftj->exportPdfButton()->click();
        const QString pdf = m_dir->filePath(QStringLiteral("统计.pdf"));
        QVERIFY(QFile::exists(pdf));
        QCOMPARE(pdfPages(pdf), 2);
        const QString text = pdfText(pdf);
        QVERIFY(text.indexOf(QStringLiteral("考勤异常统计")) < text.indexOf(QStringLiteral("出勤天数统计")));
        keepPagesAsPng(pdf, QStringLiteral("statistics-window-export"));

        Dialogs::queueFileName(m_dir->filePath(QStringLiteral("统计.xlsx")));
        m_ftj->exportXlsxButton()->click();
        QVERIFY(QFile::exists(m_dir->filePath(QStringLiteral("统计.xlsx"))));
        QCOMPARE(Dialogs::recordedMessages().size(), 2);
        QVERIFY(Dialogs::recordedMessages().last().startsWith(QStringLiteral("已导出Excel")));
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_path;
    std::unique_ptr<Session> m_session;
    std::unique_ptr<Tfkq> m_main;
    Tftj* m_ftj = nullptr;
};

QTEST_MAIN(TestStatsWindow)
#include "test_statswindow.moc"
