#include "store/database.h"
#include "store/errors.h"
#include "store/schema.h"
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#define SQLITE_HAS_CODEC 1
#include <sqlcipher/sqlite3.h>
#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace {

QString engineMessage(sqlite3* db) { return QString::fromUtf8(sqlite3_errmsg(db)); }

int busyTimeoutMs()
{
    // Tests shorten the wait; nothing else should need to.
    bool ok = false;
    const int ms = qEnvironmentVariableIntValue("TALLYVANE_BUSY_TIMEOUT_MS", &ok);
    return ok && ms >= 0 ? ms : 30000;
}

bool markedReadOnly(const QFileInfo& file)
{
    // The write bits, not access(): a file marked read-only stays so even for root.
    constexpr auto anyWrite = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    return !(file.permissions() & anyWrite);
}

} // namespace

QString Database::failureMessage() const
{
    const QString engine = engineMessage(m_db);
    const QString file = QDir::toNativeSeparators(m_path);
    switch (sqlite3_extended_errcode(m_db) & 0xff) {
    case SQLITE_READONLY:
        return QStringLiteral("数据库“%1”是只读的，无法写入，数据未改变（%2）").arg(file, engine);
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return QStringLiteral("数据库“%1”正被另一个程序使用，等待 %2 秒后仍未释放，操作未执行（%3）")
            .arg(file).arg(busyTimeoutMs() / 1000.0).arg(engine);
    case SQLITE_FULL:
        return QStringLiteral("磁盘已满，无法写入数据库“%1”，操作未完成，数据未改变（%2）").arg(file, engine);
    case SQLITE_IOERR:
        return QStringLiteral("读写数据库“%1”时出错（磁盘已满、文件超出大小限制或设备故障），操作未完成，数据未改变（%2）")
            .arg(file, engine);
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        return QStringLiteral("数据库“%1”已损坏或不是考勤数据库（%2）").arg(file, engine);
    default:
        return engine;
    }
}

void Database::fail(const QString& context) const
{
    QString msg = failureMessage();
    if (!context.isEmpty()) msg += QStringLiteral(" (") + context + u')';
    throw DatabaseError(msg);
}

Statement::Statement(Database& db, const QString& sql) : m_db(db), m_sql(sql)
{
    const QByteArray utf8 = sql.toUtf8();
    if (sqlite3_prepare_v2(db.handle(), utf8.constData(), utf8.size(), &m_stmt, nullptr) != SQLITE_OK)
        db.fail(sql);
}

Statement::~Statement() { sqlite3_finalize(m_stmt); }

void Statement::bind(int index, const Value& v)
{
    int rc = SQLITE_OK;
    switch (v.type()) {
    case Value::Type::Null: rc = sqlite3_bind_null(m_stmt, index); break;
    case Value::Type::Integer: rc = sqlite3_bind_int64(m_stmt, index, v.toInt()); break;
    case Value::Type::Real: rc = sqlite3_bind_double(m_stmt, index, v.toReal()); break;
    case Value::Type::Text:
    case Value::Type::DateTime: {
        const QByteArray t = v.toStorageText().toUtf8();
        rc = sqlite3_bind_text(m_stmt, index, t.constData(), t.size(), SQLITE_TRANSIENT);
        break;
    }
    }
    if (rc != SQLITE_OK) m_db.fail(m_sql);
}

void Statement::bind(const Params& params)
{
    for (const auto& [name, value] : params) {
        // Hot loops bind the same names again and again; look each up once.
        auto it = m_indexes.constFind(name);
        if (it == m_indexes.constEnd()) {
            const QByteArray n = name.toUtf8();
            it = m_indexes.insert(name, sqlite3_bind_parameter_index(m_stmt, n.constData()));
        }
        if (*it == 0) throw DatabaseError(QStringLiteral("参数 %1 不存在: %2").arg(name, m_sql));
        bind(*it, value);
    }
}

