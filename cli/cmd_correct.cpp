#include "app/session.h"
#include "cli/command.h"
#include "review/corrections.h"
#include "review/punchgrid.h"
#include "store/datetexts.h"
#include "store/errors.h"

namespace {

// Prints the punch list as the grid holds it after the command.
void printPunchList(QTextStream& out, DataSet& list)
{
    const QStringList fields = QString::fromLatin1("id,bm,xm,ygbh,dksj,bz,js,nyr,shi").split(u',');
    out << fields.join(u'\t') << '\n';
    for (int row = 0; row < list.recordCount(); ++row) {
        QStringList line;
        for (const QString& f : fields) line << tsvField(list.valueAt(row, list.fieldIndex(f)));
        out << line.join(u'\t') << '\n';
    }
}

class CorrectCommand : public Command {
public:
    QString name() const override { return QStringLiteral("correct"); }
    QString usage() const override { return QStringLiteral("correct KEY ROWID"); }
    QString description() const override
    {
        return QStringLiteral("click the kqk row ROWID, then correction KEY (0-9); prints the punch list");
    }
    int execute(CliContext& ctx, const QStringList& args) override
    {
        if (args.size() != 2) throw UsageError{QStringLiteral("correct takes KEY and ROWID")};
        bool keyOk = false, idOk = false;
        const int key = args[0].toInt(&keyOk);
        const qint64 id = args[1].toLongLong(&idOk);
        if (!keyOk || key < 0 || key > 9 || args[0].size() != 1) throw UsageError{QStringLiteral("KEY is 0 to 9")};
        if (!idOk) throw UsageError{QStringLiteral("ROWID is a whole number")};

        Session& session = ctx.session();
        session.openLists();
        const QueryResult r =
            session.db().query(QStringLiteral("select ygbh from kqk where id=:id"), {{":id", Value(id)}});
        if (r.rows.empty()) throw CommandRefused(QStringLiteral("没有 id 为 %1 的打卡记录").arg(id));
        if (r.rows[0][0].isNull() || !PunchGrid::selectEmployee(session, r.rows[0][0].toText()) ||
            !PunchGrid::selectPunch(session, id))
            throw CommandRefused(QStringLiteral("id 为 %1 的记录没有编号，不在任何人的打卡列表中").arg(id));
        PunchGrid::cellClick(session);

        const auto calendarDate = Corrections(session).run(key);
        if (calendarDate) ctx.out << DateTexts::formatDate(*calendarDate) << '\n';
        else printPunchList(ctx.out, session.punchList());
        return 0;
    }
};

CommandRegistration<CorrectCommand> reg;

} // namespace
