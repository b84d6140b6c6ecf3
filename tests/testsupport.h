#pragma once
#include <QString>
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
