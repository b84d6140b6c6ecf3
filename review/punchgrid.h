#pragma once
#include <QString>

class Session;

// What the punch grid DBGrid1 knows beyond its data: which day a click
// chose, and how a row is to be coloured.
namespace PunchGrid {

enum class RowMark { None, HighlightedDay, HandMarked };

// DBGrid1CellClick: takes HighlightDay and the context values from the punch
// list's current row (the clicked one), then refreshes the list keeping its
// current row and order.
void cellClick(Session& session);

// What a user does by choosing a row, for the command line: the employee
// list's first entry with that number (false when none), and the punch
// list's row with that id (false when it is not listed).
bool selectEmployee(Session& session, const QString& ygbh);
bool selectPunch(Session& session, qint64 id);

// HandMarked (shi "-1", drawn red) wins over HighlightedDay (nyr equals
// HighlightDay as text, drawn teal).
RowMark rowMark(Session& session, int row);

} // namespace PunchGrid
