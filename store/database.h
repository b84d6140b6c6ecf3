#pragma once
#include "store/value.h"
#include <QHash>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <map>
#include <memory>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

// Named parameters: {":dd", value}. Values are always bound, never spliced.
using Params = QList<QPair<QString, Value>>;

struct ResultColumn {
    QString name;
    QString declType; // "DATETIME" marks a date-time column
};

struct QueryResult {
    std::vector<ResultColumn> columns;
    std::vector<std::vector<Value>> rows;
};

class Database;

// One prepared statement; steps row by row.
class Statement {
public:
    Statement(Database& db, const QString& sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    void bind(const Params& params);
    void bind(int index, const Value& v); // 1-based
    bool step(); // true while a row is available
    void reset();
    int columnCount() const;
    ResultColumn column(int i) const;
    Value value(int i) const;

private:
    Database& m_db;
    sqlite3_stmt* m_stmt = nullptr;
    QString m_sql;
    QHash<QString, int> m_indexes;
};

// The one connection of a process to the keyed attendance database.
class Database {
public:
    static constexpr const char* Password = "TRBQN,PLVHE,JD";

    enum class OpenMode { OpenOrCreate, OpenExisting, CreateNew };

    // Throws DatabaseError with "无法打开数据库" and the engine's message.
    static std::unique_ptr<Database> open(const QString& path, OpenMode mode = OpenMode::OpenOrCreate);
    ~Database();

    void exec(const QString& sql, const Params& params = {});
    QueryResult query(const QString& sql, const Params& params = {});
    Value scalar(const QString& sql, const Params& params = {});
    int changes() const;
    qint64 lastInsertRowId() const;
    QString path() const { return m_path; }
    sqlite3* handle() const { return m_db; }
    QString lastError() const;
    // The last failure as the user should read it: read-only file, busy,
    // full disk and damaged file said plainly, the engine's words appended.
    QString failureMessage() const;
    [[noreturn]] void fail(const QString& context = QString()) const;
    // Opened without write access because the file is marked read-only.
    bool isReadOnly() const { return m_readOnly; }
    // A prepared statement kept for reuse, reset and unbound; for hot loops.
    Statement& cached(const QString& sql);

    // Savepoint-based, nestable; the outermost takes the write lock at once.
    void beginTransaction();
    void commit();
    void rollback();
    int transactionDepth() const { return m_depth; }

private:
    Database() = default;
    static std::unique_ptr<Database> connect(const QString& path, bool readOnly, bool create);
    static void createWhole(const QString& path);
    void runCached(const QString& sql);
    sqlite3* m_db = nullptr;
    QString m_path;
    int m_depth = 0;
    bool m_readOnly = false;
    std::map<QString, std::unique_ptr<Statement>> m_cache;
};

// RAII transaction: rolls back unless committed.
class Transaction {
public:
    explicit Transaction(Database& db) : m_db(db) { m_db.beginTransaction(); }
    ~Transaction() { if (!m_done) { try { m_db.rollback(); } catch (...) {} } }
    void commit() { m_db.commit(); m_done = true; }
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

private:
    Database& m_db;
    bool m_done = false;
};
