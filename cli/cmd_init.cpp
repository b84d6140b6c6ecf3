#include "cli/command.h"
#include "store/database.h"

namespace {

class InitCommand : public Command {
public:
    QString name() const override { return QStringLiteral("init"); }
    QString usage() const override { return QStringLiteral("init"); }
    QString description() const override { return QStringLiteral("create a new database file"); }
    int execute(CliContext& ctx, const QStringList& args) override
    {
        if (!args.isEmpty()) throw UsageError{QStringLiteral("init takes no arguments")};
        Database::open(ctx.databasePath, Database::OpenMode::CreateNew);
        return 0;
    }
};

CommandRegistration<InitCommand> reg;

} // namespace
