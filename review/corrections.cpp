#include "review/corrections.h"
#include "app/session.h"
#include "review/statuslists.h"
#include "store/datetexts.h"
#include "store/errors.h"

namespace {

const QString F_bz = QStringLiteral("bz");
const QString F_js = QStringLiteral("js");
const QString F_shi = QStringLiteral("shi");
const QString F_nyr = QStringLiteral("nyr");
const QString ByTime = QStringLiteral("dksj ASC");

// Suspends the grids bound to a data set; resumes on the way out, also on failure.
class RepaintSuspended {
public:
    RepaintSuspended(DataSet& ds, bool on) : m_ds(ds), m_on(on) { if (m_on) m_ds.disableControls(); }
    ~RepaintSuspended() { resume(); }
    void resume()
    {
        if (m_on) m_ds.enableControls();
        m_on = false;
    }

private:
    DataSet& m_ds;
    bool m_on;
};

} // namespace

bool Corrections::hasCurrentRow() const
{
    const DataSet& list = m_session.punchList();
    return list.isOpen() && list.currentRow() >= 0;
}

void Corrections::resetRow(DataSet& list)
{
    using StatusLists::occursIn;
    if (occursIn(list.text(F_bz), StatusLists::Analysed)) {
        list.setValue(F_bz, Value(QString()));
        list.setValue(F_js, Value(0));
        list.post();
    }
    if (occursIn(list.text(F_bz), StatusLists::Missing)) {
        list.setValue(F_bz, Value(QString()));
        list.setValue(F_js, Value(0));
        list.setValue(F_shi, Value(QStringLiteral("del")));
        list.post();
    }
    if (occursIn(list.text(F_bz), StatusLists::Makeup)) {
        list.setValue(F_js, Value(0));
        list.post();
    }
}

template <class Body> void Corrections::changeRowsAndClose(Repaint repaint, Body body)
{
    m_session.requireIdle();
    DataSet& list = m_session.punchList();
    RepaintSuspended suspended(list, repaint == Repaint::Suspend);
    try {
        Transaction tx(m_session.db());
        body(list);
        m_session.execCommand(QStringLiteral("delete from kqk where shi='del'"));
        tx.commit();
    } catch (...) {
        // Rolled back: show the rows as they are stored, then report.
        try {
            list.cancel();
            list.reopen();
            list.sort(ByTime);
        } catch (...) {
        }
        throw;
    }
    list.reopen();
    suspended.resume();
    list.sort(ByTime);
}

void Corrections::cancelRow()
{
    changeRowsAndClose(Repaint::Keep, [](DataSet& list) { resetRow(list); });
}

void Corrections::markCurrent(const QString& bz, bool handMarked)
{
    m_session.requireIdle();
    if (!hasCurrentRow()) return;
    DataSet& list = m_session.punchList();
    list.setValue(F_bz, Value(bz));
    if (handMarked) list.setValue(F_shi, Value(QStringLiteral("-1")));
    else list.setValue(F_js, Value(1));
    list.post();
}

void Corrections::markNormal() { markCurrent(QStringLiteral("正常"), false); }

void Corrections::markLate() { markCurrent(QStringLiteral("迟到"), true); }

void Corrections::markEarly() { markCurrent(QStringLiteral("早退"), true); }

void Corrections::deleteRow()
{
    m_session.requireIdle();
    if (!hasCurrentRow()) return;
    m_session.punchList().remove();
}

void Corrections::insertMissing()
{
    m_session.requireIdle();
    const AnalysisContext& ctx = m_session.context();
    if (ctx.CurrentDay.isEmpty())
        throw CommandRefused(QStringLiteral("请先在打卡列表中点击要补“未打卡”的那一天。"));
    const QString timeText = ctx.CurrentDay + QStringLiteral(" 08:08:08");
    DateTime dksj;
    if (!DateTexts::tryParseDateTime(timeText, dksj))
        throw CommandRefused(QStringLiteral("“%1”不是有效的日期时间，未插入未打卡记录。").arg(timeText));
    DataSet& list = m_session.punchList();
    list.append();
    try {
        list.setValue(QStringLiteral("bm"), Value(ctx.CurrentDept));
        list.setValue(QStringLiteral("xm"), Value(ctx.CurrentName));
        list.setValue(QStringLiteral("ygbh"), Value(ctx.CurrentEmployeeNo));
        list.setValue(QStringLiteral("dksj"), Value(dksj));
        list.setValue(F_shi, Value(QStringLiteral("-1")));
        list.setValue(F_bz, Value(QStringLiteral("未打卡")));
        list.setValue(F_js, Value(1));
        list.setValue(F_nyr, Value(ctx.CurrentDay));
        list.post();
    } catch (...) {
        list.cancel();
        throw;
    }
}

DateTime Corrections::makeupDate()
{
    const QString nyr = m_session.punchList().text(F_nyr);
    DateTime day;
    if (!DateTexts::tryParseDateTime(nyr, day))
        throw ConversionError(QStringLiteral("“%1”不是有效的日期").arg(nyr));
    return day.datePart();
}

void Corrections::cancelDay()
{
    m_session.requireIdle();
    const QString day = m_session.punchList().text(F_nyr);
    changeRowsAndClose(Repaint::Suspend, [&](DataSet& list) {
        for (list.first(); !list.eof(); list.next())
            if (list.text(F_nyr) == day && !list.value(F_js).equalsInt(0)) resetRow(list);
    });
}

void Corrections::dayNormal()
{
    using StatusLists::occursIn;
    m_session.requireIdle();
    const QString day = m_session.punchList().text(F_nyr);
    changeRowsAndClose(Repaint::Suspend, [&](DataSet& list) {
        for (list.first(); !list.eof(); list.next()) {
            if (list.text(F_nyr) != day) continue;
            const QString bz = list.text(F_bz);
            if (occursIn(bz, StatusLists::Analysed) || bz.trimmed().isEmpty()) {
                list.setValue(F_bz, Value(QStringLiteral("正常")));
                list.setValue(F_js, Value(1));
                list.post();
            }
            if (occursIn(list.text(F_bz), StatusLists::MissingOrMakeup)) {
                list.setValue(F_shi, Value(QStringLiteral("del")));
                list.post();
            }
        }
    });
}

void Corrections::cancelPerson()
{
    changeRowsAndClose(Repaint::Suspend, [](DataSet& list) {
        for (list.first(); !list.eof(); list.next()) resetRow(list);
    });
}

std::optional<DateTime> Corrections::run(int key)
{
    switch (key) {
    case 0: cancelRow(); break;
    case 1: markNormal(); break;
    case 2: markLate(); break;
    case 3: markEarly(); break;
    case 4: deleteRow(); break;
    case 5: insertMissing(); break;
    case 6: return makeupDate();
    case 7: cancelDay(); break;
    case 8: dayNormal(); break;
    case 9: cancelPerson(); break;
    default: throw CommandRefused(QStringLiteral("没有编号为 %1 的更正命令").arg(key));
    }
    return std::nullopt;
}
