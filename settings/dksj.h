#pragma once
#include "settings/shiftsettings.h"
#include "settings/thresholds.h"
#include <QWidget>

class Session;
class GridView;
class DataSetModel;
class DataSetNavigator;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QToolButton;

// The shift settings window: slots of every shift on the left, the switch of
// each shift with its exception list on the right, the two thresholds and the
// button that empties the attendance tables. The data sets are the session's;
// the window only shows them.
class Tfdksj : public QWidget {
    Q_OBJECT
public:
    explicit Tfdksj(Session& session, QWidget* parent = nullptr);

    GridView* DBGrid1() const { return m_slotGrid; }
    GridView* DBGrid2() const { return m_switchGrid; }
    QPlainTextEdit* DBMemo1() const { return m_memo; }
    DataSetNavigator* DBNavigator1() const { return m_slotNavigator; }
    DataSetNavigator* DBNavigator2() const { return m_switchNavigator; }
    QLineEdit* Edit1() const { return m_missingEdit; }
    QLineEdit* Edit2() const { return m_graceEdit; }
    QToolButton* SpeedButton1() const { return m_emptyButton; }
    QMenu* PopupMenu1() const { return m_slotMenu; }

    // Rows whose slot code the evaluation passes over are drawn in this colour.
    static QColor unevaluatedColour();

public slots:
    void N1Click();           // &1.停用本班
    void N2Click();           // &2.起用本班
    void SpeedButton1Click(); // 清空考勤库数据

protected:
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildSlotPanel();
    QWidget* buildSwitchPanel();
    QWidget* buildControlPanel();
    QWidget* buildThresholdRow(QLineEdit*& edit, Thresholds::Kind kind, const QString& before, const QString& after);
    void FormShow();
    void loadMemo();
    void memoEdited();
    void loadThreshold(Thresholds::Kind kind);
    void storeThreshold(Thresholds::Kind kind);
    QLineEdit* thresholdEdit(Thresholds::Kind kind) const;

    Session& m_session;
    ShiftSettings m_commands;
    Thresholds m_thresholds;
    DataSetModel* m_slotModel = nullptr;
    DataSetModel* m_switchModel = nullptr;
    GridView* m_slotGrid = nullptr;
    GridView* m_switchGrid = nullptr;
    DataSetNavigator* m_slotNavigator = nullptr;
    DataSetNavigator* m_switchNavigator = nullptr;
    QPlainTextEdit* m_memo = nullptr;
    QLineEdit* m_graceEdit = nullptr;
    QLineEdit* m_missingEdit = nullptr;
    QToolButton* m_emptyButton = nullptr;
    QMenu* m_slotMenu = nullptr;
    bool m_loadingMemo = false;
    bool m_storingThreshold = false;
};
