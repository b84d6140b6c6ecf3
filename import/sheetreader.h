#pragma once
#include "import/sheetdata.h"
#include <QString>

// Reads the sheet of a punch export: .xls, .xlsx or .csv, told apart by their
// content (.csv by its name). The sheet is the one named like the file without
// its last extension; an .xlsx with a single sheet may call it anything.
// Throws CommandRefused naming the file and the fault.
namespace SheetReader {

SheetData read(const QString& path);
// The sheet name an import looks for: "a.b" for ".../a.b.xls".
QString expectedSheetName(const QString& path);

// FreeXL runs in a reader process of its own (tallyvane-xls-reader beside
// the executable): a malformed workbook that upsets it ends that process, not
// ours, and is reported as damaged.
SheetData readXls(const QString& path, const QString& sheetName);
// The reading itself, in this process; what the reader process runs.
SheetData readXlsHere(const QString& path, const QString& sheetName);
SheetData readXlsx(const QString& path, const QString& sheetName);
SheetData readCsv(const QString& path, const QString& sheetName);

// Rows as the readers collect them: the first non-empty row holds the titles,
// wholly empty rows are dropped.
void addRow(SheetData& sheet, int number, std::vector<SheetCell>&& cells);
// Throws CommandRefused: "无法导入“path”：detail".
[[noreturn]] void fail(const QString& path, const QString& detail);

} // namespace SheetReader
