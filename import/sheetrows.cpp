#include "import/sheetreader.h"
#include "store/errors.h"
#include <QDir>
#include <QFileInfo>

namespace SheetReader {

void fail(const QString& path, const QString& detail)
{
    throw CommandRefused(QStringLiteral("无法导入“%1”：%2").arg(QDir::toNativeSeparators(path), detail));
}

QString expectedSheetName(const QString& path) { return QFileInfo(path).completeBaseName(); }

void addRow(SheetData& sheet, int number, std::vector<SheetCell>&& cells)
{
    bool empty = true;
    for (const SheetCell& c : cells) {
        if (!c.isEmpty()) {
            empty = false;
            break;
        }
    }
    if (empty) return;
    if (sheet.titles.empty()) sheet.titles = std::move(cells);
    else sheet.rows.push_back({number, std::move(cells)});
}

} // namespace SheetReader
