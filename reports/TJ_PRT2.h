#pragma once
#include "reports/reportform.h"

// The attendance-days report "出勤天数统计" over q_tj2.
class TFTJ_PRT2 : public ReportForm {
    Q_OBJECT
public:
    explicit TFTJ_PRT2(DataSet& q_tj2, QObject* parent = nullptr);
    static ReportLayouts::Layout QuickRep1();
};
