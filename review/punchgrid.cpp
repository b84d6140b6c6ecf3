#include "review/punchgrid.h"
#include "app/session.h"

namespace PunchGrid {

void cellClick(Session& session)
{
    DataSet& list = session.punchList();
    AnalysisContext& ctx = session.context();
    session.setHighlightDay(list.text(QStringLiteral("nyr")));
    ctx.CurrentDept = list.text(QStringLiteral("bm"));
    ctx.CurrentName = list.text(QStringLiteral("xm"));
    ctx.CurrentEmployeeNo = list.text(QStringLiteral("ygbh"));
    ctx.CurrentDay = list.text(QStringLiteral("nyr"));
    list.refresh();
}

namespace {

int findRow(const DataSet& ds, const char* field, const Value& wanted)
{
    const int col = ds.isOpen() ? ds.fieldIndex(QLatin1String(field)) : -1;
    if (col < 0) return -1;
    for (int i = 0; i < ds.recordCount(); ++i)
        if (ds.valueAt(i, col) == wanted) return i;
    return -1;
}

} // namespace

bool selectEmployee(Session& session, const QString& ygbh)
{
    DataSet& employees = session.employeeList();
    const int row = findRow(employees, "ygbh", Value(ygbh));
    if (row < 0) return false;
    // Moving to the entry that is already current reloads nothing; the list
    // then already shows that number's punches.
    employees.moveTo(row);
    return true;
}

bool selectPunch(Session& session, qint64 id)
{
    DataSet& punches = session.punchList();
    const int row = findRow(punches, "id", Value(id));
    if (row < 0) return false;
    punches.moveTo(row);
    return true;
}

RowMark rowMark(Session& session, int row)
{
    const DataSet& list = session.punchList();
    if (!list.isOpen() || row < 0 || row >= list.recordCount()) return RowMark::None;
    const int shi = list.fieldIndex(QStringLiteral("shi"));
    const int nyr = list.fieldIndex(QStringLiteral("nyr"));
    if (shi >= 0 && list.valueAt(row, shi).toText() == QLatin1String("-1")) return RowMark::HandMarked;
    if (nyr >= 0 && list.valueAt(row, nyr).toText() == session.highlightDay()) return RowMark::HighlightedDay;
    return RowMark::None;
}

} // namespace PunchGrid
