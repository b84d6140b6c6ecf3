#pragma once
#include "reports/reportlayout.h"
#include "store/dataset.h"
#include <QObject>

class QPagedPaintDevice;
class QPainter;

// A report layout bound to its data set. Never shown: it only paints pages.
class ReportForm : public QObject {
    Q_OBJECT
public:
    ReportForm(DataSet& data, ReportLayouts::Layout layout, QObject* parent = nullptr);

    const ReportLayouts::Layout& layout() const { return m_layout; }
    QString title() const { return m_layout.title; }
    DataSet& data() const { return m_data; }

    // Paints the report over its data set as it is now; returns the pages used.
    int paint(QPainter& painter, QPagedPaintDevice& device) const;

private:
    DataSet& m_data;
    ReportLayouts::Layout m_layout;
};
