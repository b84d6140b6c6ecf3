#include "reports/reportpdf.h"
#include "reports/reportform.h"
#include "reports/reportrenderer.h"
#include "store/errors.h"
#include <QDir>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

int writeReportsPdf(const QString& path, const std::vector<const ReportForm*>& reports)
{
    const auto failure = [&](const QString& reason) {
        return CommandRefused(QStringLiteral("无法导出PDF文件 %1：%2").arg(QDir::toNativeSeparators(path), reason));
    };
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) throw failure(file.errorString());
    int pages = 0;
    {
        QPdfWriter writer(&file);
        writer.setCreator(QStringLiteral("Tallyvane"));
        QStringList titles;
        for (const ReportForm* r : reports) titles << r->title();
        writer.setTitle(titles.join(QStringLiteral("、")));
        ReportRenderer::setUpPage(writer);
        QPainter painter;
        if (!painter.begin(&writer)) throw failure(QStringLiteral("无法开始写入"));
        for (size_t i = 0; i < reports.size(); ++i) {
            if (i > 0) writer.newPage();
            pages += reports[i]->paint(painter, writer);
        }
        if (!painter.end()) throw failure(QStringLiteral("写入未完成"));
    }
    if (!file.commit()) throw failure(file.errorString());
    return pages;
}
