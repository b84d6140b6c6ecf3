#include "review/makeup.h"
#include "app/session.h"
#include "store/datetexts.h"
#include "store/errors.h"

namespace Makeup {

namespace {

void requireEmployee(Session& session)
{
    const DataSet& employees = session.employeeList();
    if (!employees.isOpen() || employees.currentRow() < 0)
        throw CommandRefused(QStringLiteral("人员列表为空，无法补卡。"));
}

} // namespace

void enterFromSlotSet(Session& session, const QString& dateLabel)
{
    session.requireIdle();
    requireEmployee(session);
    const DataSet& slotRows = session.slotSet();
    if (!slotRows.isOpen() || slotRows.currentRow() < 0)
        throw CommandRefused(QStringLiteral("请先选择一个班次的打卡时间。"));
    enter(session, dateLabel, slotRows.text(QStringLiteral("dksj")));
}

void enter(Session& session, const QString& dateLabel, const QString& slotTime)
{
    session.requireIdle();
    requireEmployee(session);
    DataSet& punches = session.punchList();
    const DataSet& employees = session.employeeList();
    const QString bm = punches.text(QStringLiteral("bm"));
    const QString xm = employees.text(QStringLiteral("xm"));
    const QString ygbh = employees.text(QStringLiteral("ygbh"));
    const QString timeText = dateLabel.trimmed() + u' ' + slotTime.trimmed() + QStringLiteral(":00");
    DateTime dksj;
    if (!DateTexts::tryParseDateTime(timeText, dksj))
        throw CommandRefused(QStringLiteral("“%1”不是有效的日期时间，未补卡。").arg(timeText));

    punches.append();
    try {
        punches.setValue(QStringLiteral("xm"), Value(xm));
        punches.setValue(QStringLiteral("ygbh"), Value(ygbh));
        punches.setValue(QStringLiteral("bm"), Value(bm));
        punches.setValue(QStringLiteral("dksj"), Value(dksj));
        punches.setValue(QStringLiteral("bz"), Value(QStringLiteral("补卡")));
        punches.setValue(QStringLiteral("js"), Value(0));
        const DateTime stored = punches.dateTime(QStringLiteral("dksj"));
        punches.setValue(QStringLiteral("nyr"), Value(DateTexts::formatDate(stored.datePart())));
        punches.post();
    } catch (...) {
        punches.cancel();
        throw;
    }
}

} // namespace Makeup
