// Two processes writing to one kq.mdb: the one that finds the file in use
// waits for the other's command to end, and says so if the wait runs out.
#include "app/session.h"
#include "faults/faultfixture.h"
#include "testsupport.h"
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

namespace {

const char* const InsertOne = "insert into kqk (bm,xm,ygbh,dksj,nyr) values ('测试','命令行','9001','2010-12-01 08:00:00','x')";

qint64 count(Database& db, const char* where)
{
    return db.scalar(QStringLiteral("select count(*) from kqk where %1").arg(QString::fromUtf8(where))).toInt();
}

struct Cli {
    QProcess p;
    explicit Cli(const QString& dir, const QStringList& args, int timeoutMs = -1)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        if (timeoutMs >= 0) env.insert(QStringLiteral("TALLYVANE_BUSY_TIMEOUT_MS"), QString::number(timeoutMs));
        p.setProcessEnvironment(env);
        p.setWorkingDirectory(dir);
        p.start(QStringLiteral(TV_CLI), args);
        p.waitForStarted();
    }
    CliResult finish()
    {
        p.waitForFinished(120000);
        return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
    }
};

TEST(TwoProcesses, CommandLineWaitsForTheProgramsCommandToEnd)
{
    TempDb t;
    faults::makeMonth(t.path(), 3);
    Database& db = t.db();
    db.beginTransaction();
    db.exec(QStringLiteral("update kqk set bz='程序' where id=1"));
    Cli writer(t.dir(), {QStringLiteral("sql"), QString::fromUtf8(InsertOne)});
    Cli importer(t.dir(), {QStringLiteral("import"), fixturePath(QStringLiteral("2010-11.csv"))});
    QThread::msleep(1500); // both are now waiting for the write lock
    EXPECT_EQ(writer.p.state(), QProcess::Running);
    db.commit();
    const CliResult w = writer.finish(), i = importer.finish();
    EXPECT_EQ(w.status, 0) << w.err.toStdString();
    EXPECT_EQ(i.status, 0) << i.err.toStdString();
    EXPECT_EQ(count(db, "ygbh='9001'"), 1);
    EXPECT_EQ(count(db, "bz='程序'"), 1);
    EXPECT_GT(count(db, "xm='张三'"), 0);
}

TEST(TwoProcesses, ProgramWaitsForTheCommandLinesImport)
{
    TempDb t;
    faults::makeMonth(t.path(), 3);
    const QString file = t.tmp.filePath(QStringLiteral("2010-12.csv"));
    faults::writeExport(file, 400);
    Session session(t.path());
    session.openLists();
    Cli importer(t.dir(), {QStringLiteral("import"), file});
    // Write through the program's own connection while the import holds the file.
    for (int i = 0; i < 20 && importer.p.state() == QProcess::Running; ++i) {
        session.db().exec(QStringLiteral("update kqk set shi='' where id=1"));
        QThread::msleep(50);
    }
    session.db().exec(QString::fromUtf8(InsertOne));
    const CliResult r = importer.finish();
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(count(session.db(), "ygbh='9001'"), 1);
    EXPECT_GT(count(session.db(), "cast(ygbh as integer) >= 6000"), 0);
}

TEST(TwoProcesses, AWaitThatRunsOutIsReportedAndChangesNothing)
{
    TempDb t;
    faults::makeMonth(t.path(), 3);
    Database& db = t.db();
    const qint64 before = count(db, "1");
    db.beginTransaction();
    db.exec(QStringLiteral("update kqk set bz='程序' where id=1"));
    Cli writer(t.dir(), {QStringLiteral("sql"), QString::fromUtf8(InsertOne)}, 300);
    Cli importer(t.dir(), {QStringLiteral("import"), fixturePath(QStringLiteral("2010-11.csv"))}, 300);
    const CliResult w = writer.finish(), i = importer.finish();
    db.commit();
    for (const CliResult& r : {w, i}) {
        EXPECT_EQ(r.status, 1);
        EXPECT_TRUE(r.err.contains(QStringLiteral("正被另一个程序使用"))) << r.err.toStdString();
    }
    EXPECT_EQ(count(db, "1"), before);
    EXPECT_EQ(count(db, "bz='程序'"), 1);
}

} // namespace
