#pragma once

class Database;

namespace PunchDating {

// Gives every kqk row whose nyr or shi is null its nyr from dksj (the date
// part in the locale's short date format), in one pass inside the engine.
// Rows without a punch time keep what they have. Throws ConversionError for
// a dksj that is no date-time.
void dateUnmarkedRows(Database& db);

} // namespace PunchDating
