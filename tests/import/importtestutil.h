#pragma once
#include "store/database.h"
#include <QString>
#include <QStringList>

// kqk as text, every column with its stored type, by id: equal dumps mean an
// unchanged table.
inline QString dumpKqk(Database& db)
{
    QString out;
    const QueryResult r = db.query(QStringLiteral(
        "SELECT id, bm, typeof(bm), xm, ygbh, typeof(ygbh), dksj, bz, js, nyr, shi, typeof(shi) FROM kqk ORDER BY id"));
    for (const auto& row : r.rows) {
        QStringList fields;
        for (const Value& v : row) fields << (v.isNull() ? QStringLiteral("\\N") : v.toStorageText());
        out += fields.join(u'|') + u'\n';
    }
    return out;
}

// The punch records without id, in a fixed order, one line each.
inline QStringList punchRecords(Database& db)
{
    QStringList out;
    const QueryResult r = db.query(QStringLiteral(
        "SELECT bm, xm, ygbh, dksj, bz, js, nyr, shi FROM kqk ORDER BY ygbh, dksj, bm, xm, bz, js, nyr, shi"));
    for (const auto& row : r.rows) {
        QStringList fields;
        for (const Value& v : row) fields << (v.isNull() ? QStringLiteral("\\N") : v.toStorageText());
        out << fields.join(u'|');
    }
    return out;
}

inline bool tableExists(Database& db, const QString& name)
{
    return db.scalar(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type='table' AND name=:n"), {{":n", name}})
               .toInt() > 0;
}
