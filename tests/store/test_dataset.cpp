#include "store/datasetmodel.h"
#include "store/datetexts.h"
#include "store/errors.h"
#include "testsupport.h"
#include <QAbstractItemModelTester>
#include <QCoreApplication>
#include <gtest/gtest.h>

namespace {

class DataSetTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        DateTexts::setLocale(QLocale(QStringLiteral("zh_CN")));
        Database& db = t.db();
        db.exec(QStringLiteral("insert into dksjszk (id,bcm,dkc,dksj,bz,cz,cz1) values "
                               "(1,'A','1/4','8:00',1,5,4),(2,'B','1/2','9:00',NULL,5,4),(3,'A','2/4','12:00',2,5,1),"
                               "(4,'C','4/4','17:30',2,NULL,9),(5,'B','2/2','18:00',1,5,4)"));
    }
    QStringList ids(DataSet& ds)
    {
        QStringList out;
        for (ds.first(); !ds.eof(); ds.next()) out << ds.text(QStringLiteral("id"));
        return out;
    }
    TempDb t;
};

TEST_F(DataSetTest, SortsStablyWithNullsLowestOnSeveralKeys)
{
    DataSet ds(&t.db(), QStringLiteral("SELECT * FROM DKSJSZK"));
    ds.open();
    ds.sort(QStringLiteral("bz ASC"));
    EXPECT_EQ(ids(ds).join(','), "2,1,5,3,4"); // null first, ties in previous order
    ds.sort(QStringLiteral("bz DESC,CZ ASC"));
    EXPECT_EQ(ids(ds).join(','), "4,3,1,5,2");
    ds.sort(QStringLiteral("cz"));
    EXPECT_EQ(ids(ds).join(','), "4,3,1,5,2"); // stable: keeps the previous order among equals
    ds.sort(QStringLiteral("bcm DESC"));
    EXPECT_EQ(ids(ds).join(','), "4,5,2,3,1");
    EXPECT_THROW(ds.sort(QStringLiteral("nosuch ASC")), DatabaseError);
    ds.close();
    EXPECT_THROW(ds.sort(QStringLiteral("bz ASC")), DatabaseError);
}

TEST_F(DataSetTest, EditPostsWhenTheCursorMovesAndAppendReadsDefaults)
{
    DataSet ds(&t.db(), QStringLiteral("select * from dksjszk where bcm=:b"));
    ds.setParam(QStringLiteral("b"), Value("A"));
    ds.open();
    ASSERT_EQ(ds.recordCount(), 2);
    ds.edit();
    ds.setValue(QStringLiteral("X"), Value("X"));
    EXPECT_TRUE(ds.hasPendingChanges());
    EXPECT_EQ(t.db().scalar(QStringLiteral("select count(*) from dksjszk where x='X'")).toInt(), 0);
    ds.next();
    EXPECT_FALSE(ds.hasPendingChanges());
    EXPECT_EQ(t.db().scalar(QStringLiteral("select id from dksjszk where x='X'")).toInt(), 1);

    DataSet punches(&t.db(), QStringLiteral("select * from kqk where ygbh=:dd"));
    punches.setParam(QStringLiteral("dd"), Value("7"));
    punches.open();
    punches.append();
    punches.setValue(QStringLiteral("ygbh"), Value("7"));
    punches.setText(QStringLiteral("dksj"), QStringLiteral("2010/11/30 8:00:00"));
    punches.post();
    EXPECT_EQ(punches.value(QStringLiteral("js")).toInt(), 0);
    EXPECT_GT(punches.value(QStringLiteral("id")).toInt(), 0);
    EXPECT_EQ(t.db().scalar(QStringLiteral("select dksj from kqk")).toText(), "2010-11-30 08:00:00");
    EXPECT_EQ(punches.dateTime(QStringLiteral("dksj")), DateTime::fromParts(2010, 11, 30, 8));
    punches.edit();
    EXPECT_THROW(punches.setText(QStringLiteral("dksj"), QStringLiteral("2010/11/31 8:00")), ConversionError);
    punches.cancel();
    punches.remove();
    EXPECT_EQ(t.db().scalar(QStringLiteral("select count(*) from kqk")).toInt(), 0);
    EXPECT_THROW(punches.remove(), DatabaseError);
}

TEST_F(DataSetTest, RefreshRereadsKeepingCurrentRowAndOrder)
{
    DataSet ds(&t.db(), QStringLiteral("SELECT * FROM DKSJSZK"));
    ds.open();
    ds.sort(QStringLiteral("id DESC"));
    ds.moveTo(1); // id 4
    t.db().exec(QStringLiteral("update dksjszk set bcm='Z' where id=4"));
    t.db().exec(QStringLiteral("insert into dksjszk (id,bcm) values (9,'N')"));
    ds.refresh();
    EXPECT_EQ(ds.text(QStringLiteral("id")), "4");
    EXPECT_EQ(ds.text(QStringLiteral("bcm")), "Z");
    EXPECT_EQ(ids(ds).join(','), "9,5,4,3,2,1");
}

TEST_F(DataSetTest, EmptyResultReadsNullAndNavigatesToEof)
{
    DataSet ds(&t.db(), QStringLiteral("select * from kqk where ygbh=:dd"));
    ds.setParam(QStringLiteral("dd"), Value());
    ds.open();
    EXPECT_TRUE(ds.eof());
    ds.first();
    EXPECT_TRUE(ds.value(QStringLiteral("dksj")).isNull());
    EXPECT_EQ(ds.text(QStringLiteral("bz")), QString());
    EXPECT_THROW(ds.value(QStringLiteral("nosuch")), DatabaseError);
    EXPECT_THROW(ds.edit(), DatabaseError);
}

TEST_F(DataSetTest, ModelFollowsTheDataSetAndPassesTheModelTester)
{
    int argc = 0;
    QCoreApplication app(argc, nullptr);
    DataSet ds(&t.db(), QStringLiteral("SELECT * FROM DKSJSZK"));
    DataSetModel model(&ds, {{"bcm", "班次名", 51}, {"dksj", "打卡时间", 58}});
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    ds.open();
    EXPECT_EQ(model.rowCount(), 5);
    ds.disableControls();
    ds.sort(QStringLiteral("bcm DESC"));
    ds.enableControls();
    EXPECT_EQ(model.data(model.index(0, 0)).toString(), "C");
    EXPECT_TRUE(model.setData(model.index(1, 1), QStringLiteral("18:30")));
    ds.next();
    EXPECT_EQ(t.db().scalar(QStringLiteral("select dksj from dksjszk where id=2")).toText(), "18:30");
    ds.append();
    EXPECT_EQ(model.rowCount(), 6);
    ds.cancel();
    EXPECT_EQ(model.rowCount(), 5);
    ds.close();
    EXPECT_EQ(model.rowCount(), 0);
}

} // namespace
