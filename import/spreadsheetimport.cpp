#include "import/spreadsheetimport.h"
#include "app/session.h"
#include "import/punchrows.h"
#include "import/sheetreader.h"
#include "store/datetexts.h"
#include <QHash>

namespace SpreadsheetImport {

namespace {

// nyr of a day, computed once per day: a month's export has thirty-odd days.
class DayTexts {
public:
    const QString& of(DateTime dt)
    {
        const qint64 day = dt.datePart().seconds();
        auto it = m_texts.find(day);
        if (it == m_texts.end()) it = m_texts.insert(day, DateTexts::formatDate(dt));
        return *it;
    }

private:
    QHash<qint64, QString> m_texts;
};

void insertPunches(Database& db, const std::vector<ImportedPunch>& punches, DayTexts& days)
{
    // New rows arrive with their nyr already, which is what dating them would give.
    Statement insert(db, QStringLiteral("INSERT INTO kqk (bm, xm, ygbh, dksj, nyr) VALUES (?1, ?2, ?3, ?4, ?5)"));
    for (const ImportedPunch& p : punches) {
        insert.bind(1, p.bm);
        insert.bind(2, p.xm);
        insert.bind(3, p.ygbh);
        insert.bind(4, p.dksj);
        insert.bind(5, days.of(p.dksj));
        insert.step();
        insert.reset();
    }
}

// Every row without a date or without a marker gets its nyr (again) from its
// dksj. A row without a punch time keeps what it has rather than blocking.
void dateUnmarkedRows(Database& db, DayTexts& days)
{
    std::vector<std::pair<qint64, QString>> changes;
    {
        Statement select(db, QStringLiteral("SELECT id, dksj, nyr FROM kqk WHERE (nyr IS NULL) OR (shi IS NULL)"));
        while (select.step()) {
            const Value dksj = select.value(1);
            if (dksj.isNull()) continue;
            const QString& nyr = days.of(dksj.toDateTime());
            const Value old = select.value(2);
            if (old.isNull() || old.toText() != nyr) changes.emplace_back(select.value(0).toInt(), nyr);
        }
    }
    Statement update(db, QStringLiteral("UPDATE kqk SET nyr = ?1 WHERE id = ?2"));
    for (const auto& [id, nyr] : changes) {
        update.bind(1, nyr);
        update.bind(2, id);
        update.step();
        update.reset();
    }
}

// Rows that agree in every column but id (nulls agreeing) keep the one with
// the smallest id. The index covers the grouping, so no sort is needed.
void removeDuplicates(Database& db)
{
    db.exec(QStringLiteral("CREATE INDEX IF NOT EXISTS kqk_record ON kqk (ygbh, dksj, bm, xm, bz, js, nyr, shi)"));
    db.exec(QStringLiteral("DELETE FROM kqk WHERE id NOT IN "
                           "(SELECT min(id) FROM kqk GROUP BY ygbh, dksj, bm, xm, bz, js, nyr, shi)"));
}

} // namespace

Outcome run(Session& session, const QString& path)
{
    session.requireIdle();
    ProgressPanel& panel = session.progress();
    const bool listsWereOpen = session.employeeList().isOpen() || session.punchList().isOpen();
    session.closeLists();
    panel.showPanel();
    panel.addLine(QStringLiteral("......"));
    panel.addLine(QStringLiteral("正在从电子表格导入数据......"));
    Outcome outcome;
    try {
        const PunchRows rows = PunchColumns::read(SheetReader::read(path), path);
        outcome.read = int(rows.punches.size());
        outcome.skippedWithoutTime = rows.skippedWithoutTime;
        Database& db = session.db();
        Transaction tx(db);
        // The transient table of earlier versions is never needed; one left
        // behind must not stay in the way.
        db.exec(QStringLiteral("DROP TABLE IF EXISTS tmp"));
        DayTexts days;
        insertPunches(db, rows.punches, days);
        dateUnmarkedRows(db, days);
        if (rows.skippedWithoutTime > 0)
            panel.addLine(QStringLiteral("已跳过 %1 行：“日期时间”为空。").arg(rows.skippedWithoutTime));
        panel.addLine(QStringLiteral("导入数据完成！"));
        panel.addLine(QStringLiteral("正在清除重复记录......"));
        removeDuplicates(db);
        db.exec(QStringLiteral("DELETE FROM kqk WHERE ygbh = ''"));
        tx.commit();
    } catch (...) {
        panel.hidePanel();
        if (listsWereOpen) {
            try {
                session.openLists();
            } catch (...) {
            }
        }
        throw;
    }
    session.openLists();
    panel.addLine(QStringLiteral("数据整理完成！"));
    panel.hidePanel();
    return outcome;
}

} // namespace SpreadsheetImport
