#pragma once

class DataSet;
class QPagedPaintDevice;

// The query window's "打印": the shown result, titled "考勤查询", in the plain
// style of the statistics reports (A4, 10 mm margins, a title band with
// headings on the first page, one detail band with a rule per record).
namespace ArchivePrint {

// Lays the pages out on any paged device (a printer, a PDF writer); rows are
// read in the data set's order without moving its cursor. Throws TvError.
void paint(QPagedPaintDevice& device, const DataSet& result);

// Straight to the default printer, no preview, no dialog. Throws
// CommandRefused when there is no default printer.
void printToDefaultPrinter(const DataSet& result);

} // namespace ArchivePrint
