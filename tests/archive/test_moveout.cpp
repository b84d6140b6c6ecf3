#include "app/session.h"
#include "import/moveout.h"
#include "store/database.h"
#include "store/errors.h"
#include "testsupport.h"
#include <gtest/gtest.h>

namespace {

// bm,xm,ygbh,dksj,bz,js,nyr,shi of every row of a table, in a fixed order.
QStringList records(Database& db, const char* table)
{
    QStringList out;
    const QueryResult r = db.query(
        QStringLiteral("select bm,xm,ygbh,dksj,bz,js,nyr,shi from %1 order by dksj,bz,shi,xm").arg(QLatin1String(table)));
    for (const auto& row : r.rows) {
        QStringList f;
        for (const Value& v : row) f << (v.isNull() ? QStringLiteral("<null>") : v.toStorageText());
        out << f.join(u'|');
    }
    return out;
}

qint64 count(Database& db, const char* table)
{
    return db.scalar(QStringLiteral("select count(*) from %1").arg(QLatin1String(table))).toInt();
}

class MoveOutTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Rows 1-3 agree in every column but id (nulls included); row 4 differs
        // from them only by an empty status instead of a null one; row 5 by shi.
        t.db().exec(QStringLiteral(
            "insert into kqk (bm,xm,ygbh,dksj,bz,js,nyr,shi) values "
            "('行政部','张三','213','2010-11-01 07:52:11',NULL,0,'2010/11/1',NULL),"
            "('行政部','张三','213','2010-11-01 07:52:11',NULL,0,'2010/11/1',NULL),"
            "('行政部','张三','213','2010-11-01 07:52:11',NULL,0,'2010/11/1',NULL),"
            "('行政部','张三','213','2010-11-01 07:52:11','',0,'2010/11/1',NULL),"
            "('行政部','张三','213','2010-11-01 07:52:11',NULL,0,'2010/11/1','-1'),"
            "('导医组','李四','214','2010-11-01 08:01:00','迟到',1,'2010/11/1',NULL)"));
    }
    TempDb t;
};

TEST_F(MoveOutTest, CopiesEqualRecordsOnceAndEmptiesTheWorkingTable)
{
    Database& db = t.db();
    db.exec(QStringLiteral("insert into kqkend (id,bm,xm,ygbh,dksj) values (99,'旧','王五','1','2009-01-01 08:00:00')"));
    const MoveOutResult r = Archive::moveOutRecords(db);
    EXPECT_EQ(r.removed, 6);
    EXPECT_EQ(r.archived, 4);
    EXPECT_EQ(count(db, "kqk"), 0);
    EXPECT_EQ(records(db, "kqkend"),
              QStringList({"旧|王五|1|2009-01-01 08:00:00|<null>|0|<null>|<null>",
                           "行政部|张三|213|2010-11-01 07:52:11|<null>|0|2010/11/1|<null>",
                           "行政部|张三|213|2010-11-01 07:52:11|<null>|0|2010/11/1|-1",
                           "行政部|张三|213|2010-11-01 07:52:11||0|2010/11/1|<null>",
                           "导医组|李四|214|2010-11-01 08:01:00|迟到|1|2010/11/1|<null>"}));
    // The archived group keeps the id of one of its records.
    EXPECT_EQ(db.scalar(QStringLiteral("select id from kqkend where bz is null and shi is null and xm='张三'")).toInt(), 1);

    const QStringList archive = records(db, "kqkend");
    const MoveOutResult again = Archive::moveOutRecords(db);
    EXPECT_EQ(again.archived, 0);
    EXPECT_EQ(again.removed, 0);
    EXPECT_EQ(records(db, "kqkend"), archive);
}

TEST_F(MoveOutTest, AFailingStatementLeavesEveryRecordWhereItWas)
{
    struct Case {
        const char* name;
        const char* trigger;
    };
    const Case cases[] = {
        {"copy fails", "create trigger t before insert on kqkend begin select raise(abort, 'archive full'); end"},
        {"delete fails", "create trigger t before delete on kqk begin select raise(abort, 'kqk locked'); end"},
    };
    Database& db = t.db();
    const QStringList before = records(db, "kqk");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        db.exec(QString::fromUtf8(c.trigger));
        EXPECT_THROW(Archive::moveOutRecords(db), DatabaseError);
        EXPECT_EQ(records(db, "kqk"), before);
        EXPECT_EQ(count(db, "kqkend"), 0);
        EXPECT_EQ(db.transactionDepth(), 0);
        db.exec(QStringLiteral("drop trigger t"));
    }
    Archive::moveOutRecords(db); // and works once the fault is gone
    EXPECT_EQ(count(db, "kqkend"), 4);
}

TEST_F(MoveOutTest, TheSessionsMoveOutClosesBothListsAndIsRefusedDuringAnAnalysis)
{
    t.database.reset();
    Session s(t.path());
    s.openLists();
    ASSERT_TRUE(s.employeeList().isOpen());

    s.context().AnalysisRunning = 1;
    EXPECT_THROW(Archive::moveOut(s), CommandRefused);
    EXPECT_TRUE(s.punchList().isOpen());
    EXPECT_EQ(count(s.db(), "kqk"), 6);

    s.context().AnalysisRunning = 0;
    const MoveOutResult r = Archive::moveOut(s);
    EXPECT_EQ(r.archived, 4);
    EXPECT_FALSE(s.punchList().isOpen());
    EXPECT_FALSE(s.employeeList().isOpen());
    EXPECT_EQ(count(s.db(), "kqk"), 0);
}

TEST_F(MoveOutTest, ListsStayClosedWhenTheMoveOutFails)
{
    t.db().exec(QStringLiteral("create trigger t before insert on kqkend begin select raise(abort, 'no'); end"));
    t.database.reset();
    Session s(t.path());
    s.openLists();
    EXPECT_THROW(Archive::moveOut(s), DatabaseError);
    EXPECT_FALSE(s.punchList().isOpen());
    EXPECT_FALSE(s.employeeList().isOpen());
    EXPECT_EQ(count(s.db(), "kqk"), 6);
}

} // namespace
