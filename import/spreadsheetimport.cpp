#include "import/spreadsheetimport.h"
#include "app/session.h"
#include "import/punchdating.h"
#include "import/punchrows.h"
#include "import/sheetreader.h"
#include "store/datetexts.h"
#include <QHash>
#include <future>

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

// Rows that agree in every column but id (nulls agreeing) keep the one with
// the smallest id. kqk_record, built for the import, covers the grouping and
// finds each group's rows.
void removeDuplicates(Database& db)
{
    db.exec(QStringLiteral(
        "DELETE FROM kqk WHERE id IN (SELECT k.id FROM "
        "(SELECT min(id) AS keep, ygbh, dksj, bm, xm, bz, js, nyr, shi FROM kqk "
        "GROUP BY ygbh, dksj, bm, xm, bz, js, nyr, shi HAVING count(*) > 1) AS g, kqk AS k "
        "WHERE k.ygbh IS g.ygbh AND k.dksj IS g.dksj AND k.bm IS g.bm AND k.xm IS g.xm AND k.bz IS g.bz "
        "AND k.js IS g.js AND k.nyr IS g.nyr AND k.shi IS g.shi AND k.id <> g.keep)"));
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
        Database& db = session.db();
        DateTexts::shortDateFormat(); // settled before another thread reads date texts
        // Reading a workbook takes its time (FreeXL converts every date cell on
        // opening); the table is prepared meanwhile. Dating the rows already in
        // kqk first and inserting the new ones with their nyr gives what dating
        // all of them after the insert would give.
        auto reading = std::async(std::launch::async, [path] { return PunchColumns::read(SheetReader::read(path), path); });
        Transaction tx(db);
        // The transient table of earlier versions is never needed; one left
        // behind must not stay in the way.
        db.exec(QStringLiteral("DROP TABLE IF EXISTS tmp"));
        db.exec(QStringLiteral("CREATE INDEX IF NOT EXISTS kqk_record ON kqk (ygbh, dksj, bm, xm, bz, js, nyr, shi)"));
        PunchDating::dateUnmarkedRows(db);
        const PunchRows rows = reading.get();
        outcome.read = int(rows.punches.size());
        outcome.skippedWithoutTime = rows.skippedWithoutTime;
        DayTexts days;
        insertPunches(db, rows.punches, days);
        if (rows.skippedWithoutTime > 0)
            panel.addLine(QStringLiteral("已跳过 %1 行：“日期时间”为空。").arg(rows.skippedWithoutTime));
        panel.addLine(QStringLiteral("导入数据完成！"));
        panel.addLine(QStringLiteral("正在清除重复记录......"));
        removeDuplicates(db);
        db.exec(QStringLiteral("DELETE FROM kqk WHERE ygbh = ''"));
        // Kept only for the import: every analysed punch would have to update it.
        db.exec(QStringLiteral("DROP INDEX IF EXISTS kqk_record"));
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
