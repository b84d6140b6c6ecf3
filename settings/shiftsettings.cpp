#include "settings/shiftsettings.h"
#include "app/session.h"
#include "settings/slotrules.h"

namespace {

// Bound grids follow once at the end instead of at every row.
class ControlsDisabled {
public:
    explicit ControlsDisabled(DataSet& ds) : m_ds(ds) { m_ds.disableControls(); }
    ~ControlsDisabled() { m_ds.enableControls(); }
    ControlsDisabled(const ControlsDisabled&) = delete;
    ControlsDisabled& operator=(const ControlsDisabled&) = delete;

private:
    DataSet& m_ds;
};

} // namespace

ShiftSettings::ShiftSettings(Session& session) : m_session(session)
{
    SlotRules::installSlotTimeCheck(m_session.slotSet());
}

void ShiftSettings::openDataSets()
{
    m_session.db();
    if (!m_session.slotSet().isOpen()) m_session.slotSet().open();
    if (!m_session.switchSet().isOpen()) m_session.switchSet().open();
}

void ShiftSettings::switchShiftOff() { markShift("X"); }

void ShiftSettings::switchShiftOn() { markShift(""); }

void ShiftSettings::markShift(const char* mark)
{
    m_session.requireIdle();
    DataSet& ds = m_session.slotSet();
    const QString shift = ds.text(QStringLiteral("bcm"));
    ControlsDisabled quiet(ds);
    // A failing post stops the walk; rows already marked keep their mark.
    for (ds.first(); !ds.eof(); ds.next()) {
        if (ds.text(QStringLiteral("bcm")) != shift) continue;
        ds.edit();
        ds.setValue(QStringLiteral("x"), Value(QString::fromUtf8(mark)));
        ds.post();
    }
}

void ShiftSettings::emptyAttendanceTables()
{
    m_session.requireIdle();
    Database& db = m_session.db();
    Transaction tx(db);
    m_session.execCommand(QStringLiteral("delete from kqk"));
    m_session.execCommand(QStringLiteral("delete from kqkend"));
    m_session.execCommand(QStringLiteral("delete from kqkday"));
    tx.commit();
    m_session.closeLists();
}
