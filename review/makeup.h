#pragma once
#include <QString>

class Session;

// SpeedButton1Click of the make-up window: one "补卡" punch with js 0 through
// the main window's punch list, for the employee list's current entry, dated
// by the date label and timed by a slot.
namespace Makeup {

// As the window's button does: the slot time is the slot data set's current
// row. Refused (CommandRefused) without employee, without slot row, or when
// the label and slot time do not read as a date-time; nothing is appended then.
void enterFromSlotSet(Session& session, const QString& dateLabel);

// The same with the slot time given ("8:00").
void enter(Session& session, const QString& dateLabel, const QString& slotTime);

} // namespace Makeup
