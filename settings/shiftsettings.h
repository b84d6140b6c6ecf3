#pragma once

class Session;

// The commands of the shift settings window, without the window: they work
// on the session's slot and switch data sets, which the analysis drives too.
class ShiftSettings {
public:
    // Installs the slot-time check on the session's slot data set.
    explicit ShiftSettings(Session& session);

    // FormShow: opens each data set unless it is open already (then its rows,
    // current row and order stay as they are).
    void openDataSets();

    // "&1.停用本班" / "&2.起用本班": marks every slot of the current row's shift
    // (bcm compared exactly) with "X" or the empty text, in the data set's
    // current order; the cursor is left on the last row.
    void switchShiftOff();
    void switchShiftOn();

    // "清空考勤库数据": kqk, kqkend and kqkday emptied together or not at all,
    // then the main window's lists closed until the next import.
    void emptyAttendanceTables();

private:
    void markShift(const char* mark);
    Session& m_session;
};
