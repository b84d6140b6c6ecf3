#include "analysis/analysisengine.h"
#include <map>

namespace {
// A plain substring search; an empty text is found nowhere.
bool occursIn(const QString& needle, const QString& hay) { return !needle.isEmpty() && hay.contains(needle); }

// Row index of each record of a data set, by rowid.
std::map<qint64, int> rowsById(const DataSet& ds)
{
    std::map<qint64, int> rows;
    if (ds.isOpen())
        for (int i = 0; i < ds.recordCount(); ++i) rows[ds.rowIdAt(i)] = i;
    return rows;
}
} // namespace

// The slot rows as the table holds them, in its own order, as a freshly
// opened slot data set would give them; read once a day.
void AnalysisEngine::loadSlots()
{
    m_slots.clear();
    m_order.clear();
    Statement& st = m_session.db().cached(
        QStringLiteral("select _rowid_, bcm, dkc, dksj, x, bz, cz, cz1 from dksjszk order by _rowid_"));
    while (st.step()) {
        SlotWork s;
        s.rowid = st.value(0).toInt();
        s.bcmNull = st.value(1).isNull();
        s.bcm = st.value(1).toText();
        s.dkc = st.value(2).toText();
        s.timeText = st.value(3).toText().trimmed();
        s.x = st.value(4).toText();
        for (int i = 0; i < 4; ++i) s.stored[i] = st.value(4 + i);
        m_order.push_back(int(m_slots.size()));
        m_slots.push_back(s);
    }
    m_slotsLoaded = true;
}

// Writes the day's working values of every slot row that changed, once.
void AnalysisEngine::flushSlots()
{
    if (!m_slotsLoaded) return;
    Statement& upd =
        m_session.db().cached(QStringLiteral("update dksjszk set x=:x, bz=:bz, cz=:cz, cz1=:cz1 where _rowid_=:rid"));
    for (const SlotWork& s : m_slots) {
        const Value now[4] = {Value(s.x), Value(s.bz), Value(s.cz), Value(s.cz1)};
        if (now[0] == s.stored[0] && now[1] == s.stored[1] && now[2] == s.stored[2] && now[3] == s.stored[3]) continue;
        upd.reset();
        upd.bind({{":x", now[0]}, {":bz", now[1]}, {":cz", now[2]}, {":cz1", now[3]}, {":rid", Value(s.rowid)}});
        upd.step();
    }
    showSlotsInDataSet();
    m_slotsLoaded = false; // the next day reads the rows afresh
}

// The slot data set shows what the day left: the values, and matching's order.
void AnalysisEngine::showSlotsInDataSet()
{
    DataSet& ds = m_session.slotSet();
    if (!ds.isOpen()) return;
    const std::map<qint64, int> rows = rowsById(ds);
    const int cols[4] = {ds.fieldIndex(QStringLiteral("x")), ds.fieldIndex(QStringLiteral("bz")),
                         ds.fieldIndex(QStringLiteral("cz")), ds.fieldIndex(QStringLiteral("cz1"))};
    std::vector<int> perm;
    std::vector<bool> placed(ds.recordCount(), false);
    for (int i : m_order) {
        const SlotWork& s = m_slots[i];
        auto it = rows.find(s.rowid);
        if (it == rows.end()) continue;
        const Value now[4] = {Value(s.x), Value(s.bz), Value(s.cz), Value(s.cz1)};
        for (int k = 0; k < 4; ++k)
            if (!(ds.valueAt(it->second, cols[k]) == now[k])) ds.assumeStored(it->second, cols[k], now[k]);
        perm.push_back(it->second);
        placed[it->second] = true;
    }
    for (int r = 0; r < ds.recordCount(); ++r)
        if (!placed[r]) perm.push_back(r);
    bool moved = false;
    for (size_t i = 0; i < perm.size(); ++i) moved = moved || perm[i] != int(i);
    if (moved) ds.reorder(perm, QStringLiteral("cz ASC"));
}

void AnalysisEngine::fx01()
{
    if (ctx.AnalysisRunning == 0) return;
    DataSet& switches = m_session.switchSet();
    if (switches.hasPendingChanges()) switches.post();
    if (!m_slotsLoaded) loadSlots();

    // The switches as stored (a freshly opened switch data set), first to last.
    const QString key = ctx.CurrentName.trimmed() + ctx.CurrentEmployeeNo.trimmed();
    Database& db = m_session.db();
    QueryResult rows;
    Statement& read = db.cached(QStringLiteral("select _rowid_, k_g, mrk_g, but_, bcm from bcmsz order by _rowid_"));
    while (read.step()) rows.rows.push_back({read.value(0), read.value(1), read.value(2), read.value(3), read.value(4)});
    Statement& upd = db.cached(QStringLiteral("update bcmsz set k_g=:k where _rowid_=:rid"));
    const std::map<qint64, int> shown = rowsById(switches);
    const int cKg = switches.isOpen() ? switches.fieldIndex(QStringLiteral("k_g")) : -1;
    QString offList = QStringLiteral(";");
    for (const auto& r : rows.rows) {
        const Value& mrk = r[2];
        const bool exception = occursIn(ctx.CurrentDept, r[3].toText()) || occursIn(key, r[3].toText());
        const Value kg = mrk.isNull() ? Value() : Value(exception ? -mrk.toInt() : mrk.toInt());
        if (!(r[1] == kg)) {
            upd.reset();
            upd.bind({{":k", kg}, {":rid", r[0]}});
            upd.step();
        }
        auto it = shown.find(r[0].toInt());
        if (it != shown.end() && cKg >= 0 && !(switches.valueAt(it->second, cKg) == kg))
            switches.assumeStored(it->second, cKg, kg);
        if (kg.equalsInt(-1)) offList += r[4].toText() + u';';
    }
    for (SlotWork& s : m_slots)
        s.x = offList.contains(u';' + s.bcm + u';') ? QStringLiteral("X") : QString();
}
