// Statistics over 1,000,000 analysed punches, and both reports and tables
// written out for the 12,300 employees they cover.
#include "app/session.h"
#include "bench/punchgen.h"
#include "reports/TJ_PRT2.h"
#include "reports/reportpdf.h"
#include "reports/statistics.h"
#include "reports/tj_prt.h"
#include "reports/xlsxexport.h"
#include "store/database.h"
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <cstdio>

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("kq.mdb"));
    PunchGenOptions o;
    o.employees = 12300;
    {
        auto db = Database::open(path);
        const qint64 n = insertPunches(*db, o);
        // Status words as an analysis leaves them, spread by row number.
        db->exec(QStringLiteral("update kqk set js = case id % 20 when 0 then 7 when 1 then 12 else 1 end, "
                                "bz = case id % 20 when 0 then '迟到' when 1 then '早退' when 2 then '未打卡' "
                                "when 3 then '重复打卡' when 4 then '???' else '正常' end"));
        std::printf("punches: %lld\n", (long long)n);
    }
    Session session(path);
    Statistics stats(session);
    QElapsedTimer t;
    t.start();
    stats.recompute();
    std::printf("q_tj1 + q_tj2: %d + %d rows in %.3f s\n", stats.q_tj1().recordCount(), stats.q_tj2().recordCount(),
                t.elapsed() / 1000.0);
    const Tftj_prt anomaly(stats.q_tj1());
    const TFTJ_PRT2 attendance(stats.q_tj2());
    t.restart();
    const int pages = writeReportsPdf(dir.filePath(QStringLiteral("r.pdf")), {&anomaly, &attendance});
    std::printf("both reports as PDF: %d pages in %.3f s\n", pages, t.elapsed() / 1000.0);
    t.restart();
    exportXlsx(dir.filePath(QStringLiteral("r.xlsx")), statisticsSheets(stats.q_tj1(), stats.q_tj2()));
    std::printf("both tables as .xlsx: %.3f s\n", t.elapsed() / 1000.0);
    return 0;
}
