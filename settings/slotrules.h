#pragma once
#include <QString>

class DataSet;

// What a shift slot row must hold for the analysis to read it.
namespace SlotRules {

// "H:MM" (or "HH:MM"), hours 0-23, minutes 0-59; blanks around are allowed,
// as the analysis trims the text before joining it to a day.
bool isSlotTime(const QString& text);
// Throws CommandRefused naming the text when it is no slot time.
void checkSlotTime(const QString& text);

// The codes the slot evaluation dispatches on (exact text). Any other code
// still takes part in shift matching but is never evaluated.
bool isEvaluatedCode(const QString& code);
QString evaluatedCodes(); // "1/1,1/2,2/2,1/4,2/4,3/4,4/4"

// Refuses every post of the slot data set whose new or changed slot time is
// no slot time, whatever posts it. Rows whose time is left alone pass, so
// the analysis' own bookkeeping never trips over an old row.
void installSlotTimeCheck(DataSet& slotSet);

} // namespace SlotRules
