#include "review/employeedeletion.h"
#include "app/session.h"
#include "store/errors.h"

namespace EmployeeDeletion {

namespace {
// IS rather than =, so the entry of rows without a number can be removed too.
const QString SameNumber = QStringLiteral(" from kqk where ygbh is :ygbh");
} // namespace

Target describe(Session& session)
{
    const DataSet& employees = session.employeeList();
    if (!employees.isOpen() || employees.currentRow() < 0)
        throw CommandRefused(QStringLiteral("人员列表为空，没有可删除的人员。"));
    Target t;
    t.bm = employees.text(QStringLiteral("bm"));
    t.xm = employees.text(QStringLiteral("xm"));
    t.ygbh = employees.value(QStringLiteral("ygbh"));
    t.records = session.db().scalar(QStringLiteral("select count(*)") + SameNumber, {{":ygbh", t.ygbh}}).toInt();
    return t;
}

QString question(const Target& t)
{
    const QString number = t.ygbh.isNull() ? QStringLiteral("（无编号）") : t.ygbh.toText();
    return QStringLiteral("确定删除 %1 %2（编号 %3）的全部 %4 条打卡记录吗？")
        .arg(t.bm, t.xm, number)
        .arg(t.records);
}

void remove(Session& session, const Target& t)
{
    session.requireIdle();
    Transaction tx(session.db());
    session.execCommand(QStringLiteral("delete") + SameNumber, {{":ygbh", t.ygbh}});
    tx.commit();
    session.closeLists();
    session.openLists();
}

} // namespace EmployeeDeletion
