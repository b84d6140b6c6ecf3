#pragma once
#include <QObject>

class Tfkq;
class Corrections;

// The review behaviour of the main window: the punch grid's colours and cell
// click, the correction menu PopupMenu2 and the employee list's "删除人员".
// The handlers are the main window's; they live here beside the commands.
class PunchGridReview : public QObject {
    Q_OBJECT
public:
    static PunchGridReview* install(Tfkq& fkq);

public slots:
    void DBGrid1CellClick();
    void N01Click();
    void N11Click();
    void N21Click();
    void N41Click();
    void N31Click();
    void N42Click();
    void N51Click();
    void N71Click();
    void N81Click();
    void N91Click();
    void deleteEmployeeClick();

private:
    explicit PunchGridReview(Tfkq& fkq);
    void fillMenu();
    void colourRows();
    void checkTypedTimes();
    void correct(void (Corrections::*command)());

    Tfkq& m_fkq;
};
