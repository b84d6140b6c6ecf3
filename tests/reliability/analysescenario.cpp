// analyse --all: each employee's days are one transaction each, then one
// post-pass transaction. The unkilled run is first made in-process with every
// commit observed from a second connection; a killed run must have left the
// database exactly as one of those commits did.
#include "analysis/analysisengine.h"
#include "bench/punchgen.h"
#include "rowdigest.h"
#include "scenario.h"
#include "store/database.h"
#include <QFile>
#include <QFileInfo>
#include <QDir>
#define SQLITE_HAS_CODEC 1
#include <sqlcipher/sqlite3.h>
#include <map>

namespace {

const QString EmployeeRows = QStringLiteral("select ygbh, * from kqk");

// Tells the reference where the run is: a day begins, the day loop ends.
class MarkerPanel : public ProgressPanel {
public:
    explicit MarkerPanel(std::vector<char>& events) : m_events(events) {}
    void addLine(const QString& line) override
    {
        if (line.endsWith(QStringLiteral("打卡信息分析......"))) m_events.push_back('D');
        else if (line == QStringLiteral("完成分析！")) m_events.push_back('L');
    }

private:
    std::vector<char>& m_events;
};

class AnalyseScenario : public Scenario {
public:
    explicit AnalyseScenario(const Sizes& s) : m_sizes(s) {}
    QString name() const override { return QStringLiteral("analyse"); }

    void prepare(const QString& path, Checks& checks) override
    {
        auto db = Database::open(path, Database::OpenMode::CreateNew);
        insertBenchShifts(*db);
        PunchGenOptions month;
        month.employees = m_sizes.analyseEmployees;
        insertPunches(*db, month);
        closeCheckpointed(db);

        const QString reference = QFileInfo(path).dir().filePath(QStringLiteral("reference.mdb"));
        QFile::remove(reference);
        QFile::copy(path, reference);
        recordReference(reference, checks);
    }

    QStringList arguments(const QString& db) const override
    {
        return {QStringLiteral("--db"), db, QStringLiteral("analyse"), QStringLiteral("--all")};
    }

    void learnAfter(Database& db, Checks& checks) override
    {
        const size_t last = m_states.size() - 1;
        checks.expect(match(db) == int(last), "the command line's whole run ends as the in-process reference does",
                      m_diagnosis);
    }

    QString check(Database& db, Checks& checks, bool finished) override
    {
        const int k = match(db);
        checks.expect(m_othersMatched, "kqkday, dksjszk, bcmsz, the sequence and the schema are as one commit left them",
                      m_diagnosis);
        checks.expect(k >= 0 && (!finished || k == int(m_states.size()) - 1),
                      "every employee's rows are as one commit left them: earlier employees done, later ones untouched",
                      m_diagnosis);
        if (k < 0) return QStringLiteral("none");
        if (k == 0) {
            ++m_beforeCount;
            return QStringLiteral("before");
        }
        if (k == int(m_states.size()) - 1) {
            ++m_afterCount;
            return QStringLiteral("after");
        }
        m_reached[k]++;
        return QStringLiteral("commit %1 of %2 (%3)").arg(k).arg(m_states.size() - 1).arg(m_states[k].label);
    }

    QString summary() const override
    {
        int between = 0;
        for (const auto& [k, n] : m_reached) between += n;
        return QStringLiteral("%1 employees, %2 days, %3 commits; found before %4, after %5, between %6 (at %7 different commits)")
            .arg(m_order.size()).arg(m_dayCount).arg(m_states.size() - 1).arg(m_beforeCount).arg(m_afterCount)
            .arg(between).arg(m_reached.size());
    }

private:
    struct State {
        int position;      // the employee the commit was for, -1 before the first
        Digest employee;   // that employee's rows after it
        Fingerprint others; // every table but kqk, and the schema
        QString label;
    };

    static int onCommit(void* self, sqlite3* db, const char* name, int frames)
    {
        auto* s = static_cast<AnalyseScenario*>(self);
        s->commitSeen();
        // The hook replaces the automatic checkpoint; do what it would.
        if (frames >= 1000) sqlite3_wal_checkpoint_v2(db, name, SQLITE_CHECKPOINT_PASSIVE, nullptr, nullptr);
        return SQLITE_OK;
    }

