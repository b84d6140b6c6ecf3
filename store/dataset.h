#pragma once
#include "store/database.h"
#include "store/sortorder.h"
#include <QObject>
#include <QString>
#include <functional>
#include <map>
#include <vector>

// An in-memory result of one query, with a cursor, edits posted to the base
// table, and a client-side sort. A "select * from T ..." query is updatable:
// rows are written back to T by rowid. Bound grids follow its signals.
class DataSet : public QObject {
    Q_OBJECT
public:
    enum class State { Closed, Browse, Edit, Insert };

    DataSet(Database* db, const QString& sql, QObject* parent = nullptr);

    void setDatabase(Database* db) { m_db = db; }
    Database* database() const { return m_db; }
    QString sql() const { return m_sql; }
    void setSql(const QString& sql);
    void setParam(const QString& name, const Value& v);
    Value param(const QString& name) const;

    void open();
    void close();
    bool isOpen() const { return m_state != State::Closed; }
    void reopen() { close(); open(); }
    // Posts, re-reads the rows and re-applies the sort, keeping the current row.
    void refresh();

    int recordCount() const { return int(m_rows.size()); }
    int currentRow() const { return m_current; }
    bool eof() const { return m_eof; }
    bool isEmpty() const { return m_rows.empty(); }
    void first();
    void next();
    void prior();
    void last();
    void moveTo(int row);
    // Called before a moveTo; throwing refuses the move (e.g. during a run).
    void setMoveGuard(std::function<void()> guard) { m_moveGuard = std::move(guard); }

    int fieldCount() const { return int(m_fields.size()); }
    int fieldIndex(const QString& name) const; // case-insensitive; -1 when absent
    QString fieldName(int col) const { return m_fields[col].name; }
    bool isDateTimeField(int col) const { return m_fields[col].isDateTime; }
    QStringList fieldNames() const;

    // Fields of the current row (pending edits included); null when there is none.
    Value value(const QString& name) const;
    QString text(const QString& name) const { return value(name).toText(); }
    DateTime dateTime(const QString& name) const { return value(name).toDateTime(); }
    qint64 integer(const QString& name) const { return value(name).toInt(); }
    Value valueAt(int row, int col) const;
    qint64 rowIdAt(int row) const { return m_rows[row].rowid; }

    void edit();
    void append();
    void setValue(const QString& name, const Value& v);
    // A text into a date-time field is read with the locale's date-time format.
    void setText(const QString& name, const QString& text);
    void post();
    void cancel();
    void remove();
    State state() const { return m_state; }
    bool hasPendingChanges() const { return m_state == State::Edit || m_state == State::Insert; }
    // True when the pending edit or insert has set this field.
    bool isModified(const QString& name) const;
    // Runs before a pending row is written; throwing refuses the post and
    // keeps the edit pending, whoever posts (grid, navigator, a command).
    void setBeforePost(std::function<void(const DataSet&)> hook) { m_beforePost = std::move(hook); }

    // For engines that write the base table themselves with their own
    // statements: sets the held value without posting it.
    void assumeStored(int row, int col, const Value& v);
    // Puts the rows in the given order (a permutation of row indices),
    // recorded as the sort text; the current row stays the same record.
    void reorder(const std::vector<int>& order, const QString& sortText);

    void sort(const QString& order);
    QString sortSpec() const { return m_sortText; }

    // Bound grids do not follow while disabled; a balanced enable resets them.
    void disableControls();
    void enableControls();
    bool controlsDisabled() const { return m_disabled > 0; }

    bool isUpdatable() const { return !m_table.isEmpty(); }
    QString tableName() const { return m_table; }

signals:
    void opened();
    void closed();
    void reset();              // rows, order or shape changed wholesale
    void rowChanged(int row);  // one row's values changed
    void rowInserted(int row);
    void rowRemoved(int row);
    void currentChanged(int row);
    void afterScroll();        // another row became current (also the first on open)

private:
    struct Field {
        QString name;
        bool isDateTime = false;
        bool isInteger = false;
    };
    struct Row {
        qint64 rowid = 0;
        std::vector<Value> values;
    };

    void requireOpen(const char* what) const;
    void requireUpdatable() const;
    int requireField(const QString& name) const;
    void load();
    void applySort();
    void setCurrent(int row, bool scroll);
    Value normalise(int col, const Value& v) const;
    Row readRow(Statement& st, int offset) const;
    void emitReset();

    Database* m_db;
    QString m_sql;
    QString m_table;
    QString m_execSql;
    Params m_params;
    std::vector<Field> m_fields;
    std::vector<Row> m_rows;
    int m_current = -1;
    bool m_eof = true;
    State m_state = State::Closed;
    std::map<int, Value> m_pending;
    QString m_sortText;
    std::vector<SortKey> m_sortKeys;
    int m_disabled = 0;
    bool m_dirtyWhileDisabled = false;
    std::function<void()> m_moveGuard;
    std::function<void(const DataSet&)> m_beforePost;
};
