#pragma once
#include "reports/reportform.h"

// The anomaly report "考勤异常统计" over q_tj1.
class Tftj_prt : public ReportForm {
    Q_OBJECT
public:
    explicit Tftj_prt(DataSet& q_tj1, QObject* parent = nullptr);
    static ReportLayouts::Layout QuickRep2();
};
