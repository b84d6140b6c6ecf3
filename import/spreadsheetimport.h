#pragma once
#include <QString>

class Session;

// "导入数据" once the file is chosen: reads the export's sheet into kqk, dates
// the rows without a marker, removes duplicate punch records and rows without
// an employee number, and reopens the lists on the first employee. Writes its
// lines to the session's progress panel.
//
// Everything that touches kqk runs in one transaction: a failure leaves kqk as
// it was (and the lists as they were) and throws a TvError naming the fault.
namespace SpreadsheetImport {

struct Outcome {
    int read = 0;                // punch rows read from the sheet
    int skippedWithoutTime = 0;  // rows with an empty "日期时间"
};

Outcome run(Session& session, const QString& path);

} // namespace SpreadsheetImport
