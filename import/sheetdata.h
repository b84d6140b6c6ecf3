#pragma once
#include "store/datetime.h"
#include <QString>
#include <cmath>
#include <vector>

// One cell as a reader found it. Readers keep what the file says; the import
// decides what a cell means for its column.
struct SheetCell {
    // Unresolved: a value the file does not hold (a formula without its
    // result, an error value); text says what the cell is, after "是".
    enum class Kind { Empty, Number, Text, DateTime, Unresolved };
    Kind kind = Kind::Empty;
    double number = 0;  // Number
    QString text;       // Text, Unresolved
    DateTime dateTime;  // DateTime: a cell formatted as a date

    static SheetCell ofNumber(double v) { SheetCell c; c.kind = Kind::Number; c.number = v; return c; }
    static SheetCell ofText(const QString& t) { SheetCell c; c.kind = Kind::Text; c.text = t; return c; }
    static SheetCell ofDateTime(DateTime d) { SheetCell c; c.kind = Kind::DateTime; c.dateTime = d; return c; }
    static SheetCell ofUnresolved(const QString& what) { SheetCell c; c.kind = Kind::Unresolved; c.text = what; return c; }
    bool isEmpty() const { return kind == Kind::Empty || (kind == Kind::Text && text.isEmpty()); }
};

struct SheetRow {
    int number = 0; // 1-based row number in the sheet, for messages
    std::vector<SheetCell> cells;
};

// The sheet an import reads: its title row and the rows below it.
struct SheetData {
    QString sheetName;
    std::vector<SheetCell> titles;
    std::vector<SheetRow> rows;
    // Serial numbers count days from 1904-01-01 instead of 1899-12-30.
    bool date1904 = false;
};

// An Excel serial day number as a date-time, rounded to the whole second so
// that 07:52:11 stays 07:52:11 whatever the binary fraction.
inline DateTime serialToDateTime(double serial, bool date1904)
{
    const qint64 seconds = std::llround(serial * double(DateTime::SecondsPerDay));
    return DateTime::fromSeconds(seconds + (date1904 ? 1462 * DateTime::SecondsPerDay : 0));
}
