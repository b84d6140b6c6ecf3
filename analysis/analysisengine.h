#pragma once
#include "app/session.h"
#include <QObject>
#include <QString>
#include <functional>
#include <vector>

// The analysis of one employee, day by day: eligibility (fx01), the day
// window (fx1), shift matching (fx2) and slot evaluation (fx3 and its
// evaluators). The routines take no arguments and return nothing; they talk
// through the session's AnalysisContext and the tables, as the rest of the
// program expects. Working values of the slots are kept in memory during a
// day and written once when the day ends, inside the day's transaction.
class AnalysisEngine : public QObject {
    Q_OBJECT
public:
    explicit AnalysisEngine(Session& session, QObject* parent = nullptr);

    // The start/stop toggle of the analysis button.
    void SpeedButton2Click();
    // Complete runs for every entry of the employee list, in order; stops when
    // a run is stopped. progress(n, N) is told before each employee.
    void analyseAll(const std::function<void(int n, int total)>& progress = {});
    // One complete run for the employee list's first entry with this number.
    void analyseEmployee(const QString& ygbh);

    bool wasStopped() const { return m_stopped; }
    QString caption() const { return m_caption; }

    // The routines, public so that tests can drive a single step.
    void fx0();
    void fx01();
    void fx1();
    void fx2();
    void fx3();
    void fx1_4();
    void fx3_4();
    void fx1_1();
    void fx2_4();
    void fx4_4();
    void fx2_2();

signals:
    void captionChanged(const QString& caption);
    void runningChanged(bool running);

private:
    // One row of the slot data set while a day is analysed.
    struct SlotWork {
        qint64 rowid = 0;
        QString bcm, dkc, timeText;
        bool bcmNull = false;
        QString x;
        qint64 bz = 0, cz = 0, cz1 = 0;
        Value stored[4];        // x, bz, cz, cz1 as read, so only changes are written
        qint64 seconds = -1;    // time of day, read on first use
    };
    struct Evaluation {
        qint64 before, after; // seconds around the slot time
        bool latest;          // the latest candidate instead of the earliest
        bool onDuty;
    };

    void setCaption(const QString& c);
    void setRunning(bool running);
    void start();
    void stop();
    void suspendDisplay();
    void resumeDisplay();
    void returnToIdle();
    void postPass();
    void analyseDay();
    void loadSlots();
    void flushSlots();
    void showSlotsInDataSet();
    qint64 slotSeconds(SlotWork& s);
    DateTime dayStart(const QString& nyr);
    void evaluate(const Evaluation& e, DateTime T, const QString& insertNyr);
    void markNoShiftDay();
    void walkChosenShift();

    Session& m_session;
    AnalysisContext& ctx;
    QString m_caption = QStringLiteral("分析数据");
    bool m_displaySuspended = false;
    bool m_stopped = false;
    std::vector<SlotWork> m_slots;
    std::vector<int> m_order; // slot data set order, as indices into m_slots
    bool m_slotsLoaded = false;
    std::vector<std::pair<QString, DateTime>> m_dayCache;
};
