#include "app/session.h"
#include "cli/command.h"
#include "store/errors.h"
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <unistd.h>
#include <QGuiApplication>
#include <algorithm>
#include <csignal>
#include <cstdio>

namespace {

void printUsage(QTextStream& s)
{
    s << "usage: tallyvane-cli [--db FILE] COMMAND ...\n\ncommands:\n";
    auto& reg = commandRegistry();
    std::vector<Command*> cmds;
    for (auto& c : reg) cmds.push_back(c.get());
    std::sort(cmds.begin(), cmds.end(), [](Command* a, Command* b) { return a->name() < b->name(); });
    for (Command* c : cmds) s << "  " << c->usage().leftJustified(34) << c->description() << '\n';
}


Command* findCommand(const QString& name)
{
    for (auto& c : commandRegistry())
        if (c->name() == name) return c.get();
    return nullptr;
}

std::unique_ptr<QCoreApplication> makeApplication(int& argc, char** argv)
{
    const QString name = argc > 1 ? QString::fromLocal8Bit(argv[argc > 3 && qstrcmp(argv[1], "--db") == 0 ? 3 : 1])
                                  : QString();
    Command* c = findCommand(name);
    if (!c || !c->needsGui()) return std::make_unique<QCoreApplication>(argc, argv);
    // Reports are painted with Qt Gui; without a display the offscreen platform serves.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The Gui application wants a private runtime directory and warns without one.
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QString dir = QDir::temp().filePath(QStringLiteral("tallyvane-runtime-%1").arg(getuid()));
        QDir().mkpath(dir);
        QFile::setPermissions(dir, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", dir.toLocal8Bit());
    }
    return std::make_unique<QGuiApplication>(argc, argv);
}

} // namespace

int main(int argc, char** argv)
{
    // Past a file size limit a write should fail and be reported, not kill us.
    std::signal(SIGXFSZ, SIG_IGN);
    auto app = makeApplication(argc, argv);
    QTextStream out(stdout), err(stderr);
    QStringList args = app->arguments().mid(1);
    CliContext ctx{QStringLiteral("kq.mdb"), out, err, {}};
    if (args.size() >= 2 && args[0] == QLatin1String("--db")) {
        ctx.databasePath = args[1];
        args = args.mid(2);
    } else if (!args.isEmpty() && args[0].startsWith(QLatin1String("--db="))) {
        ctx.databasePath = args[0].mid(5);
        args = args.mid(1);
    }
    if (args.isEmpty() || args[0] == QLatin1String("--help") || args[0] == QLatin1String("help")) {
        printUsage(args.isEmpty() ? err : out);
        return args.isEmpty() ? 2 : 0;
    }
    const QString name = args.takeFirst();
    for (auto& c : commandRegistry()) {
        if (c->name() != name) continue;
        try {
            const int rc = c->execute(ctx, args);
            out.flush();
            return rc;
        } catch (const UsageError& e) {
            out.flush();
            err << e.message << "\nusage: tallyvane-cli [--db FILE] " << c->usage() << '\n';
            return 2;
        } catch (const TvError& e) {
            out.flush();
            err << e.message() << '\n';
            return 1;
        } catch (const std::exception& e) {
            out.flush();
            err << e.what() << '\n';
            return 1;
        }
    }
    err << "unknown command: " << name << '\n';
    printUsage(err);
    return 2;
}
