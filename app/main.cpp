#include "app/kq.h"
#include "app/session.h"
#include "app/windows.h"
#include "app/application.h"
#include <csignal>

int main(int argc, char** argv)
{
    // Past a file size limit a write should fail and be reported, not kill us.
    std::signal(SIGXFSZ, SIG_IGN);
    Application app(argc, argv);
    Session session(QStringLiteral("kq.mdb"));
    Tfkq fkq(session);
    createSecondaryWindows(fkq.windows(), session);
    fkq.show();
    return app.exec();
}
