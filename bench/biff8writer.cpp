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

// RC4 encryption header with a zero salt and verifier.
void filePass(Bytes& out)
{
    record(out, 0x002F, [](Bytes& b) {
        b.u16(1); b.u16(1); b.u16(1);
        for (int i = 0; i < 48; ++i) b.u8(0);
    });
}

void mergedCells(Bytes& out, const std::vector<Biff8Writer::Range>& ranges)
{
    if (ranges.empty()) return;
    record(out, 0x00E5, [&](Bytes& b) {
        b.u16(unsigned(ranges.size()));
        for (const auto& r : ranges) { b.u16(r.firstRow); b.u16(r.lastRow); b.u16(r.firstColumn); b.u16(r.lastColumn); }
    });
}

void cellRecord(Bytes& sheet, unsigned r, unsigned c, const Biff8Writer::Cell& cell, const QHash<QString, quint32>& strings)
{
    using K = Biff8Writer::Cell::Kind;
    const unsigned xf = cell.kind == K::DateTime || cell.asDateTime ? 16 : 15;
    if (cell.kind == K::Text)
        record(sheet, 0x00FD, [&](Bytes& b) { b.u16(r); b.u16(c); b.u16(15); b.u32(strings.value(cell.text)); });
    else if (cell.kind == K::Formula)
        record(sheet, 0x0006, [&](Bytes& b) { // the constant itself (ptgNum) as the formula
            b.u16(r); b.u16(c); b.u16(xf); b.f64(cell.number); b.u16(0); b.u32(0); b.u16(9); b.u8(0x1F); b.f64(cell.number);
        });
    else if (cell.kind != K::Empty)
        record(sheet, 0x0203, [&](Bytes& b) {
            b.u16(r); b.u16(c); b.u16(xf);
            b.f64(cell.kind == K::DateTime ? Biff8Writer::serialOf(cell.dateTime) : cell.number);
        });
}

QByteArray workbookStream(const QString& sheetName, const std::vector<Biff8Writer::Row>& rows,
                          const Biff8Writer::Options& options)
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
    if (options.passwordProtected) filePass(globals);
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
    for (size_t r = 0; r < rows.size(); ++r)
        for (size_t c = 0; c < rows[r].size(); ++c)
            cellRecord(sheet, unsigned(r), unsigned(c), rows[r][c], index);
    mergedCells(sheet, options.merged);
    record(sheet, 0x000A, QByteArray());

    QByteArray stream = globals.data();
    const quint32 sheetAt = quint32(stream.size());
    for (int i = 0; i < 4; ++i) stream[boundSheetAt + 4 + i] = char((sheetAt >> (8 * i)) & 0xFF);
    stream.append(sheet.data());
    return stream;
}

constexpr quint32 EndOfChain = 0xFFFFFFFE, FatSector = 0xFFFFFFFD, FreeSector = 0xFFFFFFFF, NoStream = 0xFFFFFFFF;

void directoryEntry(Bytes& d, const QString& name, unsigned type, quint32 child, quint32 right, quint32 start,
                    quint32 size)
{
    const int before = d.size();
    d.utf16(name);
    d.u16(0);
    while (d.size() - before < 64) d.u8(0);
    d.u16(name.isEmpty() ? 0 : unsigned((name.size() + 1) * 2));
    d.u8(type);
    d.u8(1);          // black
    d.u32(NoStream);  // left
    d.u32(right);
    d.u32(child);
    for (int i = 0; i < 16 + 4 + 16; ++i) d.u8(0); // class id, state, times
    d.u32(start);
    d.u32(size);
    d.u32(0);
}

using Streams = std::vector<std::pair<QString, QByteArray>>;

// Streams one after another in whole sectors, each padded to 4096 bytes: a
// smaller one would belong in the mini stream (Excel pads too). The directory
// lists them as a chain of right siblings under the root.
QByteArray compoundFile(Streams streams)
{
    if (streams.size() > 3) throw std::runtime_error("at most three streams");
    std::vector<quint32> first, sectors;
    quint32 dataSectors = 0;
    for (auto& [name, data] : streams) {
        if (data.size() < 4096) data.append(QByteArray(4096 - data.size(), '\0'));
        first.push_back(dataSectors);
        sectors.push_back(quint32((data.size() + 511) / 512));
        dataSectors += sectors.back();
    }
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

    QByteArray data;
    for (const auto& s : streams) {
        data.append(s.second);
        data.append(QByteArray(int(data.size() % 512 ? 512 - data.size() % 512 : 0), '\0'));
    }

    Bytes dir;
    directoryEntry(dir, QStringLiteral("Root Entry"), 5, 1, NoStream, EndOfChain, 0);
    for (size_t i = 0; i < streams.size(); ++i)
        directoryEntry(dir, streams[i].first, 2, NoStream, i + 1 < streams.size() ? quint32(i + 2) : NoStream, first[i],
                       quint32(streams[i].second.size()));
    for (size_t i = streams.size() + 1; i < 4; ++i) directoryEntry(dir, QString(), 0, NoStream, NoStream, 0, 0);

    Bytes fat;
    for (size_t s = 0; s < streams.size(); ++s)
        for (quint32 i = 0; i < sectors[s]; ++i) fat.u32(i + 1 == sectors[s] ? EndOfChain : first[s] + i + 1);
    fat.u32(EndOfChain); // directory
    for (quint32 i = 0; i < fatSectors; ++i) fat.u32(FatSector);
    while (fat.size() < int(fatSectors * 512)) fat.u32(FreeSector);

    QByteArray out = h.data();
    out.append(data);
    out.append(dir.data());
    out.append(fat.data());
    return out;
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) < 0) throw std::runtime_error("cannot write " + path.toStdString());
}

} // namespace

void Biff8Writer::write(const QString& path, const QString& sheetName, const std::vector<Row>& rows,
                        const Options& options)
{
    if (rows.size() > 65536) throw std::runtime_error("more rows than an .xls sheet holds");
    writeFile(path, compoundFile({{QStringLiteral("Workbook"), workbookStream(sheetName, rows, options)}}));
}

void Biff8Writer::write(const QString& path, const QString& sheetName, const std::vector<Row>& rows)
{
    write(path, sheetName, rows, Options());
}

void Biff8Writer::writeCompoundFile(const QString& path, const std::vector<std::pair<QString, QByteArray>>& streams)
{
    writeFile(path, compoundFile(streams));
}
