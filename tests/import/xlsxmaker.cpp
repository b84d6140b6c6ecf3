#include "xlsxmaker.h"
#include <QFile>
#include <stdexcept>
#include <zip.h>

namespace {

const char* const ContentTypes = R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">
<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>
<Default Extension="xml" ContentType="application/xml"/>
<Override PartName="/xl/workbook.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml"/>
<Override PartName="/xl/worksheets/sheet1.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml"/>
</Types>)";

const char* const RootRels = R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">
<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="xl/workbook.xml"/>
</Relationships>)";

const char* const WorkbookRels = R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">
<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="worksheets/sheet1.xml"/>
<Relationship Id="rId2" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles" Target="styles.xml"/>
<Relationship Id="rId3" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/sharedStrings" Target="sharedStrings.xml"/>
</Relationships>)";

const char* const Styles = R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<styleSheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">
<numFmts count="1"><numFmt numFmtId="164" formatCode="yyyy\-mm\-dd hh:mm:ss"/></numFmts>
<cellXfs count="2"><xf numFmtId="0"/><xf numFmtId="164" applyNumberFormat="1"/></cellXfs>
</styleSheet>)";

QString escaped(const QString& s) { return s.toHtmlEscaped(); }

void add(zipFile zip, const char* name, const QByteArray& data)
{
    zip_fileinfo info{};
    if (zipOpenNewFileInZip(zip, name, &info, nullptr, 0, nullptr, 0, nullptr, Z_DEFLATED, Z_DEFAULT_COMPRESSION) != ZIP_OK
        || zipWriteInFileInZip(zip, data.constData(), unsigned(data.size())) != ZIP_OK || zipCloseFileInZip(zip) != ZIP_OK)
        throw std::runtime_error(std::string("cannot add ") + name);
}

} // namespace

void writeXlsx(const QString& path, const QString& rowsXml, const QString& mergeCellsXml, const QString& sharedStringsXml)
{
    zipFile zip = zipOpen(QFile::encodeName(path).constData(), APPEND_STATUS_CREATE);
    if (!zip) throw std::runtime_error("cannot create " + path.toStdString());
    const QString workbook = QStringLiteral(
        R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<workbook xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships">
<sheets><sheet name="Sheet1" sheetId="1" r:id="rId1"/></sheets></workbook>)");
    QString sheet = QStringLiteral(R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><sheetData>)") + rowsXml
                    + QStringLiteral("</sheetData>");
    if (!mergeCellsXml.isEmpty()) sheet += QStringLiteral("<mergeCells>%1</mergeCells>").arg(mergeCellsXml);
    sheet += QStringLiteral("</worksheet>");
    const QString strings = QStringLiteral(R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<sst xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">%1</sst>)").arg(sharedStringsXml);
    try {
        add(zip, "[Content_Types].xml", ContentTypes);
        add(zip, "_rels/.rels", RootRels);
        add(zip, "xl/workbook.xml", workbook.toUtf8());
        add(zip, "xl/_rels/workbook.xml.rels", WorkbookRels);
        add(zip, "xl/styles.xml", Styles);
        add(zip, "xl/sharedStrings.xml", strings.toUtf8());
        add(zip, "xl/worksheets/sheet1.xml", sheet.toUtf8());
    } catch (...) {
        zipClose(zip, nullptr);
        throw;
    }
    if (zipClose(zip, nullptr) != ZIP_OK) throw std::runtime_error("cannot finish " + path.toStdString());
}

QString inlineCell(const QString& ref, const QString& text)
{
    return QStringLiteral(R"(<c r="%1" t="inlineStr"><is><t>%2</t></is></c>)").arg(ref, escaped(text));
}

QString titleRow(int row)
{
    const QString n = QString::number(row);
    return QStringLiteral(R"(<row r="%1">)").arg(n) + inlineCell(QStringLiteral("A") + n, QStringLiteral("部门"))
           + inlineCell(QStringLiteral("B") + n, QStringLiteral("姓名")) + inlineCell(QStringLiteral("C") + n, QStringLiteral("登记号码"))
           + inlineCell(QStringLiteral("D") + n, QStringLiteral("日期时间")) + QStringLiteral("</row>");
}
