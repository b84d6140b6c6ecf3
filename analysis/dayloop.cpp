#include "analysis/analysisengine.h"
#include "store/errors.h"

AnalysisEngine::AnalysisEngine(Session& session, QObject* parent)
    : QObject(parent), m_session(session), ctx(session.context())
{
}

void AnalysisEngine::setCaption(const QString& c)
{
    m_caption = c;
    emit captionChanged(c);
}

void AnalysisEngine::SpeedButton2Click()
{
    if (ctx.AnalysisRunning == 0) start();
    else stop();
}

void AnalysisEngine::suspendDisplay()
{
    if (m_displaySuspended) return;
    m_session.slotSet().disableControls();
    m_session.punchList().disableControls();
    m_displaySuspended = true;
}

void AnalysisEngine::resumeDisplay()
{
    if (!m_displaySuspended) return;
    m_displaySuspended = false;
    m_session.slotSet().enableControls();
    m_session.punchList().enableControls();
    if (m_session.punchList().isOpen()) m_session.punchList().sort(QStringLiteral("dksj ASC"));
}

void AnalysisEngine::setRunning(bool running)
{
    ctx.AnalysisRunning = running ? 1 : 0;
    setCaption(running ? QStringLiteral("停止分析") : QStringLiteral("开始分析"));
    emit runningChanged(running);
}

void AnalysisEngine::returnToIdle()
{
    setRunning(false);
    resumeDisplay();
    m_session.progress().hidePanel();
}

void AnalysisEngine::start()
{
    m_stopped = false;
    setRunning(true);
    m_session.pause();
    suspendDisplay();
    try {
        fx0();
        if (ctx.AnalysisRunning != 0) postPass();
    } catch (...) {
        returnToIdle();
        throw;
    }
    // Also after a stop: one handled in the first pause came before the suspension.
    resumeDisplay();
    if (ctx.AnalysisRunning != 0) setRunning(false);
}

void AnalysisEngine::stop()
{
    m_stopped = true;
    setRunning(false);
    m_session.pause();
    resumeDisplay();
    m_session.progress().hidePanel();
}

// Punches no slot claimed are repeats; a make-up punch no slot claimed still counts.
void AnalysisEngine::postPass()
{
    DataSet& list = m_session.punchList();
    if (!list.isOpen()) return;
    const Value who = list.param(QStringLiteral("dd"));
    Database& db = m_session.db();
    Transaction tx(db);
    Statement& repeats = db.cached(QStringLiteral(
        "update kqk set bz='重复打卡', js=1 where ygbh=:dd and js=0 and trim(ifnull(bz,''),' '||char(9)||char(10)||char(13))=''"));
    repeats.bind({{":dd", who}});
    repeats.step();
    Statement& makeUps = db.cached(QStringLiteral(
        "update kqk set js=1 where ygbh=:dd and js=0 and trim(bz,' '||char(9)||char(10)||char(13))='补卡'"));
    makeUps.bind({{":dd", who}});
    makeUps.step();
    tx.commit();
    // The punch list was read just before; it shows the same changes without a re-read.
    const int cBz = list.fieldIndex(QStringLiteral("bz")), cJs = list.fieldIndex(QStringLiteral("js"));
    auto blankTrimmed = [](QString t) {
        while (!t.isEmpty() && QStringLiteral(" \t\n\r").contains(t.front())) t.remove(0, 1);
        while (!t.isEmpty() && QStringLiteral(" \t\n\r").contains(t.back())) t.chop(1);
        return t;
    };
    for (int r = 0; r < list.recordCount(); ++r) {
        if (!list.valueAt(r, cJs).equalsInt(0)) continue;
        const QString bz = blankTrimmed(list.valueAt(r, cBz).toText());
        if (bz.isEmpty()) list.assumeStored(r, cBz, Value(QStringLiteral("重复打卡")));
        if (bz.isEmpty() || bz == QStringLiteral("补卡")) list.assumeStored(r, cJs, Value(qint64(1)));
    }
}

