// archive: the move-out copies kqk's distinct records into kqkend and empties
// kqk in one transaction, so every record is in exactly one of the two.
#include "bench/punchgen.h"
#include "rowdigest.h"
#include "scenario.h"
#include "store/database.h"
#include <algorithm>

namespace {

const QString RecordColumns = QStringLiteral("bm,xm,ygbh,dksj,bz,js,nyr,shi");

std::vector<RowHash> distinct(std::vector<RowHash> v)
{
    std::sort(v.begin(), v.end());
    v.erase(std::unique(v.begin(), v.end()), v.end());
    return v;
}

class ArchiveScenario : public Scenario {
public:
    explicit ArchiveScenario(const Sizes& s) : m_sizes(s) {}
    QString name() const override { return QStringLiteral("archive"); }

    void prepare(const QString& path, Checks& checks) override
    {
        auto db = Database::open(path, Database::OpenMode::CreateNew);
        // An earlier month already in the archive, and the month to move.
        PunchGenOptions earlier;
        earlier.employees = qMax(1, m_sizes.archiveEmployees / 10);
        earlier.firstDay = DateTime::fromParts(2010, 10, 1);
        insertPunches(*db, earlier);
        db->exec(QStringLiteral("insert into kqkend select * from kqk"));
        db->exec(QStringLiteral("delete from kqk"));
        PunchGenOptions month;
        month.employees = m_sizes.archiveEmployees;
        month.seed = 3;
        insertPunches(*db, month);
        // Analysed-looking rows and some records twice, so the move-out has
        // groups to fold and more than one status to keep apart.
        db->exec(QStringLiteral("update kqk set bz='正常', js=1 where id % 3 = 0"));
        db->exec(QStringLiteral("insert into kqk (%1) select %1 from kqk where id % 40 = 0").arg(RecordColumns));
        m_before = fingerprint(*db);
        m_original = distinct(records(*db, "kqk"));
        const auto archived = records(*db, "kqkend");
        m_original.insert(m_original.end(), archived.begin(), archived.end());
        m_original = distinct(m_original);
        m_kqkRows = m_before[QStringLiteral("kqk")].rows;
        checks.expect(qint64(m_original.size()) < m_kqkRows + qint64(archived.size()), "the pristine kqk holds records twice");
        closeCheckpointed(db);
    }

    QStringList arguments(const QString& db) const override { return {QStringLiteral("--db"), db, QStringLiteral("archive")}; }

    void learnAfter(Database& db, Checks& checks) override
    {
        m_after = fingerprint(db);
        checks.expect(m_after[QStringLiteral("kqk")].rows == 0, "the move-out empties kqk");
    }

    QString check(Database& db, Checks& checks, bool finished) override
    {
        const std::vector<RowHash> kqk = distinct(records(db, "kqk")), archive = records(db, "kqkend");
        const std::vector<RowHash> archived = distinct(archive);
        std::vector<RowHash> both, all;
        std::set_intersection(kqk.begin(), kqk.end(), archived.begin(), archived.end(), std::back_inserter(both));
        std::set_union(kqk.begin(), kqk.end(), archived.begin(), archived.end(), std::back_inserter(all));
        checks.expect(both.empty(), "no record is in both kqk and kqkend", QStringLiteral("%1 are").arg(both.size()));
        checks.expect(archive.size() == archived.size(), "kqkend holds each record once",
                      QStringLiteral("%1 rows, %2 distinct").arg(archive.size()).arg(archived.size()));
        checks.expect(all == m_original, "kqk and kqkend together hold exactly the original distinct records",
                      QStringLiteral("%1 distinct records, %2 at the start").arg(all.size()).arg(m_original.size()));
        const Fingerprint f = fingerprint(db);
        const bool after = f == m_after, before = f == m_before;
        checks.expect(finished ? after : before || after,
                      "the whole database (ids, schema, sequence) is the state before or after",
                      differences(f, kqk.empty() ? m_after : m_before));
        (after ? m_afterCount : before ? m_beforeCount : m_neither)++;
        return after ? QStringLiteral("after") : before ? QStringLiteral("before") : QStringLiteral("neither");
    }

    QString summary() const override
    {
        return QStringLiteral("%1 kqk rows, %2 distinct records; found before %3, after %4, neither %5")
            .arg(m_kqkRows).arg(m_original.size()).arg(m_beforeCount).arg(m_afterCount).arg(m_neither);
    }

private:
    static std::vector<RowHash> records(Database& db, const char* table)
    {
        return rowHashes(db, QStringLiteral("select %1 from %2").arg(RecordColumns, QLatin1String(table)));
    }

    Sizes m_sizes;
    Fingerprint m_before, m_after;
    std::vector<RowHash> m_original;
    qint64 m_kqkRows = 0;
    int m_beforeCount = 0, m_afterCount = 0, m_neither = 0;
};

} // namespace

std::unique_ptr<Scenario> makeArchiveScenario(const Sizes& sizes) { return std::make_unique<ArchiveScenario>(sizes); }
