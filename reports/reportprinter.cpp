#include "reports/reportprinter.h"
#include "reports/reportform.h"
#include "reports/reportrenderer.h"
#include "store/errors.h"
#include <QPainter>
#include <QPrinterInfo>
#include <QStringList>

namespace {

QString quoted(const QStringList& titles)
{
    QStringList q;
    for (const QString& t : titles) q << QStringLiteral("“%1”").arg(t);
    return q.join(QStringLiteral("、"));
}

[[noreturn]] void refuse(const std::vector<const ReportForm*>& reports, size_t failed, const QString& reason)
{
    QStringList done, notDone;
    for (size_t i = 0; i < reports.size(); ++i) (i < failed ? done : notDone) << reports[i]->title();
    QString msg = QStringLiteral("%1，报表%2未打印。").arg(reason, quoted(notDone));
    if (!done.isEmpty()) msg += QStringLiteral("已送往打印机：%1。").arg(quoted(done));
    throw CommandRefused(msg);
}

void printOne(const ReportForm& report, QPrinter& printer)
{
    ReportRenderer::setUpPage(printer);
    printer.setDocName(report.title());
    printer.setCopyCount(1);
    printer.setDuplex(QPrinter::DuplexNone);
    printer.setPrintRange(QPrinter::AllPages);
    QPainter painter;
    if (!painter.begin(&printer)) throw CommandRefused(QStringLiteral("打印机“%1”无法打印").arg(printer.printerName()));
    try {
        report.paint(painter, printer);
    } catch (...) {
        printer.abort(); // no half report on paper
        painter.end();
        throw;
    }
    if (!painter.end() || printer.printerState() == QPrinter::Error || printer.printerState() == QPrinter::Aborted)
        throw CommandRefused(QStringLiteral("打印机“%1”打印失败").arg(printer.printerName()));
}

} // namespace

std::unique_ptr<QPrinter> defaultPrinter()
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) return nullptr;
    return std::make_unique<QPrinter>(info, QPrinter::HighResolution);
}

void printReports(const std::vector<const ReportForm*>& reports, const PrinterSource& source)
{
    for (size_t i = 0; i < reports.size(); ++i) {
        if (!reports[i]->data().isOpen()) refuse(reports, i, QStringLiteral("统计数据未打开"));
        std::unique_ptr<QPrinter> printer = source();
        if (!printer) refuse(reports, i, QStringLiteral("没有默认打印机"));
        try {
            printOne(*reports[i], *printer);
        } catch (const TvError& e) {
            refuse(reports, i, e.message());
        }
    }
}
