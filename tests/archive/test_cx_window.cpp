#include "app/dialogs.h"
#include "app/gridview.h"
#include "app/kq.h"
#include "app/session.h"
#include "import/archiveprint.h"
#include "import/cx.h"
#include "store/database.h"
#include <QDateEdit>
#include <QHeaderView>
#include <QLineEdit>
#include <QPdfWriter>
#include <QPrinterInfo>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

class TestCxWindow : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        Dialogs::setScripted(true);
        Dialogs::clearRecorded();
        m_dir = std::make_unique<QTemporaryDir>();
        m_path = m_dir->filePath(QStringLiteral("kq.mdb"));
        auto db = Database::open(m_path);
        db->exec(QStringLiteral(
            "insert into kqkend (id,bm,xm,ygbh,dksj,bz,js,nyr) values "
            "(1,'行政部','张三','213','2010-11-01 07:52:11','正常',1,'2010/11/1'),"
            "(2,'行政部','张三','213','2010-11-01 17:41:00','早退',19,'2010/11/1'),"
            "(3,'导医组','李四','214','2010-11-02 08:01:00','正常',1,'2010/11/2'),"
            "(4,'导医组','李四','214','2010-11-03 00:00:00','未打卡',1,'2010/11/3')"));
    }

    void showsTheBarResetsTheDatesAndSortsTheResult()
    {
        Session session(m_path);
        Tfcx w(session);
        QCOMPARE(w.windowTitle(), QStringLiteral("考勤查询"));
        w.DateTimePicker1()->setDate(QDate(2001, 1, 1));
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.DateTimePicker1()->date(), QDate::currentDate().addDays(-30));
        QCOMPARE(w.DateTimePicker2()->date(), QDate::currentDate());
        QVERIFY(w.DateTimePicker1()->calendarPopup());
        QCOMPARE(w.DateTimePicker1()->toolTip(), QStringLiteral("起始日期"));
        QCOMPARE(w.DateTimePicker2()->toolTip(), QStringLiteral("结束日期"));
        QCOMPARE(w.Edit3()->text(), QStringLiteral("%"));
        QCOMPARE(w.Edit3()->toolTip(), QStringLiteral("姓名"));
        QCOMPARE(w.Edit4()->toolTip(), QStringLiteral("员工编号"));
        QCOMPARE(w.Button1()->text(), QStringLiteral("刷新"));
        QCOMPARE(w.Button2()->text(), QStringLiteral("打印"));
        QCOMPARE(w.Edit4()->geometry().x(), 269);
        QCOMPARE(w.DBGrid1()->model()->rowCount(), 0);
        QCOMPARE(w.DBGrid1()->model()->headerData(3, Qt::Horizontal).toString(), QStringLiteral("打卡时间"));

        // A title click before the first refresh: the toggle flips, then the closed result is reported.
        auto clickTitle = [&](int col) { emit w.DBGrid1()->horizontalHeader()->sectionClicked(col); };
        clickTitle(3);
        QCOMPARE(session.sortToggle(), -1);
        QCOMPARE(Dialogs::recordedMessages().size(), 1);
        QVERIFY(Dialogs::recordedMessages().first().contains(QStringLiteral("已关闭的数据集")));

        w.DateTimePicker1()->setDate(QDate(2010, 11, 1));
        w.DateTimePicker2()->setDate(QDate(2010, 11, 30));
        w.Edit3()->setText(QStringLiteral(" 张% "));
        w.Button1()->click();
        QCOMPARE(w.DBGrid1()->model()->rowCount(), 2);
        w.Edit3()->setText(QStringLiteral("%"));
        w.Button1()->click();
        QCOMPARE(w.DBGrid1()->model()->rowCount(), 4);
        w.DateTimePicker1()->setDate(QDate(2010, 11, 3));
        w.Button1()->click();
        QCOMPARE(w.DBGrid1()->model()->rowCount(), 0); // midnight of the start date is never found
        w.DateTimePicker1()->setDate(QDate(2010, 11, 1));
        w.Button1()->click();
        clickTitle(3);
        QCOMPARE(w.q_kqkend().dataSet().sortSpec(), QStringLiteral("dksj ASC"));
        clickTitle(3);
        QCOMPARE(w.q_kqkend().dataSet().sortSpec(), QStringLiteral("dksj DESC"));
        QCOMPARE(w.DBGrid1()->model()->index(0, 1).data().toString(), QStringLiteral("李四"));
        QCOMPARE(Dialogs::recordedMessages().size(), 1);
        w.grab().save(QStringLiteral(TV_BINARY_DIR "/screenshots/archive-query.png"));

        // Closing closes the query; the next showing starts empty with fresh dates, patterns kept.
        w.Edit4()->setText(QStringLiteral("21%"));
        w.close();
        QVERIFY(!w.q_kqkend().dataSet().isOpen());
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.DBGrid1()->model()->rowCount(), 0);
        QCOMPARE(w.DateTimePicker1()->date(), QDate::currentDate().addDays(-30));
        QCOMPARE(w.Edit4()->text(), QStringLiteral("21%"));

        // Shown again while visible: nothing is reset.
        w.DateTimePicker1()->setDate(QDate(2010, 11, 1));
        showWindow(&w);
        QCOMPARE(w.DateTimePicker1()->date(), QDate(2010, 11, 1));
    }

    void printsWithoutADefaultPrinterAreRefused()
    {
        if (!QPrinterInfo::defaultPrinter().isNull()) QSKIP("this machine has a default printer");
        Session session(m_path);
        Tfcx w(session);
        w.Button2Click();
        QCOMPARE(Dialogs::recordedMessages().size(), 1);
        QVERIFY(Dialogs::recordedMessages().first().contains(QStringLiteral("没有默认打印机")));
    }

    void thePrintedResultHasTitleHeadingsAndEveryRowInOrder()
    {
        auto db = Database::open(m_path);
        for (int i = 0; i < 50; ++i)
            db->exec(QStringLiteral("insert into kqkend (id,bm,xm,ygbh,dksj,bz,js) values (:id,'财务部',:xm,'300',:t,'正常',1)"),
                     {{":id", 100 + i}, {":xm", QStringLiteral("员工%1").arg(i, 2, 10, QLatin1Char('0'))},
                      {":t", DateTime::fromParts(2010, 11, 5, 8).addMinutes(i)}});
        db.reset();
        Session session(m_path);
        Tfcx w(session);
        w.show();
        w.DateTimePicker1()->setDate(QDate(2010, 11, 1));
        w.DateTimePicker2()->setDate(QDate(2010, 11, 30));
        w.Button1()->click();
        session.titleSort(w.q_kqkend().dataSet(), QStringLiteral("xm")); // descending: the shown order is printed

        const QString pdf = m_dir->filePath(QStringLiteral("query.pdf"));
        {
            QPdfWriter writer(pdf);
            writer.setResolution(300);
            ArchivePrint::paint(writer, w.q_kqkend().dataSet());
        }
        const QString kept = QStringLiteral(TV_BINARY_DIR "/screenshots/archive-query-print.pdf");
        QFile::remove(kept);
        QFile::copy(pdf, kept);
        QProcess text;
        text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        QVERIFY(text.waitForFinished(30000));
        const QString out = QString::fromUtf8(text.readAllStandardOutput());
        const QStringList pages = out.split(u'\f', Qt::SkipEmptyParts);
        QCOMPARE(pages.size(), 2);
        QVERIFY(pages[0].contains(QStringLiteral("考勤查询")));
        QVERIFY(pages[0].contains(QStringLiteral("打卡时间")));
        QVERIFY(!pages[1].contains(QStringLiteral("打卡时间"))); // headings on the first page only
        QVERIFY(out.indexOf(QStringLiteral("员工49")) < out.indexOf(QStringLiteral("员工00")));
        QVERIFY(out.contains(QStringLiteral("张三")));
        QVERIFY(out.contains(QStringLiteral("早退")));
        QCOMPARE(out.count(QStringLiteral("员工")), 50);
    }

    void theMainWindowsMoveOutEmptiesTheListsAndTheQueryFindsTheRecords()
    {
        {
            auto db = Database::open(m_path);
            db->exec(QStringLiteral("insert into kqk (bm,xm,ygbh,dksj,nyr) values "
                                    "('后勤部','赵六','300','2010-11-08 08:00:00','2010/11/8'),"
                                    "('后勤部','赵六','300','2010-11-08 08:00:00','2010/11/8')"));
        }
        Session session(m_path);
        Tfkq main(session);
        createSecondaryWindows(main.windows(), session);
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        QCOMPARE(main.DBGrid2()->model()->rowCount(), 1);
        main.SpeedButton6Click();
        QCOMPARE(Dialogs::recordedMessages(), QStringList());
        QCOMPARE(main.DBGrid1()->model()->rowCount(), 0);
        QCOMPARE(main.DBGrid2()->model()->rowCount(), 0);
        QCOMPARE(session.db().scalar(QStringLiteral("select count(*) from kqk")).toInt(), 0);

        main.SpeedButton8Click();
        auto* fcx = qobject_cast<Tfcx*>(main.windows().fcx);
        QVERIFY(fcx && fcx->isVisible());
        fcx->DateTimePicker1()->setDate(QDate(2010, 11, 8));
        fcx->DateTimePicker2()->setDate(QDate(2010, 11, 8));
        fcx->Edit3()->setText(QStringLiteral("赵六"));
        fcx->Edit4()->setText(QStringLiteral("%"));
        fcx->Button1Click();
        QCOMPARE(fcx->DBGrid1()->model()->rowCount(), 1);
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_path;
};

QTEST_MAIN(TestCxWindow)
#include "test_cx_window.moc"
