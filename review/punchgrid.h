#pragma once

class Session;

// What the punch grid DBGrid1 knows beyond its data: which day a click
// chose, and how a row is to be coloured.
namespace PunchGrid {

enum class RowMark { None, HighlightedDay, HandMarked };

// DBGrid1CellClick: takes HighlightDay and the context values from the punch
// list's current row (the clicked one), then refreshes the list keeping its
// current row and order.
void cellClick(Session& session);

// HandMarked (shi "-1", drawn red) wins over HighlightedDay (nyr equals
// HighlightDay as text, drawn teal).
RowMark rowMark(Session& session, int row);

} // namespace PunchGrid
