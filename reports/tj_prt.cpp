#include "reports/tj_prt.h"

using namespace ReportLayouts;

Tftj_prt::Tftj_prt(DataSet& q_tj1, QObject* parent) : ReportForm(q_tj1, QuickRep2(), parent)
{
    setObjectName(QStringLiteral("ftj_prt"));
}

Layout Tftj_prt::QuickRep2()
{
    Layout l;
    l.title = QStringLiteral("考勤异常统计");
    l.titleBand.height = 22.0;
    l.titleBand.items = {
        ReportLayouts::title(l.title, 0.0, 76.5),
        rule(0.8, 12.7, 75.7),
        heading(QStringLiteral("部  门"), 2.1),
        heading(QStringLiteral("姓  名"), 17.2),
        heading(QStringLiteral("编号"), 32.5),
        heading(QStringLiteral("备  注"), 47.6),
        heading(QStringLiteral("累计"), 63.0),
        rule(0.8, 21.4, 75.4),
    };
    l.detailBand.height = 8.7;
    l.detailBand.items = {
        field(QStringLiteral("BM"), 1.1, 14.0),
        field(QStringLiteral("XM"), 17.5, 12.7),
        field(QStringLiteral("YGBH"), 32.3, 10.3),
        field(QStringLiteral("BZ"), 47.4, 13.0),
        field(QStringLiteral("Expr1004"), 63.0, 10.6),
        rule(0.5, 7.4, 75.7),
    };
    return l;
}
