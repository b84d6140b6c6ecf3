#include "rowdigest.h"
#include "store/database.h"
#include "store/errors.h"
#define SQLITE_HAS_CODEC 1
#include <sqlcipher/sqlite3.h>
#include <cstring>
#include <string>

namespace {

quint64 rotl(quint64 x, int r) { return (x << r) | (x >> (64 - r)); }

quint64 finish(quint64 x)
{
    x ^= x >> 33;
    x *= 0xff51afd7ed558ccdULL;
    x ^= x >> 33;
    x *= 0xc4ceb9fe1a85ec53ULL;
    x ^= x >> 33;
    return x;
}

RowHash hashBytes(const std::string& s)
{
    quint64 a = 0x9e3779b97f4a7c15ULL ^ s.size(), b = 0x6a09e667f3bcc909ULL + s.size();
    size_t i = 0;
    for (; i + 8 <= s.size(); i += 8) {
        quint64 w;
        std::memcpy(&w, s.data() + i, 8);
        a = rotl(a ^ (w * 0x87c37b91114253d5ULL), 31) * 0x4cf5ad432745937fULL;
        b = rotl(b ^ (w * 0x52dce729da3ed7b3ULL), 29) * 0x38495ab5ULL + a;
    }
    quint64 tail = 0;
    std::memcpy(&tail, s.data() + i, s.size() - i);
    a = finish(a ^ (tail * 0x87c37b91114253d5ULL));
    b = finish(b ^ rotl(tail * 0x52dce729da3ed7b3ULL, 17) ^ a);
    return {a, b};
}

// Each column as its storage class and bytes, so 1, '1' and 1.0 stay apart.
void serialise(sqlite3_stmt* st, int from, std::string& out)
{
    out.clear();
    const int n = sqlite3_column_count(st);
    for (int i = from; i < n; ++i) {
        const int type = sqlite3_column_type(st, i);
        out.push_back(char('0' + type));
        switch (type) {
        case SQLITE_INTEGER: {
            const sqlite3_int64 v = sqlite3_column_int64(st, i);
            out.append(reinterpret_cast<const char*>(&v), 8);
            break;
        }
        case SQLITE_FLOAT: {
            const double v = sqlite3_column_double(st, i);
            out.append(reinterpret_cast<const char*>(&v), 8);
            break;
        }
        case SQLITE_NULL: break;
        default: {
            const void* p = type == SQLITE_TEXT ? static_cast<const void*>(sqlite3_column_text(st, i))
                                                : sqlite3_column_blob(st, i);
            const quint32 size = quint32(sqlite3_column_bytes(st, i));
            out.append(reinterpret_cast<const char*>(&size), 4);
            if (size) out.append(static_cast<const char*>(p), size);
        }
        }
    }
}

class Query {
public:
    Query(Database& db, const QString& sql, const QStringList& params) : m_db(db.handle())
    {
        const QByteArray s = sql.toUtf8();
        if (sqlite3_prepare_v2(m_db, s.constData(), s.size(), &m_st, nullptr) != SQLITE_OK)
            throw DatabaseError(QString::fromUtf8(sqlite3_errmsg(m_db)) + QStringLiteral(" (") + sql + u')');
        for (int i = 0; i < params.size(); ++i) {
            const QByteArray p = params[i].toUtf8();
            sqlite3_bind_text(m_st, i + 1, p.constData(), p.size(), SQLITE_TRANSIENT);
        }
    }
    ~Query() { sqlite3_finalize(m_st); }
    bool next()
    {
        const int rc = sqlite3_step(m_st);
        if (rc == SQLITE_ROW) return true;
        if (rc != SQLITE_DONE) throw DatabaseError(QString::fromUtf8(sqlite3_errmsg(m_db)));
        return false;
    }
    sqlite3_stmt* statement() const { return m_st; }

private:
    sqlite3* m_db;
    sqlite3_stmt* m_st = nullptr;
};

} // namespace

std::vector<RowHash> rowHashes(Database& db, const QString& sql, const QStringList& params)
{
    Query q(db, sql, params);
    std::vector<RowHash> out;
    std::string buf;
    while (q.next()) {
        serialise(q.statement(), 0, buf);
        out.push_back(hashBytes(buf));
    }
    return out;
}

Digest digestOf(Database& db, const QString& sql, const QStringList& params)
{
    Query q(db, sql, params);
    Digest d;
    std::string buf;
    while (q.next()) {
        serialise(q.statement(), 0, buf);
        d.add(hashBytes(buf));
    }
    return d;
}

std::map<QString, Digest> digestsByFirstColumn(Database& db, const QString& sql, const QStringList& params)
{
    Query q(db, sql, params);
    std::map<QString, Digest> out;
    std::string buf;
    QByteArray lastKey;
    Digest* current = nullptr;
    while (q.next()) {
        sqlite3_stmt* st = q.statement();
        const QByteArray key(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)), sqlite3_column_bytes(st, 0));
        if (!current || key != lastKey) {
            current = &out[QString::fromUtf8(key)];
            lastKey = key;
        }
        serialise(st, 1, buf);
        current->add(hashBytes(buf));
    }
    return out;
}

Fingerprint fingerprint(Database& db, const QStringList& skipTables)
{
    Fingerprint f;
    f[QStringLiteral("(schema)")] =
        digestOf(db, QStringLiteral("select type, name, tbl_name, sql from sqlite_master"));
    QStringList tables;
    {
        Query q(db, QStringLiteral("select name from sqlite_master where type='table'"), {});
        while (q.next())
            tables << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(q.statement(), 0)));
    }
    for (const QString& t : tables)
        if (!skipTables.contains(t, Qt::CaseInsensitive))
            f[t] = digestOf(db, QStringLiteral("select * from \"%1\"").arg(t));
    return f;
}

QString differences(const Fingerprint& found, const Fingerprint& expected)
{
    QStringList out;
    for (const auto& [name, d] : expected) {
        auto it = found.find(name);
        if (it == found.end()) out << name + QStringLiteral(" (missing)");
        else if (it->second != d)
            out << QStringLiteral("%1 (%2 rows, expected %3)").arg(name).arg(it->second.rows).arg(d.rows);
    }
    for (const auto& [name, d] : found)
        if (!expected.count(name)) out << name + QStringLiteral(" (unexpected)");
    return out.join(QStringLiteral(", "));
}
