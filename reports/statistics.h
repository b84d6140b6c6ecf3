#pragma once
#include "store/dataset.h"
#include "store/datasetmodel.h"
#include "reports/xlsxexport.h"
#include <vector>

class Session;

// The two statistics over the working table kqk: anomaly totals per person and
// status word (q_tj1) and attendance days per person (q_tj2). Both run on the
// session's connection; they are read-only and recomputed only when asked.
class Statistics {
public:
    // The aggregate columns carry the names the grids and reports bind to.
    static const char* const AnomalySql;
    static const char* const AttendanceSql;

    explicit Statistics(Session& session);

    DataSet& q_tj1() { return m_q_tj1; }
    DataSet& q_tj2() { return m_q_tj2; }

    // Close and open q_tj1, then q_tj2: a failure of the first leaves the second closed.
    void recompute();
    void close();

private:
    Session& m_session;
    DataSet m_q_tj1;
    DataSet m_q_tj2;
};

// The statistics window's columns; the spreadsheet export uses the same titles.
std::vector<GridColumn> anomalyColumns();
std::vector<GridColumn> attendanceColumns();

// Both tables as the sheets of one workbook, under the grids' column titles.
std::vector<XlsxSheet> statisticsSheets(const DataSet& q_tj1, const DataSet& q_tj2);
