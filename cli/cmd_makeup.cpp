#include "app/session.h"
#include "cli/command.h"
#include "review/makeup.h"
#include "review/punchgrid.h"
#include "store/datetexts.h"
#include "store/errors.h"

namespace {

class MakeupCommand : public Command {
public:
    QString name() const override { return QStringLiteral("makeup"); }
    QString usage() const override { return QStringLiteral("makeup YGBH DATE SLOTTIME"); }
    QString description() const override { return QStringLiteral("enter a make-up punch (补卡); prints the new row"); }
    int execute(CliContext& ctx, const QStringList& args) override
    {
        if (args.size() != 3) throw UsageError{QStringLiteral("makeup takes YGBH, DATE and SLOTTIME")};
        DateTime day;
        if (!DateTexts::tryParseDateOrIso(args[1], day))
            throw CommandRefused(QStringLiteral("“%1”不是日期（%2 或 yyyy-MM-dd）").arg(args[1], DateTexts::shortDateFormat()));

        Session& session = ctx.session();
        session.openLists();
        if (!PunchGrid::selectEmployee(session, args[0]))
            throw CommandRefused(QStringLiteral("人员列表中没有编号为 %1 的人员").arg(args[0]));
        Makeup::enter(session, DateTexts::formatDate(day), args[2]);

        DataSet& list = session.punchList();
        const QStringList fields = QString::fromLatin1("id,bm,xm,ygbh,dksj,bz,js,nyr,shi").split(u',');
        QStringList values;
        for (const QString& f : fields) values << tsvField(list.value(f));
        ctx.out << fields.join(u'\t') << '\n' << values.join(u'\t') << '\n';
        return 0;
    }
};

CommandRegistration<MakeupCommand> reg;

} // namespace
