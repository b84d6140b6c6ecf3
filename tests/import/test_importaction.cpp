#include "app/dialogs.h"
#include "app/gridview.h"
#include "app/kq.h"
#include "app/session.h"
#include "store/database.h"
#include <QTemporaryDir>
#include <QtTest>

class TestImportAction : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        Dialogs::setScripted(true);
        Dialogs::clearRecorded();
        m_dir = std::make_unique<QTemporaryDir>();
        m_path = m_dir->filePath(QStringLiteral("kq.mdb"));
        auto db = Database::open(m_path);
        db->exec(QStringLiteral("insert into kqk (bm,xm,ygbh,dksj,nyr) values "
                                "('行政部','甲','1','2010-10-01 08:00:00','x'),('行政部','乙','2','2010-10-01 08:00:00','x')"));
    }

    void importsTheChosenFileAndShowsItsEmployees()
    {
        Session session(m_path);
        Tfkq w(session);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        Dialogs::queueFileName(QStringLiteral(TV_SOURCE_DIR "/tests/data/2010-11.xls"));
        w.speedButton(1)->click();
        QVERIFY(Dialogs::recordedMessages().isEmpty());
        QCOMPARE(session.db().scalar(QStringLiteral("select count(*) from kqk")).toInt(), 11);
        QCOMPARE(w.DBGrid2()->model()->rowCount(), 6);
        QCOMPARE(w.DBGrid2()->currentIndex().row(), 0);
        QVERIFY(!w.Memo1()->isVisible());
        QVERIFY(w.Memo1()->toPlainText().contains(QStringLiteral("数据整理完成！")));
        w.grab().save(QStringLiteral(TV_BINARY_DIR "/screenshots/import-done.png"));
    }

    void cancelKeepsTheListsAndAFaultIsShown()
    {
        Session session(m_path);
        Tfkq w(session);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        session.employeeList().moveTo(1);
        w.speedButton(1)->click(); // nothing queued: the dialog is cancelled
        QVERIFY(session.employeeList().isOpen());
        QCOMPARE(session.employeeList().currentRow(), 1);
        QVERIFY(w.Memo1()->toPlainText().isEmpty());

        Dialogs::queueFileName(QStringLiteral(TV_SOURCE_DIR "/tests/data/wrong-sheet.xls"));
        w.speedButton(1)->click();
        QCOMPARE(Dialogs::recordedMessages().size(), 1);
        QVERIFY(Dialogs::recordedMessages().first().contains(QStringLiteral("wrong-sheet")));
        QCOMPARE(session.db().scalar(QStringLiteral("select count(*) from kqk")).toInt(), 2);
        QCOMPARE(w.DBGrid2()->model()->rowCount(), 2);
        w.grab().save(QStringLiteral(TV_BINARY_DIR "/screenshots/import-refused.png"));
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_path;
};

QTEST_MAIN(TestImportAction)
#include "test_importaction.moc"
