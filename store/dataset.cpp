#include "store/dataset.h"
#include "store/datetexts.h"
#include "store/errors.h"
#include <QCollator>
#include <QRegularExpression>
#include <algorithm>
#include <numeric>

namespace {

const QString RowIdColumn = QStringLiteral("__rowid__");

// "select * from T [rest]" names the base table that edits are written to.
QString baseTable(const QString& sql, QString& rest)
{
    static const QRegularExpression re(QStringLiteral("^\\s*select\\s+\\*\\s+from\\s+([A-Za-z_][A-Za-z0-9_]*)(\\s.*)?$"),
                                       QRegularExpression::CaseInsensitiveOption |
                                           QRegularExpression::DotMatchesEverythingOption);
    const auto m = re.match(sql);
    if (!m.hasMatch()) return QString();
    rest = m.captured(2);
    return m.captured(1);
}

QString quoted(const QString& name) { return u'"' + name + u'"'; }

} // namespace

DataSet::DataSet(Database* db, const QString& sql, QObject* parent) : QObject(parent), m_db(db)
{
    setSql(sql);
}

void DataSet::setSql(const QString& sql)
{
    m_sql = sql;
    QString rest;
    m_table = baseTable(sql, rest);
    m_execSql = m_table.isEmpty()
                    ? sql
                    : QStringLiteral("SELECT _rowid_ AS %1, * FROM %2%3").arg(RowIdColumn, m_table, rest);
}

void DataSet::setParam(const QString& name, const Value& v)
{
    const QString key = name.startsWith(u':') ? name : u':' + name;
    for (auto& p : m_params)
        if (p.first == key) { p.second = v; return; }
    m_params.append({key, v});
}

Value DataSet::param(const QString& name) const
{
    const QString key = name.startsWith(u':') ? name : u':' + name;
    for (const auto& p : m_params)
        if (p.first == key) return p.second;
    return Value();
}

void DataSet::requireOpen(const char* what) const
{
    if (m_state == State::Closed)
        throw DatabaseError(QStringLiteral("无法对已关闭的数据集执行操作 (%1)").arg(QLatin1String(what)));
}

void DataSet::requireUpdatable() const
{
    if (m_table.isEmpty()) throw DatabaseError(QStringLiteral("数据集只读: %1").arg(m_sql));
}

int DataSet::requireField(const QString& name) const
{
    const int i = fieldIndex(name);
    if (i < 0) throw DatabaseError(QStringLiteral("字段 '%1' 不存在").arg(name));
    return i;
}

DataSet::Row DataSet::readRow(Statement& st, int offset) const
{
    Row r;
    if (offset) r.rowid = st.value(0).toInt();
    r.values.reserve(m_fields.size());
    for (size_t i = 0; i < m_fields.size(); ++i) {
        Value v = st.value(int(i) + offset);
        if (m_fields[i].isDateTime && v.type() == Value::Type::Text)
            if (auto d = DateTime::fromIso(v.toStorageText())) v = *d;
        r.values.push_back(std::move(v));
    }
    return r;
}

void DataSet::load()
{
    Statement st(*m_db, m_execSql);
    // Bind only the parameters this text names; others may be left from before.
    Params used;
    for (const auto& p : m_params)
        if (m_execSql.contains(p.first)) used.append(p);
    st.bind(used);
    const int offset = m_table.isEmpty() ? 0 : 1;
    m_fields.clear();
    for (int i = offset; i < st.columnCount(); ++i) {
        const ResultColumn c = st.column(i);
        m_fields.push_back({c.name, c.declType.contains(QLatin1String("DATE")), c.declType.contains(QLatin1String("INT"))});
    }
    std::vector<Row> rows;
    while (st.step()) rows.push_back(readRow(st, offset));
    m_rows = std::move(rows);
}

void DataSet::open()
{
    if (isOpen()) return;
    load();
    m_state = State::Browse;
    m_sortText.clear();
    m_sortKeys.clear();
    m_pending.clear();
    m_current = m_rows.empty() ? -1 : 0;
    m_eof = m_rows.empty();
    emitReset();
    emit opened();
    if (m_current >= 0) {
        emit currentChanged(m_current);
        emit afterScroll();
    }
}

void DataSet::close()
{
    if (!isOpen()) return;
    m_state = State::Closed;
    m_rows.clear();
    m_pending.clear();
    m_current = -1;
    m_eof = true;
    emitReset();
    emit closed();
}

void DataSet::refresh()
{
    requireOpen("refresh");
    post();
    const qint64 rowid = m_current >= 0 ? m_rows[m_current].rowid : -1;
    const int oldIndex = m_current;
    load();
    applySort();
    int found = -1;
    if (!m_table.isEmpty())
        for (size_t i = 0; i < m_rows.size(); ++i)
            if (m_rows[i].rowid == rowid) { found = int(i); break; }
    if (found < 0 && !m_rows.empty()) found = std::clamp(oldIndex, 0, int(m_rows.size()) - 1);
    m_current = found;
    m_eof = m_rows.empty();
    emitReset();
    if (m_current >= 0) emit currentChanged(m_current);
}

