#pragma once
#include <QWidget>
#include <functional>

class DataSet;
class QToolButton;

// A navigator bar over a data set with the buttons first, prior, next, last,
// insert and delete. Delete asks before it removes the current row.
class DataSetNavigator : public QWidget {
    Q_OBJECT
public:
    enum Button { First, Prior, Next, Last, Insert, Delete, ButtonCount };

    explicit DataSetNavigator(DataSet* ds, QWidget* parent = nullptr);

    QToolButton* button(Button b) const { return m_buttons[b]; }
    // Checked before insert and delete; throw to refuse (e.g. while analysing).
    void setChangeGuard(std::function<void()> guard) { m_changeGuard = std::move(guard); }
    // Runs before every button's action (e.g. to hand an editor's text over).
    void setBeforeAction(std::function<void()> fn) { m_beforeAction = std::move(fn); }

public slots:
    void click(DataSetNavigator::Button b);

private:
    void updateButtons();
    DataSet* m_ds;
    QToolButton* m_buttons[ButtonCount] = {};
    std::function<void()> m_changeGuard;
    std::function<void()> m_beforeAction;
};
