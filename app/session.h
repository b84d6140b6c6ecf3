#pragma once
#include "app/analysiscontext.h"
#include "app/progresspanel.h"
#include "store/database.h"
#include "store/dataset.h"
#include <QObject>
#include <functional>
#include <memory>

// What the main window owns and every other part shares: the connection, the
// command query, the punch and employee lists, the shift data sets shown by
// the settings window, the analysis context and the program-wide sort flag.
// GUI-free: the windows and the command line drive the same object.
class Session : public QObject {
    Q_OBJECT
public:
    explicit Session(const QString& databasePath = QStringLiteral("kq.mdb"), QObject* parent = nullptr);
    ~Session() override;

    // Opens the connection on first use (creating a new database file).
    Database& db();
    bool isConnected() const { return bool(m_db); }
    QString databasePath() const { return m_path; }

    // ADOQuery1: a statement without result rows.
    void execCommand(const QString& sql, const Params& params = {});

    DataSet& punchList() { return *m_punchList; }       // ADOQuery2
    DataSet& employeeList() { return *m_employeeList; } // ADOQuery3
    DataSet& slotSet() { return *m_slotSet; }           // dksj's ADOQuery1
    DataSet& switchSet() { return *m_switchSet; }       // dksj's ADOTable1

    AnalysisContext& context() { return m_ctx; }
    int sortToggle() const { return m_sortToggle; }
    QString highlightDay() const { return m_highlightDay; }
    void setHighlightDay(const QString& day) { m_highlightDay = day; }

    ProgressPanel& progress() { return *m_progress; }
    void setProgressPanel(ProgressPanel* panel) { m_progress = panel ? panel : &m_nullPanel; }
    // Lets pending input run during an analysis; the GUI supplies one.
    void setPauseHook(std::function<void()> hook) { m_pause = std::move(hook); }
    void pause() { if (m_pause) m_pause(); }

    // FormShow of the main window: employee list, punch list, settings.
    void openOnShow();
    void openLists();
    void closeLists();
    // ADOQuery_other: "ys" and "zwdk" from qtszk; a bad value stops the load.
    void loadSettings();
    // SpeedButton3Click: reopen the punch list on its parameter, by time.
    void refreshPunchList();
    // Title-click sort of any grid: negate the flag, then sort by the field.
    void titleSort(DataSet& ds, const QString& field);

    // Refuses a data-changing command while an analysis run is under way.
    void requireIdle() const;

signals:
    void settingsLoaded();

private:
    void onEmployeeScroll();

    QString m_path;
    std::unique_ptr<Database> m_db;
    std::unique_ptr<DataSet> m_punchList, m_employeeList, m_slotSet, m_switchSet;
    AnalysisContext m_ctx;
    int m_sortToggle = 1;
    QString m_highlightDay;
    ProgressPanel m_nullPanel;
    ProgressPanel* m_progress = &m_nullPanel;
    std::function<void()> m_pause;
};