void DataSet::setCurrent(int row, bool scroll)
{
    const bool moved = row != m_current;
    m_current = row;
    if (moved) {
        emit currentChanged(row);
        if (scroll) emit afterScroll();
    }
}

void DataSet::first()
{
    requireOpen("first");
    post();
    m_eof = m_rows.empty();
    if (!m_rows.empty()) setCurrent(0, true);
}

void DataSet::next()
{
    requireOpen("next");
    post();
    if (m_current + 1 < int(m_rows.size())) setCurrent(m_current + 1, true);
    else m_eof = true;
}

void DataSet::prior()
{
    requireOpen("prior");
    post();
    m_eof = m_rows.empty();
    if (m_current > 0) setCurrent(m_current - 1, true);
}

void DataSet::last()
{
    requireOpen("last");
    post();
    m_eof = m_rows.empty();
    if (!m_rows.empty()) setCurrent(int(m_rows.size()) - 1, true);
}

void DataSet::moveTo(int row)
{
    requireOpen("move");
    if (row < 0 || row >= int(m_rows.size()) || row == m_current) return;
    if (m_moveGuard) m_moveGuard();
    post();
    m_eof = false;
    setCurrent(row, true);
}

int DataSet::fieldIndex(const QString& name) const
{
    for (size_t i = 0; i < m_fields.size(); ++i)
        if (m_fields[i].name.compare(name, Qt::CaseInsensitive) == 0) return int(i);
    return -1;
}

QStringList DataSet::fieldNames() const
{
    QStringList out;
    for (const auto& f : m_fields) out << f.name;
    return out;
}

Value DataSet::value(const QString& name) const
{
    requireOpen("read");
    const int col = requireField(name);
    if (m_current < 0) return Value();
    return valueAt(m_current, col);
}

Value DataSet::valueAt(int row, int col) const
{
    if (row == m_current && hasPendingChanges()) {
        auto it = m_pending.find(col);
        if (it != m_pending.end()) return it->second;
    }
    return m_rows[row].values[col];
}

void DataSet::edit()
{
    requireOpen("edit");
    requireUpdatable();
    if (hasPendingChanges()) return;
    if (m_current < 0) throw DatabaseError(QStringLiteral("无法在空数据集上执行此操作"));
    m_state = State::Edit;
}

void DataSet::append()
{
    requireOpen("append");
    requireUpdatable();
    post();
    Row r;
    r.values.resize(m_fields.size());
    m_rows.push_back(std::move(r));
    m_state = State::Insert;
    m_eof = false;
    const int row = int(m_rows.size()) - 1;
    if (!m_disabled) emit rowInserted(row);
    else m_dirtyWhileDisabled = true;
    setCurrent(row, true);
}

Value DataSet::normalise(int col, const Value& v) const
{
    if (m_fields[col].isDateTime && v.type() == Value::Type::Text) {
        const QString t = v.toStorageText();
        if (t.trimmed().isEmpty()) return Value();
        if (auto d = DateTime::fromIso(t)) return *d;
        return DateTexts::parseDateTime(t);
    }
    if (m_fields[col].isInteger && v.type() == Value::Type::Text) {
        const QString t = v.toStorageText().trimmed();
        if (t.isEmpty()) return Value();
        return Value(v.toInt());
    }
    return v;
}

void DataSet::setValue(const QString& name, const Value& v)
{
    requireOpen("set");
    const int col = requireField(name);
    if (!hasPendingChanges()) edit();
    m_pending[col] = normalise(col, v);
    if (!m_disabled) emit rowChanged(m_current);
}

void DataSet::setText(const QString& name, const QString& text) { setValue(name, Value(text)); }

bool DataSet::isModified(const QString& name) const
{
    const int col = fieldIndex(name);
    return hasPendingChanges() && col >= 0 && m_pending.count(col) > 0;
}

void DataSet::post()
{
    if (!hasPendingChanges()) return;
    if (m_beforePost) m_beforePost(*this);
    Row& row = m_rows[m_current];
    if (m_state == State::Edit) {
        if (!m_pending.empty()) {
            QStringList sets;
            Params params;
            int n = 0;
            for (const auto& [col, v] : m_pending) {
                const QString p = QStringLiteral(":v%1").arg(n++);
                sets << quoted(m_fields[col].name) + u'=' + p;
                params.append({p, v});
            }
            params.append({QStringLiteral(":rid"), Value(row.rowid)});
            m_db->exec(QStringLiteral("UPDATE %1 SET %2 WHERE _rowid_=:rid").arg(m_table, sets.join(u',')), params);
            for (const auto& [col, v] : m_pending) row.values[col] = v;
        }
    } else {
        QStringList cols, holders;
        Params params;
        int n = 0;
        for (const auto& [col, v] : m_pending) {
            const QString p = QStringLiteral(":v%1").arg(n++);
            cols << quoted(m_fields[col].name);
            holders << p;
            params.append({p, v});
        }
        const QString sql = cols.isEmpty()
                                ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(m_table)
                                : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                      .arg(m_table, cols.join(u','), holders.join(u','));
        m_db->exec(sql, params);
        // Read the row back, so the engine's defaults and id show.
        Statement st(*m_db, QStringLiteral("SELECT _rowid_, * FROM %1 WHERE _rowid_=:rid").arg(m_table));
        st.bind({{QStringLiteral(":rid"), Value(m_db->lastInsertRowId())}});
        if (st.step()) row = readRow(st, 1);
    }
    m_pending.clear();
    m_state = State::Browse;
    if (!m_disabled) emit rowChanged(m_current);
}

