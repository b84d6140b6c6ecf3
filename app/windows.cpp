#include "app/windows.h"
#include "app/kq.h"
#include "reports/TJ_PRT2.h"
#include "reports/tj.h"
#include "reports/tj_prt.h"

PlaceholderWindow::PlaceholderWindow(const QString& caption, int width, int height, QWidget* parent)
    : QWidget(parent, Qt::Window)
{
    setWindowTitle(caption);
    resize(width, height);
}

void showWindow(QWidget* w)
{
    if (!w) return;
    w->show();
    w->raise();
    w->activateWindow();
}

void createSecondaryWindows(AppWindows& w, Session& session)
{
    (void)session;
    QWidget* owner = w.fkq;
    w.fdksj = new PlaceholderWindow(QStringLiteral("设置"), 577, 590, owner);
    w.fbk = new PlaceholderWindow(QStringLiteral("补卡"), 492, 383, owner);
    auto* ftj = new Tftj(session, owner);
    w.ftj = ftj;
    auto* ftj_prt = new Tftj_prt(ftj->q_tj1(), owner);
    w.ftj_prt = ftj_prt;
    auto* FTJ_PRT2 = new TFTJ_PRT2(ftj->q_tj2(), owner);
    w.FTJ_PRT2 = FTJ_PRT2;
    ftj->setReports(ftj_prt, FTJ_PRT2);
    w.fcx = new PlaceholderWindow(QStringLiteral("考勤查询"), 503, 341, owner);
    w.FKQ_JS = new PlaceholderWindow(QStringLiteral("帮助"), 696, 480, owner);
}
