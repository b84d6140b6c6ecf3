#pragma once
#include "reports/reportlayout.h"
#include <QFont>
#include <QString>

// The one place where the report faces are chosen. The title asks for "黑体"
// and the rest for Arial; where those are not installed the nearest installed
// face stands in, and Chinese text in a Latin face falls back to a CJK sans.
namespace ReportFonts {

QString titleFamily();  // "黑体", else the nearest installed CJK sans
QString arialFamily();  // Arial, else a metric-compatible sans
QString cjkFamily();    // the CJK sans used for Chinese text in Latin faces

double pointSize(ReportLayouts::FontRole role);
QFont font(ReportLayouts::FontRole role);

} // namespace ReportFonts
