#include "store/database.h"
#include "store/errors.h"
#include "testsupport.h"
#include <QCryptographicHash>
#include <QFile>
#include <gtest/gtest.h>
#include <cstring>
#define SQLITE_HAS_CODEC 1
#include <sqlcipher/sqlite3.h>

namespace {

QByteArray fileHash(const QString& path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

TEST(Database, NewFileHasEveryTableAndTheTwoSettings)
{
    TempDb t;
    Database& db = t.db();
    for (const char* table : {"kqk", "kqkday", "kqkend", "dksjszk", "bcmsz", "qtszk"})
        EXPECT_EQ(db.scalar(QStringLiteral("select count(*) from sqlite_master where name=:n"), {{":n", table}}).toInt(), 1)
            << table;
    const QueryResult r = db.query(QStringLiteral("select name,val from qtszk order by name"));
    ASSERT_EQ(r.rows.size(), 2u);
    EXPECT_EQ(r.rows[0][0].toText(), "ys");
    EXPECT_EQ(r.rows[0][1].toInt(), 3);
    EXPECT_EQ(r.rows[1][0].toText(), "zwdk");
    EXPECT_EQ(r.rows[1][1].toInt(), 30);
    EXPECT_EQ(db.scalar(QStringLiteral("select count(*) from dksjszk")).toInt(), 0);
    // js defaults to 0, id comes from the engine, names are case-insensitive.
    db.exec(QStringLiteral("INSERT INTO KQK (BM, ygbh, dksj) VALUES ('a', '1', '2010-11-01 07:52:11')"));
    const QueryResult k = db.query(QStringLiteral("select id, js from kqk"));
    EXPECT_EQ(k.rows[0][0].toInt(), 1);
    EXPECT_EQ(k.rows[0][1].toInt(), 0);
}

// A keyed file switched to WAL before its schema's commit (what an older
// version killed while making a database left). The next opening must finish
// it, not fail on "no such table". An empty file is refused instead.
TEST(Database, FileWhoseMakingWasCutShortIsFinishedOnOpening)
{
    struct Case {
        const char* name;
        void (*make)(const QString& path);
    };
    const Case cases[] = {
        {"keyed, in WAL mode, no tables",
         [](const QString& path) {
             sqlite3* h = nullptr;
             ASSERT_EQ(sqlite3_open(path.toUtf8().constData(), &h), SQLITE_OK);
             sqlite3_key(h, Database::Password, int(strlen(Database::Password)));
             for (const char* sql : {"PRAGMA cipher_page_size = 4096", "PRAGMA kdf_iter = 64000",
                                     "PRAGMA journal_mode = WAL"})
                 ASSERT_EQ(sqlite3_exec(h, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sql;
             sqlite3_close(h);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("kq.mdb"));
        c.make(path);
        ASSERT_TRUE(QFile::exists(path));
        for (auto mode : {Database::OpenMode::OpenExisting, Database::OpenMode::OpenOrCreate}) {
            auto db = Database::open(path, mode);
            for (const char* table : {"kqk", "kqkday", "kqkend", "dksjszk", "bcmsz", "qtszk"})
                EXPECT_EQ(db->scalar(QStringLiteral("select count(*) from sqlite_master where name=:n"), {{":n", table}})
                              .toInt(),
                          1)
                    << table;
            // Opened a second time, the finished file is left as it is.
            EXPECT_EQ(db->scalar(QStringLiteral("select count(*) from qtszk")).toInt(), 2);
        }
    }
}

TEST(Database, FileIsKeyedAndNotPlainSqlite)
{
    TempDb t;
    t.db();
    t.database.reset();
    QFile f(t.path());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_FALSE(f.read(16).startsWith("SQLite format 3"));
}

TEST(Database, WrongFilesAreReportedAndLeftByteForByte)
{
    QTemporaryDir dir;
    const QString garbage = dir.filePath(QStringLiteral("garbage.mdb"));
    {
        QFile f(garbage);
        f.open(QIODevice::WriteOnly);
        f.write(QByteArray(5000, 'x'));
    }
    // A plain SQLite file: a database, but not opened by our key.
    const QString plain = dir.filePath(QStringLiteral("plain.mdb"));
    {
        QFile f(plain);
        f.open(QIODevice::WriteOnly);
        QByteArray header("SQLite format 3\0", 16);
        header.append(QByteArray(4096 - 16, '\0'));
        f.write(header);
    }
    for (const QString& path : {garbage, plain}) {
        const QByteArray before = fileHash(path);
        try {
            Database::open(path);
            ADD_FAILURE() << "opened " << path.toStdString();
        } catch (const DatabaseError& e) {
            EXPECT_TRUE(e.message().startsWith(QStringLiteral("无法打开数据库"))) << e.message().toStdString();
        }
        EXPECT_EQ(fileHash(path), before);
    }
}

TEST(Database, TransactionsRollBackUnlessCommitted)
{
    TempDb t;
    Database& db = t.db();
    {
        Transaction tx(db);
        db.exec(QStringLiteral("insert into kqk (ygbh) values ('1')"));
        {
            Transaction inner(db);
            db.exec(QStringLiteral("insert into kqk (ygbh) values ('2')"));
        }
        tx.commit();
    }
    EXPECT_EQ(db.scalar(QStringLiteral("select group_concat(ygbh) from kqk")).toText(), "1");
    EXPECT_THROW(db.exec(QStringLiteral("insert into nosuchtable values (1)")), DatabaseError);
    EXPECT_THROW(db.exec(QStringLiteral("update kqk set js=40000")), DatabaseError);
}

TEST(Database, SecondConnectionSeesCommittedRows)
{
    TempDb t;
    t.db().exec(QStringLiteral("insert into kqk (ygbh) values ('1')"));
    auto other = Database::open(t.path(), Database::OpenMode::OpenExisting);
    EXPECT_EQ(other->scalar(QStringLiteral("select count(*) from kqk")).toInt(), 1);
}

} // namespace
