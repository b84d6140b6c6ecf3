// Comma- or tab-separated text, UTF-8 (with or without BOM) or GB18030, the
// first line the titles. Every field arrives as text.
#include "import/sheetreader.h"
#include <QFile>
#include <QStringDecoder>
#include <functional>

namespace {

QString decode(const QByteArray& bytes, bool& ok)
{
    ok = true;
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        QStringDecoder utf8(QStringDecoder::Utf8);
        return utf8(bytes.mid(3));
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
    QString text = utf8(bytes);
    if (!utf8.hasError()) return text;
    // Chinese Windows writes its own code page, of which GB18030 is the superset.
    QStringDecoder gb("GB18030", QStringConverter::Flag::Stateless);
    if (!gb.isValid()) {
        ok = false;
        return QString();
    }
    text = gb(bytes);
    ok = !gb.hasError();
    return text;
}

QChar separatorOf(const QString& text)
{
    const qsizetype end = text.indexOf(u'\n');
    const QStringView first = QStringView(text).left(end < 0 ? text.size() : end);
    return first.count(u'\t') > first.count(u',') ? u'\t' : u',';
}

// Splits RFC 4180 style: quoted fields may hold separators, quotes ("") and
// line breaks.
void splitRecords(const QString& text, QChar sep, const std::function<void(int, std::vector<SheetCell>&&)>& sink)
{
    std::vector<SheetCell> cells;
    QString field;
    bool quoted = false, wasQuoted = false;
    int line = 1, recordLine = 1;
    const auto endField = [&] {
        cells.push_back(field.isEmpty() && !wasQuoted ? SheetCell() : SheetCell::ofText(field));
        field.clear();
        wasQuoted = false;
    };
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == u'"') {
                if (i + 1 < n && text[i + 1] == u'"') {
                    field += u'"';
                    ++i;
                } else quoted = false;
            } else {
                if (c == u'\n') ++line;
                field += c;
            }
        } else if (c == u'"' && field.isEmpty()) {
            quoted = wasQuoted = true;
        } else if (c == sep) {
            endField();
        } else if (c == u'\n' || c == u'\r') {
            if (c == u'\r' && i + 1 < n && text[i + 1] == u'\n') ++i;
            endField();
            sink(recordLine, std::move(cells));
            cells.clear();
            recordLine = ++line;
        } else {
            field += c;
        }
    }
    if (!field.isEmpty() || wasQuoted || !cells.empty()) {
        endField();
        sink(recordLine, std::move(cells));
    }
}

} // namespace

namespace SheetReader {

SheetData readCsv(const QString& path, const QString& sheetName)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) fail(path, QStringLiteral("无法打开文件（%1）").arg(f.errorString()));
    const QByteArray bytes = f.readAll();
    if (bytes.contains('\0')) fail(path, QStringLiteral("不是文本格式的 .csv 文件"));
    bool ok = false;
    const QString text = decode(bytes, ok);
    if (!ok) fail(path, QStringLiteral("文件既不是 UTF-8 也不是 GB18030 编码"));
    SheetData sheet;
    sheet.sheetName = sheetName;
    splitRecords(text, separatorOf(text),
                 [&](int line, std::vector<SheetCell>&& cells) { addRow(sheet, line, std::move(cells)); });
    return sheet;
}

} // namespace SheetReader
