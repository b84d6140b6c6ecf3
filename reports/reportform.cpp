#include "reports/reportform.h"
#include "reports/reportrenderer.h"

ReportForm::ReportForm(DataSet& data, ReportLayouts::Layout layout, QObject* parent)
    : QObject(parent), m_data(data), m_layout(std::move(layout))
{
}

int ReportForm::paint(QPainter& painter, QPagedPaintDevice& device) const
{
    return ReportRenderer::paint(painter, device, m_layout, m_data);
}
