#pragma once
#include <QPrinter>
#include <functional>
#include <memory>
#include <vector>

class ReportForm;

// Gives the printer for one print job, or nullptr when there is none.
using PrinterSource = std::function<std::unique_ptr<QPrinter>()>;

// The system's default printer; nullptr when none is set up.
std::unique_ptr<QPrinter> defaultPrinter();

// Prints the reports in order, each as a job of its own, straight to the
// source's printer without preview or dialog. Stops at the first report that
// cannot be printed and throws CommandRefused naming what was and was not printed.
void printReports(const std::vector<const ReportForm*>& reports, const PrinterSource& source = defaultPrinter);
