#pragma once
#include <QString>
#include <vector>

class ReportForm;

// Writes the reports one after the other into one A4 PDF. The file is only
// replaced once every page is written. Returns the page count; throws
// CommandRefused with the reason.
int writeReportsPdf(const QString& path, const std::vector<const ReportForm*>& reports);
