#include "import/compoundfile.h"
#include <QtEndian>

namespace {

constexpr quint32 EndOfChain = 0xFFFFFFFE;

quint32 u32At(const char* p) { return qFromLittleEndian<quint32>(p); }
quint16 u16At(const char* p) { return qFromLittleEndian<quint16>(p); }

} // namespace

std::optional<CompoundFile> CompoundFile::parse(const QByteArray& file)
{
    if (file.size() < 512 || !file.startsWith("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1")) return std::nullopt;
    CompoundFile cf(file);
    const quint16 shift = u16At(file.constData() + 0x1E);
    if (shift != 9 && shift != 12) return std::nullopt;
    cf.m_sectorSize = 1 << shift;
    cf.m_miniCutoff = u32At(file.constData() + 0x38);
    if (!cf.readFat() || !cf.readDirectory()) return std::nullopt;
    return cf;
}

const char* CompoundFile::sector(quint32 n) const
{
    const qint64 offset = (qint64(n) + 1) * m_sectorSize;
    if (n >= 0xFFFFFFFA || offset + m_sectorSize > m_file.size()) return nullptr;
    return m_file.constData() + offset;
}

// The FAT sectors are listed in the header (109) and then in a chain of DIFAT
// sectors, each ending with the number of the next.
bool CompoundFile::readFat()
{
    const char* h = m_file.constData();
    const quint32 fatSectors = u32At(h + 0x2C);
    const qint64 maxSectors = m_file.size() / m_sectorSize;
    if (fatSectors > maxSectors) return false;
    std::vector<quint32> fatList;
    for (int i = 0; i < 109 && fatList.size() < fatSectors; ++i) fatList.push_back(u32At(h + 0x4C + 4 * i));
    quint32 difat = u32At(h + 0x44);
    const int perDifat = m_sectorSize / 4 - 1;
    for (qint64 guard = 0; fatList.size() < fatSectors; ++guard) {
        const char* s = sector(difat);
        if (!s || guard > maxSectors) return false;
        for (int i = 0; i < perDifat && fatList.size() < fatSectors; ++i) fatList.push_back(u32At(s + 4 * i));
        difat = u32At(s + 4 * perDifat);
    }
    for (quint32 f : fatList) {
        const char* s = sector(f);
        if (!s) return false;
        for (int i = 0; i < m_sectorSize / 4; ++i) m_fat.push_back(u32At(s + 4 * i));
    }
    return true;
}

// The sectors of a chain, to its end or until limit bytes are read; nullopt
// for a chain that leaves the file or the FAT or loops past the file's size.
std::optional<QByteArray> CompoundFile::chain(quint32 start, quint64 limit) const
{
    QByteArray out;
    quint32 n = start;
    const qint64 maxSteps = m_file.size() / m_sectorSize;
    for (qint64 steps = 0; n != EndOfChain && quint64(out.size()) < limit; ++steps) {
        const char* s = sector(n);
        if (!s || steps > maxSteps || n >= m_fat.size()) return std::nullopt;
        out.append(s, m_sectorSize);
        n = m_fat[n];
    }
    return out;
}

bool CompoundFile::readDirectory()
{
    // The directory's own size is unknown: its chain is read to the end.
    const auto read = chain(u32At(m_file.constData() + 0x30), quint64(m_file.size()));
    if (!read) return false;
    const QByteArray& dir = *read;
    for (qsizetype at = 0; at + 128 <= dir.size(); at += 128) {
        const char* e = dir.constData() + at;
        Entry entry;
        entry.type = quint8(e[66]);
        if (entry.type == 0) continue;
        const int nameBytes = qMin<int>(u16At(e + 64), 64);
        const int chars = qMax(0, nameBytes / 2 - 1);
        for (int i = 0; i < chars; ++i) entry.name += QChar(u16At(e + 2 * i));
        entry.start = u32At(e + 116);
        entry.size = m_sectorSize == 512 ? u32At(e + 120) : qFromLittleEndian<quint64>(e + 120);
        m_entries.push_back(std::move(entry));
    }
    return true;
}

QStringList CompoundFile::streamNames() const
{
    QStringList out;
    for (const Entry& e : m_entries)
        if (e.type == 2) out << e.name;
    return out;
}

std::optional<QByteArray> CompoundFile::stream(const QString& name) const
{
    for (const Entry& e : m_entries) {
        if (e.type != 2 || e.name.compare(name, Qt::CaseInsensitive) != 0) continue;
        if (e.size < m_miniCutoff || e.size > quint64(m_file.size())) return std::nullopt;
        auto data = chain(e.start, e.size);
        if (!data || quint64(data->size()) < e.size) return std::nullopt;
        data->truncate(qsizetype(e.size));
        return data;
    }
    return std::nullopt;
}
