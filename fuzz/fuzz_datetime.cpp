// The texts a user or a file gives as dates and times. A text that parses
// must write back to the same instant, whichever parser took it.
#include "import/punchrows.h"
#include "store/datetexts.h"
#include <QString>
#include <cstdint>
#include <cstdlib>

namespace {

void check(bool condition)
{
    if (!condition) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    DateTime dt;
    if (DateTexts::tryParseDateTime(text, dt)) {
        DateTime again;
        check(DateTexts::tryParseDateTime(DateTexts::formatDateTime(dt), again) && again == dt);
    }
    if (DateTexts::tryParseDateOrIso(text, dt)) {
        DateTime again;
        check(DateTexts::tryParseDateOrIso(DateTexts::formatDate(dt), again) && again.datePart() == dt.datePart());
    }
    if (PunchColumns::parsePunchTime(text, dt)) {
        DateTime again;
        check(PunchColumns::parsePunchTime(dt.toIso(), again) && again == dt);
    }
    if (const auto iso = DateTime::fromIso(text)) check(DateTime::fromIso(iso->toIso()) == iso);
    return 0;
}
