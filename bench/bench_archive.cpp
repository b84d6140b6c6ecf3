// The move-out of about 1,000,000 rows and a month's archive query over them.
#include "bench/punchgen.h"
#include "import/archivequery.h"
#include "import/moveout.h"
#include "store/database.h"
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    auto db = Database::open(dir.filePath(QStringLiteral("kq.mdb")));
    PunchGenOptions o;
    o.employees = 12300; // x 31 days x about 2.7 punches = about 1,000,000 rows
    QElapsedTimer t;
    t.start();
    const qint64 n = insertPunches(*db, o);
    std::printf("generated %lld punches in %.2f s\n", (long long)n, t.elapsed() / 1000.0);

    t.restart();
    const MoveOutResult r = Archive::moveOutRecords(*db);
    std::printf("move-out: %lld records archived, %lld rows removed in %.2f s\n", (long long)r.archived,
                (long long)r.removed, t.elapsed() / 1000.0);

    ArchiveQuery q;
    t.restart();
    q.run(*db, {o.firstDay, o.firstDay.addDays(o.days - 1), QStringLiteral("%"), QStringLiteral("100%")});
    std::printf("query, whole month, number 100%%: %d rows in %.3f s\n", q.dataSet().recordCount(), t.elapsed() / 1000.0);
    t.restart();
    q.run(*db, {o.firstDay.addDays(3), o.firstDay.addDays(3), QStringLiteral("张%"), QStringLiteral("%")});
    std::printf("query, one day, name 张%%: %d rows in %.3f s\n", q.dataSet().recordCount(), t.elapsed() / 1000.0);
    return 0;
}
