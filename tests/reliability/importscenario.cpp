// import FILE: one transaction, so kqk is wholly before or wholly after. The
// first import of all also makes the database file; killed then, it may
// leave no file or an empty one, which the next opening finishes.
#include "bench/biff8writer.h"
#include "bench/punchgen.h"
#include "rowdigest.h"
#include "scenario.h"
#include "store/database.h"
#include <QDir>
#include <QFileInfo>

namespace {

const QString RecordColumns = QStringLiteral("bm,xm,ygbh,dksj,bz,js,nyr,shi");

class ImportScenario : public Scenario {
public:
    ImportScenario(const Sizes& s, bool intoNewFile) : m_sizes(s), m_new(intoNewFile) {}
    QString name() const override { return m_new ? QStringLiteral("import-new") : QStringLiteral("import"); }
    bool startsWithoutFile() const override { return m_new; }

    void prepare(const QString& path, Checks&) override
    {
        PunchGenOptions month;
        month.employees = m_sizes.importEmployees;
        // A new file's "before" is what opening it makes: the schema alone.
        auto db = Database::open(path, Database::OpenMode::CreateNew);
        if (!m_new) {
            insertBenchShifts(*db);
            insertPunches(*db, month);
        }
        m_beforeKqk = records(*db);
        m_before = fingerprint(*db);
        closeCheckpointed(db);

        // The next month's export, with rows the import must fold: the last
        // day of the month already stored, and some rows twice in the file.
        std::vector<Biff8Writer::Row> rows;
        rows.push_back({Biff8Writer::text(QStringLiteral("部门")), Biff8Writer::text(QStringLiteral("姓名")),
                        Biff8Writer::text(QStringLiteral("登记号码")), Biff8Writer::text(QStringLiteral("日期时间"))});
        auto add = [&](const GeneratedPunch& p) {
            if (int(rows.size()) > m_sizes.importFileRows) return;
            rows.push_back({Biff8Writer::text(p.bm), Biff8Writer::text(p.xm), Biff8Writer::number(p.ygbh.toDouble()),
                            Biff8Writer::dateTime(p.dksj)});
            if (rows.size() % 37 == 0) rows.push_back(rows.back());
        };
        const DateTime lastDay = month.firstDay.addDays(month.days - 1);
        PunchGenOptions overlap = month;
        overlap.employees = qMin(month.employees, 50);
        generatePunches(overlap, [&](const GeneratedPunch& p) {
            if (p.dksj >= lastDay) add(p);
        });
        PunchGenOptions next = month;
        next.firstDay = month.firstDay.addDays(month.days);
        next.seed = 7;
        next.employees = m_sizes.importFileRows / 70 + 1;
        generatePunches(next, add);
        m_file = QFileInfo(path).dir().filePath(QStringLiteral("2010-12.xls"));
        Biff8Writer::write(m_file, QStringLiteral("2010-12"), rows);
        m_fileRows = int(rows.size()) - 1;
    }

    QStringList arguments(const QString& db) const override
    {
        return {QStringLiteral("--db"), db, QStringLiteral("import"), m_file};
    }

    void learnAfter(Database& db, Checks& checks) override
    {
        m_afterKqk = records(db);
        m_after = fingerprint(db);
        checks.expect(m_afterKqk != m_beforeKqk && m_afterKqk.rows > m_beforeKqk.rows, "the import adds rows",
                      QStringLiteral("%1 rows before, %2 after").arg(m_beforeKqk.rows).arg(m_afterKqk.rows));
        checks.expect(m_afterKqk.rows < m_beforeKqk.rows + m_fileRows, "the import folds duplicate rows",
                      QStringLiteral("%1 + %2 file rows gave %3").arg(m_beforeKqk.rows).arg(m_fileRows).arg(m_afterKqk.rows));
    }

    void noFile() override { ++m_beforeCount; }

    QString check(Database& db, Checks& checks, bool finished) override
    {
        const Digest kqk = records(db);
        const bool before = kqk == m_beforeKqk, after = kqk == m_afterKqk;
        checks.expect(finished ? after : before || after, "kqk holds exactly the rows before or after the import",
                      QStringLiteral("%1 rows; %2 before, %3 after").arg(kqk.rows).arg(m_beforeKqk.rows).arg(m_afterKqk.rows));
        const Fingerprint f = fingerprint(db);
        const Fingerprint& side = after ? m_after : m_before;
        checks.expect(f == side, "the whole database (ids, schema, sequence) is the state before or after",
                      differences(f, side));
        const QString state = after ? QStringLiteral("after") : before ? QStringLiteral("before") : QStringLiteral("neither");
        (after ? m_afterCount : before ? m_beforeCount : m_neither)++;
        return state;
    }

    QString summary() const override
    {
        return QStringLiteral("%1 rows + %2 file rows; found before %3, after %4, neither %5")
            .arg(m_beforeKqk.rows).arg(m_fileRows).arg(m_beforeCount).arg(m_afterCount).arg(m_neither);
    }

private:
    static Digest records(Database& db) { return digestOf(db, QStringLiteral("select %1 from kqk").arg(RecordColumns)); }

    Sizes m_sizes;
    bool m_new;
    QString m_file;
    int m_fileRows = 0;
    Digest m_beforeKqk, m_afterKqk;
    Fingerprint m_before, m_after;
    int m_beforeCount = 0, m_afterCount = 0, m_neither = 0;
};

} // namespace

std::unique_ptr<Scenario> makeImportScenario(const Sizes& sizes, bool intoNewFile)
{
    return std::make_unique<ImportScenario>(sizes, intoNewFile);
}
