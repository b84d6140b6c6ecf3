#pragma once
#include "store/dataset.h"
#include "store/datasetmodel.h"
#include <vector>

// One sheet of an exported workbook: a title row from the columns, then the rows.
struct XlsxSheet {
    QString name;
    const DataSet* data = nullptr;
    std::vector<GridColumn> columns;
};

// Writes the sheets into one .xlsx. The file is written beside the target and
// moved over it only when complete, so a failure leaves any old file whole.
// Throws CommandRefused with the reason.
void exportXlsx(const QString& path, const std::vector<XlsxSheet>& sheets);
