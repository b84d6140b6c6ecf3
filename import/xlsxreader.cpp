// Office Open XML workbooks: the zip through minizip, the parts through
// QXmlStreamReader. Reads shared and inline strings, numbers, and numbers
// whose cell style has a date format as date-times.
#include "import/sheetreader.h"
#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QStringList>
#include <QXmlStreamReader>
#include <unzip.h>
#include <optional>

namespace {

class ZipArchive {
public:
    explicit ZipArchive(const QString& path) : m_zip(unzOpen64(QFile::encodeName(path).constData())) {}
    ~ZipArchive() { if (m_zip) unzClose(m_zip); }
    bool isOpen() const { return m_zip != nullptr; }

    std::optional<QByteArray> entry(const QString& name)
    {
        const QByteArray n = name.toUtf8();
        if (unzLocateFile(m_zip, n.constData(), 2) != UNZ_OK) return std::nullopt;
        if (unzOpenCurrentFile(m_zip) != UNZ_OK) return std::nullopt;
        QByteArray data;
        char buf[65536];
        int got;
        while ((got = unzReadCurrentFile(m_zip, buf, sizeof buf)) > 0) data.append(buf, got);
        const bool ok = unzCloseCurrentFile(m_zip) == UNZ_OK && got == 0;
        if (!ok) return std::nullopt;
        return data;
    }

private:
    unzFile m_zip;
};

QString attr(const QXmlStreamReader& x, QLatin1String name) { return x.attributes().value(name).toString(); }

// The relationship id of a <sheet>: r:id, whatever prefix the file uses.
QString relationId(const QXmlStreamReader& x)
{
    for (const QXmlStreamAttribute& a : x.attributes())
        if (a.name() == QLatin1String("id") && !a.namespaceUri().isEmpty()) return a.value().toString();
    return QString();
}

// Text of the element the reader stands on, rich-text runs joined, phonetic
// guides (rPh) left out.
QString stringItem(QXmlStreamReader& x)
{
    QString out;
    int depth = 1, phonetic = 0;
    while (depth > 0 && !x.atEnd()) {
        x.readNext();
        if (x.isStartElement()) {
            ++depth;
            if (x.name() == QLatin1String("rPh")) ++phonetic;
            else if (x.name() == QLatin1String("t") && !phonetic) {
                out += x.readElementText();
                --depth;
            }
        } else if (x.isEndElement()) {
            --depth;
            if (x.name() == QLatin1String("rPh")) --phonetic;
        }
    }
    return out;
}

QStringList sharedStrings(const QByteArray& xml)
{
    QStringList out;
    QXmlStreamReader x(xml);
    while (!x.atEnd()) {
        x.readNext();
        if (x.isStartElement() && x.name() == QLatin1String("si")) out << stringItem(x);
    }
    return out;
}

bool isBuiltinDateFormat(int id)
{
    return (id >= 14 && id <= 22) || (id >= 27 && id <= 36) || (id >= 45 && id <= 47) || (id >= 50 && id <= 58);
}

// A custom format is a date format when, outside quotes, escapes and colour or
// condition brackets, it holds a date or time letter.
bool isDateFormatCode(const QString& code)
{
    QString bare;
    for (int i = 0; i < code.size(); ++i) {
        const QChar c = code[i];
        if (c == u'"') {
            while (++i < code.size() && code[i] != u'"') {}
        } else if (c == u'\\' || c == u'_' || c == u'*') {
            ++i;
        } else if (c == u'[') {
            const int end = code.indexOf(u']', i);
            const QString inner = code.mid(i + 1, end < 0 ? -1 : end - i - 1).toLower();
            static const QRegularExpression elapsed(QStringLiteral("^(h+|m+|s+)$"));
            if (elapsed.match(inner).hasMatch()) bare += inner;
            i = end < 0 ? code.size() : end;
        } else {
            bare += c.toLower();
        }
    }
    if (bare.contains(QLatin1String("general"))) return false;
    static const QRegularExpression letters(QStringLiteral("[ymdhs]"));
    return bare.contains(letters);
}

// One flag per cell style (the s attribute): does it format as a date?
std::vector<bool> dateStyles(const QByteArray& xml)
{
    QHash<int, QString> customFormats;
    std::vector<bool> out;
    QXmlStreamReader x(xml);
    bool inCellXfs = false;
    while (!x.atEnd()) {
        x.readNext();
        if (x.isStartElement()) {
            if (x.name() == QLatin1String("numFmt"))
                customFormats.insert(attr(x, QLatin1String("numFmtId")).toInt(), attr(x, QLatin1String("formatCode")));
            else if (x.name() == QLatin1String("cellXfs")) inCellXfs = true;
            else if (inCellXfs && x.name() == QLatin1String("xf")) {
                const int id = attr(x, QLatin1String("numFmtId")).toInt();
                out.push_back(customFormats.contains(id) ? isDateFormatCode(customFormats.value(id)) : isBuiltinDateFormat(id));
            }
        } else if (x.isEndElement() && x.name() == QLatin1String("cellXfs")) {
            inCellXfs = false;
        }
    }
    return out;
}

// "BC12" -> 54 (0-based column); -1 when the reference is missing.
int columnOf(QStringView ref)
{
    int col = 0, letters = 0;
    for (QChar c : ref) {
        if (c >= u'A' && c <= u'Z') col = col * 26 + (c.unicode() - 'A' + 1);
        else if (c >= u'a' && c <= u'z') col = col * 26 + (c.unicode() - 'a' + 1);
        else break;
        ++letters;
    }
    return letters ? col - 1 : -1;
}

struct WorkbookInfo {
    struct Sheet {
        QString name, relId;
    };
    std::vector<Sheet> sheets;
    bool date1904 = false;
};

WorkbookInfo workbookInfo(const QByteArray& xml)
{
    WorkbookInfo info;
    QXmlStreamReader x(xml);
    while (!x.atEnd()) {
        x.readNext();
        if (!x.isStartElement()) continue;
        if (x.name() == QLatin1String("workbookPr")) {
            const QString v = attr(x, QLatin1String("date1904"));
            info.date1904 = v == QLatin1String("1") || v == QLatin1String("true");
        } else if (x.name() == QLatin1String("sheet")) {
            info.sheets.push_back({attr(x, QLatin1String("name")), relationId(x)});
        }
    }
    return info;
}

QString sheetPartPath(const QByteArray& relsXml, const QString& relId)
{
    QXmlStreamReader x(relsXml);
    while (!x.atEnd()) {
        x.readNext();
        if (x.isStartElement() && x.name() == QLatin1String("Relationship") && attr(x, QLatin1String("Id")) == relId) {
            const QString target = attr(x, QLatin1String("Target"));
            return target.startsWith(u'/') ? target.mid(1) : QStringLiteral("xl/") + target;
        }
    }
    return QString();
}

class SheetParser {
public:
    SheetParser(SheetData& sheet, const QStringList& strings, const std::vector<bool>& dateStyles)
        : m_sheet(sheet), m_strings(strings), m_dateStyles(dateStyles) {}

