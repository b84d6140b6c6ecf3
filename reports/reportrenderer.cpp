#include "reports/reportrenderer.h"
#include "reports/reportfonts.h"
#include "store/errors.h"
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QTextLayout>
#include <algorithm>
#include <cmath>

using namespace ReportLayouts;

namespace {

class BandPainter {
public:
    BandPainter(QPainter& painter, QPaintDevice& device)
        : m_p(painter), m_device(device), m_xPerMm(device.logicalDpiX() / 25.4), m_yPerMm(device.logicalDpiY() / 25.4)
    {
    }

    // fields[i] is the data column of the band's item i (-1 for labels and rules).
    void paint(const Band& band, double topMm, const DataSet* data, int row, const std::vector<int>& fields)
    {
        for (size_t i = 0; i < band.items.size(); ++i) {
            const Item& item = band.items[i];
            switch (item.kind) {
            case Item::Kind::Rule:
                m_p.fillRect(box(item.left, topMm + item.top, item.width, item.height), Qt::black);
                break;
            case Item::Kind::Label: paintLabel(item, topMm); break;
            case Item::Kind::Field: {
                const QString text = row >= 0 ? data->valueAt(row, fields[i]).toText() : QString();
                paintText(box(item.left, topMm + item.top, item.width, item.height), text, item);
                break;
            }
            }
        }
    }

private:
    QRectF box(double left, double top, double width, double height) const
    {
        return {left * m_xPerMm, top * m_yPerMm, width * m_xPerMm, height * m_yPerMm};
    }

    void paintLabel(const Item& item, double topMm)
    {
        QRectF r = box(item.left, topMm + item.top, item.width, item.height);
        if (item.width <= 0) // sized to its text
            r.setWidth(std::ceil(QFontMetricsF(ReportFonts::font(item.font), &m_device).horizontalAdvance(item.text)) + 1);
        paintText(r, item.text, item);
    }

    // Lines that wrap below the box are left out; what is drawn stays inside it.
    void paintText(const QRectF& r, const QString& text, const Item& item)
    {
        if (text.isEmpty()) return;
        QTextLayout layout(text, ReportFonts::font(item.font), &m_device);
        QTextOption option(item.alignment);
        option.setWrapMode(item.wordWrap ? QTextOption::WrapAtWordBoundaryOrAnywhere : QTextOption::NoWrap);
        layout.setTextOption(option);
        std::vector<int> shown;
        double y = 0;
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(r.width());
            if (!shown.empty() && y + line.height() > r.height()) break;
            line.setPosition({0, y});
            shown.push_back(line.lineNumber());
            y += line.height();
        }
        layout.endLayout();
        m_p.save();
        m_p.setClipRect(r);
        m_p.setPen(Qt::black);
        for (int n : shown) layout.lineAt(n).draw(&m_p, r.topLeft());
        m_p.restore();
    }

    QPainter& m_p;
    QPaintDevice& m_device;
    double m_xPerMm, m_yPerMm;
};

std::vector<int> fieldColumns(const Band& band, const DataSet& data, const QString& report)
{
    std::vector<int> cols;
    for (const Item& item : band.items) {
        int c = -1;
        if (item.kind == Item::Kind::Field) {
            c = data.fieldIndex(item.text);
            if (c < 0) throw DatabaseError(QStringLiteral("报表“%1”找不到字段 %2").arg(report, item.text));
        }
        cols.push_back(c);
    }
    return cols;
}

} // namespace

namespace ReportRenderer {

void setUpPage(QPagedPaintDevice& device)
{
    device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10),
                                     QPageLayout::Millimeter));
}

int paint(QPainter& painter, QPagedPaintDevice& device, const Layout& layout, const DataSet& data)
{
    if (!data.isOpen()) throw CommandRefused(QStringLiteral("报表“%1”的数据未打开").arg(layout.title));
    const std::vector<int> titleFields = fieldColumns(layout.titleBand, data, layout.title);
    const std::vector<int> detailFields = fieldColumns(layout.detailBand, data, layout.title);
    const double pageHeight = device.pageLayout().paintRect(QPageLayout::Millimeter).height();

    BandPainter bands(painter, device);
    int pages = 1;
    double y = 0;
    bands.paint(layout.titleBand, y, &data, -1, titleFields);
    y += layout.titleBand.height;
    // An empty data set still prints one detail band, with empty fields.
    const int rows = data.recordCount();
    for (int r = 0; r < std::max(rows, 1); ++r) {
        if (y > 0 && y + layout.detailBand.height > pageHeight + 1e-6) {
            device.newPage();
            ++pages;
            y = 0;
        }
        bands.paint(layout.detailBand, y, &data, r < rows ? r : -1, detailFields);
        y += layout.detailBand.height;
    }
    return pages;
}

} // namespace ReportRenderer
