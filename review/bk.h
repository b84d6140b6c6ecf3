#pragma once
#include "store/datetime.h"
#include <QWidget>

class QCalendarWidget;
class QDate;
class QLabel;
class QToolButton;
class QFrame;
class GridView;
class Session;

// The make-up window fbk: a calendar, the shift slots, the employee list and
// a preview line of the punch that the button "补卡" enters. Its grids show
// the session's data sets, so choosing a row here moves it in the other
// windows too.
class Tfbk : public QWidget {
    Q_OBJECT
public:
    explicit Tfbk(Session& session, QWidget* parent = nullptr);

    QCalendarWidget* MonthCalendar1() const { return m_calendar; }
    GridView* DBGrid1() const { return m_slotGrid; }
    GridView* DBGrid2() const { return m_employeeGrid; }
    QLabel* Label1() const { return m_dateLabel; }
    QLabel* DBText1() const { return m_slotTime; }
    QLabel* DBText2() const { return m_name; }
    QLabel* DBText3() const { return m_number; }
    QToolButton* SpeedButton1() const { return m_button; }

    // "&6.补卡": moves the calendar only; the date label keeps its day.
    void setCalendarDate(DateTime day);

public slots:
    // A click in the calendar on that day (only a user click emits clicked).
    void MonthCalendar1Click(const QDate& day);
    void SpeedButton1Click();

protected:
    void showEvent(QShowEvent* e) override;

private:
    void buildPanel();
    void updatePreview();

    Session& m_session;
    QCalendarWidget* m_calendar = nullptr;
    GridView* m_slotGrid = nullptr;
    GridView* m_employeeGrid = nullptr;
    QFrame* m_panel = nullptr;
    QLabel* m_dateLabel = nullptr;
    QLabel* m_slotTime = nullptr;
    QLabel* m_name = nullptr;
    QLabel* m_number = nullptr;
    QToolButton* m_button = nullptr;
};
