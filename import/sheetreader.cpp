#include "import/sheetreader.h"
#include "store/errors.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace SheetReader {

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
