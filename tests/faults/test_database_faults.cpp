// A database file that cannot be used as it is: the message says why, and the
// file is left exactly as it was.
#include "faults/faultfixture.h"
#include "store/errors.h"
#include "testsupport.h"
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#define SQLITE_HAS_CODEC 1
#include <sqlcipher/sqlite3.h>

namespace {

const std::vector<QStringList> readingCommands = {
    {"stats"}, {"query", "2010-11-01", "2010-11-30"}, {"sql", "select count(*) from kqk"}};

TEST(DatabaseFaults, ZeroByteFileIsRefusedAndStaysEmpty)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("kq.mdb"));
    QFile(path).open(QIODevice::WriteOnly);
    try {
        Database::open(path);
        FAIL() << "opened an empty file";
    } catch (const DatabaseError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("0 字节"))) << e.what();
    }
    for (const QStringList& args : {QStringList{"stats"}, QStringList{"import", fixturePath("2010-11.csv")},
                                    QStringList{"sql", "select 1"}}) {
        const CliResult r = runCli(dir.path(), args);
        EXPECT_NE(r.status, 0) << args.join(' ').toStdString();
        EXPECT_TRUE(r.err.contains(QStringLiteral("是空的（0 字节）"))) << r.err.toStdString();
    }
    EXPECT_EQ(QFileInfo(path).size(), 0);
    EXPECT_FALSE(QFile::exists(path + "-wal"));
}

TEST(DatabaseFaults, WrongKeyIsRefusedAndLeftByteForByte)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("kq.mdb"));
    {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(path.toUtf8().constData(), &db), SQLITE_OK);
        sqlite3_key(db, "another key", 11);
        ASSERT_EQ(sqlite3_exec(db, "create table kqk (id integer); insert into kqk values (1)", nullptr, nullptr, nullptr),
                  SQLITE_OK);
        sqlite3_close(db);
    }
    const QByteArray before = fileBytes(path);
    for (const QStringList& args : {QStringList{"stats"}, QStringList{"import", fixturePath("2010-11.csv")},
                                    QStringList{"archive"}}) {
        const CliResult r = runCli(dir.path(), args);
        EXPECT_NE(r.status, 0);
        EXPECT_TRUE(r.err.contains(QStringLiteral("无法打开数据库"))) << r.err.toStdString();
    }
    EXPECT_EQ(fileBytes(path), before);
}

// A file marked read-only stays read-only even for root: every command that
// writes says so and nothing changes; reading still works.
TEST(DatabaseFaults, ReadOnlyFileRefusesEveryWriteAndStillReads)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("kq.mdb"));
    faults::makeMonth(path, 4);
    QString employee, day, slot, rowId;
    {
        auto db = Database::open(path);
        employee = db->scalar("select ygbh from kqk order by id limit 1").toText();
        day = db->scalar("select dksj from kqk order by id limit 1").toDateTime().toIso().left(10);
        slot = db->scalar("select dksj from dksjszk order by id limit 1").toText();
        rowId = db->scalar("select id from kqk order by id limit 1").toText();
    }
    const QString exportFile = dir.filePath(QStringLiteral("2010-12.csv"));
    faults::writeExport(exportFile, 2);
    const QByteArray digest = faults::contentDigest(path);
    const QByteArray bytes = fileBytes(path);
    ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));

    const std::vector<QStringList> writing = {
        {"import", exportFile}, {"analyse", "--all"}, {"analyse", employee}, {"archive"},
        {"correct", "8", rowId}, {"makeup", employee, day, slot}, {"sql", "delete from kqk"}};
    for (const QStringList& args : writing) {
        const CliResult r = runCli(dir.path(), args);
        EXPECT_EQ(r.status, 1) << args.join(' ').toStdString() << "\n" << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(QStringLiteral("是只读的"))) << args.join(' ').toStdString() << ": "
                                                              << r.err.toStdString();
    }
    for (const QStringList& args : readingCommands) {
        const CliResult r = runCli(dir.path(), args);
        EXPECT_EQ(r.status, 0) << args.join(' ').toStdString() << ": " << r.err.toStdString();
    }
    EXPECT_EQ(fileBytes(path), bytes);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    EXPECT_EQ(faults::contentDigest(path), digest);
}

} // namespace
