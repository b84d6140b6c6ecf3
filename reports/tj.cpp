#include "reports/tj.h"
#include <QScreen>
#include "app/dialogs.h"
#include "app/gridview.h"
#include "reports/reportform.h"
#include "reports/reportpdf.h"
#include "reports/xlsxexport.h"
#include "store/errors.h"
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QShowEvent>

namespace {

GridView* statisticsGrid(DataSetModel* model, QWidget* parent)
{
    model->setReadOnly(true);
    auto* grid = new GridView(model, parent);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->horizontalHeader()->setSectionsClickable(false);
    return grid;
}

QString withSuffix(const QString& path, const QString& suffix)
{
    return QFileInfo(path).suffix().isEmpty() ? path + u'.' + suffix : path;
}

} // namespace

Tftj::Tftj(Session& session, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      m_stats(session)
{
    setObjectName(QStringLiteral("ftj"));
    setWindowTitle(QStringLiteral("统计"));
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    resize(581, 480);
    if (QScreen* s = screen()) move(s->availableGeometry().center() - rect().center());

    m_model1 = new DataSetModel(&m_stats.q_tj1(), anomalyColumns(), this);
    m_model2 = new DataSetModel(&m_stats.q_tj2(), attendanceColumns(), this);
    m_grid1 = statisticsGrid(m_model1, this);
    m_grid2 = statisticsGrid(m_model2, this);
    m_grid2->setFixedWidth(242);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_grid1, 1);
    layout->addWidget(m_grid2);

    // The buttons lie over the lower left part of the left grid.
    m_print = new QPushButton(QStringLiteral("打印"), this);
    m_print->setGeometry(104, 400, 75, 25);
    m_exportPdf = new QPushButton(QStringLiteral("导出PDF"), this);
    m_exportPdf->setGeometry(184, 400, 75, 25);
    m_exportXlsx = new QPushButton(QStringLiteral("导出Excel"), this);
    m_exportXlsx->setGeometry(264, 400, 75, 25);
    for (QPushButton* b : {m_print, m_exportPdf, m_exportXlsx}) b->raise();
    connect(m_print, &QPushButton::clicked, this, &Tftj::Button1Click);
    connect(m_exportPdf, &QPushButton::clicked, this, &Tftj::ExportPdfClick);
    connect(m_exportXlsx, &QPushButton::clicked, this, &Tftj::ExportXlsxClick);
}

void Tftj::setReports(const ReportForm* anomalyReport, const ReportForm* attendanceReport)
{
    m_anomalyReport = anomalyReport;
    m_attendanceReport = attendanceReport;
}

std::vector<const ReportForm*> Tftj::reports() const
{
    if (!m_anomalyReport || !m_attendanceReport) throw CommandRefused(QStringLiteral("报表未就绪"));
    return {m_anomalyReport, m_attendanceReport};
}

void Tftj::showEvent(QShowEvent* e)
{
    QWidget::showEvent(e);
    // Restoring from the task bar is no new showing: the counts stay.
    if (!e->spontaneous()) FormShow();
}

void Tftj::closeEvent(QCloseEvent* e)
{
    FormClose();
    QWidget::closeEvent(e);
}

void Tftj::FormShow()
{
    guarded(this, [this] { m_stats.recompute(); });
}

void Tftj::FormClose() { m_stats.close(); }

void Tftj::Button1Click()
{
    guarded(this, [this] { printReports(reports(), m_printerSource); });
}

void Tftj::ExportPdfClick()
{
    guarded(this, [this] {
        const auto forms = reports();
        QString path = Dialogs::saveFileName(this, QStringLiteral("导出PDF"), QStringLiteral("PDF 文件 (*.pdf)"));
        if (path.isEmpty()) return;
        path = withSuffix(path, QStringLiteral("pdf"));
        writeReportsPdf(path, forms);
        Dialogs::showInfo(this, QStringLiteral("已导出PDF：%1").arg(QDir::toNativeSeparators(path)));
    });
}

void Tftj::ExportXlsxClick()
{
    guarded(this, [this] {
        if (!q_tj1().isOpen() || !q_tj2().isOpen()) throw CommandRefused(QStringLiteral("统计数据未打开，无法导出"));
        QString path = Dialogs::saveFileName(this, QStringLiteral("导出Excel"), QStringLiteral("Excel 工作簿 (*.xlsx)"));
        if (path.isEmpty()) return;
        path = withSuffix(path, QStringLiteral("xlsx"));
        exportXlsx(path, statisticsSheets(q_tj1(), q_tj2()));
        Dialogs::showInfo(this, QStringLiteral("已导出Excel：%1").arg(QDir::toNativeSeparators(path)));
    });
}
