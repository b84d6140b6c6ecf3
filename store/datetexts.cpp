#include "store/datetexts.h"
#include "store/errors.h"
#include <QRegularExpression>

namespace {

QLocale g_locale = QLocale::system();
QString g_format;

QString mendFormat(QString f)
{
    if (f.contains(QLatin1String("MMM")) || f.contains(QLatin1String("ddd")) || !f.contains(u'y'))
        return QStringLiteral("yyyy-MM-dd");
    // Any run of y becomes yyyy.
    static const QRegularExpression years(QStringLiteral("y+"));
    f.replace(years, QStringLiteral("yyyy"));
    return f;
}

// Reads the digits of one field: 1-2 for day and month, exactly 4 for the year.
bool readNumber(const QString& t, int& pos, int minDigits, int maxDigits, int& out)
{
    int n = 0, v = 0;
    while (pos < t.size() && n < maxDigits && t[pos].isDigit() && t[pos].unicode() < 128) {
        v = v * 10 + (t[pos].unicode() - '0');
        ++pos;
        ++n;
    }
    out = v;
    return n >= minDigits;
}

bool parseDatePart(const QString& t, int& pos, const QString& fmt, int& y, int& m, int& d)
{
    y = m = d = -1;
    int i = 0;
    while (i < fmt.size()) {
        const QChar c = fmt[i];
        int run = 1;
        while (i + run < fmt.size() && fmt[i + run] == c) ++run;
        if (c == u'y') {
            if (!readNumber(t, pos, 4, 4, y)) return false;
        } else if (c == u'M') {
            if (!readNumber(t, pos, 1, 2, m)) return false;
        } else if (c == u'd') {
            if (!readNumber(t, pos, 1, 2, d)) return false;
        } else if (c == u'\'') {
            // quoted literal
            int j = i + 1;
            while (j < fmt.size() && fmt[j] != u'\'') {
                if (pos >= t.size() || t[pos] != fmt[j]) return false;
                ++pos;
                ++j;
            }
            i = j + 1;
            continue;
        } else {
            for (int k = 0; k < run; ++k) {
                if (pos >= t.size() || t[pos] != c) return false;
                ++pos;
            }
        }
        i += run;
    }
    return y > 0 && m > 0 && d > 0 && DateTime::validDate(y, m, d);
}

bool parseTimePart(const QString& t, int pos, int& h, int& mi, int& s)
{
    h = mi = s = 0;
    if (pos >= t.size()) return true;
    int field[3] = {0, 0, 0};
    int count = 0;
    while (count < 3) {
        if (!readNumber(t, pos, 1, 2, field[count])) return false;
        ++count;
        if (pos >= t.size()) break;
        if (t[pos] != u':') return false;
        ++pos;
    }
    if (pos != t.size() || count < 2) return false;
    h = field[0];
    mi = field[1];
    s = field[2];
    return h <= 23 && mi <= 59 && s <= 59;
}

bool parseWithFormat(const QString& text, const QString& fmt, bool allowTime, DateTime& out)
{
    const QString t = text.trimmed();
    int pos = 0, y, m, d;
    if (!parseDatePart(t, pos, fmt, y, m, d)) return false;
    int h = 0, mi = 0, s = 0;
    if (pos < t.size()) {
        if (!allowTime || !t[pos].isSpace()) return false;
        while (pos < t.size() && t[pos].isSpace()) ++pos;
        if (!parseTimePart(t, pos, h, mi, s)) return false;
    }
    out = DateTime::fromParts(y, m, d, h, mi, s);
    return true;
}

} // namespace

namespace DateTexts {

void setLocale(const QLocale& locale)
{
    g_locale = locale;
    g_format.clear();
}

QLocale locale() { return g_locale; }

QString shortDateFormat()
{
    if (g_format.isEmpty()) g_format = mendFormat(g_locale.dateFormat(QLocale::ShortFormat));
    return g_format;
}

QString formatDate(DateTime dt)
{
    const QString fmt = shortDateFormat();
    QString out;
    const int y = dt.year(), m = dt.month(), d = dt.day();
    int i = 0;
    while (i < fmt.size()) {
        const QChar c = fmt[i];
        int run = 1;
        while (i + run < fmt.size() && fmt[i + run] == c) ++run;
        if (c == u'y') out += QString::asprintf("%04d", y);
        else if (c == u'M') out += run >= 2 ? QString::asprintf("%02d", m) : QString::number(m);
        else if (c == u'd') out += run >= 2 ? QString::asprintf("%02d", d) : QString::number(d);
        else if (c == u'\'') {
            int j = i + 1;
            while (j < fmt.size() && fmt[j] != u'\'') out += fmt[j++];
            i = j + 1;
            continue;
        } else out += QString(run, c);
        i += run;
    }
    return out;
}

QString formatDateTime(DateTime dt)
{
    return formatDate(dt) + QString::asprintf(" %d:%02d:%02d", dt.hour(), dt.minute(), dt.second());
}

bool tryParseDateTime(const QString& text, DateTime& out)
{
    return parseWithFormat(text, shortDateFormat(), true, out);
}

DateTime parseDateTime(const QString& text)
{
    DateTime out;
    if (!tryParseDateTime(text, out))
        throw ConversionError(QStringLiteral("'%1' 不是有效的日期时间").arg(text));
    return out;
}

bool tryParseDateOrIso(const QString& text, DateTime& out)
{
    if (parseWithFormat(text, shortDateFormat(), false, out)) return true;
    return parseWithFormat(text, QStringLiteral("yyyy-MM-dd"), false, out);
}

} // namespace DateTexts
