// Opening the database and showing the employee list and one employee's
// punch list with 1,000,000 rows in kqk.
#include "app/session.h"
#include "bench/punchgen.h"
#include "store/database.h"
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("kq.mdb"));
    PunchGenOptions o;
    o.employees = 12300; // x 31 days x about 2.7 punches = about 1,000,000 rows
    o.days = 31;
    {
        auto db = Database::open(path);
        QElapsedTimer t;
        t.start();
        const qint64 n = insertPunches(*db, o);
        std::printf("generated %lld punches in %.2f s\n", (long long)n, t.elapsed() / 1000.0);
    }
    QElapsedTimer t;
    t.start();
    Session s(path);
    s.openLists(); // employee list, first employee's punch list
    const double first = t.elapsed() / 1000.0;
    s.employeeList().moveTo(s.employeeList().recordCount() / 2);
    const double total = t.elapsed() / 1000.0;
    std::printf("employees: %d, punches of the current employee: %d\n", s.employeeList().recordCount(),
                s.punchList().recordCount());
    std::printf("open + employee list + first punch list: %.3f s (target < 1 s)\n", first);
    std::printf("choosing another employee: %.3f s\n", total - first);
    std::printf("indexes: kqk_person (bm, xm, ygbh) covers the employee list's grouping; "
                "kqk_ygbh_dksj (ygbh, dksj) finds one employee's punches\n");
    return 0;
}
