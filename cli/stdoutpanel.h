#pragma once
#include "app/progresspanel.h"
#include "app/session.h"
#include <QTextStream>

// The progress panel of the command line: each line to stdout as it comes.
class StdoutPanel : public ProgressPanel {
public:
    explicit StdoutPanel(QTextStream& out) : m_out(out) {}
    void addLine(const QString& line) override
    {
        ProgressPanel::addLine(line);
        m_out << line << '\n';
        m_out.flush();
    }

private:
    QTextStream& m_out;
};

// Puts a panel on a session for one command, and takes it off again.
class PanelScope {
public:
    PanelScope(Session& s, ProgressPanel& p) : m_session(s) { s.setProgressPanel(&p); }
    ~PanelScope() { m_session.setProgressPanel(nullptr); }

private:
    Session& m_session;
};
