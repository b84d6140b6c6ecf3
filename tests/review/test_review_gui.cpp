#include "app/dialogs.h"
#include "app/gridview.h"
#include "app/kq.h"
#include "app/session.h"
#include "review/bk.h"
#include "store/database.h"
#include "store/datetexts.h"
#include <QCalendarWidget>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

class TestReviewGui : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        Dialogs::setScripted(true);
        Dialogs::clearRecorded();
        DateTexts::setLocale(QLocale(QStringLiteral("zh_CN")));
        m_dir = std::make_unique<QTemporaryDir>();
        m_path = m_dir->filePath(QStringLiteral("kq.mdb"));
        auto db = Database::open(m_path);
        db->exec(QStringLiteral(
            "insert into kqk (bm,xm,ygbh,dksj,bz,js,nyr,shi) values "
            "('行政部','张三','213','2010-11-01 07:55:00','正常',1,'2010/11/1',null),"
            "('行政部','张三','213','2010-11-01 12:05:00','迟到',5,'2010/11/1','-1'),"
            "('行政部','张三','213','2010-11-01 17:00:00','未打卡',1,'2010/11/1',null),"
            "('行政部','张三','213','2010-11-02 07:58:00','正常',1,'2010/11/2',null),"
            "('行政部','张三','213','2010-11-02 17:35:00','正常',1,'2010/11/2',null),"
            "('导医组','李四','214','2010-11-01 08:00:00','正常',1,'2010/11/1',null)"));
        db->exec(QStringLiteral("insert into dksjszk (bcm,dkc,dksj) values ('白班','1/2','8:00'),('白班','2/2','17:30')"));
    }

    void cleanup() { DateTexts::setLocale(QLocale::system()); }

    void gridColoursClickAndMenu()
    {
        Session session(m_path);
        Tfkq w(session);
        createSecondaryWindows(w.windows(), session);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        chooseEmployee(w, "213");
        GridView* grid = w.DBGrid1();
        QCOMPARE(grid->model()->rowCount(), 5);

        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(grid->model()->index(0, 3)).center());
        QCOMPARE(session.highlightDay(), QStringLiteral("2010/11/1"));
        QCOMPARE(session.context().CurrentDay, QStringLiteral("2010/11/1"));
        const QColor teal(0, 128, 128), red(255, 0, 0);
        QCOMPARE(grid->rowBackground(2), std::optional<QColor>(teal));
        QCOMPARE(grid->rowBackground(1), std::optional<QColor>(red)); // red wins on the teal day
        QCOMPARE(grid->rowBackground(3), std::optional<QColor>());
        // Drawn across the row, beside the text (the last cell of each row).
        const QImage shot = grid->viewport()->grab().toImage();
        auto pixelBeside = [&](int row) {
            const QRect r = grid->visualRect(grid->model()->index(row, 5));
            return QColor(shot.pixel(r.right() - 3, r.center().y()));
        };
        QCOMPARE(pixelBeside(2), teal);
        QCOMPARE(pixelBeside(1), red);
        QCOMPARE(pixelBeside(3), QColor(Qt::black));
        w.grab().save(QStringLiteral(TV_BINARY_DIR "/screenshots/review-grid.png"));

        // A title click sorts, but chooses no day.
        session.context().CurrentDay.clear();
        emit grid->horizontalHeader()->sectionClicked(3);
        QCOMPARE(session.punchList().sortSpec(), QStringLiteral("dksj DESC"));
        QCOMPARE(session.highlightDay(), QStringLiteral("2010/11/1"));
        QVERIFY(session.context().CurrentDay.isEmpty());
        emit grid->horizontalHeader()->sectionClicked(3); // back to oldest first

        const QList<QAction*> items = w.PopupMenu2()->actions();
        const QStringList captions{"&0.取消本条分析", "&1.正常", "&2.迟到", "&3.早退", "", "&4.删除", "",
                                   "&5.未打卡", "&6.补卡", "", "&7.本日分析不对", "&8.本日打卡正常", "",
                                   "&9.取消此人所有分析"};
        QCOMPARE(items.size(), captions.size());
        for (int i = 0; i < items.size(); ++i) {
            QCOMPARE(items[i]->isSeparator(), captions[i].isEmpty());
            QCOMPARE(items[i]->text(), captions[i]);
        }

        // "&2" on the clicked (first) row turns it red.
        items[2]->trigger();
        QCOMPARE(grid->rowBackground(0), std::optional<QColor>(red));
        QCOMPARE(storedText("select bz||shi from kqk where dksj='2010-11-01 07:55:00'"), QStringLiteral("迟到-1"));

        // A typed punch time that does not read is refused with a message; nothing is posted.
        auto* model = grid->gridModel();
        QVERIFY(!model->setData(model->index(3, 3), QStringLiteral("2010/11/31 8:00")));
        QCOMPARE(Dialogs::recordedMessages().size(), 1);
        QVERIFY(Dialogs::recordedMessages().first().contains(QStringLiteral("2010/11/31 8:00")));
        QVERIFY(!session.punchList().hasPendingChanges());
        QVERIFY(model->setData(model->index(3, 3), QStringLiteral("2010/11/2 8:01")));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(model->index(4, 1)).center());
        QCOMPARE(storedText("select count(*) from kqk where dksj='2010-11-02 08:01:00'"), QStringLiteral("1"));
        QCOMPARE(storedText("select count(*) from kqk where dksj like '2010-11-31%'"), QStringLiteral("0"));
    }

    void makeupWindow()
    {
        Session session(m_path);
        Tfkq w(session);
        createSecondaryWindows(w.windows(), session);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        auto* fbk = qobject_cast<Tfbk*>(w.windows().fbk);
        QVERIFY(fbk);
        QCOMPARE(fbk->windowTitle(), QStringLiteral("补卡"));
        const QString today = DateTexts::formatDate(
            DateTime::fromParts(QDate::currentDate().year(), QDate::currentDate().month(), QDate::currentDate().day()));
        QCOMPARE(fbk->MonthCalendar1()->selectedDate(), QDate::currentDate());
        QCOMPARE(fbk->Label1()->text(), today);

        // "&6" on a punch of 2 November moves the calendar, not the label.
        chooseEmployee(w, "213");
        GridView* grid = w.DBGrid1();
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(grid->model()->index(3, 3)).center());
        w.PopupMenu2()->actions()[8]->trigger();
        QVERIFY(QTest::qWaitForWindowExposed(fbk));
        QCOMPARE(fbk->MonthCalendar1()->selectedDate(), QDate(2010, 11, 2));
        QCOMPARE(fbk->Label1()->text(), today);
        QCOMPARE(fbk->DBGrid1()->model()->rowCount(), 2); // the slot data set was opened on show

        // Choosing an employee here chooses it in the main window too.
        const int row214 = employeeRow(session, "214");
        fbk->DBGrid2()->setCurrentIndex(fbk->DBGrid2()->model()->index(row214, 1));
        QCOMPARE(w.DBGrid2()->currentIndex().row(), row214);
        QCOMPARE(session.context().CurrentEmployeeNo, QStringLiteral("214"));
        QCOMPARE(w.DBGrid1()->model()->rowCount(), 1);
        fbk->DBGrid1()->setCurrentIndex(fbk->DBGrid1()->model()->index(1, 0));
        QCOMPARE(fbk->DBText1()->text(), QStringLiteral("17:30"));
        QCOMPARE(fbk->DBText2()->text(), QStringLiteral("李四"));
        QCOMPARE(fbk->DBText3()->text(), QStringLiteral("214"));

        // A user click on a day moves the label; the button enters the punch on it.
        fbk->MonthCalendar1()->setSelectedDate(QDate(2010, 11, 30));
        emit fbk->MonthCalendar1()->clicked(QDate(2010, 11, 30));
        QCOMPARE(fbk->Label1()->text(), QStringLiteral("2010/11/30"));
        QTest::mouseClick(fbk->SpeedButton1(), Qt::LeftButton);
        QCOMPARE(Dialogs::recordedMessages(), QStringList());
        QCOMPARE(w.DBGrid1()->model()->rowCount(), 2);
        QCOMPARE(storedText("select bm||xm||ygbh||bz||js||nyr from kqk where dksj='2010-11-30 17:30:00'"),
                 QStringLiteral("导医组李四214补卡02010/11/30"));
        fbk->grab().save(QStringLiteral(TV_BINARY_DIR "/screenshots/makeup-window.png"));

        // Without a slot row the button is refused with a message.
        session.slotSet().close();
        QTest::mouseClick(fbk->SpeedButton1(), Qt::LeftButton);
        QCOMPARE(Dialogs::recordedMessages().size(), 1);
        QCOMPARE(w.DBGrid1()->model()->rowCount(), 2);
    }

    void deleteEmployeeAsksFirst()
    {
        Session session(m_path);
        Tfkq w(session);
        createSecondaryWindows(w.windows(), session);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        chooseEmployee(w, "213");
        QAction* remove = w.employeeMenu()->actions().first();
        Dialogs::queueConfirm(false);
        remove->trigger();
        QCOMPARE(Dialogs::recordedMessages().size(), 1);
        const QString question = Dialogs::recordedMessages().first();
        QVERIFY2(question.contains(QStringLiteral("张三")) && question.contains(QStringLiteral("213")) &&
                     question.contains(QStringLiteral(" 5 ")),
                 qPrintable(question));
        QCOMPARE(storedText("select count(*) from kqk"), QStringLiteral("6"));
        Dialogs::queueConfirm(true);
        remove->trigger();
        QCOMPARE(storedText("select count(*) from kqk"), QStringLiteral("1"));
        QCOMPARE(w.DBGrid2()->model()->rowCount(), 1);
        QCOMPARE(session.punchList().text("ygbh"), QStringLiteral("214"));
    }

private:
    static int employeeRow(Session& session, const char* ygbh)
    {
        DataSet& e = session.employeeList();
        for (int i = 0; i < e.recordCount(); ++i)
            if (e.valueAt(i, e.fieldIndex("ygbh")).toText() == QLatin1String(ygbh)) return i;
        return -1;
    }
    static void chooseEmployee(Tfkq& w, const char* ygbh)
    {
        const int row = employeeRow(w.session(), ygbh);
        QVERIFY(row >= 0);
        w.DBGrid2()->setCurrentIndex(w.DBGrid2()->model()->index(row, 0));
        QCOMPARE(w.session().context().CurrentEmployeeNo, QLatin1String(ygbh));
    }
    QString storedText(const char* sql) { return Database::open(m_path)->scalar(QLatin1String(sql)).toText(); }

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_path;
};

QTEST_MAIN(TestReviewGui)
#include "test_review_gui.moc"
