#include "xlsxreader.h"
#include <QFile>
#include <QXmlStreamReader>
#include <stdexcept>
#include <unzip.h>

namespace {

QByteArray entry(unzFile zip, const char* name)
{
    if (unzLocateFile(zip, name, 0) != UNZ_OK || unzOpenCurrentFile(zip) != UNZ_OK)
        throw std::runtime_error(std::string("no entry ") + name);
    QByteArray data;
    char buf[8192];
    int n;
    while ((n = unzReadCurrentFile(zip, buf, sizeof buf)) > 0) data.append(buf, n);
    unzCloseCurrentFile(zip);
    if (n < 0) throw std::runtime_error(std::string("bad entry ") + name);
    return data;
}

QStringList sharedStrings(const QByteArray& xml)
{
    QStringList strings;
    QXmlStreamReader r(xml);
    QString current;
    while (!r.atEnd()) {
        r.readNext();
        if (r.isStartElement() && r.name() == QLatin1String("si")) current.clear();
        else if (r.isStartElement() && r.name() == QLatin1String("t")) current += r.readElementText();
        else if (r.isEndElement() && r.name() == QLatin1String("si")) strings << current;
    }
    return strings;
}

int columnOf(const QString& ref)
{
    int col = 0;
    for (QChar c : ref) {
        if (!c.isLetter()) break;
        col = col * 26 + (c.unicode() - 'A' + 1);
    }
    return col - 1;
}

std::vector<QStringList> cells(const QByteArray& xml, const QStringList& strings)
{
    std::vector<QStringList> rows;
    QXmlStreamReader r(xml);
    while (!r.atEnd()) {
        r.readNext();
        if (r.isStartElement() && r.name() == QLatin1String("row")) rows.emplace_back();
        if (!r.isStartElement() || r.name() != QLatin1String("c")) continue;
        const int col = columnOf(r.attributes().value("r").toString());
        const bool shared = r.attributes().value("t") == QLatin1String("s");
        QString text;
        while (!(r.isEndElement() && r.name() == QLatin1String("c")) && !r.atEnd()) {
            r.readNext();
            if (r.isStartElement() && r.name() == QLatin1String("v")) text = r.readElementText();
        }
        if (shared) text = strings.value(text.toInt());
        QStringList& row = rows.back();
        while (row.size() <= col) row << QString();
        row[col] = text;
    }
    return rows;
}

} // namespace

std::vector<ReadSheet> readXlsx(const QString& path)
{
    unzFile zip = unzOpen(QFile::encodeName(path).constData());
    if (!zip) throw std::runtime_error("not a zip file");
    std::vector<ReadSheet> sheets;
    try {
        const QStringList strings = sharedStrings(entry(zip, "xl/sharedStrings.xml"));
        QXmlStreamReader wb(entry(zip, "xl/workbook.xml"));
        while (!wb.atEnd())
            if (wb.readNextStartElement() && wb.name() == QLatin1String("sheet"))
                sheets.push_back({wb.attributes().value("name").toString(), {}});
        for (size_t i = 0; i < sheets.size(); ++i) {
            const QByteArray name = "xl/worksheets/sheet" + QByteArray::number(qsizetype(i + 1)) + ".xml";
            sheets[i].rows = cells(entry(zip, name.constData()), strings);
        }
    } catch (...) {
        unzClose(zip);
        throw;
    }
    unzClose(zip);
    return sheets;
}
