#include "analysis/analysisengine.h"
#include "cli/command.h"

namespace {

// Writes the progress lines as they come.
class StdoutPanel : public ProgressPanel {
public:
    explicit StdoutPanel(QTextStream& out) : m_out(out) {}
    void addLine(const QString& line) override
    {
        ProgressPanel::addLine(line);
        m_out << line << '\n';
    }

private:
    QTextStream& m_out;
};

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
        s.setProgressPanel(&panel);
        s.openOnShow();
        AnalysisEngine engine(s);
        if (args == QStringList{QStringLiteral("--all")}) engine.analyseAll();
        else
            for (const QString& ygbh : args) engine.analyseEmployee(ygbh);
        s.setProgressPanel(nullptr);
        return 0;
    }
};

CommandRegistration<AnalyseCommand> reg;

} // namespace
