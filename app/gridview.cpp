#include "app/gridview.h"
#include "app/dialogs.h"
#include "app/session.h"
#include <QHeaderView>
#include <algorithm>
#include <QPainter>
#include <QStyledItemDelegate>

namespace {

// Draws a row's extra background first; the text keeps its colour.
class RowColourDelegate : public QStyledItemDelegate {
public:
    explicit RowColourDelegate(GridView* view) : QStyledItemDelegate(view), m_view(view) {}
    void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        if (auto colour = m_view->rowBackground(index.row())) p->fillRect(option.rect, *colour);
        QStyleOptionViewItem opt = option;
        if (auto colour = m_view->rowBackground(index.row()); colour && (opt.state & QStyle::State_Selected)) {
            // The row colour wins over the selection's; the text keeps the selection's colour.
            opt.palette.setColor(QPalette::Highlight, *colour);
        }
        QStyledItemDelegate::paint(p, opt, index);
    }

private:
    GridView* m_view;
};

} // namespace

GridView::GridView(DataSetModel* model, QWidget* parent) : QTableView(parent), m_model(model)
{
    setModel(model);
    setItemDelegate(new RowColourDelegate(this));
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    verticalHeader()->setDefaultSectionSize(18);
    verticalHeader()->setFixedWidth(12);
    horizontalHeader()->setHighlightSections(false);
    setStyleSheet(QStringLiteral("QTableView { background-color: black; color: lime; gridline-color: #404040; }"));
    QPalette pal = palette();
    pal.setColor(QPalette::Base, Qt::black);
    pal.setColor(QPalette::Text, QColor(0, 255, 0));
    setPalette(pal);
    for (size_t i = 0; i < model->columns().size(); ++i) setColumnWidth(int(i), model->columns()[i].width);

    connect(dataSet(), &DataSet::currentChanged, this, &GridView::followDataSet);
    connect(model, &QAbstractItemModel::modelReset, this, [this] { followDataSet(dataSet()->currentRow()); });
    connect(this, &QTableView::clicked, this, [this](const QModelIndex& i) { emit cellClicked(i.row(), i.column()); });
    connect(model, &DataSetModel::editRefused, this, [this](const QString& m) { Dialogs::showError(this, m); });
}

void GridView::enableTitleSort(Session* session)
{
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, [this, session](int section) {
        guarded(this, [&] { session->titleSort(*dataSet(), m_model->columns()[section].field); });
    });
}

void GridView::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QTableView::currentChanged(current, previous);
    if (current.isValid()) m_lastColumn = current.column();
    if (m_syncing || !current.isValid() || !dataSet()->isOpen()) return;
    if (current.row() == dataSet()->currentRow()) return;
    const int row = current.row();
    if (!guarded(this, [&] { dataSet()->moveTo(row); })) followDataSet(dataSet()->currentRow());
}

void GridView::followDataSet(int row)
{
    if (!dataSet()->isOpen() || row < 0 || row >= model()->rowCount()) return;
    m_syncing = true;
    // A reset forgets the view's current cell; the column the user was in stays.
    const int col = currentIndex().isValid() ? currentIndex().column() : std::min(m_lastColumn, model()->columnCount() - 1);
    setCurrentIndex(model()->index(row, col));
    m_syncing = false;
}
