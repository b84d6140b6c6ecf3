#include "app/windows.h"
#include "app/kq.h"
#include "help/KQ_JS.h"
#include "import/cx.h"
#include "reports/TJ_PRT2.h"
#include "reports/tj.h"
#include "reports/tj_prt.h"
#include "review/bk.h"
#include "settings/dksj.h"

void showWindow(QWidget* w)
{
    if (!w) return;
    w->setWindowState(w->windowState() & ~Qt::WindowMinimized);
    w->show();
    w->raise();
    w->activateWindow();
}

void createSecondaryWindows(AppWindows& w, Session& session)
{
    QWidget* owner = w.fkq;
    w.fdksj = new Tfdksj(session, owner);
    w.fbk = new Tfbk(session, owner);
    auto* ftj = new Tftj(session, owner);
    w.ftj = ftj;
    auto* ftj_prt = new Tftj_prt(ftj->q_tj1(), owner);
    w.ftj_prt = ftj_prt;
    auto* FTJ_PRT2 = new TFTJ_PRT2(ftj->q_tj2(), owner);
    w.FTJ_PRT2 = FTJ_PRT2;
    ftj->setReports(ftj_prt, FTJ_PRT2);
    w.fcx = new Tfcx(session, owner);
    w.FKQ_JS = new TFKQ_JS(owner);
}
