// Kills a running "tallyvane-cli archive" at several moments and checks each
// time that every record is in exactly one of kqk and kqkend.
#include "bench/punchgen.h"
#include "store/database.h"
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>
#include <cstdio>

namespace {

const char* const RecordColumns = "bm,xm,ygbh,dksj,bz,js,nyr,shi";

qint64 number(Database& db, const QString& sql) { return db.scalar(sql).toInt(); }

qint64 distinctCount(Database& db, const char* table)
{
    return number(db, QStringLiteral("select count(*) from (select distinct %1 from %2)")
                          .arg(QLatin1String(RecordColumns), QLatin1String(table)));
}

struct Counts {
    qint64 kqkRows, kqkDistinct, archiveRows, archiveDistinct, inBoth;
};

Counts countsOf(const QString& path)
{
    auto db = Database::open(path, Database::OpenMode::OpenExisting); // rolls back a hot journal
    Counts c;
    c.kqkRows = number(*db, QStringLiteral("select count(*) from kqk"));
    c.kqkDistinct = distinctCount(*db, "kqk");
    c.archiveRows = number(*db, QStringLiteral("select count(*) from kqkend"));
    c.archiveDistinct = distinctCount(*db, "kqkend");
    c.inBoth = number(*db, QStringLiteral("select count(*) from (select %1 from kqk intersect select %1 from kqkend)")
                               .arg(QLatin1String(RecordColumns)));
    return c;
}

void copyDatabase(const QString& from, const QString& to)
{
    // A killed run leaves its write-ahead log beside the file; it must not
    // meet the fresh copy.
    for (const char* suffix : {"", "-journal", "-wal", "-shm"}) QFile::remove(to + QLatin1String(suffix));
    ASSERT_TRUE(QFile::copy(from, to));
}

TEST(MoveOutKill, EveryRecordStaysInExactlyOneTable)
{
    QTemporaryDir dir;
    const QString seed = dir.filePath(QStringLiteral("seed.mdb"));
    const QString work = dir.filePath(QStringLiteral("kq.mdb"));
    qint64 rows = 0, distinct = 0;
    {
        auto db = Database::open(seed);
        PunchGenOptions o;
        o.employees = 3600; // x 31 days x about 2.7 punches: about 300,000 rows
        rows = insertPunches(*db, o);
        // Some records twice, so the move-out has groups to fold.
        db->exec(QStringLiteral("insert into kqk (%1) select %1 from kqk where id % 50 = 0").arg(QLatin1String(RecordColumns)));
        rows = number(*db, QStringLiteral("select count(*) from kqk"));
        distinct = distinctCount(*db, "kqk");
    }
    ASSERT_GT(rows, 300000);
    ASSERT_LT(distinct, rows);

    auto start = [&](QProcess& p) {
        p.setWorkingDirectory(dir.path());
        p.start(QStringLiteral(TV_CLI), {QStringLiteral("archive")});
        ASSERT_TRUE(p.waitForStarted());
    };

    // One whole run tells how long the move-out takes here.
    copyDatabase(seed, work);
    QElapsedTimer timer;
    timer.start();
    {
        QProcess p;
        start(p);
        ASSERT_TRUE(p.waitForFinished(300000));
        ASSERT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    }
    const qint64 fullRun = timer.elapsed();
    const Counts done = countsOf(work);
    EXPECT_EQ(done.kqkRows, 0);
    EXPECT_EQ(done.archiveRows, distinct);
    EXPECT_EQ(done.archiveDistinct, distinct);

    int before = 0, after = 0;
    for (double fraction : {0.05, 0.2, 0.35, 0.5, 0.65, 0.8, 0.9, 0.97}) {
        SCOPED_TRACE(fraction);
        copyDatabase(seed, work);
        QProcess p;
        start(p);
        QThread::msleep(qMax<qint64>(1, qint64(fullRun * fraction)));
        p.kill(); // SIGKILL
        p.waitForFinished(60000);
        const Counts c = countsOf(work);
        EXPECT_EQ(c.inBoth, 0);
        EXPECT_EQ(c.kqkDistinct + c.archiveDistinct, distinct);
        EXPECT_EQ(c.archiveRows, c.archiveDistinct);
        EXPECT_TRUE(c.kqkRows == rows || c.kqkRows == 0) << c.kqkRows;
        (c.kqkRows ? before : after)++;
    }
    std::printf("full run %lld ms; killed before the commit %d times, after it %d times\n", (long long)fullRun, before,
                after);
}

} // namespace
