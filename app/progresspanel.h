#pragma once
#include <QString>
#include <QStringList>

// The progress panel that long commands write to (Memo1 in the main window,
// stdout on the command line). The base keeps the lines for tests.
class ProgressPanel {
public:
    virtual ~ProgressPanel() = default;
    virtual void showPanel() { m_visible = true; }
    virtual void hidePanel() { m_visible = false; }
    virtual void clear() { m_lines.clear(); }
    virtual void addLine(const QString& line) { m_lines << line; }
    bool isVisible() const { return m_visible; }
    const QStringList& lines() const { return m_lines; }

private:
    bool m_visible = false;
    QStringList m_lines;
};
