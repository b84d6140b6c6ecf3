#pragma once
#include "store/datasetmodel.h"
#include <QColor>
#include <QTableView>
#include <functional>
#include <optional>

class Session;

// A data-bound grid: black cells with lime text, the data set's current row
// kept in step with the view's, titles that sort through the shared toggle.
class GridView : public QTableView {
    Q_OBJECT
public:
    GridView(DataSetModel* model, QWidget* parent = nullptr);

    DataSetModel* gridModel() const { return m_model; }
    DataSet* dataSet() const { return m_model->dataSet(); }
    // Title clicks sort by the column's field on the program-wide toggle.
    void enableTitleSort(Session* session);
    // A background for a row drawn over the ordinary one (nullopt: none).
    void setRowBackground(std::function<std::optional<QColor>(int row)> fn) { m_rowBackground = std::move(fn); }
    std::optional<QColor> rowBackground(int row) const { return m_rowBackground ? m_rowBackground(row) : std::nullopt; }

signals:
    void cellClicked(int row, int column);

protected:
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    void followDataSet(int row);
    DataSetModel* m_model;
    std::function<std::optional<QColor>(int)> m_rowBackground;
    bool m_syncing = false;
    int m_lastColumn = 0;
};
