#include "reports/TJ_PRT2.h"

using namespace ReportLayouts;

TFTJ_PRT2::TFTJ_PRT2(DataSet& q_tj2, QObject* parent) : ReportForm(q_tj2, QuickRep1(), parent)
{
    setObjectName(QStringLiteral("FTJ_PRT2"));
}

Layout TFTJ_PRT2::QuickRep1()
{
    Layout l;
    l.title = QStringLiteral("出勤天数统计");
    l.titleBand.height = 22.8;
    l.titleBand.items = {
        ReportLayouts::title(l.title, 2.1, 74.1),
        rule(0.8, 12.7, 75.7),
        heading(QStringLiteral("部  门"), 3.7),
        heading(QStringLiteral("姓  名"), 19.1),
        heading(QStringLiteral("编号"), 35.5),
        heading(QStringLiteral("出勤天数"), 50.5),
        rule(0.8, 21.4, 75.4),
    };
    l.detailBand.height = 8.5;
    l.detailBand.items = {
        field(QStringLiteral("BM"), 3.4, 13.2),
        field(QStringLiteral("XM"), 18.8, 13.2),
        field(QStringLiteral("YGBH"), 35.2, 10.3),
        field(QStringLiteral("Expr1003"), 50.3, 21.2),
        rule(0.5, 7.4, 75.7),
    };
    return l;
}
