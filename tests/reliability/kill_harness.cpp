// Kills tallyvane-cli with SIGKILL at many moments of import, analyse --all
// and archive, and checks after each kill that no record was lost, doubled
// or half written: the database opens, is intact, and is in a state that
// one of the command's commits left.
#include "killrun.h"
#include "scenario.h"
#include "store/database.h"
#include "store/errors.h"
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>
#include <random>

#ifndef TV_CLI
#define TV_CLI "tallyvane-cli"
#endif

bool Checks::expect(bool ok, const QString& invariant, const QString& detail)
{
    ++count;
    if (ok) return true;
    ++failures;
    std::fprintf(stderr, "FAIL %s: %s%s%s\n", qPrintable(where), qPrintable(invariant), detail.isEmpty() ? "" : " -- ",
                 qPrintable(detail));
    return false;
}

void closeCheckpointed(std::unique_ptr<Database>& db)
{
    db->exec(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
    const QString path = db->path();
    db.reset();
    for (const char* suffix : {"-wal", "-shm", "-journal"})
        if (QFile::exists(path + QLatin1String(suffix)))
            throw DatabaseError(QStringLiteral("%1 still has %2 after closing").arg(path, QLatin1String(suffix)));
}

namespace {

struct Profile {
    Sizes sizes;
    int kills;
};

// --quick fits a CI run on two cores; the default takes its time.
const Profile Quick{{1200, 20000, 300, 3000}, 20};
const Profile Large{{6000, 65000, 400, 6000}, 60};

// from empty: no file at all.
void copyFresh(const QString& from, const QString& to)
{
    // A killed run leaves its log beside the file; it must not meet the new copy.
    for (const char* suffix : {"", "-journal", "-wal", "-shm"}) QFile::remove(to + QLatin1String(suffix));
    if (!from.isEmpty() && !QFile::copy(from, to)) throw std::runtime_error("cannot copy " + from.toStdString());
}

QString tail(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return QString();
    const QByteArray all = f.readAll();
    return QString::fromUtf8(all.right(400)).trimmed();
}

QString ms(qint64 us) { return QString::number(us / 1000.0, 'f', 0) + QStringLiteral(" ms"); }

// What every round checks first, then the scenario's own invariants.
QString checkRound(Scenario& scenario, const QString& path, Checks& checks, bool finished)
{
    if (scenario.startsWithoutFile() && !QFile::exists(path)) {
        checks.expect(!finished, "a run that ended by itself leaves its database");
        scenario.noFile();
        return QStringLiteral("no file");
    }
    // Made but never written: the opening below has to finish it.
    const bool empty = scenario.startsWithoutFile() && QFileInfo(path).size() == 0;
    std::unique_ptr<Database> db;
    try {
        db = Database::open(path, Database::OpenMode::OpenExisting);
    } catch (const TvError& e) {
        checks.expect(false, "the database opens", e.message());
        return QStringLiteral("unopened");
    }
    checks.expect(true, "the database opens");
    QStringList problems;
    for (const auto& row : db->query(QStringLiteral("PRAGMA integrity_check")).rows) problems << row[0].toText();
    checks.expect(problems == QStringList{QStringLiteral("ok")}, "PRAGMA integrity_check says ok",
                  problems.mid(0, 5).join(QStringLiteral("; ")));
    QStringList missing;
    for (const char* table : {"kqk", "kqkday", "kqkend", "dksjszk", "bcmsz", "qtszk"})
        if (db->scalar(QStringLiteral("select count(*) from sqlite_master where type='table' and name=:n"),
                       {{":n", table}}).toInt() != 1)
            missing << QLatin1String(table);
    if (!checks.expect(missing.isEmpty(), "every table is there", QStringLiteral("missing: ") + missing.join(u' ')))
        return QStringLiteral("tables missing");
    const QString state = scenario.check(*db, checks, finished);
    return empty ? QStringLiteral("empty file, ") + state : state;
}

struct Totals {
    int kills = 0, runs = 0, roundChecks = 0;
};

void runScenario(Scenario& scenario, const QString& dir, const QString& cli, int wantedKills, unsigned seed,
                 Checks& checks, Totals& totals)
{
    QDir().mkpath(dir);
    const QString pristine = dir + QStringLiteral("/pristine.mdb"), work = dir + QStringLiteral("/kq.mdb");
    const QString log = dir + QStringLiteral("/cli.log");
    QElapsedTimer timer;
    timer.start();
    checks.where = scenario.name() + QStringLiteral(" preparation");
    copyFresh(QString(), pristine); // a kept folder's files of an earlier run
    scenario.prepare(pristine, checks);
    const double prepared = timer.elapsed() / 1000.0;
    const QString source = scenario.startsWithoutFile() ? QString() : pristine;

    // One whole run: how long the command takes, and the reference "after".
    checks.where = scenario.name() + QStringLiteral(" unkilled run");
    copyFresh(source, work);
    const KillRun whole = runAndKill(cli, scenario.arguments(work), -1, log);
    if (!checks.expect(whole.exitStatus == 0, "the unkilled run succeeds", tail(log))) return;
    {
        auto db = Database::open(work, Database::OpenMode::OpenExisting);
        scenario.learnAfter(*db, checks);
    }
    const qint64 T = whole.elapsedUs;
    std::printf("%s: prepared in %.1f s; an unkilled run takes %s\n", qPrintable(scenario.name()), prepared,
                qPrintable(ms(T)));
    std::fflush(stdout);

    // Delays: most rounds spread over [0, 1.1 T], one in each stratum, the
    // first exactly 0; a sixth over [0, 0.05 T], where a new file is made; a
    // quarter over [0.85 T, 1.05 T], where the single commits of import and
    // archive lie. Rounds that found the process ended are made up with
    // delays inside the run.
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const int early = wantedKills / 6, late = wantedKills / 4, spread = wantedKills - early - late;
    auto delayOf = [&](int round) {
        const double u = unit(rng);
        if (round == 0) return qint64(0);
        if (round < spread) return qint64(1.1 * T * (round + u) / spread);
        if (round < spread + early) return qint64(0.05 * T * (round - spread + u) / early);
        if (round < wantedKills) return qint64(T * (0.85 + 0.2 * (round - spread - early + u) / late));
        return qint64(0.95 * T * u);
    };
    int kills = 0, runs = 0, round = 0;
    const int checksBefore = checks.count, failuresBefore = checks.failures;
    while (kills < wantedKills && round < 2 * wantedKills) {
        const qint64 delay = delayOf(round);
        copyFresh(source, work);
        const KillRun r = runAndKill(cli, scenario.arguments(work), delay, log);
        checks.where = QStringLiteral("%1 round %2, delay %3, %4")
                           .arg(scenario.name()).arg(round + 1).arg(ms(delay), r.killed ? QStringLiteral("killed")
                                                                                        : QStringLiteral("ran to its end"));
        if (r.killed) ++kills;
        else {
            ++runs;
            checks.expect(r.exitStatus == 0, "a run that ended by itself succeeds", tail(log));
        }
        QString state;
        try {
            state = checkRound(scenario, work, checks, !r.killed);
        } catch (const TvError& e) {
            checks.expect(false, "the checks can read the database", e.message());
        }
        std::printf("  %-10s round %2d  delay %6s  %-6s  %s\n", qPrintable(scenario.name()), round + 1,
                    qPrintable(ms(delay)), r.killed ? "killed" : "ran", qPrintable(state));
        std::fflush(stdout);
        ++round;
    }
    const int made = checks.count - checksBefore;
    totals.kills += kills;
    totals.runs += runs;
    totals.roundChecks += made;
    std::printf("%s: %d kills, %d runs ended before the kill, %d invariant checks, %d failures, %.1f s; %s\n",
                qPrintable(scenario.name()), kills, runs, made, checks.failures - failuresBefore,
                timer.elapsed() / 1000.0, qPrintable(scenario.summary()));
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Kills tallyvane-cli at many moments and checks the database."));
    parser.addHelpOption();
    const QCommandLineOption quick(QStringLiteral("quick"), QStringLiteral("Small data and 20 kills a scenario (CI)."));
    const QCommandLineOption large(QStringLiteral("large"), QStringLiteral("Large data and 60 kills a scenario (the default)."));
    const QCommandLineOption kills(QStringLiteral("kills"), QStringLiteral("Kills per scenario."), QStringLiteral("N"));
    const QCommandLineOption seed(QStringLiteral("seed"), QStringLiteral("Seed of the kill delays (default 1)."),
                                  QStringLiteral("N"), QStringLiteral("1"));
    const QCommandLineOption only(QStringLiteral("only"), QStringLiteral("Run only this scenario: import, import-new, analyse, archive."),
                                  QStringLiteral("NAME"));
    const QCommandLineOption cli(QStringLiteral("cli"), QStringLiteral("The tallyvane-cli to kill."), QStringLiteral("PATH"),
                                 QStringLiteral(TV_CLI));
    const QCommandLineOption work(QStringLiteral("work"), QStringLiteral("Keep the files in this folder."), QStringLiteral("DIR"));
    parser.addOptions({quick, large, kills, seed, only, cli, work});
    parser.process(app);

    const Profile profile = parser.isSet(quick) ? Quick : Large;
    const int wanted = parser.isSet(kills) ? parser.value(kills).toInt() : profile.kills;
    if (wanted < 1) {
        std::fprintf(stderr, "--kills needs a positive number\n");
        return 2;
    }
    QTemporaryDir temp;
    const QString root = parser.isSet(work) ? parser.value(work) : temp.path();
    if (!QFile::exists(parser.value(cli))) {
        std::fprintf(stderr, "no tallyvane-cli at %s\n", qPrintable(parser.value(cli)));
        return 2;
    }

    std::vector<std::unique_ptr<Scenario>> scenarios;
    scenarios.push_back(makeImportScenario(profile.sizes, false));
    scenarios.push_back(makeImportScenario(profile.sizes, true));
    scenarios.push_back(makeAnalyseScenario(profile.sizes));
    scenarios.push_back(makeArchiveScenario(profile.sizes));
    const QStringList selected = parser.values(only);

    QElapsedTimer timer;
    timer.start();
    Checks checks;
    Totals totals;
    const unsigned baseSeed = parser.value(seed).toUInt();
    for (size_t i = 0; i < scenarios.size(); ++i) {
        Scenario& s = *scenarios[i];
        if (!selected.isEmpty() && !selected.contains(s.name())) continue;
        try {
            runScenario(s, root + u'/' + s.name(), parser.value(cli), wanted, baseSeed * 7919u + unsigned(i), checks, totals);
        } catch (const std::exception& e) {
            checks.expect(false, "the scenario runs to its end", QString::fromUtf8(e.what()));
        }
    }
    std::printf("kill harness: %d kills, %d runs, %d invariant checks (%d more on the reference runs), %d failures, %.0f s\n",
                totals.kills, totals.runs, totals.roundChecks, checks.count - totals.roundChecks, checks.failures,
                timer.elapsed() / 1000.0);
    return checks.failures == 0 ? 0 : 1;
}
