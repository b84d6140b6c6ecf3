#include "analysis/analysisengine.h"
#include "cli/command.h"
#include "cli/stdoutpanel.h"

namespace {

class AnalyseCommand : public Command {
public:
    QString name() const override { return QStringLiteral("analyse"); }
    QString usage() const override { return QStringLiteral("analyse YGBH... | --all"); }
    QString description() const override { return QStringLiteral("analyse employees' punches"); }
    int execute(CliContext& ctx, const QStringList& args) override
    {
        if (args.isEmpty()) throw UsageError{QStringLiteral("analyse needs employee numbers or --all")};
        Session& s = ctx.session();
        StdoutPanel panel(ctx.out);
        PanelScope scope(s, panel);
        s.openOnShow();
        AnalysisEngine engine(s);
        if (args == QStringList{QStringLiteral("--all")}) engine.analyseAll();
        else
            for (const QString& ygbh : args) engine.analyseEmployee(ygbh);
        return 0;
    }
};

CommandRegistration<AnalyseCommand> reg;

} // namespace
