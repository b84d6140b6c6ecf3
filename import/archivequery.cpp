#include "import/archivequery.h"

const char* const ArchiveQuery::Sql =
    "select * from kqkend where (dksj>=:d1) and (dksj<=:d2) and (xm like :xm) and (ygbh like :ygbh)";

ArchiveQuery::ArchiveQuery() : m_ds(nullptr, QString::fromLatin1(Sql)) {}

DateTime ArchiveQuery::lowerBound(DateTime startDate) { return startDate.datePart().addSeconds(1); }

DateTime ArchiveQuery::upperBound(DateTime endDate)
{
    return endDate.datePart().addSeconds(DateTime::SecondsPerDay - 1);
}

void ArchiveQuery::run(Database& db, const ArchiveCriteria& c)
{
    m_ds.close();
    m_ds.setDatabase(&db);
    m_ds.setParam(QStringLiteral("d1"), Value(lowerBound(c.startDate)));
    m_ds.setParam(QStringLiteral("d2"), Value(upperBound(c.endDate)));
    m_ds.setParam(QStringLiteral("xm"), Value(c.namePattern.trimmed()));
    m_ds.setParam(QStringLiteral("ygbh"), Value(c.numberPattern.trimmed()));
    m_ds.open();
}
