#pragma once
#include "import/archivequery.h"
#include <QWidget>

class QDateEdit;
class QLineEdit;
class QPushButton;
class Session;
class GridView;
class DataSetModel;

// The archive query window fcx, "考勤查询": a date range and two patterns
// over kqkend; the result grid sorts on the program-wide toggle.
class Tfcx : public QWidget {
    Q_OBJECT
public:
    explicit Tfcx(Session& session, QWidget* parent = nullptr);

    ArchiveQuery& q_kqkend() { return m_query; }
    QDateEdit* DateTimePicker1() const { return m_start; }
    QDateEdit* DateTimePicker2() const { return m_end; }
    QLineEdit* Edit3() const { return m_name; }
    QLineEdit* Edit4() const { return m_number; }
    QPushButton* Button1() const { return m_refresh; }
    QPushButton* Button2() const { return m_print; }
    GridView* DBGrid1() const { return m_grid; }

    ArchiveCriteria criteria() const;

public slots:
    void Button1Click(); // 刷新
    void Button2Click(); // 打印

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void buildBar();
    void FormShow();
    void FormClose();

    Session& m_session;
    ArchiveQuery m_query;
    QDateEdit* m_start = nullptr;
    QDateEdit* m_end = nullptr;
    QLineEdit* m_name = nullptr;
    QLineEdit* m_number = nullptr;
    QPushButton* m_refresh = nullptr;
    QPushButton* m_print = nullptr;
    DataSetModel* m_model = nullptr;
    GridView* m_grid = nullptr;
};
