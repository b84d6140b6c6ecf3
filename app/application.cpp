#include "app/application.h"
#include "app/dialogs.h"
#include "store/errors.h"

bool Application::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const TvError& e) {
        Dialogs::showError(activeWindow(), e.message());
    } catch (const std::exception& e) {
        Dialogs::showError(activeWindow(), QString::fromUtf8(e.what()));
    }
    return false;
}
