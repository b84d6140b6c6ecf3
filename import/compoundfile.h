#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

// The streams of a compound file (the container of .xls workbooks and of
// password-protected .xlsx files), read just far enough to find a stream by
// name. Every offset and chain is checked: a damaged file gives nullopt or an
// empty list, never a read outside the bytes.
class CompoundFile {
public:
    // nullopt when the bytes are no compound file.
    static std::optional<CompoundFile> parse(const QByteArray& file);

    QStringList streamNames() const;
    // A stream held in whole sectors (4096 bytes or more); nullopt when it is
    // missing, small (mini stream) or its chain is broken.
    std::optional<QByteArray> stream(const QString& name) const;

private:
    struct Entry {
        QString name;
        int type = 0; // 2 stream, 5 root
        quint32 start = 0;
        quint64 size = 0;
    };
    explicit CompoundFile(const QByteArray& file) : m_file(file) {}
    bool readFat();
    std::optional<QByteArray> chain(quint32 start, quint64 limit) const;
    bool readDirectory();
    const char* sector(quint32 n) const;

    QByteArray m_file;
    int m_sectorSize = 512;
    quint32 m_miniCutoff = 4096;
    std::vector<quint32> m_fat;
    std::vector<Entry> m_entries;
};
