#include "store/value.h"
#include "store/datetexts.h"
#include "store/errors.h"
#include <QCollator>
#include <charconv>
#include <cmath>

QString Value::toText() const
{
    switch (type()) {
    case Type::Null: return QString();
    case Type::DateTime: return DateTexts::formatDateTime(std::get<::DateTime>(m_v));
    default: return toStorageText();
    }
}

QString Value::toStorageText() const
{
    switch (type()) {
    case Type::Null: return QString();
    case Type::Integer: return QString::number(std::get<qint64>(m_v));
    case Type::Real: {
        const double d = std::get<double>(m_v);
        if (std::isfinite(d) && d == std::trunc(d) && std::fabs(d) < 9e15)
            return QString::number(qint64(d));
        char buf[64];
        auto res = std::to_chars(buf, buf + sizeof buf, d);
        return QString::fromLatin1(buf, int(res.ptr - buf));
    }
    case Type::Text: return std::get<QString>(m_v);
    case Type::DateTime: return std::get<::DateTime>(m_v).toIso();
    }
    return QString();
}

qint64 Value::toInt() const
{
    switch (type()) {
    case Type::Integer: return std::get<qint64>(m_v);
    case Type::Real: return qint64(std::llround(std::get<double>(m_v)));
    case Type::Text: {
        bool ok = false;
        const qint64 v = std::get<QString>(m_v).trimmed().toLongLong(&ok);
        if (ok) return v;
        throw ConversionError(QStringLiteral("'%1' 不是有效的整数").arg(std::get<QString>(m_v)));
    }
    case Type::Null: throw ConversionError(QStringLiteral("空值不能转换为数字"));
    case Type::DateTime: throw ConversionError(QStringLiteral("日期时间不能转换为整数"));
    }
    return 0;
}

double Value::toReal() const
{
    if (type() == Type::Real) return std::get<double>(m_v);
    if (type() == Type::Text) {
        bool ok = false;
        const double v = std::get<QString>(m_v).trimmed().toDouble(&ok);
        if (ok) return v;
        throw ConversionError(QStringLiteral("'%1' 不是有效的数字").arg(std::get<QString>(m_v)));
    }
    return double(toInt());
}

::DateTime Value::toDateTime() const
{
    switch (type()) {
    case Type::Null: return ::DateTime();
    case Type::DateTime: return std::get<::DateTime>(m_v);
    case Type::Text: {
        if (auto d = ::DateTime::fromIso(std::get<QString>(m_v))) return *d;
        return DateTexts::parseDateTime(std::get<QString>(m_v));
    }
    default: throw ConversionError(QStringLiteral("'%1' 不是有效的日期时间").arg(toStorageText()));
    }
}

bool Value::equalsInt(qint64 n) const
{
    if (type() == Type::Integer) return std::get<qint64>(m_v) == n;
    if (type() == Type::Real) return std::get<double>(m_v) == double(n);
    return false;
}

namespace {
int rank(const Value& v)
{
    switch (v.type()) {
    case Value::Type::Null: return 0;
    case Value::Type::Integer:
    case Value::Type::Real: return 1;
    case Value::Type::DateTime: return 2;
    case Value::Type::Text: return 3;
    }
    return 4;
}
} // namespace

int compareValues(const Value& a, const Value& b, const QCollator* collator)
{
    const int ra = rank(a), rb = rank(b);
    if (ra != rb) return ra < rb ? -1 : 1;
    switch (a.type()) {
    case Value::Type::Null: return 0;
    case Value::Type::Integer:
    case Value::Type::Real: {
        if (a.type() == Value::Type::Integer && b.type() == Value::Type::Integer) {
            const qint64 x = std::get<qint64>(a.raw()), y = std::get<qint64>(b.raw());
            return x < y ? -1 : (x > y ? 1 : 0);
        }
        const double x = a.toReal(), y = b.toReal();
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    case Value::Type::DateTime: {
        const auto x = std::get<::DateTime>(a.raw()), y = std::get<::DateTime>(b.raw());
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    case Value::Type::Text: {
        const QString& x = std::get<QString>(a.raw());
        const QString& y = std::get<QString>(b.raw());
        if (collator) return collator->compare(x, y);
        return x.compare(y);
    }
    }
    return 0;
}
