#include "app/kq.h"
#include "app/session.h"
#include "app/windows.h"
#include "app/application.h"

int main(int argc, char** argv)
{
    Application app(argc, argv);
    Session session(QStringLiteral("kq.mdb"));
    Tfkq fkq(session);
    createSecondaryWindows(fkq.windows(), session);
    fkq.show();
    return app.exec();
}
