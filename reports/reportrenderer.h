#pragma once
#include "reports/reportlayout.h"
#include "store/dataset.h"

class QPagedPaintDevice;
class QPainter;

// Paints banded layouts on any paged device (a printer, a PDF writer).
namespace ReportRenderer {

// A4 portrait with 10 mm margins all round; call before a painter begins.
void setUpPage(QPagedPaintDevice& device);

// Paints the layout over every row of data from the device's current page on:
// the title band, then a detail band per row (one empty band for no rows),
// starting a new page when the next band does not fit. Returns the pages used.
// Throws when the data set is closed or lacks a field the layout names.
int paint(QPainter& painter, QPagedPaintDevice& device, const ReportLayouts::Layout& layout, const DataSet& data);

} // namespace ReportRenderer
