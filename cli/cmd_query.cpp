#include "app/session.h"
#include "cli/command.h"
#include "import/archivequery.h"
#include "store/datetexts.h"

namespace {

DateTime dateArgument(const QString& text)
{
    DateTime d;
    if (!DateTexts::tryParseDateOrIso(text.trimmed(), d))
        throw UsageError{QStringLiteral("not a date: %1 (use %2 or yyyy-MM-dd)").arg(text, DateTexts::shortDateFormat())};
    return d;
}

class QueryCommand : public Command {
public:
    QString name() const override { return QStringLiteral("query"); }
    QString usage() const override { return QStringLiteral("query FROM TO [NAME [NUMBER]]"); }
    QString description() const override { return QStringLiteral("search the archive kqkend, rows as TSV"); }
    int execute(CliContext& ctx, const QStringList& args) override
    {
        if (args.size() < 2 || args.size() > 4) throw UsageError{QStringLiteral("query takes two to four arguments")};
        ArchiveCriteria c;
        c.startDate = dateArgument(args[0]);
        c.endDate = dateArgument(args[1]);
        if (args.size() > 2) c.namePattern = args[2];
        if (args.size() > 3) c.numberPattern = args[3];
        ArchiveQuery q;
        q.run(ctx.session().db(), c);
        const DataSet& ds = q.dataSet();
        ctx.out << ds.fieldNames().join(u'\t') << '\n';
        for (int row = 0; row < ds.recordCount(); ++row) {
            QStringList fields;
            for (int col = 0; col < ds.fieldCount(); ++col) fields << tsvField(ds.valueAt(row, col));
            ctx.out << fields.join(u'\t') << '\n';
        }
        return 0;
    }
};

CommandRegistration<QueryCommand> reg;

} // namespace