bool Statement::step()
{
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) return false;
    const QString msg = m_db.failureMessage();
    sqlite3_reset(m_stmt);
    throw DatabaseError(msg);
}

void Statement::reset()
{
    sqlite3_reset(m_stmt);
    sqlite3_clear_bindings(m_stmt);
}

int Statement::columnCount() const { return sqlite3_column_count(m_stmt); }

ResultColumn Statement::column(int i) const
{
    const char* decl = sqlite3_column_decltype(m_stmt, i);
    return {QString::fromUtf8(sqlite3_column_name(m_stmt, i)), decl ? QString::fromUtf8(decl).toUpper() : QString()};
}

Value Statement::value(int i) const
{
    switch (sqlite3_column_type(m_stmt, i)) {
    case SQLITE_NULL: return Value();
    case SQLITE_INTEGER: return Value(qint64(sqlite3_column_int64(m_stmt, i)));
    case SQLITE_FLOAT: return Value(sqlite3_column_double(m_stmt, i));
    default: {
        const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, i));
        return Value(QString::fromUtf8(p, sqlite3_column_bytes(m_stmt, i)));
    }
    }
}

std::unique_ptr<Database> Database::connect(const QString& path, bool readOnly, bool create)
{
    std::unique_ptr<Database> db(new Database);
    db->m_path = path;
    db->m_readOnly = readOnly;
    const int flags = readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0);
    const QByteArray p = path.toUtf8();
    if (sqlite3_open_v2(p.constData(), &db->m_db, flags, nullptr) != SQLITE_OK) {
        const QString msg = db->m_db ? engineMessage(db->m_db) : QStringLiteral("out of memory");
        throw DatabaseError(QStringLiteral("无法打开数据库: ") + msg);
    }
    sqlite3_busy_timeout(db->m_db, busyTimeoutMs());
    if (sqlite3_key(db->m_db, Password, int(strlen(Password))) != SQLITE_OK)
        throw DatabaseError(QStringLiteral("无法打开数据库: ") + engineMessage(db->m_db));
    try {
        // Cipher settings pinned, so files stay readable whatever the library's defaults.
        db->exec(QStringLiteral("PRAGMA cipher_page_size = 4096"));
        db->exec(QStringLiteral("PRAGMA kdf_iter = 64000"));
        db->scalar(QStringLiteral("SELECT count(*) FROM sqlite_master"));
    } catch (const DatabaseError& e) {
        throw DatabaseError(QStringLiteral("无法打开数据库: ") + e.message());
    }
    db->exec(QStringLiteral("PRAGMA cache_size = -65536"));
    if (!readOnly) {
        // WAL: readers in another process never block, and a commit costs no sync,
        // so per-day transactions of the analysis stay cheap.
        db->scalar(QStringLiteral("PRAGMA journal_mode = WAL"));
        db->exec(QStringLiteral("PRAGMA synchronous = NORMAL"));
    }
    db->exec(QStringLiteral("PRAGMA foreign_keys = OFF"));
    return db;
}

