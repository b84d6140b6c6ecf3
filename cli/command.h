#pragma once
#include <QString>
#include <QStringList>
#include <QTextStream>
#include <functional>
#include <memory>
#include <vector>

class Session;

// What a command gets: its arguments, the database path, the output streams
// and, opened on demand, the same Session the windows use.
struct CliContext {
    QString databasePath;
    QTextStream& out;
    QTextStream& err;
    Session& session();
    std::unique_ptr<Session> sessionPtr;
    ~CliContext();
};

// Bad arguments: exit status 2 with the usage text.
struct UsageError {
    QString message;
};

// One command of tallyvane-cli. Each lives in a file of its own and registers
// itself with a static CommandRegistration.
class Command {
public:
    virtual ~Command() = default;
    virtual QString name() const = 0;
    virtual QString usage() const = 0; // "import FILE"
    virtual QString description() const = 0;
    // Commands that paint (reports) need a Qt Gui application.
    virtual bool needsGui() const { return false; }
    // Returns the exit status; throws TvError (status 1) or UsageError (2).
    virtual int execute(CliContext& ctx, const QStringList& args) = 0;
};

std::vector<std::unique_ptr<Command>>& commandRegistry();

template <class T>
struct CommandRegistration {
    CommandRegistration() { commandRegistry().push_back(std::make_unique<T>()); }
};

// Writes one TSV field: null as \N, backslash, tab, newline and CR escaped.
QString tsvField(const class Value& v);
