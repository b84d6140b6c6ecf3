#pragma once
#include <QString>
#include <exception>
#include <string>

// Every failure the core reports carries a user-readable message; the shells
// show it (message box or stderr). No core code ever presents it itself.
class TvError : public std::exception {
public:
    explicit TvError(QString message) : m_message(std::move(message)), m_utf8(m_message.toStdString()) {}
    const QString& message() const noexcept { return m_message; }
    const char* what() const noexcept override { return m_utf8.c_str(); }

private:
    QString m_message;
    std::string m_utf8;
};

// The engine refused a statement, or the file is not our database.
class DatabaseError : public TvError {
public:
    using TvError::TvError;
};

// A text or null that does not convert to the wanted type.
class ConversionError : public TvError {
public:
    using TvError::TvError;
};

// A command refused for a reason the user can act on (bad input, wrong state).
class CommandRefused : public TvError {
public:
    using TvError::TvError;
};
