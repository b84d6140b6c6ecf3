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
