#include "review/statuslists.h"

namespace StatusLists {

bool occursIn(const QString& bz, const QString& list) { return !bz.isEmpty() && list.contains(bz); }

} // namespace StatusLists
