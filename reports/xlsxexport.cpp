#include "reports/xlsxexport.h"
#include "store/errors.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <xlsxwriter.h>

namespace {

QString failure(const QString& path, const QString& reason)
{
    return QStringLiteral("无法导出Excel文件 %1：%2").arg(QDir::toNativeSeparators(path), reason);
}

void writeCell(lxw_worksheet* ws, int row, int col, const Value& v)
{
    switch (v.type()) {
    case Value::Type::Null: break;
    case Value::Type::Integer:
    case Value::Type::Real: worksheet_write_number(ws, lxw_row_t(row), lxw_col_t(col), v.toReal(), nullptr); break;
    default: worksheet_write_string(ws, lxw_row_t(row), lxw_col_t(col), v.toText().toUtf8().constData(), nullptr);
    }
}

void writeSheet(lxw_workbook* wb, lxw_format* titleFormat, const XlsxSheet& sheet, const QString& path)
{
    lxw_worksheet* ws = workbook_add_worksheet(wb, sheet.name.toUtf8().constData());
    if (!ws) throw CommandRefused(failure(path, QStringLiteral("工作表名无效：") + sheet.name));
    std::vector<int> fields;
    for (size_t c = 0; c < sheet.columns.size(); ++c) {
        const GridColumn& col = sheet.columns[c];
        worksheet_write_string(ws, 0, lxw_col_t(c), col.title.toUtf8().constData(), titleFormat);
        // Grid pixels to spreadsheet character widths, roomy enough for CJK text.
        worksheet_set_column(ws, lxw_col_t(c), lxw_col_t(c), col.width / 6.0 + 2, nullptr);
        const int fi = sheet.data && sheet.data->isOpen() ? sheet.data->fieldIndex(col.field) : -1;
        if (sheet.data && sheet.data->isOpen() && fi < 0)
            throw CommandRefused(failure(path, QStringLiteral("缺少字段 ") + col.field));
        fields.push_back(fi);
    }
    if (!sheet.data || !sheet.data->isOpen()) return;
    for (int r = 0; r < sheet.data->recordCount(); ++r)
        for (size_t c = 0; c < fields.size(); ++c) writeCell(ws, r + 1, int(c), sheet.data->valueAt(r, fields[c]));
}

} // namespace

void exportXlsx(const QString& path, const std::vector<XlsxSheet>& sheets)
{
    const QFileInfo target(path);
    QTemporaryFile tmp(target.absolutePath() + QStringLiteral("/.xlsx-export-XXXXXX"));
    if (!tmp.open()) throw CommandRefused(failure(path, tmp.errorString()));
    tmp.close();
    const QByteArray tmpName = QFile::encodeName(tmp.fileName());

    lxw_workbook* wb = workbook_new(tmpName.constData());
    if (!wb) throw CommandRefused(failure(path, QStringLiteral("无法创建工作簿")));
    try {
        lxw_format* titleFormat = workbook_add_format(wb);
        format_set_bold(titleFormat);
        for (const XlsxSheet& s : sheets) writeSheet(wb, titleFormat, s, path);
    } catch (...) {
        workbook_close(wb);
        throw;
    }
    const lxw_error err = workbook_close(wb);
    if (err != LXW_NO_ERROR) throw CommandRefused(failure(path, QString::fromUtf8(lxw_strerror(err))));
    // A temporary file is private to its owner; the export is an ordinary document.
    QFile::setPermissions(tmp.fileName(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                              QFileDevice::ReadGroup | QFileDevice::ReadOther);
    if (std::rename(tmpName.constData(), QFile::encodeName(target.absoluteFilePath()).constData()) != 0)
        throw CommandRefused(failure(path, QString::fromLocal8Bit(std::strerror(errno))));
}
