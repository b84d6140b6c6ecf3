#include "store/datetime.h"
#include <QStringList>

namespace {

// Days from 1970-01-01 for a proleptic Gregorian date (H. Hinnant's algorithm).
constexpr qint64 daysFromCivil(qint64 y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const qint64 era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = unsigned(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + qint64(doe) - 719468;
}

void civilFromDays(qint64 z, int& y, int& m, int& d)
{
    z += 719468;
    const qint64 era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = unsigned(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = int(doy - (153 * mp + 2) / 5 + 1);
    m = int(mp < 10 ? mp + 3 : mp - 9);
    y = int(qint64(yoe) + era * 400 + (m <= 2));
}

// constexpr: a DateTime made while another file's statics are initialised
// must not meet this still zero.
constexpr qint64 EpochOffsetDays = daysFromCivil(1899, 12, 30);

qint64 floorDiv(qint64 a, qint64 b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

} // namespace

bool DateTime::validDate(int year, int month, int day)
{
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1) return false;
    static const int lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return day <= lengths[month - 1] + (month == 2 && leap ? 1 : 0);
}

DateTime DateTime::fromParts(int year, int month, int day, int hour, int minute, int second)
{
    const qint64 days = daysFromCivil(year, unsigned(month), unsigned(day)) - EpochOffsetDays;
    return fromSeconds(days * SecondsPerDay + hour * 3600 + minute * 60 + second);
}

qint64 DateTime::secondOfDay() const
{
    return m_seconds - floorDiv(m_seconds, SecondsPerDay) * SecondsPerDay;
}

void DateTime::civil(int& y, int& m, int& d) const
{
    civilFromDays(floorDiv(m_seconds, SecondsPerDay) + EpochOffsetDays, y, m, d);
}

int DateTime::year() const { int y, m, d; civil(y, m, d); return y; }
int DateTime::month() const { int y, m, d; civil(y, m, d); return m; }
int DateTime::day() const { int y, m, d; civil(y, m, d); return d; }

QString DateTime::toIso() const
{
    int y, m, d;
    civil(y, m, d);
    char buf[19];
    auto two = [&buf](int at, int v) {
        buf[at] = char('0' + v / 10 % 10);
        buf[at + 1] = char('0' + v % 10);
    };
    two(0, y / 100);
    two(2, y % 100);
    buf[4] = buf[7] = '-';
    buf[10] = ' ';
    buf[13] = buf[16] = ':';
    two(5, m);
    two(8, d);
    two(11, hour());
    two(14, minute());
    two(17, second());
    return QString::fromLatin1(buf, 19);
}

std::optional<DateTime> DateTime::fromIso(const QString& text)
{
    // yyyy-MM-dd[ HH:mm[:ss]]
    const QString t = text.trimmed();
    if (t.size() < 10 || t[4] != u'-' || t[7] != u'-') return std::nullopt;
    bool ok1, ok2, ok3;
    const int y = t.mid(0, 4).toInt(&ok1), mo = t.mid(5, 2).toInt(&ok2), d = t.mid(8, 2).toInt(&ok3);
    if (!ok1 || !ok2 || !ok3 || !validDate(y, mo, d)) return std::nullopt;
    int h = 0, mi = 0, s = 0;
    if (t.size() > 10) {
        const QStringList parts = t.mid(11).split(u':');
        if ((t[10] != u' ' && t[10] != u'T') || parts.size() < 2 || parts.size() > 3) return std::nullopt;
        bool a, b, c = true;
        h = parts[0].toInt(&a);
        mi = parts[1].toInt(&b);
        if (parts.size() == 3) s = parts[2].toInt(&c);
        if (!a || !b || !c || h > 23 || mi > 59 || s > 59 || h < 0 || mi < 0 || s < 0) return std::nullopt;
    }
    return fromParts(y, mo, d, h, mi, s);
}
