#pragma once
#include "store/datetime.h"
#include <QString>
#include <functional>

class Database;

// Synthetic punch data: employees x days x punches with realistic jitter,
// some missing and repeated punches. Deterministic for a given seed.
struct PunchGenOptions {
    int employees = 100;
    int days = 31;
    DateTime firstDay = DateTime::fromParts(2010, 11, 1);
    unsigned seed = 1;
    int missingPercent = 3;  // chance that a slot's punch is absent
    int repeatPercent = 2;   // chance that a punch is punched twice
    int employeeOffset = 0;  // first employee number
};

struct GeneratedPunch {
    QString bm, xm, ygbh;
    DateTime dksj;
};

// Calls sink for each punch, in employee and time order. Employees cycle over
// three shift patterns: four-slot day shift, two-slot shift, night shift.
void generatePunches(const PunchGenOptions& o, const std::function<void(const GeneratedPunch&)>& sink);

// Inserts the punches into kqk (with nyr) in one transaction; returns the count.
qint64 insertPunches(Database& db, const PunchGenOptions& o);

// The three shifts the generator follows, as dksjszk and bcmsz rows.
void insertBenchShifts(Database& db);
