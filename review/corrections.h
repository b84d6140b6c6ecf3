#pragma once
#include "store/datetime.h"
#include <QString>
#include <optional>

class Session;
class DataSet;

// The ten numbered corrections of the punch grid's context menu, on the punch
// list (ADOQuery2) and written straight to kqk. The commands that change
// several rows run in one transaction: a failure leaves kqk as it was and the
// list is re-read, so no half-reset day and no stray "del" row remain.
class Corrections {
public:
    explicit Corrections(Session& session) : m_session(session) {}

    void cancelRow();       // "&0.取消本条分析"
    void markNormal();      // "&1.正常"
    void markLate();        // "&2.迟到"
    void markEarly();       // "&3.早退"
    void deleteRow();       // "&4.删除"
    void insertMissing();   // "&5.未打卡", on the last clicked day
    DateTime makeupDate();  // "&6.补卡": the day the calendar moves to
    void cancelDay();       // "&7.本日分析不对"
    void dayNormal();       // "&8.本日打卡正常"
    void cancelPerson();    // "&9.取消此人所有分析"

    // Menu item KEY (0-9); for 6 the calendar's new date, otherwise nothing.
    std::optional<DateTime> run(int key);

    // Row reset of "&0", "&7" and "&9" on the current row.
    static void resetRow(DataSet& list);

private:
    enum class Repaint { Keep, Suspend };
    // Runs a multi-row change and the closing step in one transaction.
    template <class Body> void changeRowsAndClose(Repaint repaint, Body body);
    void markCurrent(const QString& bz, bool handMarked);
    bool hasCurrentRow() const;

    Session& m_session;
};
