// Excel 97-2003 workbooks through FreeXL.
#include "import/biffscan.h"
#include "import/compoundfile.h"
#include "import/sheetreader.h"
#include <QFile>
#include <QStringList>
#include <freexl.h>

namespace {

struct XlsHandle {
    const void* h = nullptr;
    ~XlsHandle() { if (h) freexl_close(h); }
};

// FreeXL writes date cells as "YYYY-MM-DD" or "YYYY-MM-DD HH:MM:SS".
SheetCell dateCell(const char* text)
{
    const QString t = QString::fromUtf8(text);
    if (auto d = DateTime::fromIso(t.size() == 10 ? t + QStringLiteral(" 00:00:00") : t)) return SheetCell::ofDateTime(*d);
    return SheetCell::ofText(t);
}

SheetCell readCell(const void* h, unsigned row, unsigned short col)
{
    FreeXL_CellValue v;
    if (freexl_get_cell_value(h, row, col, &v) != FREEXL_OK) return {};
    switch (v.type) {
    case FREEXL_CELL_INT: return SheetCell::ofNumber(v.value.int_value);
    case FREEXL_CELL_DOUBLE: return SheetCell::ofNumber(v.value.double_value);
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT: return SheetCell::ofText(QString::fromUtf8(v.value.text_value));
    case FREEXL_CELL_DATE:
    case FREEXL_CELL_DATETIME: return dateCell(v.value.text_value);
    // A time of day alone is no punch time; kept as text, it is refused by name.
    case FREEXL_CELL_TIME: return SheetCell::ofText(QString::fromUtf8(v.value.text_value));
    default: return {};
    }
}

const QString& formulaCell()
{
    static const QString what = QStringLiteral(
        "公式，本程序读不到 Excel 97-2003 工作簿中公式的结果（请把公式转换为数值，或另存为 .xlsx 后再导入）");
    return what;
}

// A password-protected .xlsx is a compound file too, holding its package
// encrypted; an .xls saved with a password starts its globals with FILEPASS.
BiffScan scanWorkbook(const QString& path, const QString& sheetName)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    const auto cf = CompoundFile::parse(f.readAll());
    if (!cf) return {};
    if (cf->streamNames().contains(QStringLiteral("EncryptedPackage"), Qt::CaseInsensitive)) {
        BiffScan protectedPackage;
        protectedPackage.passwordProtected = true;
        return protectedPackage;
    }
    const auto workbook = cf->stream(QStringLiteral("Workbook"));
    return workbook ? BiffScan::of(*workbook, sheetName) : BiffScan{};
}

// FreeXL's codes in the words a clerk can act on; the code stays for support.
QString openFailure(int rc)
{
    QString what;
    switch (rc) {
    case FREEXL_FILE_NOT_FOUND: what = QStringLiteral("无法读取文件"); break;
    case FREEXL_INSUFFICIENT_MEMORY: what = QStringLiteral("内存不足"); break;
    case FREEXL_BIFF_WORKBOOK_NOT_FOUND: what = QStringLiteral("文件中没有工作簿数据"); break;
    case FREEXL_BIFF_INVALID_BOF:
    case FREEXL_UNSUPPORTED_CHARSET: what = QStringLiteral("本程序不支持它的版本或字符集"); break;
    default: what = QStringLiteral("文件已损坏或不完整"); break;
    }
    return QStringLiteral("不是可读的 Excel 97-2003 工作簿：%1（错误 %2）").arg(what).arg(rc);
}

void refuseProtected(const QString& path)
{
    SheetReader::fail(path, QStringLiteral("工作簿设有密码保护（请在 Excel 中取消密码后另存，再导入）"));
}

} // namespace

namespace SheetReader {

SheetData readXlsHere(const QString& path, const QString& sheetName)
{
    // Before FreeXL: in an encrypted workbook even the sheet names are garbled.
    const BiffScan scan = scanWorkbook(path, sheetName);
    if (scan.passwordProtected) refuseProtected(path);
    XlsHandle xls;
    const int rc = freexl_open(QFile::encodeName(path).constData(), &xls.h);
    // The handle is closed even after a failed open: FreeXL keeps what it read.
    if (rc != FREEXL_OK) fail(path, openFailure(rc));
    unsigned count = 0;
    freexl_get_info(xls.h, FREEXL_BIFF_SHEET_COUNT, &count);
    QStringList names;
    int found = -1;
    for (unsigned i = 0; i < count; ++i) {
        const char* name = nullptr;
        if (freexl_get_worksheet_name(xls.h, i, &name) != FREEXL_OK || !name) continue;
        names << QString::fromUtf8(name);
        if (found < 0 && names.last().compare(sheetName, Qt::CaseInsensitive) == 0) found = int(i);
    }
    if (found < 0)
        fail(path, QStringLiteral("没有名为“%1”的工作表（工作簿中有：%2）").arg(sheetName, names.join(QStringLiteral("、"))));

    SheetData sheet;
    sheet.sheetName = names[found];
    unsigned mode = 0;
    if (freexl_get_info(xls.h, FREEXL_BIFF_DATEMODE, &mode) == FREEXL_OK) sheet.date1904 = mode == FREEXL_BIFF_DATEMODE_1904;
    if (freexl_select_active_worksheet(xls.h, static_cast<unsigned short>(found)) != FREEXL_OK)
        fail(path, QStringLiteral("无法读取工作表“%1”").arg(sheet.sheetName));
    unsigned rows = 0;
    unsigned short cols = 0;
    if (freexl_worksheet_dimensions(xls.h, &rows, &cols) != FREEXL_OK)
        fail(path, QStringLiteral("无法读取工作表“%1”").arg(sheet.sheetName));
    sheet.rows.reserve(rows);
    for (unsigned r = 0; r < rows; ++r) {
        std::vector<SheetCell> cells(cols);
        for (unsigned short c = 0; c < cols; ++c) {
            cells[c] = readCell(xls.h, r, c);
            if (cells[c].isEmpty() && scan.formulaCells.contains(BiffScan::key(r, c)))
                cells[c] = SheetCell::ofUnresolved(formulaCell());
        }
        addRow(sheet, int(r) + 1, std::move(cells));
    }
    return sheet;
}

} // namespace SheetReader
