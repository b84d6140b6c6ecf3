#pragma once
#include "store/datetime.h"
#include <QString>
#include <utility>
#include <vector>

// The smallest Excel 97-2003 workbook FreeXL reads: one sheet of text and
// number cells, date-times as numbers in a date-time format, in a compound
// file. Enough to build large import inputs without a spreadsheet program.
class Biff8Writer {
public:
    struct Cell {
        // Formula: a constant formula whose stored result is number, in the
        // date-time format when asDateTime.
        enum class Kind { Empty, Text, Number, DateTime, Formula } kind = Kind::Empty;
        bool asDateTime = false;
        QString text;
        double number = 0;
        DateTime dateTime;
    };
    using Row = std::vector<Cell>;

    static Cell text(const QString& t) { Cell c; c.kind = Cell::Kind::Text; c.text = t; return c; }
    static Cell number(double n) { Cell c; c.kind = Cell::Kind::Number; c.number = n; return c; }
    static Cell dateTime(DateTime d) { Cell c; c.kind = Cell::Kind::DateTime; c.dateTime = d; return c; }
    static Cell formula(double result, bool asDateTime = false)
    {
        Cell c; c.kind = Cell::Kind::Formula; c.number = result; c.asDateTime = asDateTime; return c;
    }
    static double serialOf(DateTime d) { return double(d.seconds()) / 86400.0; }

    // 0-based, inclusive.
    struct Range { unsigned firstRow, lastRow, firstColumn, lastColumn; };
    struct Options {
        std::vector<Range> merged;
        // Marks the workbook as saved with a password (its records stay plain).
        bool passwordProtected = false;
    };

    // At most 65,536 rows. Throws std::runtime_error when the file cannot be written.
    static void write(const QString& path, const QString& sheetName, const std::vector<Row>& rows);
    static void write(const QString& path, const QString& sheetName, const std::vector<Row>& rows,
                      const Options& options);
    // A compound file holding the given streams, e.g. the two streams a
    // password-protected .xlsx is saved as.
    static void writeCompoundFile(const QString& path, const std::vector<std::pair<QString, QByteArray>>& streams);
};
