#include "app/dialogs.h"
#include "app/gridview.h"
#include "app/kq.h"
#include "app/session.h"
#include "settings/datasetnavigator.h"
#include "settings/dksj.h"
#include "store/database.h"
#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

class TestSettingsWindow : public QObject {
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
            "insert into dksjszk (id,x,bcm,dkc,dksj,bz,cz,cz1) values "
            "(1,'','白班','1/4','8:00',1,-1,4),(2,'','白班','2/4','12:00',2,-1,43),(3,'','白班','3/4','13:30',2,-1,45),"
            "(4,'','白班','4/4','17:30',1,-1,5),(5,'X','夜班','1/2','20:00',0,0,0),(6,'X','夜班','2/2','8:00',0,0,0),"
            "(7,'','值班','1/3','9:00',0,0,0)"));
        db->exec(QStringLiteral("insert into bcmsz (id,k_g,bcm,kd,mrk_g,but_) values "
                                "(1,1,'白班','9.5',1,';导医组;张三213;'),(2,-1,'夜班','12',-1,';李四214;')"));
        db->exec(QStringLiteral("insert into kqk (bm,xm,ygbh,dksj,nyr) values "
                                "('导医组','张三','213','2010-11-01 07:52:11','2010/11/1'),"
                                "('导医组','张三','213','2010-11-01 17:41:00','2010/11/1')"));
    }

    void layoutTextsAndTheThresholdsAsStored()
    {
        Session session(m_path);
        Tfkq main(session);
        createSecondaryWindows(main.windows(), session);
        main.show();
        main.SpeedButton4Click();
        auto* w = qobject_cast<Tfdksj*>(main.windows().fdksj);
        QVERIFY(w);
        QVERIFY(QTest::qWaitForWindowExposed(w));
        QCOMPARE(w->windowTitle(), QStringLiteral("设置"));
        QVERIFY(!(w->windowFlags() & Qt::WindowMaximizeButtonHint));
        QAbstractItemModelTester slotTester(w->DBGrid1()->model());
        QAbstractItemModelTester switchTester(w->DBGrid2()->model());

        const QStringList slotTitles{"id", "X", "班次名", "打卡序", "打卡时间", "bz", "cz", "cz1"};
        const QList<int> slotWidths{20, 13, 51, 52, 58, 25, 29, 25};
        for (int c = 0; c < slotTitles.size(); ++c) {
            QCOMPARE(w->DBGrid1()->model()->headerData(c, Qt::Horizontal).toString(), slotTitles[c]);
            QCOMPARE(w->DBGrid1()->columnWidth(c), slotWidths[c]);
        }
        const QStringList switchTitles{"id", "开关", "班次名", "时间跨度", "默认开关"};
        const QList<int> switchWidths{16, 29, 54, 57, 53};
        for (int c = 0; c < switchTitles.size(); ++c) {
            QCOMPARE(w->DBGrid2()->model()->headerData(c, Qt::Horizontal).toString(), switchTitles[c]);
            QCOMPARE(w->DBGrid2()->columnWidth(c), switchWidths[c]);
        }
        QCOMPARE(w->DBGrid1()->model()->rowCount(), 7);
        QCOMPARE(w->DBGrid2()->height(), 229);
        QCOMPARE(w->DBMemo1()->size(), QSize(240, 156));
        QCOMPARE(w->DBMemo1()->toolTip(), QStringLiteral("例外\"部门\"或\"姓名+编号\"（用;分隔），如;导医组;张三213;"));
        QCOMPARE(w->DBMemo1()->toPlainText(), QStringLiteral(";导医组;张三213;"));
        QCOMPARE(w->SpeedButton1()->text(), QStringLiteral("清空考勤库数据"));
        QCOMPARE(w->SpeedButton1()->size(), QSize(208, 33));
        QStringList menu;
        for (QAction* a : w->PopupMenu1()->actions()) menu << (a->isSeparator() ? QStringLiteral("-") : a->text());
        QCOMPARE(menu, (QStringList{"&1.停用本班", "-", "&2.起用本班"}));
        QCOMPARE(w->Edit2()->text(), QStringLiteral("3"));
        QCOMPARE(w->Edit1()->text(), QStringLiteral("30"));

        // The code outside the dispatched ones is marked, the others are not.
        QCOMPARE(w->DBGrid1()->rowBackground(6), std::optional<QColor>(Tfdksj::unevaluatedColour()));
        QVERIFY(!w->DBGrid1()->rowBackground(0));
        QVERIFY(w->DBGrid1()->model()->index(6, 3).data(Qt::ToolTipRole).toString().contains(QStringLiteral("1/3")));
        QVERIFY(w->DBGrid1()->model()->index(0, 3).data(Qt::ToolTipRole).isNull());

        w->grab().save(QStringLiteral(TV_BINARY_DIR "/screenshots/settings-window.png"));
    }

    void titleSortsShareTheMainWindowsToggleAndHidingKeepsTheView()
    {
        Session session(m_path);
        Tfkq main(session);
        createSecondaryWindows(main.windows(), session);
        main.show();
        main.SpeedButton4Click();
        auto* w = qobject_cast<Tfdksj*>(main.windows().fdksj);
        auto clickTitle = [](GridView* g, int col) { emit g->horizontalHeader()->sectionClicked(col); };

        clickTitle(w->DBGrid1(), 4); // the first click of the program sorts descending
        QCOMPARE(session.slotSet().sortSpec(), QStringLiteral("dksj DESC"));
        clickTitle(main.DBGrid1(), 3);
        QCOMPARE(session.punchList().sortSpec(), QStringLiteral("dksj ASC"));
        clickTitle(w->DBGrid1(), 2);
        QCOMPARE(session.slotSet().sortSpec(), QStringLiteral("bcm DESC"));
        clickTitle(w->DBGrid2(), 4);
        QCOMPARE(session.switchSet().sortSpec(), QStringLiteral("mrk_g ASC"));

        session.slotSet().moveTo(3);
        const QString currentId = session.slotSet().text(QStringLiteral("id"));
        Database::open(m_path)->exec(QStringLiteral("insert into dksjszk (id,bcm,dkc,dksj) values (8,'C','1/1','6:00')"));
        w->hide();
        w->show();
        QCOMPARE(session.slotSet().recordCount(), 7); // not re-read
        QCOMPARE(session.slotSet().text(QStringLiteral("id")), currentId);
        QCOMPARE(session.slotSet().sortSpec(), QStringLiteral("bcm DESC"));
        QCOMPARE(w->DBGrid1()->currentIndex().row(), 3);
    }

    void memoEditsTheCurrentSwitchRowAndPostsOnLeavingIt()
    {
        Session session(m_path);
        Tfdksj w(session);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        DataSet& ds = session.switchSet();
        w.DBGrid2()->setCurrentIndex(w.DBGrid2()->model()->index(1, 2));
        QCOMPARE(w.DBMemo1()->toPlainText(), QStringLiteral(";李四214;"));

        w.DBMemo1()->setFocus();
        w.DBMemo1()->moveCursor(QTextCursor::End);
        w.DBMemo1()->insertPlainText(QStringLiteral("王五215;")); // as typed: keyClicks takes Latin-1 only
        QVERIFY(ds.hasPendingChanges());
        w.DBGrid2()->setFocus(); // the memo loses the focus: the row is written
        QVERIFY(!ds.hasPendingChanges());
        auto stored = [&](int id) {
            return session.db().scalar(QStringLiteral("select but_ from bcmsz where id=:id"), {{":id", Value(id)}}).toText();
        };
        QCOMPARE(stored(2), QStringLiteral(";李四214;王五215;"));

        // Typing then moving to another row writes the list of the row left.
        w.DBMemo1()->setFocus();
        QTest::keyClicks(w.DBMemo1(), QStringLiteral("x"));
        w.DBNavigator2()->click(DataSetNavigator::First);
        QCOMPARE(stored(2), QStringLiteral(";李四214;王五215;x"));
        QCOMPARE(w.DBMemo1()->toPlainText(), QStringLiteral(";导医组;张三213;"));

        // Delete asks first; "no" keeps the row.
        Dialogs::queueConfirm(false);
        w.DBNavigator2()->click(DataSetNavigator::Delete);
        QCOMPARE(ds.recordCount(), 2);
        Dialogs::queueConfirm(true);
        w.DBNavigator2()->click(DataSetNavigator::Delete);
        QCOMPARE(ds.recordCount(), 1);
        QCOMPARE(session.db().scalar(QStringLiteral("select count(*) from bcmsz")).toInt(), 1);
        QCOMPARE(w.DBMemo1()->toPlainText(), QStringLiteral(";李四214;王五215;x"));
        QVERIFY(Dialogs::recordedMessages().contains(QStringLiteral("删除记录吗？")));
    }

    void thresholdBoxesStoreWholeMinutesAndRestoreRefusedText()
    {
        Session session(m_path);
        Tfdksj w(session);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        auto type = [](QLineEdit* e, const QString& text) {
            e->setFocus();
            e->selectAll();
            QTest::keyClicks(e, text);
            QTest::keyClick(e, Qt::Key_Return);
        };
        auto stored = [&](const char* key) {
            return session.db().scalar(QStringLiteral("select val from qtszk where name=:k"), {{":k", key}}).toText();
        };
        type(w.Edit2(), QStringLiteral("5"));
        type(w.Edit1(), QStringLiteral("45"));
        QCOMPARE(stored("ys"), QStringLiteral("5"));
        QCOMPARE(stored("zwdk"), QStringLiteral("45"));
        QCOMPARE(session.context().GraceMinutes, 5);
        QCOMPARE(session.context().MissingMinutes, 45);

        type(w.Edit1(), QStringLiteral("2000"));
        QCOMPARE(Dialogs::recordedMessages().size(), 1);
        QVERIFY(Dialogs::recordedMessages().first().contains(QStringLiteral("2000")));
        QCOMPARE(w.Edit1()->text(), QStringLiteral("45"));
        QCOMPARE(stored("zwdk"), QStringLiteral("45"));
        w.DBMemo1()->setFocus(); // leaving the box again stores nothing new
        QCOMPARE(Dialogs::recordedMessages().size(), 1);
    }

    void slotGridRefusesABadTimeAndCommandsRun()
    {
        Session session(m_path);
        Tfkq main(session);
        createSecondaryWindows(main.windows(), session);
        main.show();
        main.SpeedButton4Click();
        auto* w = qobject_cast<Tfdksj*>(main.windows().fdksj);
        QAbstractItemModel* m = w->DBGrid1()->model();
        QVERIFY(!m->setData(m->index(0, 4), QStringLiteral("25:00")));
        QVERIFY(Dialogs::recordedMessages().last().contains(QStringLiteral("\"25:00\"")));
        QVERIFY(m->setData(m->index(0, 4), QStringLiteral("7:45")));
        session.slotSet().post();
        QCOMPARE(session.db().scalar(QStringLiteral("select dksj from dksjszk where id=1")).toText(), QStringLiteral("7:45"));

        // A slot inserted with the navigator cannot be left without a time.
        w->DBNavigator1()->click(DataSetNavigator::Insert);
        QVERIFY(session.slotSet().hasPendingChanges());
        Dialogs::clearRecorded();
        w->DBNavigator1()->click(DataSetNavigator::First);
        QCOMPARE(Dialogs::recordedMessages().size(), 1);
        QCOMPARE(session.slotSet().currentRow(), 7);
        Dialogs::queueConfirm(true);
        w->DBNavigator1()->click(DataSetNavigator::Delete); // drops the unposted row
        QCOMPARE(session.slotSet().recordCount(), 7);

        // The night shift switched on from the menu, refused while an analysis runs.
        session.slotSet().moveTo(4);
        session.context().AnalysisRunning = 1;
        Dialogs::clearRecorded();
        w->PopupMenu1()->actions().at(2)->trigger();
        QCOMPARE(Dialogs::recordedMessages().size(), 1);
        QCOMPARE(session.db().scalar(QStringLiteral("select count(*) from dksjszk where x='X'")).toInt(), 2);
        session.context().AnalysisRunning = 0;
        w->PopupMenu1()->actions().at(2)->trigger();
        QCOMPARE(session.db().scalar(QStringLiteral("select count(*) from dksjszk where x='X'")).toInt(), 0);
        QCOMPARE(w->DBGrid1()->currentIndex().row(), 6);
        session.slotSet().moveTo(0);
        w->PopupMenu1()->actions().at(0)->trigger();
        QCOMPARE(session.db().scalar(QStringLiteral("select count(*) from dksjszk where x='X'")).toInt(), 4);

        // Emptying clears the main window's lists until the next import.
        QCOMPARE(main.DBGrid2()->model()->rowCount(), 1);
        w->SpeedButton1()->click();
        QCOMPARE(main.DBGrid2()->model()->rowCount(), 0);
        QCOMPARE(main.DBGrid1()->model()->rowCount(), 0);
        QCOMPARE(session.db().scalar(QStringLiteral("select count(*) from kqk")).toInt(), 0);
        QCOMPARE(w->DBGrid1()->model()->rowCount(), 7);
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_path;
};

QTEST_MAIN(TestSettingsWindow)
#include "test_settings_window.moc"
