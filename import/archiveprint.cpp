#include "import/archiveprint.h"
#include "store/dataset.h"
#include "store/errors.h"
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <array>

namespace {

struct Column {
    const char* field;
    const char* heading;
    double left, width; // mm
};

// Fits the 190 mm printable width with room to spare, like the statistics layouts.
constexpr std::array<Column, 6> Columns{{
    {"bm", "部  门", 1.0, 24.0},
    {"xm", "姓  名", 26.0, 22.0},
    {"ygbh", "编号", 49.0, 24.0},
    {"dksj", "打卡时间", 74.0, 40.0},
    {"bz", "备  注", 115.0, 28.0},
    {"js", "计数", 144.0, 14.0},
}};
constexpr double TableWidth = 158.0;
constexpr double TitleBandHeight = 22.0;
constexpr double DetailBandHeight = 8.7;

class Pen {
public:
    Pen(QPainter& p, double dotsPerMm) : m_p(p), m_k(dotsPerMm) {}
    QRectF box(double left, double top, double width, double height) const
    {
        return {left * m_k, top * m_k, width * m_k, height * m_k};
    }
    void rule(double left, double top, double width) { m_p.fillRect(box(left, top, width, 0.3), Qt::black); }
    void text(const QRectF& r, int flags, const QString& t) { m_p.drawText(r, flags, t); }

private:
    QPainter& m_p;
    double m_k;
};

QFont font(const QString& family, double points)
{
    QFont f(family);
    f.setPointSizeF(points);
    return f;
}

void paintTitleBand(QPainter& p, Pen& pen)
{
    p.setFont(font(QStringLiteral("黑体"), 16));
    pen.text(pen.box(0, 3.4, TableWidth, 7.9), Qt::AlignCenter, QStringLiteral("考勤查询"));
    pen.rule(0.8, 12.7, TableWidth);
    p.setFont(font(QStringLiteral("Arial"), 14));
    for (const Column& c : Columns)
        pen.text(pen.box(c.left + 1.0, 14.8, c.width, 6.1), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextDontClip,
                 QString::fromUtf8(c.heading));
    pen.rule(0.8, 21.4, TableWidth);
}

void paintDetailBand(QPainter& p, Pen& pen, const DataSet& ds, int row)
{
    p.setFont(font(QStringLiteral("Arial"), 10));
    for (const Column& c : Columns) {
        QString t;
        if (row >= 0) {
            const int col = ds.fieldIndex(QString::fromLatin1(c.field));
            if (col >= 0) t = ds.valueAt(row, col).toText();
        }
        const QRectF box = pen.box(c.left, 2.1, c.width, 4.5);
        p.save();
        p.setClipRect(box);
        pen.text(box, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, t);
        p.restore();
    }
    pen.rule(0.5, 7.4, TableWidth);
}

} // namespace

namespace ArchivePrint {

void paint(QPagedPaintDevice& device, const DataSet& result)
{
    device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10),
                                     QPageLayout::Millimeter));
    QPainter p;
    if (!p.begin(&device)) throw TvError(QStringLiteral("无法开始打印。"));
    const double dotsPerMm = device.logicalDpiY() / 25.4;
    const double pageHeight = device.pageLayout().paintRect(QPageLayout::Millimeter).height();
    Pen pen(p, dotsPerMm);

    paintTitleBand(p, pen);
    double top = TitleBandHeight;
    const int rows = result.isOpen() ? result.recordCount() : 0;
    // An empty result still prints one empty detail band.
    for (int row = 0; row < qMax(rows, 1); ++row) {
        if (top + DetailBandHeight > pageHeight) {
            device.newPage();
            top = 0;
        }
        p.save();
        p.translate(0, top * dotsPerMm);
        paintDetailBand(p, pen, result, rows ? row : -1);
        p.restore();
        top += DetailBandHeight;
    }
    if (!p.end()) throw TvError(QStringLiteral("打印失败。"));
}

void printToDefaultPrinter(const DataSet& result)
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) throw CommandRefused(QStringLiteral("没有默认打印机，无法打印“考勤查询”。"));
    QPrinter printer(info, QPrinter::HighResolution);
    printer.setCopyCount(1);
    printer.setDuplex(QPrinter::DuplexNone);
    printer.setDocName(QStringLiteral("考勤查询"));
    paint(printer, result);
}

} // namespace ArchivePrint
