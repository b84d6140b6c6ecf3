#include "app/session.h"
#include "cli/command.h"
#include "import/moveout.h"

namespace {

class ArchiveCommand : public Command {
public:
    QString name() const override { return QStringLiteral("archive"); }
    QString usage() const override { return QStringLiteral("archive"); }
    QString description() const override { return QStringLiteral("move every punch record of kqk into kqkend"); }
    int execute(CliContext& ctx, const QStringList& args) override
    {
        if (!args.isEmpty()) throw UsageError{QStringLiteral("archive takes no arguments")};
        const MoveOutResult r = Archive::moveOut(ctx.session());
        ctx.out << "archived " << r.archived << " records, removed " << r.removed << " rows from kqk\n";
        return 0;
    }
};

CommandRegistration<ArchiveCommand> reg;

} // namespace