    bool parse(const QByteArray& xml)
    {
        QXmlStreamReader x(xml);
        int nextRow = 1;
        while (!x.atEnd()) {
            x.readNext();
            if (x.isStartElement() && x.name() == QLatin1String("row")) {
                const int r = attr(x, QLatin1String("r")).toInt();
                const int number = r > 0 ? r : nextRow;
                SheetReader::addRow(m_sheet, number, readRow(x));
                nextRow = number + 1;
            }
        }
        return !x.hasError();
    }

private:
    std::vector<SheetCell> readRow(QXmlStreamReader& x)
    {
        std::vector<SheetCell> cells;
        while (x.readNextStartElement()) {
            if (x.name() != QLatin1String("c")) {
                x.skipCurrentElement();
                continue;
            }
            int col = columnOf(x.attributes().value(QLatin1String("r")));
            if (col < 0) col = int(cells.size());
            const QString type = attr(x, QLatin1String("t"));
            const int style = attr(x, QLatin1String("s")).toInt();
            SheetCell cell = readCell(x, type, style);
            if (col >= int(cells.size())) cells.resize(col + 1);
            cells[col] = std::move(cell);
        }
        return cells;
    }

    SheetCell readCell(QXmlStreamReader& x, const QString& type, int style)
    {
        QString value, inlineText;
        bool hasInline = false, hasValue = false, hasFormula = false;
        while (x.readNextStartElement()) {
            if (x.name() == QLatin1String("v")) {
                value = x.readElementText();
                hasValue = true;
            } else if (x.name() == QLatin1String("is")) {
                inlineText = stringItem(x);
                hasInline = true;
            } else {
                hasFormula |= x.name() == QLatin1String("f");
                x.skipCurrentElement();
            }
        }
        if (type == QLatin1String("inlineStr")) return hasInline ? SheetCell::ofText(inlineText) : SheetCell();
        // Programs that write formulas without computing them leave out <v>.
        if (hasFormula && !hasValue)
            return SheetCell::ofUnresolved(QStringLiteral("没有计算结果的公式（请在 Excel 中打开工作簿，重新计算并保存后再导入）"));
        if (type == QLatin1String("e")) return SheetCell::ofUnresolved(QStringLiteral("错误值“%1”").arg(value));
        if (value.isEmpty()) return {};
        if (type == QLatin1String("s")) {
            const int i = value.toInt();
            return i >= 0 && i < m_strings.size() ? SheetCell::ofText(m_strings[i]) : SheetCell();
        }
        if (type == QLatin1String("str")) return SheetCell::ofText(value);
        if (type == QLatin1String("d")) {
            QString iso = value.left(19).replace(u'T', u' ');
            if (iso.size() == 10) iso += QStringLiteral(" 00:00:00");
            if (auto d = DateTime::fromIso(iso)) return SheetCell::ofDateTime(*d);
            return SheetCell::ofText(value);
        }
        bool ok = false;
        const double n = value.toDouble(&ok);
        if (!ok) return SheetCell::ofText(value);
        if (type != QLatin1String("b") && style >= 0 && style < int(m_dateStyles.size()) && m_dateStyles[style]) {
            // A time of day alone is no punch time; kept as text, it is refused by name (as in .xls).
            if (n >= 0 && n < 1) return SheetCell::ofText(value);
            return SheetCell::ofDateTime(serialToDateTime(n, m_sheet.date1904));
        }
        return SheetCell::ofNumber(n);
    }

