#pragma once
#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <map>
#include <vector>

class Database;

// 128 bits of one row, from its storage classes and bytes: rows that differ
// in any column (null, number or text) hash apart.
struct RowHash {
    quint64 a = 0, b = 0;
    bool operator==(const RowHash& o) const { return a == o.a && b == o.b; }
    bool operator<(const RowHash& o) const { return a != o.a ? a < o.a : b < o.b; }
};

// An order-free digest of a multiset of rows: the sum of the row hashes, so
// a row present twice counts twice, and no sort is needed.
struct Digest {
    quint64 a = 0, b = 0;
    qint64 rows = 0;
    void add(const RowHash& h)
    {
        a += h.a;
        b += h.b;
        ++rows;
    }
    bool operator==(const Digest& o) const { return a == o.a && b == o.b && rows == o.rows; }
    bool operator!=(const Digest& o) const { return !(*this == o); }
};

// The rows of a query, each hashed over all its columns.
std::vector<RowHash> rowHashes(Database& db, const QString& sql, const QStringList& params = {});
Digest digestOf(Database& db, const QString& sql, const QStringList& params = {});
// Rows grouped by their first column (not hashed), each group digested over
// the remaining columns: "select ygbh, * from kqk" gives one digest an employee.
std::map<QString, Digest> digestsByFirstColumn(Database& db, const QString& sql, const QStringList& params = {});

// The whole database as digests: every table by name, and the schema under
// "(schema)" (names and statements, not page numbers).
using Fingerprint = std::map<QString, Digest>;
Fingerprint fingerprint(Database& db, const QStringList& skipTables = {});
// "kqk (60123 rows, expected 59000), (schema)", or empty when equal.
QString differences(const Fingerprint& found, const Fingerprint& expected);
