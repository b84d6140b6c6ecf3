#include "store/datasetmodel.h"
#include "store/errors.h"

DataSetModel::DataSetModel(DataSet* ds, std::vector<GridColumn> columns, QObject* parent)
    : QAbstractTableModel(parent), m_ds(ds), m_columns(std::move(columns))
{
    m_rows = m_ds->isOpen() ? m_ds->recordCount() : 0;
    connect(ds, &DataSet::reset, this, [this] {
        beginResetModel();
        m_rows = m_ds->isOpen() ? m_ds->recordCount() : 0;
        endResetModel();
    });
    connect(ds, &DataSet::rowChanged, this, [this](int row) {
        if (row >= 0 && row < m_rows) emit dataChanged(index(row, 0), index(row, columnCount() - 1));
    });
    connect(ds, &DataSet::rowInserted, this, [this](int row) {
        beginInsertRows({}, row, row);
        m_rows = m_ds->recordCount();
        endInsertRows();
    });
    connect(ds, &DataSet::rowRemoved, this, [this](int row) {
        beginRemoveRows({}, row, row);
        m_rows = m_ds->recordCount();
        endRemoveRows();
    });
}

int DataSetModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : m_rows; }

int DataSetModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(m_columns.size()); }

int DataSetModel::fieldColumn(int col) const
{
    if (!m_ds->isOpen() || col < 0 || col >= int(m_columns.size())) return -1;
    return m_ds->fieldIndex(m_columns[col].field);
}

QVariant DataSetModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows || index.row() >= m_ds->recordCount()) return {};
    const int fc = fieldColumn(index.column());
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(m_columns[index.column()].cellAlignment);
    if (fc < 0 || (role != Qt::DisplayRole && role != Qt::EditRole)) return {};
    return m_ds->valueAt(index.row(), fc).toText();
}

QVariant DataSetModel::headerData(int section, Qt::Orientation o, int role) const
{
    if (o != Qt::Horizontal || section < 0 || section >= int(m_columns.size())) return {};
    if (role == Qt::DisplayRole)
        return m_columns[section].title.isEmpty() ? m_columns[section].field : m_columns[section].title;
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(m_columns[section].titleCentred ? Qt::AlignCenter : (Qt::AlignLeft | Qt::AlignVCenter));
    return {};
}

Qt::ItemFlags DataSetModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (!m_readOnly && m_ds->isUpdatable() && fieldColumn(index.column()) >= 0) f |= Qt::ItemIsEditable;
    return f;
}

bool DataSetModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !index.isValid()) return false;
    const int fc = fieldColumn(index.column());
    if (fc < 0) return false;
    const QString text = value.toString();
    if (m_ds->valueAt(index.row(), fc).toText() == text) return false;
    try {
        if (m_validator) m_validator(m_columns[index.column()].field, text);
        m_ds->moveTo(index.row());
        m_ds->edit();
        if (text.isEmpty()) m_ds->setValue(m_columns[index.column()].field, Value());
        else m_ds->setText(m_columns[index.column()].field, text);
    } catch (const TvError& e) {
        m_lastError = e.message();
        emit editRefused(e.message());
        return false;
    }
    return true;
}
