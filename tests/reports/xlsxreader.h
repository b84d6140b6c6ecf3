#pragma once
#include <QString>
#include <QStringList>
#include <vector>

// A workbook read back for tests: each sheet's name and its cells as texts
// (shared strings resolved, numbers as written, empty cells as "").
struct ReadSheet {
    QString name;
    std::vector<QStringList> rows;
};
std::vector<ReadSheet> readXlsx(const QString& path);
