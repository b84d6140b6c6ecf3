#pragma once
#include <QByteArray>
#include <QSet>
#include <QString>

// What FreeXL does not tell: whether the workbook is saved with a password,
// and which cells of a sheet are formulas (FreeXL leaves them empty). Found
// by walking the record headers of the Workbook stream, which stay plain even
// in an encrypted workbook.
struct BiffScan {
    bool passwordProtected = false;
    // row << 16 | column, 0-based
    QSet<quint32> formulaCells;

    static quint32 key(unsigned row, unsigned column) { return quint32(row) << 16 | (column & 0xFFFF); }
    // Scans the first sheet named sheetName, case aside, as the reader picks
    // it; a damaged stream ends the scan where the damage starts.
    static BiffScan of(const QByteArray& workbook, const QString& sheetName);
};
