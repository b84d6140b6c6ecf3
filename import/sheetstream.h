#pragma once
#include "import/sheetdata.h"
#include <QByteArray>
#include <optional>

// The sheet as the reader process hands it over: either the sheet or the
// message of its refusal.
namespace SheetStream {

QByteArray encode(const SheetData& sheet);
QByteArray encodeRefusal(const QString& message);

struct Decoded {
    std::optional<SheetData> sheet;
    QString refusal;
};
// Nothing for a stream that is cut short or not one of ours.
std::optional<Decoded> decode(const QByteArray& bytes);

} // namespace SheetStream
