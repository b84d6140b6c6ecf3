#pragma once
#include "store/datetime.h"
#include <QString>

// The analysis state shared by the start/stop toggle, the analysis routines,
// the punch grid's click and the corrections. One record for the program.
struct AnalysisContext {
    int AnalysisRunning = 0;
    QString CurrentEmployeeNo;
    QString CurrentDept;
    QString CurrentName;
    QString CurrentDay;
    DateTime DayAnchor;
    DateTime WindowStart;
    DateTime WindowEnd;
    QString ChosenShift;
    QString CurrentSlot;
    QString ProcessedDays;
    int GraceMinutes = 0;
    int MissingMinutes = 0;
    DateTime OnDutyTime;
    DateTime OffDutyTime;
};
