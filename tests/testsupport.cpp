#include "testsupport.h"
#include "store/database.h"
#include <QFile>
#include <QProcess>

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

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

CliResult runCli(const QString& dir, const QStringList& args, const QProcessEnvironment& env)
{
    QProcess p;
    p.setProcessEnvironment(env);
    p.setWorkingDirectory(dir);
    p.start(QStringLiteral(TV_CLI), args);
    p.waitForFinished(120000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}
