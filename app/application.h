#pragma once
#include <QApplication>

// The program's default error handler: an error that escapes any event
// handler is shown in a message box, and the program keeps running.
class Application : public QApplication {
public:
    using QApplication::QApplication;
    bool notify(QObject* receiver, QEvent* event) override;
};
