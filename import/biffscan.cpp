#include "import/biffscan.h"
#include <QtEndian>
#include <optional>

namespace {

enum : quint16 { Bof = 0x0809, Eof = 0x000A, FilePass = 0x002F, BoundSheet = 0x0085, Formula = 0x0006 };

struct Record {
    quint16 type;
    const char* body;
    quint16 size;
};

class Records {
public:
    Records(const QByteArray& s, qint64 from) : m_s(s), m_at(from) {}
    std::optional<Record> next()
    {
        if (m_at < 0 || m_at + 4 > m_s.size()) return std::nullopt;
        const char* p = m_s.constData() + m_at;
        Record r{qFromLittleEndian<quint16>(p), p + 4, qFromLittleEndian<quint16>(p + 2)};
        if (m_at + 4 + r.size > m_s.size()) return std::nullopt;
        m_at += 4 + r.size;
        return r;
    }

private:
    const QByteArray& m_s;
    qint64 m_at;
};

// A BOUNDSHEET name: a byte count, a flag byte (bit 0: UTF-16) and the characters.
QString boundSheetName(const Record& r)
{
    if (r.size < 8) return QString();
    const int chars = quint8(r.body[6]);
    const bool wide = r.body[7] & 1;
    if (8 + chars * (wide ? 2 : 1) > r.size) return QString();
    QString name;
    for (int i = 0; i < chars; ++i)
        name += wide ? QChar(qFromLittleEndian<quint16>(r.body + 8 + 2 * i)) : QChar(uchar(r.body[8 + i]));
    return name;
}

} // namespace

BiffScan BiffScan::of(const QByteArray& workbook, const QString& sheetName)
{
    BiffScan scan;
    Records globals(workbook, 0);
    qint64 sheetAt = -1;
    while (auto r = globals.next()) {
        if (r->type == FilePass) scan.passwordProtected = true;
        else if (r->type == BoundSheet && r->size >= 4 && sheetAt < 0
                 && boundSheetName(*r).compare(sheetName, Qt::CaseInsensitive) == 0)
            sheetAt = qFromLittleEndian<quint32>(r->body);
        else if (r->type == Eof) break;
    }
    if (scan.passwordProtected || sheetAt < 0) return scan;
    Records sheet(workbook, sheetAt);
    int depth = 0; // charts embedded in the sheet are substreams of their own
    while (auto r = sheet.next()) {
        if (r->type == Bof) ++depth;
        else if (r->type == Eof && --depth <= 0) break;
        else if (r->type == Formula && depth == 1 && r->size >= 4)
            scan.formulaCells.insert(key(qFromLittleEndian<quint16>(r->body), qFromLittleEndian<quint16>(r->body + 2)));
    }
    return scan;
}
