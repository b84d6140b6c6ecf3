#pragma once
// Databases and inputs for the fault tests: a small analysed-ready month, a
// digest of every row that a refused command must leave as it was.
#include "bench/punchgen.h"
#include "store/database.h"
#include <QByteArray>
#include <QCryptographicHash>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QTextStream>

namespace faults {

// Every row of the tables a command may write, in a stable order.
inline QByteArray contentDigest(Database& db)
{
    QCryptographicHash h(QCryptographicHash::Sha256);
    for (const char* table : {"kqk", "kqkend", "dksjszk", "bcmsz", "qtszk"}) {
        const QueryResult r = db.query(QStringLiteral("select * from %1 order by rowid").arg(QLatin1String(table)));
        for (const auto& row : r.rows)
            for (const Value& v : row) h.addData((v.toStorageText() + u'\x1f').toUtf8());
        h.addData(QByteArrayLiteral("\x1e"));
    }
    return h.result().toHex();
}

inline QByteArray contentDigest(const QString& path)
{
    auto db = Database::open(path, Database::OpenMode::OpenExisting);
    return contentDigest(*db);
}

// A month of the generator's employees with its three shifts, checkpointed
// into the main file so a byte comparison means something.
inline void makeMonth(const QString& path, int employees)
{
    auto db = Database::open(path);
    insertBenchShifts(*db);
    PunchGenOptions o;
    o.employees = employees;
    insertPunches(*db, o);
    db->exec(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
}

// A .csv export of punches the generator makes for other employees.
inline void writeExport(const QString& path, int employees, int employeeOffset = 5000)
{
    QFile f(path);
    f.open(QIODevice::WriteOnly | QIODevice::Truncate);
    QTextStream s(&f);
    s << "部门,姓名,登记号码,日期时间\n";
    PunchGenOptions o;
    o.employees = employees;
    o.employeeOffset = employeeOffset;
    generatePunches(o, [&](const GeneratedPunch& p) {
        s << p.bm << ',' << p.xm << ',' << p.ygbh << ',' << p.dksj.toIso() << '\n';
    });
}

} // namespace faults
