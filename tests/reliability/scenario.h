#pragma once
#include <QString>
#include <QStringList>
#include <memory>

class Database;

// Counts invariant checks; a failed one is printed at once with its round.
class Checks {
public:
    QString where; // "import round 7, delay 812 ms, killed"
    int count = 0;
    int failures = 0;
    bool expect(bool ok, const QString& invariant, const QString& detail = QString());
};

// How much data each scenario works on.
struct Sizes {
    int importEmployees;     // a month of them already in kqk
    int importFileRows;      // punches in the imported .xls (at most 65,535)
    int analyseEmployees;    // a month of each, analysed
    int archiveEmployees;    // a month of each, moved into the archive
};

// One command under test: its pristine database, its arguments, and what a
// killed run may legally leave.
class Scenario {
public:
    virtual ~Scenario() = default;
    virtual QString name() const = 0;
    // Rounds start without a database file (the command makes it).
    virtual bool startsWithoutFile() const { return false; }
    // A round of such a scenario left no file at all.
    virtual void noFile() {}
    // Builds the pristine database at path (and any input files beside it).
    virtual void prepare(const QString& path, Checks& checks) = 0;
    virtual QStringList arguments(const QString& databasePath) const = 0;
    // The state after one whole unkilled run, the reference "after".
    virtual void learnAfter(Database& db, Checks& checks) = 0;
    // The scenario's invariants on a database a round left; returns the state
    // found, for the summary: "before", "after", or a point between.
    // finished: the process ended by itself, so only "after" is right.
    virtual QString check(Database& db, Checks& checks, bool finished) = 0;
    // Per-scenario detail for the summary line.
    virtual QString summary() const { return QString(); }
};

std::unique_ptr<Scenario> makeImportScenario(const Sizes& sizes, bool intoNewFile);
std::unique_ptr<Scenario> makeAnalyseScenario(const Sizes& sizes);
std::unique_ptr<Scenario> makeArchiveScenario(const Sizes& sizes);

// A database file made with the generator, closed with its log folded in.
void closeCheckpointed(std::unique_ptr<Database>& db);
