#include "testsupport.h"
#include "store/database.h"

TempDb::TempDb() = default;
TempDb::~TempDb() = default;

QString TempDb::path() const { return tmp.filePath(QStringLiteral("kq.mdb")); }

Database& TempDb::db()
{
    if (!database) database = Database::open(path());
    return *database;
}

QString fixturePath(const QString& name) { return QStringLiteral(TV_SOURCE_DIR "/tests/data/") + name; }
QString screenshotPath(const QString& name) { return QStringLiteral(TV_BINARY_DIR "/screenshots/") + name; }
