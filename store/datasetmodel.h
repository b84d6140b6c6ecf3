#pragma once
#include "store/dataset.h"
#include <QAbstractTableModel>
#include <functional>
#include <vector>

// One column of a grid over a data set.
struct GridColumn {
    QString field;
    QString title;         // empty: headed by the field name
    int width = 64;        // pixels
    bool titleCentred = true;
    Qt::Alignment cellAlignment = Qt::AlignLeft | Qt::AlignVCenter;
};

// Shows a data set in a grid. Edits go to the data set, which posts them when
// its current row moves on; the model never writes to the database itself.
class DataSetModel : public QAbstractTableModel {
    Q_OBJECT
public:
    DataSetModel(DataSet* ds, std::vector<GridColumn> columns, QObject* parent = nullptr);

    DataSet* dataSet() const { return m_ds; }
    const std::vector<GridColumn>& columns() const { return m_columns; }
    // Checks a typed text before it reaches the data set; throw to refuse it.
    void setValidator(std::function<void(const QString& field, const QString& text)> v) { m_validator = std::move(v); }
    void setReadOnly(bool ro) { m_readOnly = ro; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation o, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    // The last error a refused edit raised (the view shows it).
    QString lastError() const { return m_lastError; }

signals:
    void editRefused(const QString& message);

private:
    int fieldColumn(int col) const;
    DataSet* m_ds;
    std::vector<GridColumn> m_columns;
    std::function<void(const QString&, const QString&)> m_validator;
    bool m_readOnly = false;
    QString m_lastError;
    int m_rows = 0;
};
