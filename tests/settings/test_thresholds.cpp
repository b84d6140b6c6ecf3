#include "app/session.h"
#include "settings/thresholds.h"
#include "store/errors.h"
#include "testsupport.h"
#include <gtest/gtest.h>

namespace {

using Kind = Thresholds::Kind;

QString rows(Database& db)
{
    QStringList out;
    for (const auto& r : db.query(QStringLiteral("select name,val from qtszk order by rowid")).rows)
        out << r[0].toText() + u'=' + r[1].toText();
    return out.join(u' ');
}

TEST(ThresholdsTest, StoredValuesRoundTripThroughQtszkAndTakeEffectAtOnce)
{
    TempDb t;
    t.db();
    Session s(t.path());
    Thresholds th(s);
    EXPECT_EQ(th.storedText(Kind::Grace), "3");
    EXPECT_EQ(th.storedText(Kind::Missing), "30");

    th.store(Kind::Grace, QStringLiteral(" 5 "));
    th.store(Kind::Missing, QStringLiteral("0045"));
    EXPECT_EQ(s.context().GraceMinutes, 5);
    EXPECT_EQ(s.context().MissingMinutes, 45);
    EXPECT_EQ(rows(t.db()), "ys=5 zwdk=45");
    EXPECT_EQ(th.storedText(Kind::Missing), "45");

    // What the next start-up reads is what was stored.
    Session next(t.path());
    next.loadSettings();
    EXPECT_EQ(next.context().GraceMinutes, 5);
    EXPECT_EQ(next.context().MissingMinutes, 45);
}

TEST(ThresholdsTest, AnAbsentKeyReadsZeroAndIsCreatedAndEveryRowOfAKeyAgrees)
{
    TempDb t;
    t.db().exec(QStringLiteral("delete from qtszk where name='zwdk'"));
    t.db().exec(QStringLiteral("insert into qtszk (name,val) values ('ys','7'),('YS','9'),('zwdk ','8')"));
    Session s(t.path());
    Thresholds th(s);
    EXPECT_EQ(th.storedText(Kind::Grace), "7"); // the last exact key, as the load reads it
    EXPECT_EQ(th.storedText(Kind::Missing), "0");

    th.store(Kind::Missing, QStringLiteral("1440"));
    th.store(Kind::Grace, QStringLiteral("0"));
    EXPECT_EQ(rows(t.db()), "ys=0 ys=0 YS=9 zwdk =8 zwdk=1440");
    s.loadSettings();
    EXPECT_EQ(s.context().GraceMinutes, 0);
    EXPECT_EQ(s.context().MissingMinutes, 1440);
}

TEST(ThresholdsTest, AnythingButAWholeNumberUpTo1440IsRefusedAndChangesNothing)
{
    TempDb t;
    t.db();
    Session s(t.path());
    s.loadSettings();
    Thresholds th(s);
    for (const char* text : {"", " ", "abc", "-1", "+5", "1441", "99999", "1.5", "3 0", "３", "0x10", "5分"}) {
        SCOPED_TRACE(text);
        try {
            th.store(Kind::Grace, QString::fromUtf8(text));
            ADD_FAILURE() << "accepted";
        } catch (const CommandRefused& e) {
            EXPECT_TRUE(e.message().contains(QString::fromUtf8(text))) << e.what();
            EXPECT_TRUE(e.message().contains(QStringLiteral("1440"))) << e.what();
        }
    }
    EXPECT_EQ(rows(t.db()), "ys=3 zwdk=30");
    EXPECT_EQ(s.context().GraceMinutes, 3);

    s.context().AnalysisRunning = 1;
    EXPECT_THROW(th.store(Kind::Grace, QStringLiteral("4")), CommandRefused);
    EXPECT_EQ(rows(t.db()), "ys=3 zwdk=30");
}

} // namespace
