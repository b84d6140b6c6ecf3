#include "app/session.h"
#include "settings/shiftsettings.h"
#include "store/errors.h"
#include "testsupport.h"
#include <gtest/gtest.h>

namespace {

class ShiftSettingsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Names that differ only in case or trailing blanks are other shifts.
        t.db().exec(QStringLiteral(
            "insert into dksjszk (id,x,bcm,dkc,dksj) values "
            "(1,NULL,'A','1/4','8:00'),(2,'X','a','1/2','9:00'),(3,'','A','2/4','12:00'),(4,NULL,'A ','1/1','7:00'),"
            "(5,'X','B','2/2','18:00'),(6,NULL,'A','3/4','13:30'),(7,'X','A','4/4','17:30')"));
        t.database.reset();
    }
    // id -> x as stored, "-" for null.
    QString marks()
    {
        auto db = Database::open(t.path());
        QStringList out;
        for (const auto& row : db->query(QStringLiteral("select id,x from dksjszk order by id")).rows)
            out << row[0].toText() + u'=' + (row[1].isNull() ? QStringLiteral("-") : row[1].toText());
        return out.join(u' ');
    }
    void moveToId(DataSet& ds, int id)
    {
        for (int i = 0; i < ds.recordCount(); ++i)
            if (ds.valueAt(i, ds.fieldIndex(QStringLiteral("id"))).toInt() == id) return ds.moveTo(i);
        FAIL() << "no row " << id;
    }
    TempDb t;
};

TEST_F(ShiftSettingsTest, SwitchingReachesEveryRowOfExactlyThatShiftInAnyOrder)
{
    struct Case {
        const char* sort;
        int currentId;
        bool off;
        const char* expected;
    };
    const Case cases[] = {
        {"", 1, true, "1=X 2=X 3=X 4=- 5=X 6=X 7=X"},
        {"bcm DESC", 6, true, "1=X 2=X 3=X 4=- 5=X 6=X 7=X"},
        {"dksj ASC", 3, false, "1= 2=X 3= 4=- 5=X 6= 7="},
        {"id DESC", 4, true, "1=- 2=X 3= 4=X 5=X 6=- 7=X"},
        {"x ASC,dkc DESC", 2, false, "1=- 2= 3= 4=- 5=X 6=- 7=X"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sort);
        // Each case on a fresh table.
        t.database.reset();
        Database::open(t.path())->exec(QStringLiteral("delete from dksjszk"));
        SetUp();
        Session s(t.path());
        ShiftSettings settings(s);
        settings.openDataSets();
        DataSet& ds = s.slotSet();
        if (*c.sort) ds.sort(QString::fromUtf8(c.sort));
        moveToId(ds, c.currentId);
        c.off ? settings.switchShiftOff() : settings.switchShiftOn();
        EXPECT_EQ(marks(), QString::fromUtf8(c.expected));
        // The cursor is left on the last row, in the order the user sees.
        EXPECT_EQ(ds.currentRow(), ds.recordCount() - 1);
        EXPECT_FALSE(ds.hasPendingChanges());
        EXPECT_EQ(ds.sortSpec(), QString::fromUtf8(c.sort));
    }
}

TEST_F(ShiftSettingsTest, SwitchingOnAnEmptySlotSetChangesNothing)
{
    Database::open(t.path())->exec(QStringLiteral("delete from dksjszk"));
    Session s(t.path());
    ShiftSettings settings(s);
    settings.openDataSets();
    EXPECT_NO_THROW(settings.switchShiftOff());
    EXPECT_NO_THROW(settings.switchShiftOn());
    EXPECT_EQ(s.slotSet().recordCount(), 0);
    EXPECT_EQ(marks(), "");
}

TEST_F(ShiftSettingsTest, OpeningLeavesAnOpenDataSetAsItIs)
{
    Session s(t.path());
    ShiftSettings settings(s);
    settings.openDataSets();
    s.slotSet().sort(QStringLiteral("id DESC"));
    s.slotSet().moveTo(2);
    Database::open(t.path())->exec(QStringLiteral("insert into dksjszk (id,bcm,dkc,dksj) values (9,'C','1/1','6:00')"));
    settings.openDataSets();
    EXPECT_EQ(s.slotSet().recordCount(), 7);
    EXPECT_EQ(s.slotSet().currentRow(), 2);
    EXPECT_EQ(s.slotSet().sortSpec(), "id DESC");
    EXPECT_TRUE(s.switchSet().isOpen());
}

class EmptyTablesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Database& db = t.db();
        const QString row = QStringLiteral("('d','n','1','2010-11-01 08:00:00','正常',1,'2010/11/1',NULL)");
        for (const char* table : {"kqk", "kqkend", "kqkday"})
            db.exec(QStringLiteral("insert into %1 (bm,xm,ygbh,dksj,bz,js,nyr,shi) values %2,%2")
                        .arg(QLatin1String(table), row));
        db.exec(QStringLiteral("insert into dksjszk (id,bcm,dkc,dksj) values (1,'A','1/2','8:00'),(2,'A','2/2','17:00')"));
        db.exec(QStringLiteral("insert into bcmsz (id,bcm,mrk_g,but_) values (1,'A',1,';导医组;')"));
    }
    QString counts()
    {
        QStringList out;
        for (const char* table : {"kqk", "kqkend", "kqkday", "dksjszk", "bcmsz", "qtszk"})
            out << t.db().scalar(QStringLiteral("select count(*) from %1").arg(QLatin1String(table))).toText();
        return out.join(u',');
    }
    TempDb t;
};

TEST_F(EmptyTablesTest, EmptiesTheThreeTablesClosesTheListsAndTwiceIsHarmless)
{
    Session s(t.path());
    ShiftSettings settings(s);
    s.openLists();
    settings.openDataSets();
    ASSERT_EQ(s.employeeList().recordCount(), 1);
    settings.emptyAttendanceTables();
    EXPECT_EQ(counts(), "0,0,0,2,1,2"); // shifts and settings untouched
    EXPECT_FALSE(s.employeeList().isOpen());
    EXPECT_FALSE(s.punchList().isOpen());
    EXPECT_TRUE(s.slotSet().isOpen());
    EXPECT_NO_THROW(settings.emptyAttendanceTables());
    EXPECT_EQ(counts(), "0,0,0,2,1,2");
    EXPECT_EQ(s.db().transactionDepth(), 0);
}

TEST_F(EmptyTablesTest, AFailingDeleteLeavesAllThreeTablesAndTheListsAsTheyWere)
{
    // The last of the three deletes fails: the first two must be undone.
    t.db().exec(QStringLiteral("create trigger keep_kqkday before delete on kqkday "
                               "begin select raise(abort, 'kqkday is locked'); end"));
    const QString before = counts();
    Session s(t.path());
    ShiftSettings settings(s);
    s.openLists();
    try {
        settings.emptyAttendanceTables();
        FAIL() << "the delete should have failed";
    } catch (const DatabaseError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("kqkday is locked"))) << e.what();
    }
    EXPECT_EQ(counts(), before);
    EXPECT_EQ(before, "2,2,2,2,1,2");
    EXPECT_TRUE(s.employeeList().isOpen());
    EXPECT_EQ(s.employeeList().recordCount(), 1);
    EXPECT_EQ(s.db().transactionDepth(), 0);
}

TEST(ShiftSettingsIdle, EveryCommandIsRefusedDuringAnAnalysisRun)
{
    TempDb t;
    t.db().exec(QStringLiteral("insert into dksjszk (id,bcm,dkc,dksj) values (1,'A','1/2','8:00')"));
    t.db().exec(QStringLiteral("insert into kqk (bm,xm,ygbh,dksj) values ('d','n','1','2010-11-01 08:00:00')"));
    Session s(t.path());
    ShiftSettings settings(s);
    settings.openDataSets();
    s.context().AnalysisRunning = 1;
    EXPECT_THROW(settings.switchShiftOff(), CommandRefused);
    EXPECT_THROW(settings.emptyAttendanceTables(), CommandRefused);
    EXPECT_TRUE(t.db().scalar(QStringLiteral("select x from dksjszk")).isNull());
    EXPECT_EQ(t.db().scalar(QStringLiteral("select count(*) from kqk")).toInt(), 1);
}

} // namespace
