#pragma once
#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

// Every message box and file dialog of the program goes through here, so that
// tests can script the answers instead of blocking on a modal dialog.
namespace Dialogs {

void showError(QWidget* parent, const QString& message);
void showInfo(QWidget* parent, const QString& message);
bool confirm(QWidget* parent, const QString& question); // Yes / No
QString openFileName(QWidget* parent, const QString& caption, const QString& filter);
QString saveFileName(QWidget* parent, const QString& caption, const QString& filter);

// Test seam: while scripted, messages are recorded instead of shown, and the
// queued answers are used in order (confirm: true; file dialogs: cancel when empty).
void setScripted(bool on);
bool isScripted();
void queueConfirm(bool answer);
void queueFileName(const QString& path);
QStringList recordedMessages();
void clearRecorded();

} // namespace Dialogs

// The default error handler: runs a command and shows any error it raises.
// Returns false when the command failed.
bool guarded(QWidget* parent, const std::function<void()>& command);
