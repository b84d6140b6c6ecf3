#include "import/punchrows.h"
#include "import/sheetreader.h"
#include "store/datetexts.h"
#include "store/errors.h"
#include "store/value.h"
#include <QDir>
#include <QRegularExpression>
#include <QStringList>

namespace PunchColumns {

const char* const Titles[4] = {"部门", "姓名", "登记号码", "日期时间"};

namespace {

// Serial numbers from 1900-01-01 to 9999-12-31.
constexpr double FirstSerial = 1, LastSerial = 2958466;

QString cellText(const SheetCell& c)
{
    switch (c.kind) {
    case SheetCell::Kind::Empty:
    case SheetCell::Kind::Unresolved: return QString(QLatin1String(""));
    case SheetCell::Kind::Text: return c.text;
    // 213 stored as a number is the number "213", never "213.0".
    case SheetCell::Kind::Number: return Value(c.number).toStorageText();
    case SheetCell::Kind::DateTime: return DateTexts::formatDateTime(c.dateTime);
    }
    return QString();
}

QString describe(const SheetCell& c)
{
    return c.kind == SheetCell::Kind::Number ? Value(c.number).toStorageText() : c.text;
}

// How many of the four titles the row holds; col[k] is the column of Titles[k] or -1.
int findTitles(const std::vector<SheetCell>& cells, int col[4])
{
    int found = 0;
    for (int k = 0; k < 4; ++k) col[k] = -1;
    for (int i = 0; i < int(cells.size()); ++i) {
        const QString title = cellText(cells[i]).trimmed();
        for (int k = 0; k < 4; ++k)
            if (col[k] < 0 && title == QString::fromUtf8(Titles[k])) {
                col[k] = i;
                ++found;
            }
    }
    return found;
}

// The title row: the first row, or, when a heading (often merged across the
// columns) stands above it, the first of the next rows holding all four
// titles. Returns the index of the first data row in sheet.rows.
size_t locateTitles(const SheetData& sheet, const QString& path, int col[4])
{
    constexpr size_t HeadingRows = 10;
    if (findTitles(sheet.titles, col) == 4) return 0;
    for (size_t i = 0; i < sheet.rows.size() && i < HeadingRows; ++i)
        if (findTitles(sheet.rows[i].cells, col) == 4) return i + 1;
    findTitles(sheet.titles, col);
    QStringList missing;
    for (int k = 0; k < 4; ++k)
        if (col[k] < 0) missing << QStringLiteral("“%1”").arg(QString::fromUtf8(Titles[k]));
    SheetReader::fail(path, QStringLiteral("工作表“%1”的第一行缺少列 %2").arg(sheet.sheetName, missing.join(QStringLiteral("、"))));
}

[[noreturn]] void refuseCell(const SheetData& sheet, const QString& path, int row, int k, const QString& what)
{
    throw ConversionError(QStringLiteral("无法导入“%1”：工作表“%2”第 %3 行的“%4”是%5")
                              .arg(QDir::toNativeSeparators(path), sheet.sheetName)
                              .arg(row)
                              .arg(QString::fromUtf8(Titles[k]), what));
}

} // namespace

bool parsePunchTime(const QString& text, DateTime& out)
{
    const QString t = text.trimmed();
    if (DateTexts::tryParseDateTime(t, out)) return true;
    static const QRegularExpression iso(QStringLiteral(
        "^(\\d{4})[-/.](\\d{1,2})[-/.](\\d{1,2})(?:(?:\\s+|T)(\\d{1,2}):(\\d{1,2})(?::(\\d{1,2}))?)?$"));
    const QRegularExpressionMatch m = iso.match(t);
    if (!m.hasMatch()) return false;
    const int y = m.captured(1).toInt(), mo = m.captured(2).toInt(), d = m.captured(3).toInt();
    const int h = m.captured(4).toInt(), mi = m.captured(5).toInt(), s = m.captured(6).toInt();
    if (!DateTime::validDate(y, mo, d) || h > 23 || mi > 59 || s > 59) return false;
    out = DateTime::fromParts(y, mo, d, h, mi, s);
    return true;
}

PunchRows read(const SheetData& sheet, const QString& path)
{
    int col[4];
    const size_t firstData = locateTitles(sheet, path, col);

    static const SheetCell none;
    PunchRows out;
    out.punches.reserve(sheet.rows.size() - firstData);
    for (size_t r = firstData; r < sheet.rows.size(); ++r) {
        const SheetRow& row = sheet.rows[r];
        const auto cell = [&](int k) -> const SheetCell& {
            return col[k] < int(row.cells.size()) ? row.cells[col[k]] : none;
        };
        for (int k = 0; k < 4; ++k)
            if (cell(k).kind == SheetCell::Kind::Unresolved) refuseCell(sheet, path, row.number, k, cell(k).text);
        const SheetCell& time = cell(3);
        if (time.isEmpty() || (time.kind == SheetCell::Kind::Text && time.text.trimmed().isEmpty())) {
            ++out.skippedWithoutTime;
            continue;
        }
        ImportedPunch p{cellText(cell(0)), cellText(cell(1)), cellText(cell(2)), {}};
        bool ok = true;
        if (time.kind == SheetCell::Kind::DateTime) p.dksj = time.dateTime;
        else if (time.kind == SheetCell::Kind::Number) {
            ok = time.number >= FirstSerial && time.number < LastSerial;
            if (ok) p.dksj = serialToDateTime(time.number, sheet.date1904);
        } else ok = parsePunchTime(time.text, p.dksj);
        if (!ok)
            throw ConversionError(QStringLiteral("无法导入“%1”：工作表“%2”第 %3 行的“日期时间”“%4”不是有效的日期时间")
                                      .arg(QDir::toNativeSeparators(path), sheet.sheetName)
                                      .arg(row.number)
                                      .arg(describe(time)));
        out.punches.push_back(std::move(p));
    }
    return out;
}

} // namespace PunchColumns
