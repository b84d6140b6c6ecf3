#pragma once
#include <QString>

// Writes an .xlsx with the one sheet "Sheet1" around the given <row>
// elements, so a test shows the very cells the reader meets. Style 1 is a
// date-time format; strings are inline (t="inlineStr") or shared from
// sharedStringsXml (<si> elements); mergeCellsXml holds <mergeCell> elements.
// Throws std::runtime_error when the file cannot be written.
void writeXlsx(const QString& path, const QString& rowsXml, const QString& mergeCellsXml = QString(),
               const QString& sharedStringsXml = QString());

// <c r="ref" t="inlineStr"><is><t>text</t></is></c>
QString inlineCell(const QString& ref, const QString& text);
// The four titles in columns A to D of row 'row'.
QString titleRow(int row);
