#include "analysis/analysisengine.h"

namespace {
// A plain substring search; an empty text is found nowhere.
bool occursIn(const QString& needle, const QString& hay) { return !needle.isEmpty() && hay.contains(needle); }
} // namespace

void AnalysisEngine::loadSlots()
{
    DataSet& slotData = m_session.slotSet();
    if (!slotData.isOpen()) slotData.open();
    m_slots.clear();
    m_order.clear();
    const int cBcm = slotData.fieldIndex(QStringLiteral("bcm")), cDkc = slotData.fieldIndex(QStringLiteral("dkc")),
              cTime = slotData.fieldIndex(QStringLiteral("dksj")), cX = slotData.fieldIndex(QStringLiteral("x")),
              cBz = slotData.fieldIndex(QStringLiteral("bz")), cCz = slotData.fieldIndex(QStringLiteral("cz")),
              cCz1 = slotData.fieldIndex(QStringLiteral("cz1"));
    for (int i = 0; i < slotData.recordCount(); ++i) {
        SlotWork s;
        s.row = i;
        s.bcm = slotData.valueAt(i, cBcm).toText();
        s.bcmNull = slotData.valueAt(i, cBcm).isNull();
        s.dkc = slotData.valueAt(i, cDkc).toText();
        s.timeText = slotData.valueAt(i, cTime).toText().trimmed();
        s.x = slotData.valueAt(i, cX).toText();
        m_slots.push_back(s);
        m_order.push_back(i);
    }
    m_slotsLoaded = true;
}

// Writes the day's working values of every slot row that changed, once, and
// leaves the data set in the order matching left it in.
void AnalysisEngine::flushSlots()
{
    if (!m_slotsLoaded) return;
    DataSet& slotData = m_session.slotSet();
    Database& db = m_session.db();
    Statement& upd = db.cached(QStringLiteral("update dksjszk set x=:x, bz=:bz, cz=:cz, cz1=:cz1 where _rowid_=:rid"));
    const int cX = slotData.fieldIndex(QStringLiteral("x")), cBz = slotData.fieldIndex(QStringLiteral("bz")),
              cCz = slotData.fieldIndex(QStringLiteral("cz")), cCz1 = slotData.fieldIndex(QStringLiteral("cz1"));
    for (const SlotWork& s : m_slots) {
        const Value x(s.x), bz(s.bz), cz(s.cz), cz1(s.cz1);
        if (slotData.valueAt(s.row, cX) == x && slotData.valueAt(s.row, cBz) == bz && slotData.valueAt(s.row, cCz) == cz &&
            slotData.valueAt(s.row, cCz1) == cz1)
            continue;
        upd.reset();
        upd.bind({{":x", x}, {":bz", bz}, {":cz", cz}, {":cz1", cz1}, {":rid", Value(slotData.rowIdAt(s.row))}});
        upd.step();
        slotData.assumeStored(s.row, cX, x);
        slotData.assumeStored(s.row, cBz, bz);
        slotData.assumeStored(s.row, cCz, cz);
        slotData.assumeStored(s.row, cCz1, cz1);
    }
    bool moved = false;
    for (size_t i = 0; i < m_order.size(); ++i) moved = moved || m_order[i] != int(i);
    if (moved) {
        std::vector<int> perm;
        for (int i : m_order) perm.push_back(m_slots[i].row);
        slotData.reorder(perm, QStringLiteral("cz ASC"));
    }
    m_slotsLoaded = false; // the next day reads the rows afresh, in their new order
}

void AnalysisEngine::fx01()
{
    if (ctx.AnalysisRunning == 0) return;
    DataSet& switches = m_session.switchSet();
    if (switches.hasPendingChanges()) switches.post();
    if (!switches.isOpen()) switches.open();
    if (!m_slotsLoaded) loadSlots();

    const QString key = ctx.CurrentName.trimmed() + ctx.CurrentEmployeeNo.trimmed();
    Statement& upd = m_session.db().cached(QStringLiteral("update bcmsz set k_g=:k where _rowid_=:rid"));
    const int cKg = switches.fieldIndex(QStringLiteral("k_g")), cMrk = switches.fieldIndex(QStringLiteral("mrk_g")),
              cBut = switches.fieldIndex(QStringLiteral("but_")), cBcm = switches.fieldIndex(QStringLiteral("bcm"));
    QString offList = QStringLiteral(";");
    for (int i = 0; i < switches.recordCount(); ++i) {
        const QString but = switches.valueAt(i, cBut).toText();
        const Value mrk = switches.valueAt(i, cMrk);
        const bool exception = occursIn(ctx.CurrentDept, but) || occursIn(key, but);
        const Value kg = mrk.isNull() ? Value() : Value(exception ? -mrk.toInt() : mrk.toInt());
        if (!(switches.valueAt(i, cKg) == kg)) {
            upd.reset();
            upd.bind({{":k", kg}, {":rid", Value(switches.rowIdAt(i))}});
            upd.step();
            switches.assumeStored(i, cKg, kg);
        }
        if (kg.equalsInt(-1)) offList += switches.valueAt(i, cBcm).toText() + u';';
    }
    for (SlotWork& s : m_slots)
        s.x = offList.contains(u';' + s.bcm + u';') ? QStringLiteral("X") : QString();
}
