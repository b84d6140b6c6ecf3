#include "import/moveoutaction.h"
#include "app/dialogs.h"
#include "app/session.h"
#include "import/moveout.h"

void moveOutAction(QWidget* parent, Session& session)
{
    guarded(parent, [&] { Archive::moveOut(session); });
}
