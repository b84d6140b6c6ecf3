// The whole month of 500 employees analysed as `tallyvane-cli analyse --all`
// does it, beside the floor (read every punch, write one status per punch in
// one transaction), and one employee's month in a table of 1,000,000 rows.
#include "analysis/analysisengine.h"
#include "bench/punchgen.h"
#include "store/datetexts.h"
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>

namespace {

double seconds(QElapsedTimer& t) { return t.nsecsElapsed() / 1e9; }

QString makeDatabase(QTemporaryDir& dir, const char* name, int employees, int offset = 0)
{
    const QString path = dir.filePath(QString::fromLatin1(name));
    auto db = Database::open(path);
    insertBenchShifts(*db);
    PunchGenOptions o;
    o.employees = employees;
    o.employeeOffset = offset;
    insertPunches(*db, o);
    return path;
}

double floorSeconds(const QString& path)
{
    auto db = Database::open(path);
    QElapsedTimer t;
    t.start();
    Transaction tx(*db);
    Statement read(*db, QStringLiteral("select id, dksj from kqk order by ygbh, dksj"));
    Statement write(*db, QStringLiteral("update kqk set bz='正常', js=1 where id=?"));
    while (read.step()) {
        write.reset();
        write.bind(1, read.value(0));
        write.step();
    }
    tx.commit();
    return seconds(t);
}

// The employee's month, timed after a warm-up run of a neighbour, so that
// both figures compare the work and not the first reads of the file.
std::pair<double, double> analyseOne(const QString& path, const QString& warmUp, const QString& ygbh)
{
    Session s(path);
    s.openOnShow();
    AnalysisEngine engine(s);
    QElapsedTimer t;
    t.start();
    engine.analyseEmployee(warmUp);
    const double cold = seconds(t);
    t.restart();
    engine.analyseEmployee(ygbh);
    return {cold, seconds(t)};
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    DateTexts::setLocale(QLocale(QStringLiteral("zh_CN")));
    QTemporaryDir dir;

    const int employees = qEnvironmentVariableIsSet("TV_BENCH_EMPLOYEES") ? qEnvironmentVariableIntValue("TV_BENCH_EMPLOYEES") : 500;
    const QString month = makeDatabase(dir, "month.mdb", employees);
    const QString floorCopy = makeDatabase(dir, "floor.mdb", employees);
    qint64 punches = Database::open(month)->scalar(QStringLiteral("select count(*) from kqk")).toInt();
    {
        Session s(month);
        s.openOnShow();
        AnalysisEngine engine(s);
        QElapsedTimer t;
        t.start();
        engine.analyseAll();
        const double all = seconds(t);
        const double floor = floorSeconds(floorCopy);
        std::printf("%d employees x 31 days, %lld punches, three shifts\n", employees, (long long)punches);
        std::printf("  analyse --all: %.3f s (target < 3 s)\n", all);
        std::printf("  floor (read every punch, write one status each, one transaction): %.3f s\n", floor);
        std::printf("  ratio: %.1fx (target < 10x)\n", all / floor);
    }

    if (qEnvironmentVariableIsSet("TV_BENCH_EMPLOYEES")) return 0;
    const QString alone = makeDatabase(dir, "alone.mdb", 2, 7);
    const QString big = makeDatabase(dir, "big.mdb", 12300);
    const QString ygbh = QString::number(1000 + 7), neighbour = QString::number(1000 + 8);
    const auto [coldA, a] = analyseOne(alone, neighbour, ygbh);
    const auto [coldB, b] = analyseOne(big, neighbour, ygbh);
    const long long rows = Database::open(big)->scalar(QStringLiteral("select count(*) from kqk")).toInt();
    std::printf("one employee's month, two employees alone vs a table of %lld rows:\n", rows);
    std::printf("  first run after opening: %.4f s vs %.4f s (%.2fx)\n", coldA, coldB, coldB / coldA);
    std::printf("  next employee: %.4f s vs %.4f s (%.2fx, target within 1.5x)\n", a, b, b / a);
    return 0;
}
