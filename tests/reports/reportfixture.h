#pragma once
#include <QString>
#include <QStringList>
#include <vector>

class Database;

// Punch rows as the analysis leaves them; a null text is written as SQL null.
struct AnalysedRow {
    const char* bm;
    const char* xm;
    const char* ygbh;
    const char* dksj;
    const char* bz; // nullptr: null
    int js;         // -1: null
    const char* nyr;
};

void insertAnalysed(Database& db, const std::vector<AnalysedRow>& rows, const char* table = "kqk");
// count people "员001".. (short enough for the name boxes), each with one late punch and one normal punch.
void insertPeople(Database& db, int count);
