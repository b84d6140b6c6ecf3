#pragma once
#include <QString>

// The status lists the corrections search, exactly as the program has always
// written them: the mix of full-width and ASCII commas is part of the data's
// meaning (a piece such as "打卡" matches too), so they must not be tidied.
namespace StatusLists {

inline const QString Analysed = QStringLiteral("正常，迟到,早退，重复打卡,???");
inline const QString Missing = QStringLiteral("未打卡");
inline const QString Makeup = QStringLiteral("，补卡,");
inline const QString MissingOrMakeup = QStringLiteral("未打卡，补卡"); // "本日打卡正常" only

// A status word occurs in a list when it is not empty and, untrimmed, is a
// contiguous piece of the list text.
bool occursIn(const QString& bz, const QString& list);

} // namespace StatusLists
