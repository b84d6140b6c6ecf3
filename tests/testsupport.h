#pragma once
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

class Database;

// A fresh database in a temporary directory, removed after the test.
struct TempDb {
    TempDb();
    ~TempDb();
    QString path() const;
    QString dir() const { return tmp.path(); }
    Database& db();
    QTemporaryDir tmp;
    std::unique_ptr<Database> database;
};

QString fixturePath(const QString& name); // tests/data/<name>
QString screenshotPath(const QString& name); // <build>/screenshots/<name>
QByteArray fileBytes(const QString& path);    // empty when unreadable

// One run of tallyvane-cli in dir, with the given environment (the test's own by default).
struct CliResult {
    int status;
    QString out, err;
};
CliResult runCli(const QString& dir, const QStringList& args,
                 const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment());

// Failed expectations show texts as text.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
