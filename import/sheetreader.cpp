#include "import/sheetreader.h"
#include "store/errors.h"
#include <QDir>
#include <QFile>
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

SheetData read(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) fail(path, QStringLiteral("无法打开文件（%1）").arg(f.errorString()));
    const QByteArray head = f.read(8);
    f.close();
    const QString sheet = expectedSheetName(path);
    if (head.startsWith("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1")) return readXls(path, sheet);
    if (head.startsWith("PK\x03\x04")) return readXlsx(path, sheet);
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("csv") || suffix == QLatin1String("txt")) return readCsv(path, sheet);
    fail(path, QStringLiteral("不是电子表格文件（支持 .xls、.xlsx 和 .csv）"));
}

} // namespace SheetReader
