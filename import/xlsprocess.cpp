// Runs the .xls reading in tallyvane-xls-reader and takes the sheet back
// through a pipe.
#include "import/sheetreader.h"
#include "import/sheetstream.h"
#include "store/errors.h"
#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

QString readerProgram()
{
    // Beside whichever executable of ours runs: the program, the command
    // line, a test.
    const QString self = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    return QFileInfo(self).absolutePath() + QStringLiteral("/tallyvane-xls-reader");
}

struct Run {
    QByteArray out;
    int status = -1;
    int spawnError = 0;
};

Run runReader(const QString& program, const QString& path, const QString& sheetName)
{
    Run run;
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) {
        run.spawnError = errno;
        return run;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
    // What upset the reader (a sanitizer's report, say) is not the user's concern.
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    const QByteArray prog = QFile::encodeName(program), file = QFile::encodeName(path), sheet = sheetName.toUtf8();
    char* argv[] = {const_cast<char*>(prog.constData()), const_cast<char*>(file.constData()),
                    const_cast<char*>(sheet.constData()), nullptr};
    pid_t pid = 0;
    run.spawnError = posix_spawn(&pid, prog.constData(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    if (run.spawnError == 0) {
        char buf[65536];
        for (;;) {
            const ssize_t got = read(fds[0], buf, sizeof buf);
            if (got > 0) run.out.append(buf, got);
            else if (got == 0 || errno != EINTR) break;
        }
        while (waitpid(pid, &run.status, 0) < 0 && errno == EINTR) {
        }
    }
    close(fds[0]);
    return run;
}

} // namespace

namespace SheetReader {

SheetData readXls(const QString& path, const QString& sheetName)
{
    const QString program = readerProgram();
    const Run run = runReader(program, path, sheetName);
    if (run.spawnError != 0)
        fail(path, QStringLiteral("无法启动读取程序“%1”（%2）").arg(program, QString::fromLocal8Bit(strerror(run.spawnError))));
    const bool exited = WIFEXITED(run.status) && WEXITSTATUS(run.status) == 0;
    const auto decoded = exited ? SheetStream::decode(run.out) : std::nullopt;
    if (!decoded) fail(path, QStringLiteral("文件已损坏，无法读取（Excel 97-2003 工作簿的内容不完整或有误）"));
    if (!decoded->sheet) throw CommandRefused(decoded->refusal);
    return std::move(*decoded->sheet);
}

} // namespace SheetReader
