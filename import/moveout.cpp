#include "import/moveout.h"
#include "app/session.h"
#include "store/database.h"

namespace Archive {

MoveOutResult moveOutRecords(Database& db)
{
    MoveOutResult r;
    Transaction tx(db);
    // One archived record per group of equal records; it keeps the smallest id.
    db.exec(QStringLiteral("insert into kqkend (id,bm,xm,ygbh,dksj,bz,js,nyr,shi) "
                           "select min(id),bm,xm,ygbh,dksj,bz,js,nyr,shi from kqk "
                           "group by bm,xm,ygbh,dksj,bz,js,nyr,shi"));
    r.archived = db.changes();
    db.exec(QStringLiteral("delete from kqk"));
    r.removed = db.changes();
    tx.commit();
    return r;
}

MoveOutResult moveOut(Session& session)
{
    session.requireIdle();
    session.closeLists();
    return moveOutRecords(session.db());
}

} // namespace Archive
