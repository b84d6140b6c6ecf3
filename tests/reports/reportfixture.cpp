#include "reportfixture.h"
#include "store/database.h"

void insertAnalysed(Database& db, const std::vector<AnalysedRow>& rows, const char* table)
{
    const QString sql = QStringLiteral("insert into %1 (bm,xm,ygbh,dksj,bz,js,nyr) values (:bm,:xm,:ygbh,:dksj,:bz,:js,:nyr)")
                            .arg(QLatin1String(table));
    Transaction tx(db);
    for (const AnalysedRow& r : rows) {
        Params p{{":bm", Value(r.bm)}, {":xm", Value(r.xm)}, {":ygbh", Value(r.ygbh)}, {":dksj", Value(r.dksj)},
                 {":bz", Value()}, {":js", Value()}, {":nyr", Value(r.nyr)}};
        if (r.bz) p[4].second = Value(r.bz);
        if (r.js >= 0) p[5].second = Value(r.js);
        db.exec(sql, p);
    }
    tx.commit();
}

void insertPeople(Database& db, int count)
{
    Transaction tx(db);
    for (int i = 1; i <= count; ++i) {
        const QString name = QStringLiteral("员%1").arg(i, 3, 10, QLatin1Char('0'));
        const QString number = QString::number(1000 + i);
        for (const char* bz : {"迟到", "正常"})
            db.exec(QStringLiteral("insert into kqk (bm,xm,ygbh,dksj,bz,js,nyr) values "
                                   "('行政部',:xm,:ygbh,'2010-11-01 08:05:00',:bz,:js,'2010/11/1')"),
                    {{":xm", name}, {":ygbh", number}, {":bz", bz}, {":js", i % 50 + 1}});
    }
    tx.commit();
}
