#include "app/session.h"
#include "cli/command.h"
#include "reports/statistics.h"

namespace {

void writeTsv(QTextStream& out, const QString& header, const DataSet& ds)
{
    out << header << '\n';
    out << ds.fieldNames().join(u'\t') << '\n';
    for (int r = 0; r < ds.recordCount(); ++r) {
        QStringList fields;
        for (int c = 0; c < ds.fieldCount(); ++c) fields << tsvField(ds.valueAt(r, c));
        out << fields.join(u'\t') << '\n';
    }
}

class StatsCommand : public Command {
public:
    QString name() const override { return QStringLiteral("stats"); }
    QString usage() const override { return QStringLiteral("stats"); }
    QString description() const override { return QStringLiteral("anomaly totals and attendance days as TSV"); }
    int execute(CliContext& ctx, const QStringList& args) override
    {
        if (!args.isEmpty()) throw UsageError{QStringLiteral("stats takes no arguments")};
        Statistics stats(ctx.session());
        stats.recompute();
        writeTsv(ctx.out, QStringLiteral("q_tj1"), stats.q_tj1());
        writeTsv(ctx.out, QStringLiteral("q_tj2"), stats.q_tj2());
        return 0;
    }
};

CommandRegistration<StatsCommand> reg;

} // namespace
