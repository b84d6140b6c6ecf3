#pragma once
#include "import/sheetdata.h"
#include <QString>
#include <vector>

// A data row of an export as kqk takes it: department, name, number, time.
struct ImportedPunch {
    QString bm, xm, ygbh;
    DateTime dksj;
};

struct PunchRows {
    std::vector<ImportedPunch> punches;
    int skippedWithoutTime = 0; // rows whose "日期时间" is empty
};

namespace PunchColumns {

// The four titles, in the order of bm, xm, ygbh, dksj.
extern const char* const Titles[4];

// Finds the four columns by title and converts every data row. Throws
// CommandRefused for a missing column, ConversionError for a punch time that
// is no date-time; both name the file, the sheet and the column or row.
PunchRows read(const SheetData& sheet, const QString& path);

// A punch time written as text: the locale's date format or yyyy-M-d (also
// with "/"), each optionally followed by H:mm or H:mm:ss.
bool parsePunchTime(const QString& text, DateTime& out);

} // namespace PunchColumns
