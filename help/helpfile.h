#pragma once
#include <QString>

// The help text kept in help.txt beside the executable. Read as UTF-8, or as
// GB18030 when the bytes are not valid UTF-8 (files written by older
// systems); written back in the encoding it was read in, a new file in UTF-8.
// Line breaks: CR, LF and CR LF all read as '\n'; written as CR LF, with no
// break added after the last line.
class HelpFile {
public:
    enum class Encoding { Utf8, Utf8WithBom, Gb18030 };

    explicit HelpFile(QString path = defaultPath());

    // The directory of the running executable followed by "help.txt".
    static QString defaultPath();

    QString path() const { return m_path; }
    Encoding encoding() const { return m_encoding; }

    // Throws TvError naming the full path and the system's reason.
    QString load();
    // Replaces the file whole (or creates it); throws TvError likewise.
    void save(const QString& text);

    static QString decode(const QByteArray& bytes, Encoding& encoding);
    static QByteArray encode(const QString& text, Encoding encoding);

private:
    QString m_path;
    Encoding m_encoding = Encoding::Utf8;
};
