#pragma once

class QWidget;
class Session;

// The toolbar's "移出数据": moves every record into the archive at once,
// without asking; an error is shown and leaves the data in one place.
void moveOutAction(QWidget* parent, Session& session);
