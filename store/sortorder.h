#pragma once
#include <QString>
#include <QStringList>
#include <vector>

// A sort text such as "a DESC,b DESC,c ASC" or "ygbh,dksj ASC".
struct SortKey {
    QString field;
    bool descending = false;
};

// Throws DatabaseError on an empty or malformed key.
std::vector<SortKey> parseSortOrder(const QString& text);
