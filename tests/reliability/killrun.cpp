#include "killrun.h"
#include <cerrno>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <stdexcept>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

int waitFor(pid_t pid, int flags)
{
    int status = 0;
    for (;;) {
        const pid_t r = waitpid(pid, &status, flags);
        if (r == pid) return status;
        if (r == 0) return -1; // still running
        if (errno != EINTR) throw std::runtime_error("waitpid failed");
    }
}

} // namespace

KillRun runAndKill(const QString& program, const QStringList& args, qint64 delayUs, const QString& logPath)
{
    std::vector<std::string> strings{program.toStdString()};
    for (const QString& a : args) strings.push_back(a.toStdString());
    std::vector<char*> argv;
    for (auto& s : strings) argv.push_back(s.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    const std::string log = logPath.toStdString();
    posix_spawn_file_actions_addopen(&actions, 1, log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);

    const auto start = Clock::now();
    pid_t pid = 0;
    const int rc = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) throw std::runtime_error("cannot start " + strings[0]);

    KillRun r;
    int status;
    if (delayUs < 0) {
        status = waitFor(pid, 0);
    } else {
        std::this_thread::sleep_until(start + std::chrono::microseconds(delayUs));
        status = waitFor(pid, WNOHANG);
        if (status == -1) {
            kill(pid, SIGKILL);
            status = waitFor(pid, 0);
        }
    }
    r.elapsedUs = std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - start).count();
    // It may have ended between the look and the kill: then it was a run.
    r.killed = WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
    r.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}
