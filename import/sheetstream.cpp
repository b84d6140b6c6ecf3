#include "import/sheetstream.h"
#include <QDataStream>
#include <QIODevice>

namespace SheetStream {

namespace {

constexpr quint32 Magic = 0x54565831; // "TVX1"
enum : quint8 { SheetFollows = 1, RefusalFollows = 2 };

void writeCells(QDataStream& s, const std::vector<SheetCell>& cells)
{
    s << quint32(cells.size());
    for (const SheetCell& c : cells) {
        s << quint8(c.kind);
        switch (c.kind) {
        case SheetCell::Kind::Empty: break;
        case SheetCell::Kind::Number: s << c.number; break;
        case SheetCell::Kind::Text:
        case SheetCell::Kind::Unresolved: s << c.text; break;
        case SheetCell::Kind::DateTime: s << c.dateTime.seconds(); break;
        }
    }
}

bool readCells(QDataStream& s, std::vector<SheetCell>& cells)
{
    quint32 n = 0;
    s >> n;
    for (quint32 i = 0; i < n && s.status() == QDataStream::Ok; ++i) {
        quint8 kind = 0;
        s >> kind;
        SheetCell c;
        switch (kind) {
        case quint8(SheetCell::Kind::Empty): break;
        case quint8(SheetCell::Kind::Number): c.kind = SheetCell::Kind::Number; s >> c.number; break;
        case quint8(SheetCell::Kind::Text): c.kind = SheetCell::Kind::Text; s >> c.text; break;
        case quint8(SheetCell::Kind::Unresolved): c.kind = SheetCell::Kind::Unresolved; s >> c.text; break;
        case quint8(SheetCell::Kind::DateTime): {
            qint64 seconds = 0;
            s >> seconds;
            c = SheetCell::ofDateTime(DateTime::fromSeconds(seconds));
            break;
        }
        default: return false;
        }
        cells.push_back(std::move(c));
    }
    return s.status() == QDataStream::Ok;
}

} // namespace

QByteArray encode(const SheetData& sheet)
{
    QByteArray out;
    QDataStream s(&out, QIODevice::WriteOnly);
    s << Magic << quint8(SheetFollows) << sheet.sheetName << sheet.date1904;
    writeCells(s, sheet.titles);
    s << quint32(sheet.rows.size());
    for (const SheetRow& r : sheet.rows) {
        s << qint32(r.number);
        writeCells(s, r.cells);
    }
    return out;
}

QByteArray encodeRefusal(const QString& message)
{
    QByteArray out;
    QDataStream s(&out, QIODevice::WriteOnly);
    s << Magic << quint8(RefusalFollows) << message;
    return out;
}

std::optional<Decoded> decode(const QByteArray& bytes)
{
    QDataStream s(bytes);
    quint32 magic = 0;
    quint8 what = 0;
    s >> magic >> what;
    if (magic != Magic) return std::nullopt;
    Decoded d;
    if (what == RefusalFollows) {
        s >> d.refusal;
        if (s.status() != QDataStream::Ok) return std::nullopt;
        return d;
    }
    if (what != SheetFollows) return std::nullopt;
    SheetData sheet;
    s >> sheet.sheetName >> sheet.date1904;
    if (!readCells(s, sheet.titles)) return std::nullopt;
    quint32 rows = 0;
    s >> rows;
    for (quint32 i = 0; i < rows && s.status() == QDataStream::Ok; ++i) {
        SheetRow r;
        qint32 number = 0;
        s >> number;
        r.number = number;
        if (!readCells(s, r.cells)) return std::nullopt;
        sheet.rows.push_back(std::move(r));
    }
    if (s.status() != QDataStream::Ok || !s.atEnd()) return std::nullopt;
    d.sheet = std::move(sheet);
    return d;
}

} // namespace SheetStream
