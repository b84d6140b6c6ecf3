#include "app/windows.h"
#include "app/kq.h"
#include "help/KQ_JS.h"
#include "import/cx.h"
#include "review/bk.h"
#include "settings/dksj.h"

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
    w.fdksj = new Tfdksj(session, owner);
    w.fbk = new Tfbk(session, owner);
    w.ftj = new PlaceholderWindow(QStringLiteral("统计"), 581, 480, owner);
    w.ftj_prt = new QObject(owner);
    w.ftj_prt->setObjectName(QStringLiteral("ftj_prt"));
    w.FTJ_PRT2 = new QObject(owner);
    w.FTJ_PRT2->setObjectName(QStringLiteral("FTJ_PRT2"));
    w.fcx = new Tfcx(session, owner);
    w.FKQ_JS = new TFKQ_JS(owner);
}
