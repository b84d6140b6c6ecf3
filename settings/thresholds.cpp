#include "settings/thresholds.h"
#include "app/session.h"
#include "store/errors.h"
#include <QRegularExpression>

QString Thresholds::key(Kind kind) { return kind == Kind::Grace ? QStringLiteral("ys") : QStringLiteral("zwdk"); }

QString Thresholds::storedText(Kind kind)
{
    const QueryResult r = m_session.db().query(QStringLiteral("select val from qtszk where name=:k"),
                                               {{QStringLiteral(":k"), Value(key(kind))}});
    return r.rows.empty() ? QStringLiteral("0") : r.rows.back()[0].toText();
}

int Thresholds::parseMinutes(const QString& text)
{
    static const QRegularExpression digits(QStringLiteral("^[0-9]{1,4}$"));
    const QString t = text.trimmed();
    if (digits.match(t).hasMatch() && t.toInt() <= MaxMinutes) return t.toInt();
    throw CommandRefused(QStringLiteral("\"%1\" 不是 0 到 %2 之间的整数分钟数。").arg(text).arg(MaxMinutes));
}

void Thresholds::store(Kind kind, const QString& text)
{
    m_session.requireIdle();
    const int minutes = parseMinutes(text);
    const Params params{{QStringLiteral(":k"), Value(key(kind))}, {QStringLiteral(":v"), Value(QString::number(minutes))}};
    Database& db = m_session.db();
    Transaction tx(db);
    // Every row of the key gets the value, so whichever the load reads last agrees.
    db.exec(QStringLiteral("update qtszk set val=:v where name=:k"), params);
    if (db.changes() == 0) db.exec(QStringLiteral("insert into qtszk (name, val) values (:k, :v)"), params);
    tx.commit();
    AnalysisContext& ctx = m_session.context();
    (kind == Kind::Grace ? ctx.GraceMinutes : ctx.MissingMinutes) = minutes;
}
