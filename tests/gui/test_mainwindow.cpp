#include "app/dialogs.h"
#include "app/gridview.h"
#include "app/kq.h"
#include "app/session.h"
#include "store/database.h"
#include "store/datetexts.h"
#include <QProgressBar>
#include <QTimer>
#include <QHeaderView>
#include <QTemporaryDir>
#include <QtTest>

class TestMainWindow : public QObject {
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
            "insert into kqk (bm,xm,ygbh,dksj,nyr) values "
            "('行政部','张三','213','2010-11-01 07:52:11','2010/11/1'),('行政部','张三','213','2010-11-01 17:41:00','2010/11/1'),"
            "('导医组','李四','214','2010-11-01 08:01:00','2010/11/1')"));
    }

    void showsToolbarListsAndSortsOnTheSharedToggle()
    {
        Session session(m_path);
        Tfkq w(session);
        createSecondaryWindows(w.windows(), session);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const QStringList captions{"导入数据", "分析数据", "刷新", "班次设置", "生成报表", "移出数据", "补卡", "查询", "说明"};
        for (int n = 1; n <= 9; ++n) QCOMPARE(w.speedButton(n)->text(), captions[n - 1]);
        QCOMPARE(w.speedButton(1)->toolTip(), QStringLiteral("从电子表格导入打卡信息"));
        QCOMPARE(w.speedButton(4)->geometry(), QRect(98, 5, 80, 35));
        QCOMPARE(w.DBGrid2()->model()->rowCount(), 2);
        QCOMPARE(w.DBGrid1()->model()->rowCount(), session.punchList().recordCount());
        QVERIFY(session.punchList().recordCount() > 0);

        // First title click sorts descending, the next ascending; a click in the other grid flips.
        auto clickTitle = [](GridView* g, int col) { emit g->horizontalHeader()->sectionClicked(col); };
        clickTitle(w.DBGrid1(), 3);
        QCOMPARE(session.punchList().sortSpec(), QStringLiteral("dksj DESC"));
        clickTitle(w.DBGrid1(), 3);
        QCOMPARE(session.punchList().sortSpec(), QStringLiteral("dksj ASC"));
        clickTitle(w.DBGrid2(), 1);
        QCOMPARE(session.employeeList().sortSpec(), QStringLiteral("xm DESC"));
        clickTitle(w.DBGrid1(), 3);
        QCOMPARE(session.punchList().sortSpec(), QStringLiteral("dksj ASC"));

        // Choosing another employee in the grid reloads the punch list.
        w.DBGrid2()->setCurrentIndex(w.DBGrid2()->model()->index(1, 0));
        QCOMPARE(session.context().CurrentEmployeeNo, session.employeeList().text("ygbh"));
        w.grab().save(QStringLiteral(TV_BINARY_DIR "/screenshots/main-window.png"));

        // Showing a secondary window twice keeps one window, brought to the front.
        w.SpeedButton4Click();
        w.SpeedButton4Click();
        QVERIFY(w.windows().fdksj->isVisible());
        QCOMPARE(w.windows().fdksj->windowTitle(), QStringLiteral("设置"));
    }

    void anUnreadableDatabaseIsReportedAndTheWindowStillOpens()
    {
        QFile f(m_dir->filePath(QStringLiteral("bad.mdb")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(3000, 'z'));
        f.close();
        Session session(f.fileName());
        Tfkq w(session);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(Dialogs::recordedMessages().size(), 1);
        QVERIFY(Dialogs::recordedMessages().first().startsWith(QStringLiteral("无法打开数据库")));
        QCOMPARE(w.DBGrid2()->model()->rowCount(), 0);
        w.SpeedButton3Click(); // the refresh fails the same way, and the program goes on
        QCOMPARE(Dialogs::recordedMessages().size(), 2);
    }

    void analysisButtonRunsAndStops()
    {
        {
            auto db = Database::open(m_path);
            db->exec(QStringLiteral("insert into dksjszk (bcm,dkc,dksj,bz,cz,cz1) values ('A','1/2','8:00',0,0,0),"
                                    "('A','2/2','17:30',0,0,0)"));
            db->exec(QStringLiteral("update kqk set nyr='2010-11-01'"));
            db->exec(QStringLiteral("insert into kqk (bm,xm,ygbh,dksj,nyr) values "
                                    "('行政部','张三','213','2010-11-02 07:58:00','2010-11-02')"));
        }
        DateTexts::setLocale(QLocale::c());
        Session session(m_path);
        Tfkq w(session);
        createSecondaryWindows(w.windows(), session);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const int row = session.employeeList().fieldIndex("ygbh");
        for (int i = 0; i < session.employeeList().recordCount(); ++i)
            if (session.employeeList().valueAt(i, row).toText() == "213") session.employeeList().moveTo(i);
        QCOMPARE(session.context().CurrentEmployeeNo, QStringLiteral("213"));

        // A stop click waiting in the queue is handled at the first pause.
        QTimer::singleShot(0, w.speedButton(2), &QToolButton::click);
        w.speedButton(2)->click();
        QCOMPARE(w.speedButton(2)->text(), QStringLiteral("开始分析"));
        QVERIFY(w.Memo1()->isHidden());
        QVERIFY(w.DBGrid2()->isEnabled());
        QCOMPARE(session.punchList().value("bz").toText(), QString());

        w.speedButton(2)->click();
        QCOMPARE(w.speedButton(2)->text(), QStringLiteral("开始分析"));
        QVERIFY(w.Memo1()->isHidden());
        QVERIFY(w.Memo1()->toPlainText().endsWith(QStringLiteral("完成分析！")));
        QCOMPARE(session.punchList().sortSpec(), QStringLiteral("dksj ASC"));
        QStringList words;
        for (session.punchList().first(); !session.punchList().eof(); session.punchList().next())
            words << session.punchList().text("bz");
        QCOMPARE(words, (QStringList{"正常", "正常", "???"})); // one punch of two slots on the second day: no shift
        w.grab().save(QStringLiteral(TV_BINARY_DIR "/screenshots/main-window-analysed.png"));
        DateTexts::setLocale(QLocale::system());
    }

    void analyseAllFromTheEmployeeMenu()
    {
        {
            auto db = Database::open(m_path);
            db->exec(QStringLiteral("insert into dksjszk (bcm,dkc,dksj,bz,cz,cz1) values ('A','1/2','8:00',0,0,0),"
                                    "('A','2/2','17:30',0,0,0)"));
            db->exec(QStringLiteral("update kqk set nyr='2010-11-01'"));
        }
        DateTexts::setLocale(QLocale::c());
        Session session(m_path);
        Tfkq w(session);
        createSecondaryWindows(w.windows(), session);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QAction* all = nullptr;
        for (QAction* a : w.employeeMenu()->actions())
            if (a->text() == QStringLiteral("分析全部人员")) all = a;
        QVERIFY(all);
        all->trigger();
        QVERIFY(w.allProgress()->isHidden());
        QCOMPARE(w.allProgress()->value(), 2);
        QCOMPARE(w.speedButton(2)->text(), QStringLiteral("开始分析"));
        QVERIFY(w.DBGrid2()->isEnabled());
        // Both employees are analysed: nothing is left at js 0.
        QCOMPARE(Database::open(m_path)->scalar(QStringLiteral("select count(*) from kqk where js=0")).toInt(), 0);
        DateTexts::setLocale(QLocale::system());
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_path;
};

QTEST_MAIN(TestMainWindow)
#include "test_mainwindow.moc"