    void commitSeen()
    {
        m_events.push_back('C');
        const QString ygbh = m_session->context().CurrentEmployeeNo;
        if (m_order.empty() || m_order.back() != ygbh) {
            if (m_position.count(ygbh)) m_problems << QStringLiteral("employee %1 is written again after another").arg(ygbh);
            m_position[ygbh] = int(m_order.size());
            m_order.push_back(ygbh);
        }
        // The marker this commit follows, and the employee's day it belongs to.
        char marker = 0;
        int day = 0;
        for (auto it = m_events.rbegin() + 1; it != m_events.rend() && *it != 'S'; ++it) {
            if (!marker && *it != 'C') marker = *it;
            day += *it == 'D';
        }
        State s{m_position[ygbh], digestOf(*m_observer, QStringLiteral("select * from kqk where ygbh=?"), {ygbh}),
                fingerprint(*m_observer, {QStringLiteral("kqk")}),
                QStringLiteral("employee %1, %2").arg(ygbh, marker == 'D' ? QStringLiteral("day %1").arg(day)
                                                         : marker == 'L' ? QStringLiteral("post-pass")
                                                                         : QStringLiteral("outside a day"))};
        if (s.position < int(m_final.size())) m_final[s.position] = s.employee;
        else m_final.push_back(s.employee);
        m_states.push_back(std::move(s));
    }

    // Run over, or any employee's run over: the whole table agrees with the model.
    void verifyWhole(const QString& when)
    {
        const auto now = digestsByFirstColumn(*m_observer, EmployeeRows);
        QStringList wrong;
        for (const auto& [ygbh, d] : now)
            if (d != expected(m_states.size() - 1, ygbh)) wrong << ygbh;
        for (const auto& [ygbh, d] : m_initial)
            if (!now.count(ygbh)) wrong << ygbh;
        ++m_wholeChecks;
        if (!wrong.isEmpty()) m_strays << when + QStringLiteral(": ") + wrong.mid(0, 5).join(u' ');
    }

    void recordReference(const QString& path, Checks& checks)
    {
        m_observer = Database::open(path, Database::OpenMode::OpenExisting);
        m_initial = digestsByFirstColumn(*m_observer, EmployeeRows);
        m_states.push_back({-1, {}, fingerprint(*m_observer, {QStringLiteral("kqk")}), QStringLiteral("before")});
        {
            Session session(path);
            m_session = &session;
            MarkerPanel panel(m_events);
            session.setProgressPanel(&panel);
            sqlite3_wal_hook(session.db().handle(), &AnalyseScenario::onCommit, this);
            session.openOnShow();
            AnalysisEngine engine(session);
            int employeesDone = 0;
            QObject::connect(&engine, &AnalysisEngine::runningChanged, [&](bool running) {
                m_events.push_back(running ? 'S' : 'E');
                // Each employee's end is checked when there are few; a sample otherwise.
                if (!running && ++employeesDone % qMax(1, m_sizes.analyseEmployees / 100) == 0)
                    verifyWhole(QStringLiteral("after employee %1").arg(session.context().CurrentEmployeeNo));
            });
            engine.analyseAll();
            sqlite3_wal_hook(session.db().handle(), nullptr, nullptr);
            session.setProgressPanel(nullptr);
            m_session = nullptr;
        }
        verifyWhole(QStringLiteral("at the end"));
        checks.expect(m_strays.isEmpty(), "a commit changes the rows of its own employee only",
                      QStringLiteral("%1 of %2 whole-table looks: ").arg(m_strays.size()).arg(m_wholeChecks) +
                          m_strays.mid(0, 3).join(QStringLiteral("; ")));
        checks.expect(m_problems.isEmpty(), "each employee's commits come together", m_problems.mid(0, 3).join(QStringLiteral("; ")));
        checkStructure(checks);
        checks.expect(int(m_order.size()) == m_sizes.analyseEmployees, "every employee was analysed",
                      QStringLiteral("%1 of %2").arg(m_order.size()).arg(m_sizes.analyseEmployees));
        m_observer.reset();
    }

    // One day is one commit and the post-pass one more: a day split over two
    // commits would let a kill leave it half marked.
    void checkStructure(Checks& checks)
    {
        QStringList wrong;
        int days = 0, loops = 0;
        char window = 'E';
        int commits = 0;
        auto close = [&] {
            const int allowed = window == 'D' || window == 'L' ? 1 : 0;
            if (commits > allowed)
                wrong << QStringLiteral("%1 commits after marker %2").arg(commits).arg(QLatin1Char(window));
        };
        for (char e : m_events) {
            if (e == 'C') {
                ++commits;
                continue;
            }
            close();
            window = e;
            commits = 0;
            days += e == 'D';
            loops += e == 'L';
        }
        close();
        checks.expect(days > 0 && loops == int(m_order.size()), "the reference saw each day begin and each day loop end",
                      QStringLiteral("%1 days, %2 loop ends").arg(days).arg(loops));
        checks.expect(wrong.isEmpty(), "one analysed day is one commit, the post-pass one more",
                      wrong.mid(0, 3).join(QStringLiteral("; ")));
        m_dayCount = days;
    }

