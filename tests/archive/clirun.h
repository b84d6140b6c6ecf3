#pragma once
#include <QProcess>
#include <QString>
#include <QStringList>

struct CliResult {
    int status;
    QString out, err;
};

inline CliResult runCli(const QString& dir, const QStringList& args)
{
    QProcess p;
    p.setWorkingDirectory(dir);
    p.start(QStringLiteral(TV_CLI), args);
    p.waitForFinished(120000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}
