#pragma once
#include "store/dataset.h"
#include "store/datetime.h"
#include <QString>

// What the query window's bar holds when "刷新" is pressed.
struct ArchiveCriteria {
    DateTime startDate; // only the date part counts
    DateTime endDate;
    QString namePattern = QStringLiteral("%");
    QString numberPattern = QStringLiteral("%");
};

// q_kqkend: the archived records of a date range whose name and number match
// two LIKE patterns ("%" any run of characters, "_" any one character).
class ArchiveQuery {
public:
    static const char* const Sql;

    ArchiveQuery();

    DataSet& dataSet() { return m_ds; }
    // Button1Click: from 00:00:01 of the start date through 23:59:59 of the
    // end date, both included; patterns trimmed. A punch at midnight is never found.
    void run(Database& db, const ArchiveCriteria& criteria);
    // FormClose
    void close() { m_ds.close(); }

    static DateTime lowerBound(DateTime startDate);
    static DateTime upperBound(DateTime endDate);

private:
    DataSet m_ds;
};