void DataSet::cancel()
{
    if (m_state == State::Insert) {
        const int row = m_current;
        m_rows.erase(m_rows.begin() + row);
        m_state = State::Browse;
        m_pending.clear();
        if (!m_disabled) emit rowRemoved(row);
        else m_dirtyWhileDisabled = true;
        m_current = m_rows.empty() ? -1 : std::min(row, int(m_rows.size()) - 1);
        m_eof = m_rows.empty();
        emit currentChanged(m_current);
        return;
    }
    if (m_state == State::Edit) {
        m_state = State::Browse;
        m_pending.clear();
        if (!m_disabled) emit rowChanged(m_current);
    }
}

void DataSet::remove()
{
    requireOpen("delete");
    requireUpdatable();
    if (m_state == State::Insert) { cancel(); return; }
    if (m_current < 0) throw DatabaseError(QStringLiteral("无法在空数据集上执行此操作"));
    m_pending.clear();
    m_state = State::Browse;
    const int row = m_current;
    m_db->exec(QStringLiteral("DELETE FROM %1 WHERE _rowid_=:rid").arg(m_table),
               {{QStringLiteral(":rid"), Value(m_rows[row].rowid)}});
    m_rows.erase(m_rows.begin() + row);
    if (!m_disabled) emit rowRemoved(row);
    else m_dirtyWhileDisabled = true;
    m_eof = m_rows.empty();
    m_current = m_rows.empty() ? -1 : std::min(row, int(m_rows.size()) - 1);
    emit currentChanged(m_current);
    if (m_current >= 0) emit afterScroll();
}

void DataSet::assumeStored(int row, int col, const Value& v)
{
    m_rows[row].values[col] = v;
    if (!m_disabled) emit rowChanged(row);
}

void DataSet::reorder(const std::vector<int>& order, const QString& sortText)
{
    std::vector<Row> rows;
    rows.reserve(m_rows.size());
    int current = -1;
    for (int i : order) {
        if (i == m_current) current = int(rows.size());
        rows.push_back(std::move(m_rows[i]));
    }
    m_rows = std::move(rows);
    m_current = current;
    m_sortText = sortText;
    m_sortKeys.clear();
    emitReset();
}

void DataSet::sort(const QString& order)
{
    requireOpen("sort");
    post();
    auto keys = parseSortOrder(order);
    for (const auto& k : keys) requireField(k.field);
    m_sortText = order;
    m_sortKeys = std::move(keys);
    const qint64 rowid = m_current >= 0 ? m_rows[m_current].rowid : -1;
    const Row* currentRow = m_current >= 0 ? &m_rows[m_current] : nullptr;
    const std::vector<Value> currentValues = currentRow ? currentRow->values : std::vector<Value>();
    applySort();
    if (m_current >= 0) {
        int found = 0;
        for (size_t i = 0; i < m_rows.size(); ++i)
            if (m_rows[i].rowid == rowid && m_rows[i].values == currentValues) { found = int(i); break; }
        m_current = found;
    }
    emitReset();
    if (m_current >= 0) emit currentChanged(m_current);
}

void DataSet::applySort()
{
    if (m_sortKeys.empty() || m_rows.size() < 2) return;
    std::vector<int> cols;
    for (const auto& k : m_sortKeys) cols.push_back(requireField(k.field));
    QCollator collator(DateTexts::locale());
    std::stable_sort(m_rows.begin(), m_rows.end(), [&](const Row& a, const Row& b) {
        for (size_t i = 0; i < cols.size(); ++i) {
            int c = compareValues(a.values[cols[i]], b.values[cols[i]], &collator);
            if (c != 0) return m_sortKeys[i].descending ? c > 0 : c < 0;
        }
        return false;
    });
}

void DataSet::disableControls() { ++m_disabled; }

void DataSet::enableControls()
{
    if (m_disabled == 0) return;
    if (--m_disabled == 0) {
        m_dirtyWhileDisabled = false;
        emit reset();
        if (m_current >= 0) emit currentChanged(m_current);
    }
}

void DataSet::emitReset()
{
    if (m_disabled) m_dirtyWhileDisabled = true;
    else emit reset();
}
