#include "app/session.h"
#include "cli/command.h"
#include "import/spreadsheetimport.h"

namespace {

// The progress panel of the command line: each line to stdout as it comes.
class StdoutPanel : public ProgressPanel {
public:
    explicit StdoutPanel(QTextStream& out) : m_out(out) {}
    void addLine(const QString& line) override
    {
        ProgressPanel::addLine(line);
        m_out << line << '\n';
        m_out.flush();
    }

private:
    QTextStream& m_out;
};

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
        session.setProgressPanel(&panel);
        struct Restore {
            Session& s;
            ~Restore() { s.setProgressPanel(nullptr); }
        } restore{session};
        SpreadsheetImport::run(session, args[0]);
        return 0;
    }
};

CommandRegistration<ImportCommand> reg;

} // namespace
