#include "app/dialogs.h"
#include "store/errors.h"
#include <QFileDialog>
#include <QMessageBox>
#include <QQueue>

namespace {
bool g_scripted = false;
QQueue<bool> g_confirms;
QQueue<QString> g_files;
QStringList g_messages;
} // namespace

namespace Dialogs {

void setScripted(bool on) { g_scripted = on; }
bool isScripted() { return g_scripted; }
void queueConfirm(bool answer) { g_confirms.enqueue(answer); }
void queueFileName(const QString& path) { g_files.enqueue(path); }
QStringList recordedMessages() { return g_messages; }
void clearRecorded() { g_messages.clear(); }

void showError(QWidget* parent, const QString& message)
{
    if (g_scripted) { g_messages << message; return; }
    QMessageBox::critical(parent, QStringLiteral("Tallyvane"), message);
}

void showInfo(QWidget* parent, const QString& message)
{
    if (g_scripted) { g_messages << message; return; }
    QMessageBox::information(parent, QStringLiteral("Tallyvane"), message);
}

bool confirm(QWidget* parent, const QString& question)
{
    if (g_scripted) {
        g_messages << question;
        return g_confirms.isEmpty() ? true : g_confirms.dequeue();
    }
    return QMessageBox::question(parent, QStringLiteral("确认"), question, QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}

QString openFileName(QWidget* parent, const QString& caption, const QString& filter)
{
    if (g_scripted) return g_files.isEmpty() ? QString() : g_files.dequeue();
    return QFileDialog::getOpenFileName(parent, caption, QString(), filter);
}

QString saveFileName(QWidget* parent, const QString& caption, const QString& filter)
{
    if (g_scripted) return g_files.isEmpty() ? QString() : g_files.dequeue();
    return QFileDialog::getSaveFileName(parent, caption, QString(), filter);
}

} // namespace Dialogs

bool guarded(QWidget* parent, const std::function<void()>& command)
{
    try {
        command();
        return true;
    } catch (const TvError& e) {
        Dialogs::showError(parent, e.message());
    } catch (const std::exception& e) {
        Dialogs::showError(parent, QString::fromUtf8(e.what()));
    }
    return false;
}
