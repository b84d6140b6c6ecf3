#pragma once
#include "store/datetime.h"
#include <QLocale>
#include <QString>

// The date texts of the program: nyr, slot times joined to a day, the grid's
// date-time display. All follow one locale's short date format, mended so that
// the year always has four digits and a non-numeric format becomes yyyy-MM-dd.
namespace DateTexts {

// The locale in force; the system locale unless a test or shell set another.
void setLocale(const QLocale& locale);
QLocale locale();

// The mended short date format, e.g. "yyyy/M/d", "M/d/yyyy", "dd.MM.yyyy".
QString shortDateFormat();

// nyr: the date part written in the short date format.
QString formatDate(DateTime dt);
// The date followed by the 24-hour time H:mm:ss, as the grids show it.
QString formatDateTime(DateTime dt);

// A date in the short date format, optionally followed by blanks and a 24-hour
// time H:M or H:M:S (one or two digits a field). Throws ConversionError.
DateTime parseDateTime(const QString& text);
// The same, returning nothing instead of throwing.
bool tryParseDateTime(const QString& text, DateTime& out);
// A date in the short date format alone, or yyyy-MM-dd.
bool tryParseDateOrIso(const QString& text, DateTime& out);

} // namespace DateTexts
