#pragma once
#include <QWidget>

class Session;
class Tfkq;

// The eight windows, created in start-up order: the main window, then hidden
// the settings, make-up, statistics, the two report layouts, query and help.
struct AppWindows {
    Tfkq* fkq = nullptr;
    QWidget* fdksj = nullptr;
    QWidget* fbk = nullptr;
    QWidget* ftj = nullptr;
    QObject* ftj_prt = nullptr;
    QObject* FTJ_PRT2 = nullptr;
    QWidget* fcx = nullptr;
    QWidget* FKQ_JS = nullptr;
};

// Creates the secondary windows for a created main window.
void createSecondaryWindows(AppWindows& w, Session& session);

// Shows a window modelessly; one already shown comes to the front.
void showWindow(QWidget* w);
