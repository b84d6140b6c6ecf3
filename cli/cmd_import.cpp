#include "app/session.h"
#include "cli/command.h"
#include "cli/stdoutpanel.h"
#include "import/spreadsheetimport.h"

namespace {

class ImportCommand : public Command {
public:
    QString name() const override { return QStringLiteral("import"); }
    QString usage() const override { return QStringLiteral("import FILE"); }
    QString description() const override { return QStringLiteral("import a punch export (.xls, .xlsx, .csv)"); }
    int execute(CliContext& ctx, const QStringList& args) override
    {
        if (args.size() != 1) throw UsageError{QStringLiteral("import takes one file")};
        Session& session = ctx.session();
        StdoutPanel panel(ctx.out);
        PanelScope scope(session, panel);
        SpreadsheetImport::run(session, args[0]);
        return 0;
    }
};

CommandRegistration<ImportCommand> reg;

} // namespace
