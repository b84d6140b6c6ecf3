#pragma once
#include <QString>

class Session;

// The two thresholds of the analysis as the settings window shows them: the
// grace minutes ("ys") and the missing minutes ("zwdk") of qtszk.
class Thresholds {
public:
    enum class Kind { Grace, Missing };
    static constexpr int MaxMinutes = 1440;
    static QString key(Kind kind); // "ys" / "zwdk"

    explicit Thresholds(Session& session) : m_session(session) {}

    // The stored value as the start-up load reads it (the last row of the
    // key wins); "0" when the key is absent, the value then in force.
    QString storedText(Kind kind);

    // Stores a whole number 0..1440 under the key (creating the row when
    // absent) and puts it into force for the next analysis at once.
    // Anything else is refused with CommandRefused and nothing changes.
    void store(Kind kind, const QString& text);

    static int parseMinutes(const QString& text);

private:
    Session& m_session;
};