// A new database is made whole under another name and then linked into
// place, so a process killed while making it never leaves a half-made kq.mdb.
void Database::createWhole(const QString& path)
{
    const QString scratch = path + QStringLiteral(".new-%1").arg(QCoreApplication::applicationPid());
    for (const char* suffix : {"", "-wal", "-shm", "-journal"}) QFile::remove(scratch + QLatin1String(suffix));
    {
        auto db = connect(scratch, false, true);
        Schema::create(*db);
        db->exec(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
    }
    QFile::remove(scratch + QStringLiteral("-wal"));
    QFile::remove(scratch + QStringLiteral("-shm"));
    // link() refuses to replace: another process that made it first wins.
    const int rc = ::link(QFile::encodeName(scratch).constData(), QFile::encodeName(path).constData());
    const int error = errno;
    QFile::remove(scratch);
    if (rc != 0 && error != EEXIST)
        throw DatabaseError(QStringLiteral("无法创建数据库“%1”: %2").arg(QDir::toNativeSeparators(path),
                                                                   QString::fromLocal8Bit(strerror(error))));
}

std::unique_ptr<Database> Database::open(const QString& path, OpenMode mode)
{
    const bool exists = QFileInfo::exists(path);
    if (mode == OpenMode::CreateNew && exists)
        throw DatabaseError(QStringLiteral("数据库文件已存在: %1").arg(path));
    if (mode == OpenMode::OpenExisting && !exists)
        throw DatabaseError(QStringLiteral("无法打开数据库: 文件不存在 %1").arg(path));
    if (!exists) createWhole(path);
    const QFileInfo file(path);
    // An empty file is a failed copy or a wrong file, not a new database:
    // filling it would hide the loss.
    if (file.isFile() && file.size() == 0)
        throw DatabaseError(QStringLiteral("无法打开数据库: 文件“%1”是空的（0 字节），不是考勤数据库")
                                .arg(QDir::toNativeSeparators(path)));
    auto db = connect(path, markedReadOnly(file), false);
    // A keyed file without a single table (made by hand, or by an older
    // version killed before its schema's commit) is finished here, checked
    // again under the write lock so that two processes make one schema.
    if (!db->m_readOnly && db->scalar(QStringLiteral("SELECT count(*) FROM sqlite_master")).toInt() == 0) {
        Transaction tx(*db);
        if (db->scalar(QStringLiteral("SELECT count(*) FROM sqlite_master")).toInt() == 0) Schema::create(*db);
        tx.commit();
    }
    return db;
}

Database::~Database()
{
    m_cache.clear();
    if (m_db) sqlite3_close_v2(m_db);
}

Statement& Database::cached(const QString& sql)
{
    auto it = m_cache.find(sql);
    if (it == m_cache.end()) it = m_cache.emplace(sql, std::make_unique<Statement>(*this, sql)).first;
    it->second->reset();
    return *it->second;
}

QString Database::lastError() const { return engineMessage(m_db); }

void Database::exec(const QString& sql, const Params& params)
{
    Statement st(*this, sql);
    st.bind(params);
    while (st.step()) {
    }
}

QueryResult Database::query(const QString& sql, const Params& params)
{
    Statement st(*this, sql);
    st.bind(params);
    QueryResult r;
    const int n = st.columnCount();
    for (int i = 0; i < n; ++i) r.columns.push_back(st.column(i));
    while (st.step()) {
        std::vector<Value> row;
        row.reserve(n);
        for (int i = 0; i < n; ++i) row.push_back(st.value(i));
        r.rows.push_back(std::move(row));
    }
    return r;
}

Value Database::scalar(const QString& sql, const Params& params)
{
    Statement st(*this, sql);
    st.bind(params);
    return st.step() && st.columnCount() > 0 ? st.value(0) : Value();
}

int Database::changes() const { return sqlite3_changes(m_db); }
qint64 Database::lastInsertRowId() const { return sqlite3_last_insert_rowid(m_db); }

void Database::runCached(const QString& sql)
{
    Statement& st = cached(sql);
    while (st.step()) {
    }
    st.reset();
}

void Database::beginTransaction()
{
    runCached(m_depth == 0 ? QStringLiteral("BEGIN IMMEDIATE") : QStringLiteral("SAVEPOINT tv_%1").arg(m_depth));
    ++m_depth;
}

void Database::commit()
{
    if (m_depth == 0) return;
    --m_depth;
    runCached(m_depth == 0 ? QStringLiteral("COMMIT") : QStringLiteral("RELEASE tv_%1").arg(m_depth));
}

void Database::rollback()
{
    if (m_depth == 0) return;
    --m_depth;
    if (m_depth == 0) {
        if (!sqlite3_get_autocommit(m_db)) runCached(QStringLiteral("ROLLBACK"));
    } else {
        runCached(QStringLiteral("ROLLBACK TO tv_%1").arg(m_depth));
        runCached(QStringLiteral("RELEASE tv_%1").arg(m_depth));
    }
}
