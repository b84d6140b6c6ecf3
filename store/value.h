#pragma once
#include "store/datetime.h"
#include <QString>
#include <variant>

// One field value as the data sets hold it. Null equals only null.
class Value {
public:
    enum class Type { Null, Integer, Real, Text, DateTime };

    Value() = default;
    Value(std::nullptr_t) {}
    Value(int v) : m_v(qint64(v)) {}
    Value(qint64 v) : m_v(v) {}
    Value(double v) : m_v(v) {}
    Value(const QString& v) : m_v(v) {}
    Value(const char* v) : m_v(QString::fromUtf8(v)) {}
    Value(::DateTime v) : m_v(v) {}

    Type type() const { return Type(m_v.index()); }
    bool isNull() const { return type() == Type::Null; }
    bool isNumber() const { return type() == Type::Integer || type() == Type::Real; }

    // Null reads as the empty text; a date-time as the locale's date-time text.
    QString toText() const;
    // Throws ConversionError for null or a text that is no whole number.
    qint64 toInt() const;
    double toReal() const;
    // Null reads as the zero date-time; a text is read in storage form.
    ::DateTime toDateTime() const;
    // True when the value is a number equal to n (null never is).
    bool equalsInt(qint64 n) const;

    // The text stored in the database and printed by the command line.
    QString toStorageText() const;

    bool operator==(const Value& o) const { return m_v == o.m_v; }

    const std::variant<std::monostate, qint64, double, QString, ::DateTime>& raw() const { return m_v; }

private:
    std::variant<std::monostate, qint64, double, QString, ::DateTime> m_v;
};

// Ordering for sorts: null lowest, then numbers and date-times, then texts.
class QCollator;
int compareValues(const Value& a, const Value& b, const QCollator* collator = nullptr);
