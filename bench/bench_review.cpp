// The person-wide and day-wide corrections on one employee with a year of
// analysed punches, among 300 employees.
#include "app/session.h"
#include "bench/punchgen.h"
#include "review/corrections.h"
#include "review/punchgrid.h"
#include "store/database.h"
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>

namespace {

double seconds(const QElapsedTimer& t) { return t.nsecsElapsed() / 1e9; }

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("kq.mdb"));
    PunchGenOptions o;
    o.employees = 300;
    o.days = 365;
    {
        auto db = Database::open(path);
        const qint64 n = insertPunches(*db, o);
        db->exec(QStringLiteral("update kqk set bz='正常', js=1"));
        std::printf("generated %lld analysed punches\n", (long long)n);
    }
    Session s(path);
    s.openLists();
    DataSet& list = s.punchList();
    std::printf("punches of the current employee: %d\n", list.recordCount());

    QElapsedTimer t;
    list.moveTo(list.recordCount() / 2);
    t.start();
    PunchGrid::cellClick(s);
    std::printf("cell click (refresh keeping row and order): %.3f s\n", seconds(t));

    t.restart();
    Corrections(s).dayNormal();
    std::printf("&8 one day: %.3f s\n", seconds(t));

    list.moveTo(list.recordCount() / 2);
    t.restart();
    Corrections(s).cancelDay();
    std::printf("&7 one day: %.3f s\n", seconds(t));

    t.restart();
    Corrections(s).cancelPerson();
    std::printf("&9 whole employee (%d rows): %.3f s\n", list.recordCount(), seconds(t));
    return 0;
}
