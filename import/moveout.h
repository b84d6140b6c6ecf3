#pragma once
#include <QtGlobal>

class Database;
class Session;

// What one move-out did.
struct MoveOutResult {
    qint64 archived = 0; // records added to kqkend
    qint64 removed = 0;  // rows deleted from kqk
};

namespace Archive {

// Copies the distinct records of kqk (all columns but id agreeing, nulls
// agreeing) into kqkend and empties kqk, in one transaction: a failure or a
// killed process leaves every record in exactly one of the two tables.
MoveOutResult moveOutRecords(Database& db);

// SpeedButton6Click: refused during an analysis; closes the punch list and the
// employee list first, which stay closed until the next import reopens them.
MoveOutResult moveOut(Session& session);

} // namespace Archive
