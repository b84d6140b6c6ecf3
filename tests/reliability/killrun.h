#pragma once
#include <QString>
#include <QStringList>
#include <QtGlobal>

// One start of a program that is SIGKILLed after a delay unless it ended first.
struct KillRun {
    bool killed = false;   // false: it had ended by itself before the kill
    int exitStatus = -1;   // when it ended by itself
    qint64 elapsedUs = 0;  // start to end (or to the kill)
};

// delayUs < 0 never kills. stdout and stderr go to logPath.
KillRun runAndKill(const QString& program, const QStringList& args, qint64 delayUs, const QString& logPath);
