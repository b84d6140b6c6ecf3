#include "app/session.h"
#include "cli/command.h"
#include "reports/TJ_PRT2.h"
#include "reports/reportpdf.h"
#include "reports/statistics.h"
#include "reports/tj_prt.h"
#include "reports/xlsxexport.h"

namespace {

class ReportCommand : public Command {
public:
    QString name() const override { return QStringLiteral("report"); }
    QString usage() const override { return QStringLiteral("report [--pdf FILE] [--xlsx FILE]"); }
    bool needsGui() const override { return true; }
    QString description() const override { return QStringLiteral("both reports as PDF, both tables as .xlsx"); }
    int execute(CliContext& ctx, const QStringList& args) override
    {
        QString pdf, xlsx;
        for (int i = 0; i < args.size(); i += 2) {
            if (i + 1 >= args.size() || args[i + 1].isEmpty()) throw UsageError{args[i] + QStringLiteral(" needs a file")};
            if (args[i] == QLatin1String("--pdf")) pdf = args[i + 1];
            else if (args[i] == QLatin1String("--xlsx")) xlsx = args[i + 1];
            else throw UsageError{QStringLiteral("unknown option ") + args[i]};
        }
        if (pdf.isEmpty() && xlsx.isEmpty()) throw UsageError{QStringLiteral("report needs --pdf or --xlsx")};
        Statistics stats(ctx.session());
        stats.recompute();
        if (!pdf.isEmpty()) {
            const Tftj_prt anomaly(stats.q_tj1());
            const TFTJ_PRT2 attendance(stats.q_tj2());
            const int pages = writeReportsPdf(pdf, {&anomaly, &attendance});
            ctx.out << pdf << '\t' << pages << " pages\n";
        }
        if (!xlsx.isEmpty()) {
            exportXlsx(xlsx, statisticsSheets(stats.q_tj1(), stats.q_tj2()));
            ctx.out << xlsx << '\n';
        }
        return 0;
    }
};

CommandRegistration<ReportCommand> reg;

} // namespace
