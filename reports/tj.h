#pragma once
#include "reports/reportprinter.h"
#include "reports/statistics.h"
#include <QPushButton>
#include <QWidget>

class Session;
class GridView;
class DataSetModel;
class ReportForm;

// The statistics window "统计": anomaly totals on the left, attendance days on
// the right, counted afresh each time the window is shown, and the buttons
// that print or export both.
class Tftj : public QWidget {
    Q_OBJECT
public:
    explicit Tftj(Session& session, QWidget* parent = nullptr);

    DataSet& q_tj1() { return m_stats.q_tj1(); }
    DataSet& q_tj2() { return m_stats.q_tj2(); }
    GridView* DBGrid1() const { return m_grid1; }
    GridView* DBGrid2() const { return m_grid2; }
    QPushButton* Button1() const { return m_print; }
    QPushButton* exportPdfButton() const { return m_exportPdf; }
    QPushButton* exportXlsxButton() const { return m_exportXlsx; }

    // The two report layouts over this window's queries (ftj_prt, FTJ_PRT2).
    void setReports(const ReportForm* anomalyReport, const ReportForm* attendanceReport);
    // Where "打印" prints; the default printer unless replaced (tests).
    void setPrinterSource(PrinterSource source) { m_printerSource = std::move(source); }

public slots:
    void Button1Click();      // 打印
    void ExportPdfClick();    // 导出PDF
    void ExportXlsxClick();   // 导出Excel

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void FormShow();
    void FormClose();
    std::vector<const ReportForm*> reports() const;

    Statistics m_stats;
    DataSetModel* m_model1 = nullptr;
    DataSetModel* m_model2 = nullptr;
    GridView* m_grid1 = nullptr;
    GridView* m_grid2 = nullptr;
    QPushButton* m_print = nullptr;
    QPushButton* m_exportPdf = nullptr;
    QPushButton* m_exportXlsx = nullptr;
    const ReportForm* m_anomalyReport = nullptr;
    const ReportForm* m_attendanceReport = nullptr;
    PrinterSource m_printerSource = defaultPrinter;
};
