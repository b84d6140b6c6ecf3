#include "store/schema.h"
#include "store/database.h"

const char* const Schema::PunchColumns = "id,bm,xm,ygbh,dksj,bz,js,nyr,shi";

namespace {

QString punchTable(const char* name, const char* idType)
{
    return QStringLiteral(
               "CREATE TABLE %1 (id %2, bm VARCHAR(50), xm VARCHAR(50), ygbh VARCHAR(50), dksj DATETIME, "
               "bz VARCHAR(50), js SMALLINT DEFAULT 0 CHECK (js BETWEEN -32768 AND 32767), "
               "nyr VARCHAR(50), shi VARCHAR(50))")
        .arg(QLatin1String(name), QLatin1String(idType));
}

} // namespace

void Schema::create(Database& db)
{
    Transaction tx(db);
    db.exec(punchTable("kqk", "INTEGER PRIMARY KEY AUTOINCREMENT"));
    db.exec(punchTable("kqkday", "INTEGER"));
    db.exec(punchTable("kqkend", "INTEGER"));
    // The employee list groups by these; the punch list and the day window
    // select one number over a time range.
    db.exec(QStringLiteral("CREATE INDEX kqk_person ON kqk (bm, xm, ygbh)"));
    db.exec(QStringLiteral("CREATE INDEX kqk_ygbh_dksj ON kqk (ygbh, dksj)"));
    db.exec(QStringLiteral("CREATE INDEX kqkend_dksj ON kqkend (dksj)"));
    db.exec(QStringLiteral("CREATE TABLE dksjszk (id INTEGER PRIMARY KEY, x VARCHAR(50), bcm VARCHAR(50), "
                           "dkc VARCHAR(50), dksj VARCHAR(50), bz INTEGER DEFAULT 0, cz INTEGER DEFAULT 0, "
                           "cz1 INTEGER DEFAULT 0)"));
    db.exec(QStringLiteral("CREATE TABLE bcmsz (id INTEGER PRIMARY KEY, k_g INTEGER, bcm VARCHAR(50), "
                           "kd VARCHAR(50), mrk_g INTEGER, but_ TEXT)"));
    db.exec(QStringLiteral("CREATE TABLE qtszk (name VARCHAR(50), val VARCHAR(255))"));
    db.exec(QStringLiteral("INSERT INTO qtszk (name, val) VALUES (:n, :v)"), {{":n", "ys"}, {":v", "3"}});
    db.exec(QStringLiteral("INSERT INTO qtszk (name, val) VALUES (:n, :v)"), {{":n", "zwdk"}, {":v", "30"}});
    tx.commit();
}
