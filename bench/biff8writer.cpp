#include "bench/biff8writer.h"
#include <QFile>
#include <QHash>
#include <cstring>
#include <stdexcept>

namespace {

class Bytes {
public:
    void u8(unsigned v) { m_b.append(char(v & 0xFF)); }
    void u16(unsigned v) { u8(v); u8(v >> 8); }
    void u32(quint32 v) { u16(v & 0xFFFF); u16(v >> 16); }
    void f64(double d)
    {
        quint64 v;
        std::memcpy(&v, &d, 8);
        u32(quint32(v));
        u32(quint32(v >> 32));
    }
    void utf16(const QString& s)
    {
        for (QChar c : s) u16(c.unicode());
    }
    void append(const QByteArray& b) { m_b.append(b); }
    int size() const { return int(m_b.size()); }
    QByteArray& data() { return m_b; }

private:
    QByteArray m_b;
};

void record(Bytes& out, unsigned type, const QByteArray& body)
{
    out.u16(type);
    out.u16(unsigned(body.size()));
    out.append(body);
}

template <class F>
void record(Bytes& out, unsigned type, F fill)
{
    Bytes body;
    fill(body);
    record(out, type, body.data());
}

void bof(Bytes& out, unsigned kind)
{
    record(out, 0x0809, [&](Bytes& b) {
        b.u16(0x0600); b.u16(kind); b.u16(0x0DBB); b.u16(0x07CC); b.u32(0); b.u32(0x06);
    });
}

// Shared strings, split into SST and CONTINUE records at string boundaries.
void sst(Bytes& out, const QStringList& strings, quint32 total)
{
    const int limit = 8224;
    Bytes body;
    body.u32(total);
    body.u32(quint32(strings.size()));
    unsigned type = 0x00FC;
    for (const QString& s : strings) {
        Bytes item;
        item.u16(unsigned(s.size()));
        item.u8(0x01); // UTF-16
        item.utf16(s);
        if (body.size() + item.size() > limit) {
            record(out, type, body.data());
            body = Bytes();
            type = 0x003C;
        }
        body.append(item.data());
    }
    record(out, type, body.data());
}

QByteArray workbookStream(const QString& sheetName, const std::vector<Biff8Writer::Row>& rows)
{
    QStringList strings;
    QHash<QString, quint32> index;
    quint32 total = 0;
    for (const auto& row : rows)
        for (const auto& c : row)
            if (c.kind == Biff8Writer::Cell::Kind::Text) {
                ++total;
                if (!index.contains(c.text)) {
                    index.insert(c.text, quint32(strings.size()));
                    strings << c.text;
                }
            }

    Bytes globals;
    bof(globals, 0x0005);
    record(globals, 0x0042, [](Bytes& b) { b.u16(1200); }); // CODEPAGE: UTF-16
    record(globals, 0x0022, [](Bytes& b) { b.u16(0); });    // DATEMODE: 1900
    for (int i = 0; i < 4; ++i)
        record(globals, 0x0031, [](Bytes& b) { // FONT Arial
            b.u16(200); b.u16(0); b.u16(0x7FFF); b.u16(400); b.u16(0); b.u8(0); b.u8(0); b.u8(0); b.u8(0);
            b.u8(5); b.u8(1); b.utf16(QStringLiteral("Arial"));
        });
    record(globals, 0x041E, [](Bytes& b) { // FORMAT 164
        const QString f = QStringLiteral("yyyy-mm-dd hh:mm:ss");
        b.u16(164); b.u16(unsigned(f.size())); b.u8(1); b.utf16(f);
    });
    // Sixteen style XFs, the default cell XF (15) and the date-time cell XF (16).
    for (int i = 0; i < 17; ++i)
        record(globals, 0x00E0, [&](Bytes& b) {
            b.u16(0); b.u16(i == 16 ? 164 : 0); b.u16(i < 15 ? 0xFFF5 : 0x0001); b.u16(0x20);
            b.u16(0); b.u32(0); b.u32(0); b.u16(0x20C0);
        });
    const int boundSheetAt = globals.size();
    record(globals, 0x0085, [&](Bytes& b) {
        b.u32(0); b.u16(0); b.u8(unsigned(sheetName.size())); b.u8(1); b.utf16(sheetName);
    });
    sst(globals, strings, total);
    record(globals, 0x000A, QByteArray());

    Bytes sheet;
    bof(sheet, 0x0010);
    quint16 cols = 0;
    for (const auto& r : rows) cols = std::max<quint16>(cols, quint16(r.size()));
    record(sheet, 0x0200, [&](Bytes& b) { b.u32(0); b.u32(quint32(rows.size())); b.u16(0); b.u16(cols); b.u16(0); });
    for (size_t r = 0; r < rows.size(); ++r) {
        for (size_t c = 0; c < rows[r].size(); ++c) {
            const auto& cell = rows[r][c];
            using K = Biff8Writer::Cell::Kind;
            if (cell.kind == K::Text)
                record(sheet, 0x00FD, [&](Bytes& b) { b.u16(unsigned(r)); b.u16(unsigned(c)); b.u16(15); b.u32(index.value(cell.text)); });
            else if (cell.kind != K::Empty)
                record(sheet, 0x0203, [&](Bytes& b) {
                    b.u16(unsigned(r)); b.u16(unsigned(c)); b.u16(cell.kind == K::DateTime ? 16 : 15);
                    b.f64(cell.kind == K::DateTime ? double(cell.dateTime.seconds()) / 86400.0 : cell.number);
                });
        }
    }
    record(sheet, 0x000A, QByteArray());

    QByteArray stream = globals.data();
    const quint32 sheetAt = quint32(stream.size());
    for (int i = 0; i < 4; ++i) stream[boundSheetAt + 4 + i] = char((sheetAt >> (8 * i)) & 0xFF);
    stream.append(sheet.data());
    // Streams under 4096 bytes would belong in the mini stream; Excel pads too.
    if (stream.size() < 4096) stream.append(QByteArray(4096 - stream.size(), '\0'));
    return stream;
}

constexpr quint32 EndOfChain = 0xFFFFFFFE, FatSector = 0xFFFFFFFD, FreeSector = 0xFFFFFFFF, NoStream = 0xFFFFFFFF;

void directoryEntry(Bytes& d, const QString& name, unsigned type, quint32 child, quint32 start, quint32 size)
{
    const int before = d.size();
    d.utf16(name);
    d.u16(0);
    while (d.size() - before < 64) d.u8(0);
    d.u16(name.isEmpty() ? 0 : unsigned((name.size() + 1) * 2));
    d.u8(type);
    d.u8(1);          // black
    d.u32(NoStream);  // left
    d.u32(NoStream);  // right
    d.u32(child);
    for (int i = 0; i < 16 + 4 + 16; ++i) d.u8(0); // class id, state, times
    d.u32(start);
    d.u32(size);
    d.u32(0);
}

QByteArray compoundFile(const QByteArray& workbook)
{
    const quint32 dataSectors = quint32((workbook.size() + 511) / 512);
    quint32 fatSectors = 1;
    while ((dataSectors + 1 + fatSectors + 127) / 128 > fatSectors) ++fatSectors;
    if (fatSectors > 109) throw std::runtime_error("workbook too large for a compound file without DIFAT");
    const quint32 dirSector = dataSectors, firstFat = dataSectors + 1;

    Bytes h;
    h.append(QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8));
    for (int i = 0; i < 16; ++i) h.u8(0);
    h.u16(0x003E); h.u16(0x0003); h.u16(0xFFFE); h.u16(9); h.u16(6);
    for (int i = 0; i < 6; ++i) h.u8(0);
    h.u32(0); h.u32(fatSectors); h.u32(dirSector); h.u32(0); h.u32(4096);
    h.u32(EndOfChain); h.u32(0); h.u32(EndOfChain); h.u32(0);
    for (quint32 i = 0; i < 109; ++i) h.u32(i < fatSectors ? firstFat + i : FreeSector);