    SheetData& m_sheet;
    const QStringList& m_strings;
    const std::vector<bool>& m_dateStyles;
};

} // namespace

namespace SheetReader {

SheetData readXlsx(const QString& path, const QString& sheetName)
{
    ZipArchive zip(path);
    const auto notWorkbook = [&] { fail(path, QStringLiteral("不是可读的 Excel 工作簿（.xlsx）")); };
    if (!zip.isOpen()) notWorkbook();
    const auto workbookXml = zip.entry(QStringLiteral("xl/workbook.xml"));
    const auto relsXml = zip.entry(QStringLiteral("xl/_rels/workbook.xml.rels"));
    if (!workbookXml || !relsXml) notWorkbook();
    const WorkbookInfo info = workbookInfo(*workbookXml);

    const WorkbookInfo::Sheet* chosen = nullptr;
    QStringList names;
    for (const auto& s : info.sheets) {
        names << s.name;
        if (!chosen && s.name.compare(sheetName, Qt::CaseInsensitive) == 0) chosen = &s;
    }
    // Other programs name their single sheet as they like.
    if (!chosen && info.sheets.size() == 1) chosen = &info.sheets.front();
    if (!chosen)
        fail(path, QStringLiteral("没有名为“%1”的工作表（工作簿中有：%2）").arg(sheetName, names.join(QStringLiteral("、"))));

    const QString part = sheetPartPath(*relsXml, chosen->relId);
    const auto sheetXml = part.isEmpty() ? std::nullopt : zip.entry(part);
    if (!sheetXml) fail(path, QStringLiteral("无法读取工作表“%1”（文件已损坏）").arg(chosen->name));
    const QStringList strings = sharedStrings(zip.entry(QStringLiteral("xl/sharedStrings.xml")).value_or(QByteArray()));
    const std::vector<bool> styles = dateStyles(zip.entry(QStringLiteral("xl/styles.xml")).value_or(QByteArray()));

    SheetData sheet;
    sheet.sheetName = chosen->name;
    sheet.date1904 = info.date1904;
    if (!SheetParser(sheet, strings, styles).parse(*sheetXml))
        fail(path, QStringLiteral("工作表“%1”已损坏").arg(chosen->name));
    return sheet;
}

} // namespace SheetReader