    Digest initialOf(const QString& ygbh) const
    {
        auto it = m_initial.find(ygbh);
        return it == m_initial.end() ? Digest() : it->second;
    }

    // An employee's rows in the state that commit k left.
    Digest expected(size_t k, const QString& ygbh) const
    {
        auto it = m_position.find(ygbh);
        if (it == m_position.end()) return initialOf(ygbh);
        const int pos = it->second, at = m_states[k].position;
        if (pos < at) return m_final[pos];
        if (pos == at) return m_states[k].employee;
        return initialOf(ygbh);
    }

    // The commit whose state the database is in, or -1 with m_diagnosis set.
    int match(Database& db)
    {
        const auto rows = digestsByFirstColumn(db, EmployeeRows);
        const Fingerprint others = fingerprint(db, {QStringLiteral("kqk")});
        m_diagnosis.clear();
        m_othersMatched = false;
        QStringList employees;
        for (const auto& [ygbh, d] : m_initial) employees << ygbh;
        for (const auto& [ygbh, d] : rows)
            if (!m_initial.count(ygbh)) employees << ygbh;
        int firstCandidate = -1;
        for (size_t k = 0; k < m_states.size(); ++k) {
            if (m_states[k].others != others) continue;
            m_othersMatched = true;
            if (firstCandidate < 0) firstCandidate = int(k);
            bool all = true;
            for (const QString& ygbh : employees) {
                auto it = rows.find(ygbh);
                if ((it == rows.end() ? Digest() : it->second) != expected(k, ygbh)) {
                    all = false;
                    break;
                }
            }
            if (all) return int(k);
        }
        if (firstCandidate < 0) {
            // Name the tables that differ from the closest commit by table count.
            size_t best = 0;
            int bestSame = -1;
            for (size_t k = 0; k < m_states.size(); ++k) {
                int same = 0;
                for (const auto& [t, d] : others) same += m_states[k].others.count(t) && m_states[k].others.at(t) == d;
                if (same > bestSame) bestSame = same, best = k;
            }
            m_diagnosis = QStringLiteral("no commit left these tables; nearest is commit %1 (%2), differing in %3")
                              .arg(best).arg(m_states[best].label, differences(others, m_states[best].others));
            return -1;
        }
        // Say for each employee out of place which of its own states it is in.
        QStringList out;
        for (const QString& ygbh : employees) {
            auto it = rows.find(ygbh);
            const Digest d = it == rows.end() ? Digest() : it->second;
            if (d == expected(firstCandidate, ygbh)) continue;
            QString is = QStringLiteral("none of its states");
            if (d == initialOf(ygbh)) is = QStringLiteral("untouched");
            else if (m_position.count(ygbh) && d == m_final[m_position.at(ygbh)]) is = QStringLiteral("done");
            else
                for (const State& s : m_states)
                    if (s.position >= 0 && m_order[s.position] == ygbh && s.employee == d) is = s.label;
            out << QStringLiteral("%1 is %2").arg(ygbh, is);
            if (out.size() == 4) break;
        }
        m_diagnosis = QStringLiteral("tables as commit %1 (%2) left them, but %3")
                          .arg(firstCandidate).arg(m_states[firstCandidate].label, out.join(QStringLiteral("; ")));
        return -1;
    }

    Sizes m_sizes;
    std::unique_ptr<Database> m_observer;
    Session* m_session = nullptr;
    std::vector<char> m_events;
    std::map<QString, Digest> m_initial;
    std::vector<State> m_states;
    std::vector<QString> m_order;
    std::map<QString, int> m_position;
    std::vector<Digest> m_final;
    QStringList m_problems, m_strays;
    int m_wholeChecks = 0;
    int m_dayCount = 0;
    QString m_diagnosis;
    bool m_othersMatched = false;
    int m_beforeCount = 0, m_afterCount = 0;
    std::map<int, int> m_reached;
};

} // namespace

std::unique_ptr<Scenario> makeAnalyseScenario(const Sizes& sizes) { return std::make_unique<AnalyseScenario>(sizes); }