void AnalysisEngine::fx0()
{
    ProgressPanel& panel = m_session.progress();
    panel.showPanel();
    panel.clear();
    panel.addLine(QStringLiteral("正在分析打卡数据，请耐心等待......"));
    m_session.db();
    // A slot row left in edit is saved (and checked) rather than lost by the re-open.
    if (m_session.slotSet().hasPendingChanges()) m_session.slotSet().post();
    m_session.slotSet().reopen();
    m_slotsLoaded = false;

    // Only the employee's own rows can pass the first test; read just those,
    // as they stand when the run begins.
    const QString employee = ctx.CurrentEmployeeNo;
    const QueryResult rows = m_session.db().query(
        QStringLiteral("select ygbh, js, nyr, bm, xm, dksj from kqk where ygbh=:bh order by dksj, rowid"),
        {{":bh", employee}});
    ctx.ProcessedDays = QStringLiteral(";;");
    for (const auto& r : rows.rows) {
        ctx.CurrentDay = r[2].toText().trimmed();
        const QString key = ctx.CurrentEmployeeNo + u' ' + ctx.CurrentDay;
        if (r[0].toText() != ctx.CurrentEmployeeNo || !r[1].equalsInt(0) || ctx.ProcessedDays.contains(key))
            continue;
        ctx.CurrentDept = r[3].toText().trimmed();
        ctx.CurrentName = r[4].toText().trimmed();
        ctx.DayAnchor = r[5].toDateTime();
        panel.addLine(QString());
        panel.addLine(ctx.CurrentDept + u' ' + ctx.CurrentName + u' ' + ctx.CurrentDay +
                      QStringLiteral("  打卡信息分析......"));
        analyseDay();
    }
    m_session.refreshPunchList();
    panel.addLine(QStringLiteral("完成分析！"));
    panel.hidePanel();
}

// One day is one transaction: a failure leaves the day exactly as it was.
void AnalysisEngine::analyseDay()
{
    if (ctx.AnalysisRunning == 0) return;
    Database& db = m_session.db();
    const QString processedBefore = ctx.ProcessedDays;
    try {
        Transaction tx(db);
        fx01();
        fx1();
        flushSlots();
        tx.commit();
    } catch (const TvError& e) {
        ctx.ProcessedDays = processedBefore;
        m_slotsLoaded = false;
        m_session.slotSet().reopen();
        if (m_session.switchSet().isOpen()) m_session.switchSet().reopen();
        // The days finished before this one show in the punch grid.
        if (m_session.punchList().isOpen()) m_session.refreshPunchList();
        throw DatabaseError(QStringLiteral("分析 %1 %2 %3 时出错：%4")
                                .arg(ctx.CurrentDept, ctx.CurrentName, ctx.CurrentDay, e.message()));
    }
}

void AnalysisEngine::fx1()
{
    if (ctx.AnalysisRunning == 0) return;
    Database& db = m_session.db();
    db.cached(QStringLiteral("delete from kqkday")).step();
    Statement& copy = db.cached(
        QStringLiteral("insert into kqkday select * from kqk where (dksj>:tt1) and (dksj<:tt2) and (ygbh=:bh)"));
    copy.bind({{":tt1", Value(ctx.DayAnchor.addHours(-1))},
               {":tt2", Value(ctx.DayAnchor.addHours(16))},
               {":bh", ctx.CurrentEmployeeNo}});
    copy.step();
    m_session.progress().addLine(QStringLiteral("正在分析班次......"));
    fx2();
    m_session.progress().addLine(QStringLiteral("正在标记分析结果......"));
    fx3();
}

void AnalysisEngine::analyseEmployee(const QString& ygbh)
{
    m_session.requireIdle();
    DataSet& list = m_session.employeeList();
    if (!list.isOpen()) m_session.openLists();
    const int col = list.fieldIndex(QStringLiteral("ygbh"));
    int found = -1;
    for (int i = 0; i < list.recordCount() && found < 0; ++i)
        if (!list.valueAt(i, col).isNull() && list.valueAt(i, col).toText() == ygbh) found = i;
    if (found < 0) throw CommandRefused(QStringLiteral("员工列表中没有编号 %1").arg(ygbh));
    list.moveTo(found);
    if (!m_session.punchList().isOpen()) m_session.refreshPunchList();
    ctx.CurrentEmployeeNo = ygbh;
    start();
}

void AnalysisEngine::analyseAll(const std::function<void(int, int)>& progress)
{
    m_session.requireIdle();
    DataSet& list = m_session.employeeList();
    if (!list.isOpen()) m_session.openLists();
    const int total = list.recordCount();
    for (int i = 0; i < total; ++i) {
        if (progress) progress(i + 1, total);
        list.moveTo(i);
        ctx.CurrentEmployeeNo = list.text(QStringLiteral("ygbh"));
        start();
        if (m_stopped) break;
    }
}
