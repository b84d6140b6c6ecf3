#pragma once

class Database;

namespace Schema {
// Every table of a new attendance database, its indexes and the two settings
// rows "ys" = 3 and "zwdk" = 30; no shifts. Runs in one transaction.
void create(Database& db);
// The punch-record columns shared by kqk, kqkday and kqkend, in order.
extern const char* const PunchColumns;
} // namespace Schema
