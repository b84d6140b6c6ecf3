#pragma once
#include "store/datetime.h"
#include <QString>
#include <vector>

// The smallest Excel 97-2003 workbook FreeXL reads: one sheet of text and
// number cells, date-times as numbers in a date-time format, in a compound
// file. Enough to build large import inputs without a spreadsheet program.
class Biff8Writer {
public:
    struct Cell {
        enum class Kind { Empty, Text, Number, DateTime } kind = Kind::Empty;
        QString text;
        double number = 0;
        DateTime dateTime;
    };
    using Row = std::vector<Cell>;

    static Cell text(const QString& t) { Cell c; c.kind = Cell::Kind::Text; c.text = t; return c; }
    static Cell number(double n) { Cell c; c.kind = Cell::Kind::Number; c.number = n; return c; }
    static Cell dateTime(DateTime d) { Cell c; c.kind = Cell::Kind::DateTime; c.dateTime = d; return c; }

    // At most 65,536 rows. Throws std::runtime_error when the file cannot be written.
    static void write(const QString& path, const QString& sheetName, const std::vector<Row>& rows);
};
