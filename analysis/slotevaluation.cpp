#include "analysis/analysisengine.h"
#include "store/datetexts.h"
#include "store/errors.h"
#include <algorithm>

namespace {

constexpr qint64 Minute = 60, Hour = 3600;

// Position n of a code "n/m"; codes without one go last.
int slotPosition(const QString& code)
{
    bool ok = false;
    const int n = code.section(u'/', 0, 0).toInt(&ok);
    return ok ? n : 1 << 30;
}

} // namespace

void AnalysisEngine::fx3()
{
    if (ctx.AnalysisRunning == 0) return;
    if (ctx.ChosenShift == QLatin1String("no")) markNoShiftDay();
    else walkChosenShift();
    ctx.ProcessedDays += u';' + ctx.CurrentEmployeeNo + u' ' + ctx.CurrentDay;
}

void AnalysisEngine::markNoShiftDay()
{
    ctx.WindowStart = DateTexts::parseDateTime(ctx.CurrentDay + QStringLiteral(" 0:0:01"));
    ctx.WindowEnd = DateTexts::parseDateTime(ctx.CurrentDay + QStringLiteral(" 23:59:59"));
    Statement& st = m_session.db().cached(QStringLiteral(
        "update kqk set bz=:bz, js=1 where (ygbh=:ygbh) and (dksj>:t1) and (dksj<:t2) and (js=0)"));
    st.bind({{":bz", QStringLiteral("???")}, {":ygbh", ctx.CurrentEmployeeNo}, {":t1", Value(ctx.WindowStart)},
             {":t2", Value(ctx.WindowEnd)}});
    st.step();
}

// The chosen shift's slots are marked cz -1 (others 0) and evaluated by their
// position n of "n/m", so that an on-duty slot always precedes its off-duty
// slot and the overnight rule of "2/2" compares with the same shift's start.
void AnalysisEngine::walkChosenShift()
{
    if (!m_slotsLoaded) loadSlots();
    for (SlotWork& s : m_slots) s.cz = s.bcm == ctx.ChosenShift ? -1 : 0;
    std::vector<int> walk;
    for (int i : m_order)
        if (m_slots[i].cz == -1) walk.push_back(i);
    std::stable_sort(walk.begin(), walk.end(),
                     [&](int a, int b) { return slotPosition(m_slots[a].dkc) < slotPosition(m_slots[b].dkc); });
    const DateTime day = dayStart(ctx.CurrentDay);
    for (int i : walk) {
        SlotWork& s = m_slots[i];
        ctx.DayAnchor = day.addSeconds(slotSeconds(s));
        ctx.CurrentSlot = s.dkc;
        const QString& c = ctx.CurrentSlot;
        if (c == QLatin1String("1/4") || c == QLatin1String("1/2")) fx1_4();
        else if (c == QLatin1String("3/4")) fx3_4();
        else if (c == QLatin1String("1/1")) fx1_1();
        else if (c == QLatin1String("2/4")) fx2_4();
        else if (c == QLatin1String("4/4")) fx4_4();
        else if (c == QLatin1String("2/2")) fx2_2();
    }
}

void AnalysisEngine::fx1_4()
{
    ctx.OnDutyTime = ctx.DayAnchor;
    evaluate({4 * Hour, ctx.MissingMinutes * Minute, false, true}, ctx.DayAnchor, ctx.CurrentDay);
}

void AnalysisEngine::fx3_4()
{
    evaluate({2 * Hour, ctx.MissingMinutes * Minute, false, true}, ctx.DayAnchor, ctx.CurrentDay);
}

void AnalysisEngine::fx1_1()
{
    ctx.OnDutyTime = ctx.DayAnchor;
    evaluate({4 * Hour, ctx.MissingMinutes * Minute, false, true}, ctx.DayAnchor, ctx.CurrentDay);
}

void AnalysisEngine::fx2_4()
{
    evaluate({ctx.MissingMinutes * Minute, 2 * Hour, false, false}, ctx.DayAnchor, ctx.CurrentDay);
}

void AnalysisEngine::fx4_4()
{
    evaluate({ctx.MissingMinutes * Minute, 4 * Hour, true, false}, ctx.DayAnchor, ctx.CurrentDay);
}

void AnalysisEngine::fx2_2()
{
    const DateTime T = ctx.DayAnchor;
    ctx.OffDutyTime = T;
    // Less than three hours after the on-duty slot: the off-duty slot is the next day's.
    if (ctx.OnDutyTime.addHours(3) > T) ctx.DayAnchor = T.addDays(1);
    evaluate({ctx.MissingMinutes * Minute, 4 * Hour, true, false}, ctx.DayAnchor,
             DateTexts::formatDate(ctx.DayAnchor));
}

// Claims the slot's punch in the window around T, or inserts a "未打卡" row.
void AnalysisEngine::evaluate(const Evaluation& e, DateTime T, const QString& insertNyr)
{
    Database& db = m_session.db();
    ctx.WindowStart = T.addSeconds(-e.before);
    ctx.WindowEnd = T.addSeconds(e.after);
    Statement& find = db.cached(e.latest
        ? QStringLiteral("select rowid, bz, dksj from kqk where (ygbh=:ygbh) and (dksj>:t1) and (dksj<:t2) and (js=0) "
                         "order by dksj desc, rowid limit 1")
        : QStringLiteral("select rowid, bz, dksj from kqk where (ygbh=:ygbh) and (dksj>:t1) and (dksj<:t2) and (js=0) "
                         "order by dksj, rowid limit 1"));
    find.bind({{":ygbh", ctx.CurrentEmployeeNo}, {":t1", Value(ctx.WindowStart)}, {":t2", Value(ctx.WindowEnd)}});
    if (!find.step()) {
        Statement& ins = db.cached(QStringLiteral(
            "insert into kqk (bm,xm,ygbh,dksj,bz,js,nyr) values (:bm,:xm,:ygbh,:dksj,'未打卡',1,:nyr)"));
        ins.bind({{":bm", ctx.CurrentDept}, {":xm", ctx.CurrentName}, {":ygbh", ctx.CurrentEmployeeNo},
                  {":dksj", Value(T)}, {":nyr", insertNyr}});
        ins.step();
        return;
    }
    const qint64 rowid = find.value(0).toInt();
    const QString bz = find.value(1).toText();
    const DateTime p = find.value(2).toDateTime();
    find.reset();
    Statement& mark = db.cached(QStringLiteral("update kqk set bz=:bz, js=:js where rowid=:rid"));
    QString word;
    qint64 js = 1;
    if (bz == QStringLiteral("补卡")) word = bz;
    else if (e.onDuty ? p <= T.addMinutes(ctx.GraceMinutes) : p >= T.addSeconds(-Minute)) word = QStringLiteral("正常");
    else {
        word = e.onDuty ? QStringLiteral("迟到") : QStringLiteral("早退");
        // Under a whole minute late still counts 1: with 0 the punch would stay a candidate.
        js = std::max<qint64>(1, wholeMinutesBetween(p, T));
    }
    mark.bind({{":bz", word}, {":js", Value(js)}, {":rid", Value(rowid)}});
    mark.step();
}
