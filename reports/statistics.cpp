#include "reports/statistics.h"
#include "app/session.h"

// Every column is named, so the names do not depend on the engine's choice.
// A null bz fails both comparisons and is not counted; an empty one is a status word.
const char* const Statistics::AnomalySql =
    "SELECT BM AS BM,XM AS XM,YGBH AS YGBH,BZ AS BZ,SUM(JS) AS Expr1004 FROM KQK "
    "where (bz<>'正常') and (bz<>'重复打卡') GROUP BY bm,xm,ygbh,bz";
const char* const Statistics::AttendanceSql =
    "SELECT BM AS BM,XM AS XM,YGBH AS YGBH,count(*) AS Expr1003 from (SELECT distinct bm,xm,ygbh,nyr FROM KQK) "
    "GROUP BY bm,xm,ygbh order by bm,xm,ygbh";

Statistics::Statistics(Session& session)
    : m_session(session),
      m_q_tj1(nullptr, QString::fromUtf8(AnomalySql)),
      m_q_tj2(nullptr, QString::fromUtf8(AttendanceSql))
{
}

void Statistics::recompute()
{
    Database& db = m_session.db();
    m_q_tj1.setDatabase(&db);
    m_q_tj2.setDatabase(&db);
    m_q_tj1.close();
    m_q_tj1.open();
    m_q_tj2.close();
    m_q_tj2.open();
}

void Statistics::close()
{
    m_q_tj1.close();
    m_q_tj2.close();
}

std::vector<GridColumn> anomalyColumns()
{
    const Qt::Alignment c = Qt::AlignCenter;
    return {{"BM", QStringLiteral("部门"), 56, true, c},
            {"XM", QStringLiteral("姓名"), 56, true, c},
            {"YGBH", QStringLiteral("员工编号"), 56, true, c},
            {"BZ", QStringLiteral("备注"), 67, true, c},
            {"Expr1004", QStringLiteral("累计"), 56, true, c}};
}

std::vector<GridColumn> attendanceColumns()
{
    const Qt::Alignment c = Qt::AlignCenter;
    return {{"BM", QStringLiteral("部门"), 50, true, c},
            {"XM", QStringLiteral("姓名"), 50, true, c},
            {"YGBH", QStringLiteral("员工编号"), 50, true, c},
            {"Expr1003", QStringLiteral("出勤天数"), 52, true, c}};
}

std::vector<XlsxSheet> statisticsSheets(const DataSet& q_tj1, const DataSet& q_tj2)
{
    return {{QStringLiteral("考勤异常统计"), &q_tj1, anomalyColumns()},
            {QStringLiteral("出勤天数统计"), &q_tj2, attendanceColumns()}};
}
