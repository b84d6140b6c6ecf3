// The program on a kq.mdb marked read-only: it opens and shows the punches,
// and each command that writes ends in a message naming the read-only file,
// with the file untouched.
#include "app/dialogs.h"
#include "app/gridview.h"
#include "app/kq.h"
#include "app/session.h"
#include "store/database.h"
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TestReadOnlyWindow : public QObject {
    Q_OBJECT
private slots:
    void writingCommandsSayTheFileIsReadOnly()
    {
        Dialogs::setScripted(true);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("kq.mdb"));
        {
            auto db = Database::open(path);
            db->exec(QStringLiteral("insert into kqk (bm,xm,ygbh,dksj,nyr) values "
                                    "('行政部','甲','1','2010-10-01 08:00:00','2010-10-01'),"
                                    "('行政部','甲','1','2010-10-01 17:00:00','2010-10-01')"));
            db->exec(QStringLiteral("insert into dksjszk (bcm,dkc,dksj) values ('白班','1/2','8:00'),('白班','2/2','17:00')"));
            db->exec(QStringLiteral("insert into bcmsz (k_g,bcm) values (1,'白班')"));
        }
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        f.close();
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));

        Session session(path);
        Tfkq w(session);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.DBGrid2()->model()->rowCount(), 1);

        Dialogs::queueFileName(QStringLiteral(TV_SOURCE_DIR "/tests/data/2010-11.xls"));
        w.speedButton(1)->click(); // 导入数据
        w.speedButton(2)->click(); // 分析数据
        QCOMPARE(w.DBGrid1()->model()->rowCount(), 2); // the punches still shown
        w.grab().save(QStringLiteral(TV_BINARY_DIR "/screenshots/read-only-refused.png"));
        w.speedButton(6)->click(); // 移出数据 (its lists stay closed, as after any move-out)
        const QStringList messages = Dialogs::recordedMessages();
        QCOMPARE(messages.size(), 3);
        for (const QString& m : messages) QVERIFY2(m.contains(QStringLiteral("是只读的")), qPrintable(m));

        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), bytes);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    }
};

QTEST_MAIN(TestReadOnlyWindow)
#include "test_readonly_window.moc"
