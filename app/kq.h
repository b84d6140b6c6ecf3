#pragma once
#include "app/progresspanel.h"
#include "app/windows.h"
#include <QMenu>
#include <QPlainTextEdit>
#include <QToolButton>
#include <QWidget>

class Session;
class GridView;
class DataSetModel;
class AnalysisEngine;
class QProgressBar;

// The progress panel Memo1: black, white text, over the punch grid.
class MemoPanel : public ProgressPanel {
public:
    explicit MemoPanel(QPlainTextEdit* memo) : m_memo(memo) {}
    void showPanel() override;
    void hidePanel() override;
    void clear() override;
    void addLine(const QString& line) override;

private:
    QPlainTextEdit* m_memo;
};

// The main window: toolbar, employee list, punch grid, progress panel.
class Tfkq : public QWidget {
    Q_OBJECT
public:
    explicit Tfkq(Session& session, QWidget* parent = nullptr);
    ~Tfkq() override;

    Session& session() { return m_session; }
    AppWindows& windows() { return m_windows; }
    GridView* DBGrid1() const { return m_punchGrid; }
    GridView* DBGrid2() const { return m_employeeGrid; }
    QPlainTextEdit* Memo1() const { return m_memo; }
    QToolButton* speedButton(int n) const { return m_buttons[n - 1]; }
    QMenu* employeeMenu() const { return m_employeeMenu; }
    QMenu* PopupMenu2() const { return m_punchMenu; }
    AnalysisEngine& engine() { return *m_engine; }
    QProgressBar* allProgress() const { return m_allProgress; }
    // "分析全部人员" on the employee list.
    void analyseAllEmployees();

public slots:
    void SpeedButton1Click(); // 导入数据
    void SpeedButton2Click(); // 分析数据 / 停止分析
    void SpeedButton3Click(); // 刷新
    void SpeedButton4Click(); // 班次设置
    void SpeedButton5Click(); // 生成报表
    void SpeedButton6Click(); // 移出数据
    void SpeedButton7Click(); // 补卡
    void SpeedButton8Click(); // 查询
    void SpeedButton9Click(); // 说明

protected:
    void showEvent(QShowEvent* e) override;

private:
    void buildToolbar();
    void buildGrids();
    void FormShow();

    Session& m_session;
    AppWindows m_windows;
    QToolButton* m_buttons[9] = {};
    GridView* m_employeeGrid = nullptr;
    GridView* m_punchGrid = nullptr;
    DataSetModel* m_employeeModel = nullptr;
    DataSetModel* m_punchModel = nullptr;
    QPlainTextEdit* m_memo = nullptr;
    MemoPanel* m_memoPanel = nullptr;
    QMenu* m_employeeMenu = nullptr;
    QMenu* m_punchMenu = nullptr;
    bool m_shown = false;
    AnalysisEngine* m_engine = nullptr;
    QProgressBar* m_allProgress = nullptr;
};
