#include "cli/command.h"
#include "store/database.h"

namespace {

class SqlCommand : public Command {
public:
    QString name() const override { return QStringLiteral("sql"); }
    QString usage() const override { return QStringLiteral("sql STATEMENT"); }
    QString description() const override { return QStringLiteral("run one SQL statement, rows as TSV"); }
    int execute(CliContext& ctx, const QStringList& args) override
    {
        if (args.size() != 1) throw UsageError{QStringLiteral("sql takes one statement")};
        auto db = Database::open(ctx.databasePath);
        Statement st(*db, args[0]);
        const int n = st.columnCount();
        if (n > 0) {
            QStringList names;
            for (int i = 0; i < n; ++i) names << st.column(i).name;
            ctx.out << names.join(u'\t') << '\n';
        }
        while (st.step()) {
            QStringList fields;
            for (int i = 0; i < n; ++i) fields << tsvField(st.value(i));
            ctx.out << fields.join(u'\t') << '\n';
        }
        return 0;
    }
};

CommandRegistration<SqlCommand> reg;

} // namespace
