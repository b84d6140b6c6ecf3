#pragma once

class QWidget;
class Session;

// SpeedButton1Click's work: asks for the export, then imports it. A cancelled
// dialog changes nothing; errors are shown in a message box.
void importFromDialog(QWidget* parent, Session& session);