    QByteArray data = workbook;
    data.append(QByteArray(int(dataSectors * 512 - workbook.size()), '\0'));

    Bytes dir;
    directoryEntry(dir, QStringLiteral("Root Entry"), 5, 1, EndOfChain, 0);
    directoryEntry(dir, QStringLiteral("Workbook"), 2, NoStream, 0, quint32(workbook.size()));
    directoryEntry(dir, QString(), 0, NoStream, 0, 0);
    directoryEntry(dir, QString(), 0, NoStream, 0, 0);

    Bytes fat;
    for (quint32 i = 0; i < dataSectors; ++i) fat.u32(i + 1 == dataSectors ? EndOfChain : i + 1);
    fat.u32(EndOfChain); // directory
    for (quint32 i = 0; i < fatSectors; ++i) fat.u32(FatSector);
    while (fat.size() < int(fatSectors * 512)) fat.u32(FreeSector);

    QByteArray out = h.data();
    out.append(data);
    out.append(dir.data());
    out.append(fat.data());
    return out;
}

} // namespace

void Biff8Writer::write(const QString& path, const QString& sheetName, const std::vector<Row>& rows)
{
    if (rows.size() > 65536) throw std::runtime_error("more rows than an .xls sheet holds");
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(compoundFile(workbookStream(sheetName, rows))) < 0)
        throw std::runtime_error("cannot write " + path.toStdString());
}
