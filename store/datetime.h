#pragma once
#include <QString>
#include <QtGlobal>
#include <compare>
#include <optional>

// Wall-clock date-time as whole seconds since 1899-12-30 00:00:00, the zero
// date-time. No time zone, no DST, no floating point: day arithmetic is exact.
class DateTime {
public:
    static constexpr qint64 SecondsPerDay = 86400;

    constexpr DateTime() = default;
    static constexpr DateTime fromSeconds(qint64 s) { DateTime d; d.m_seconds = s; return d; }
    static DateTime fromParts(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);
    static bool validDate(int year, int month, int day);

    constexpr qint64 seconds() const { return m_seconds; }
    int year() const;
    int month() const;
    int day() const;
    int hour() const { return int(secondOfDay() / 3600); }
    int minute() const { return int(secondOfDay() / 60 % 60); }
    int second() const { return int(secondOfDay() % 60); }
    qint64 secondOfDay() const;

    DateTime datePart() const { return fromSeconds(m_seconds - secondOfDay()); }
    DateTime addSeconds(qint64 s) const { return fromSeconds(m_seconds + s); }
    DateTime addMinutes(qint64 m) const { return addSeconds(m * 60); }
    DateTime addHours(qint64 h) const { return addSeconds(h * 3600); }
    DateTime addDays(qint64 d) const { return addSeconds(d * SecondsPerDay); }

    // yyyy-MM-dd HH:mm:ss: the storage form, which sorts chronologically.
    QString toIso() const;
    static std::optional<DateTime> fromIso(const QString& text);

    constexpr auto operator<=>(const DateTime&) const = default;

private:
    void civil(int& y, int& m, int& d) const;
    qint64 m_seconds = 0;
};

// Whole minutes between two date-times, truncated toward zero (2 min 59 s is 2).
inline qint64 wholeMinutesBetween(DateTime a, DateTime b)
{
    qint64 d = a.seconds() - b.seconds();
    if (d < 0) d = -d;
    return d / 60;
}
