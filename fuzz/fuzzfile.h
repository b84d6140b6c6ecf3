#pragma once
// The readers take a path, as the import gives them one: each input goes
// through a file named like the sheet the seeds hold.
#include "import/punchrows.h"
#include "import/sheetreader.h"
#include "store/errors.h"
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <cstdint>
#include <cstdlib>
#include <unistd.h>

namespace fuzzing {

inline QString scratchFile(const char* suffix)
{
    static const QString dir = [] {
        QString d = QDir::tempPath() + QStringLiteral("/tv-fuzz-%1").arg(getpid());
        QDir().mkpath(d);
        return d;
    }();
    return dir + QStringLiteral("/2010-11") + QLatin1String(suffix);
}

// Reads the bytes as a punch export the way an import does; refusals are the
// expected outcome for most inputs, anything else (a crash, a sanitizer
// report) is a finding.
inline void readAsExport(const uint8_t* data, size_t size, const char* suffix)
{
    const QString path = scratchFile(suffix);
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) std::abort();
        f.write(reinterpret_cast<const char*>(data), qint64(size));
    }
    try {
        const SheetData sheet = SheetReader::read(path);
        PunchColumns::read(sheet, path);
    } catch (const TvError&) {
    }
}

} // namespace fuzzing
